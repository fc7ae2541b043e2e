// The sky box: a daytime sky with clouds over a distant skyline, painted onto the box's five
// faces from one picture of the world around the street, so every edge meets its neighbour.
// Depends on: pic_painters.h, pic_canvas.h.
#include <vector>

#include "tools/assetgen/pic_painters.h"

namespace {

struct Vec3 {
    float x, y, z;
};

// One face of the box: its corners as the street places them (texture s runs c0 -> c1,
// t runs c0 -> c3; t = 0 is the bottom row of the stored picture) and its picture size.
struct SkyFace {
    Vec3 c0, c1, c2, c3;
    int width, height;
};

// ---- the box ----
const float BOX_MIN_X = -300.0f, BOX_MAX_X = 500.0f;
const float BOX_MIN_Z = -500.0f, BOX_MAX_Z = 300.0f;
const float BOX_SIDE = 800.0f;  // both sides of the floor plan
const float PERIMETER = 4.0f * BOX_SIDE;
const int WALL_LONG = 1024;   // texels along a wall
const int WALL_SHORT = 256;   // texels up a wall
const int TOP_SIZE = 512;

const SkyFace TOP_FACE = {{-300, 200, 300}, {-300, 200, -500}, {500, 200, -500}, {500, 200, 300},
                          TOP_SIZE, TOP_SIZE};
const SkyFace NORTH_FACE = {{500, 200, 300}, {500, 200, -500}, {500, 0, -500}, {500, 0, 300},
                            WALL_LONG, WALL_SHORT};
const SkyFace EAST_FACE = {{500, 200, 300}, {500, 0, 300}, {-300, 0, 300}, {-300, 200, 300},
                           WALL_SHORT, WALL_LONG};
const SkyFace SOUTH_FACE = {{-300, 0, 300}, {-300, 0, -500}, {-300, 200, -500}, {-300, 200, 300},
                            WALL_LONG, WALL_SHORT};
const SkyFace WEST_FACE = {{500, 0, -500}, {500, 200, -500}, {-300, 200, -500}, {-300, 0, -500},
                           WALL_SHORT, WALL_LONG};

// ---- the view it is painted for ----
const Vec3 VIEWPOINT = {10.0f, 2.2f, -130.0f};  // the middle of the street, at eye height
const Vec3 SUN_DIRECTION = {0.55f, 0.42f, 0.72f};
const float CLOUD_ALTITUDE = 900.0f;
const float CLOUD_SCALE = 1.0f / 700.0f;
const uint32_t CLOUD_SEED = 31;
const int SUPERSAMPLE = 3;  // samples per texel side

// ---- the skyline: blocks of buildings along the foot of the walls ----
const uint64_t SKYLINE_SEED = 53;
const float SKYLINE_START = -23.0f;  // a building straddles the corner where the walk begins
const float CORNER_CLEARANCE = 3.0f;
const float FLOOR_HEIGHT = 3.2f;  // storeys of the distant buildings
const float FLOOR_LINE = 0.9f;
const float SUNLIT_EDGE = 1.5f;
const float SKYLINE_CEILING = 100.0f;  // above every roof and antenna

// ---- colours ----
const Color ZENITH = hexColor(0x2f63b4);
const Color UPPER_SKY = hexColor(0x5d95d6);
const Color LOW_SKY = hexColor(0xa9c9e8);
const Color HORIZON_HAZE = hexColor(0xe9e1d2);
const Color SUN_GLOW = hexColor(0xfff1c9);
const Color CLOUD_LIGHT = hexColor(0xfbfbfd);
const Color CLOUD_SHADE = hexColor(0xbac3d3);
const Color FAR_BUILDINGS = hexColor(0x9fb0c6);
const Color NEAR_BUILDINGS = hexColor(0x72809a);
const Color NEAR_WINDOWS = hexColor(0x56627c);

struct Building {
    float start, end, height;
    int roof;  // 0 flat, 1 antenna, 2 stepped top
};

struct Skyline {
    std::vector<Building> buildings;
};

Vec3 add(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 mul(Vec3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 normalized(Vec3 a) { return mul(a, 1.0f / std::sqrt(dot(a, a))); }

bool nearCorner(float p)
{
    for (float corner = 0.0f; corner <= PERIMETER; corner += BOX_SIDE)
        if (std::fabs(p - corner) < CORNER_CLEARANCE) return true;
    return false;
}

Skyline makeSkyline(uint64_t seed, float minWidth, float maxWidth, float minHeight,
                    float maxHeight)
{
    Skyline skyline;
    Random random = makeRandom(seed);
    float p = SKYLINE_START;
    while (p < SKYLINE_START + PERIMETER) {
        float end = p + randomRange(random, minWidth, maxWidth);
        while (nearCorner(end)) end += CORNER_CLEARANCE;
        if (end > SKYLINE_START + PERIMETER - minWidth) end = SKYLINE_START + PERIMETER;
        float height = randomRange(random, minHeight, maxHeight);
        if (randomIndex(random, 7) == 0) height *= 1.6f;  // now and then a tower
        skyline.buildings.push_back({p, end, height, randomIndex(random, 5) % 3});
        p = end;
    }
    return skyline;
}

const Skyline& farSkyline()
{
    static const Skyline skyline = makeSkyline(SKYLINE_SEED, 14.0f, 40.0f, 20.0f, 50.0f);
    return skyline;
}

const Skyline& nearSkyline()
{
    static const Skyline skyline = makeSkyline(SKYLINE_SEED + 1, 10.0f, 32.0f, 7.0f, 30.0f);
    return skyline;
}

// Position along the foot of the walls, walked north, west, south, east from the corner
// (500, 300); it continues smoothly round every corner.
float perimeterPosition(Vec3 p)
{
    float dNorth = std::fabs(p.x - BOX_MAX_X), dSouth = std::fabs(p.x - BOX_MIN_X);
    float dWest = std::fabs(p.z - BOX_MIN_Z), dEast = std::fabs(p.z - BOX_MAX_Z);
    float best = std::min(std::min(dNorth, dSouth), std::min(dWest, dEast));
    float along;
    if (best == dNorth) along = BOX_MAX_Z - p.z;
    else if (best == dWest) along = BOX_SIDE + (BOX_MAX_X - p.x);
    else if (best == dSouth) along = 2.0f * BOX_SIDE + (p.z - BOX_MIN_Z);
    else along = 3.0f * BOX_SIDE + (p.x - BOX_MIN_X);
    while (along < SKYLINE_START) along += PERIMETER;
    while (along >= SKYLINE_START + PERIMETER) along -= PERIMETER;
    return along;
}

const Building* buildingAt(const Skyline& skyline, float along)
{
    const std::vector<Building>& list = skyline.buildings;
    size_t low = 0, high = list.size();
    while (low < high) {
        size_t mid = (low + high) / 2;
        if (list[mid].end <= along) low = mid + 1;
        else high = mid;
    }
    return low < list.size() ? &list[low] : nullptr;
}

// Height of a building's outline at a point along it, roof shapes included.
float outlineHeight(const Building& b, float along)
{
    float middle = 0.5f * (b.start + b.end), half = 0.5f * (b.end - b.start);
    float offset = std::fabs(along - middle);
    if (b.roof == 1 && offset < 0.4f) return b.height + 9.0f;
    if (b.roof == 2 && offset < 0.5f * half) return b.height + 3.5f;
    return b.height;
}

Color skyColor(Vec3 dir)
{
    float e = std::max(0.0f, dir.y);
    Color sky = e < 0.06f ? mixColor(HORIZON_HAZE, LOW_SKY, e / 0.06f)
              : e < 0.3f  ? mixColor(LOW_SKY, UPPER_SKY, (e - 0.06f) / 0.24f)
                          : mixColor(UPPER_SKY, ZENITH, std::min(1.0f, (e - 0.3f) / 0.6f));
    float sun = std::max(0.0f, dot(dir, normalized(SUN_DIRECTION)));
    sky = mixColor(sky, SUN_GLOW, 0.45f * std::pow(sun, 12.0f) + std::pow(sun, 900.0f));
    if (dir.y > 0.02f) {
        float reach = CLOUD_ALTITUDE / dir.y;
        float cx = (VIEWPOINT.x + dir.x * reach) * CLOUD_SCALE;
        float cz = (VIEWPOINT.z + dir.z * reach) * CLOUD_SCALE;
        float n = 0.0f, w = 1.0f, total = 0.0f;
        for (int octave = 0; octave < 5; ++octave) {
            n += w * noise3(cx, cz, 0.5f, CLOUD_SEED + octave);
            total += w;
            w *= 0.5f;
            cx *= 2.03f;
            cz *= 2.03f;
        }
        n /= total;
        float cover = smoothStep(0.52f, 0.72f, n) * smoothStep(0.02f, 0.12f, dir.y);
        Color cloud = mixColor(CLOUD_SHADE, CLOUD_LIGHT, smoothStep(0.55f, 0.8f, n));
        sky = mixColor(sky, cloud, 0.9f * cover);
    }
    return sky;
}

// The skyline in front of the sky at a world point on a wall: true and its colour there, or
// false where the sky shows.
bool skylineColor(Vec3 p, Color& color)
{
    if (p.y >= SKYLINE_CEILING) return false;
    float along = perimeterPosition(p);
    const Building* nearB = buildingAt(nearSkyline(), along);
    if (nearB && p.y < outlineHeight(*nearB, along)) {
        float tint = 0.9f + 0.2f * latticeValue((int)nearB->start, 0, 0, CLOUD_SEED);
        Color c = scaleColor(NEAR_BUILDINGS, tint);
        if (std::fmod(p.y, FLOOR_HEIGHT) < FLOOR_LINE && p.y < nearB->height - 1.0f)
            c = mixColor(c, NEAR_WINDOWS, 0.6f);
        if (along - nearB->start < SUNLIT_EDGE) c = scaleColor(c, 1.12f);
        color = mixColor(c, HORIZON_HAZE, 0.3f * (1.0f - p.y / 45.0f));
        return true;
    }
    const Building* farB = buildingAt(farSkyline(), along);
    if (farB && p.y < outlineHeight(*farB, along)) {
        float tint = 0.94f + 0.12f * latticeValue((int)farB->start, 1, 0, CLOUD_SEED);
        color = mixColor(scaleColor(FAR_BUILDINGS, tint), HORIZON_HAZE,
                         0.3f * (1.0f - p.y / 80.0f));
        return true;
    }
    return false;
}

Vec3 facePoint(const SkyFace& face, float s, float t)
{
    Vec3 bottom = add(mul(face.c0, 1.0f - s), mul(face.c1, s));
    Vec3 top = add(mul(face.c3, 1.0f - s), mul(face.c2, s));
    return add(mul(bottom, 1.0f - t), mul(top, t));
}

// The first and last texel of each row and column sit exactly on the face's edges, so the
// texels along a shared edge show the same points of the world on both faces.
Canvas paintFace(const SkyFace& face)
{
    Canvas canvas = makeCanvas(face.width, face.height, ZENITH);
    for (int row = 0; row < face.height; ++row) {
        for (int col = 0; col < face.width; ++col) {
            // The sky is smooth: one sample per texel. The skyline's edges are not: it is
            // sampled on a grid inside the texel.
            Color sky = skyColor(normalized(sub(
                facePoint(face, (float)col / (face.width - 1),
                          1.0f - (float)row / (face.height - 1)),
                VIEWPOINT)));
            Color sum = {0, 0, 0};
            for (int sy = 0; sy < SUPERSAMPLE; ++sy) {
                for (int sx = 0; sx < SUPERSAMPLE; ++sx) {
                    float ox = (sx + 0.5f) / SUPERSAMPLE - 0.5f;
                    float oy = (sy + 0.5f) / SUPERSAMPLE - 0.5f;
                    float s = (col + ox) / (face.width - 1);
                    float t = 1.0f - (row + oy) / (face.height - 1);
                    Color c = sky;
                    skylineColor(facePoint(face, s, t), c);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            }
            setPixel(canvas, col, row, scaleColor(sum, 1.0f / (SUPERSAMPLE * SUPERSAMPLE)));
        }
    }
    return canvas;
}

}  // namespace

Canvas paintSkyTop() { return paintFace(TOP_FACE); }
Canvas paintSkyNorth() { return paintFace(NORTH_FACE); }
Canvas paintSkyEast() { return paintFace(EAST_FACE); }
Canvas paintSkySouth() { return paintFace(SOUTH_FACE); }
Canvas paintSkyWest() { return paintFace(WEST_FACE); }
