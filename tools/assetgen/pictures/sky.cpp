// The sky box: a daytime sky with clouds over a distant skyline, painted onto the box's five
// faces from one picture of the world around the street, so every edge meets its neighbour.
//
// The game draws every picture with repeat wrapping and linear, mipmapped filtering, so along
// each edge of a face the filter mixes the picture's opposite edge into what it shows. A band
// along every edge therefore holds the same colours as the band along the opposite edge, or
// the edges of the box show as thin lines:
// - the upright corners of the box all show one column: one sky gradient by height, over one
//   building that stands on every corner;
// - the top's edges, and so the walls' top rows, show one rim colour;
// - the walls' foot rows are the opposite edge of their top rows: they show the rim colour
//   too, as a low haze into which the feet of the buildings fade.
// From the street the edges are seen at mipmap levels 0 and 1 (a 1024 x 768 window; larger
// screens use lower levels); a band of 2^k texels keeps every level up to k in agreement.
// Depends on: painters.h, canvas.h.
#include <vector>

#include "tools/assetgen/pictures/painters.h"

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

struct Building {
    float start, end, height;
    int roof;    // 0 flat, 1 antenna, 2 stepped top
    float tint;  // brightness of its wall
};

// How far a texel of a face takes the colours of the bands along its edges.
struct EdgeWeights {
    float corner = 0.0f;  // towards the corner column
    float rim = 0.0f;     // towards the rim colour, before the skyline is drawn over the sky
    float foot = 0.0f;    // towards the rim colour, over the skyline
};

// Buildings in order along the foot of the walls, from `start` round the whole perimeter.
struct Skyline {
    float start;
    std::vector<Building> buildings;
};

// ---- the box ----
const float BOX_MIN_X = -300.0f, BOX_MAX_X = 500.0f;
const float BOX_MIN_Z = -500.0f, BOX_MAX_Z = 300.0f;
const float BOX_SIDE = 800.0f;  // both sides of the floor plan
const float PERIMETER = 4.0f * BOX_SIDE;
const float BOX_HEIGHT = 200.0f;
const int WALL_LONG = 1024;   // texels along a wall
const int WALL_SHORT = 256;   // texels up a wall
const int TOP_SIZE = 512;
const Vec3 UPRIGHT_CORNERS[] = {{BOX_MAX_X, 0, BOX_MAX_Z}, {BOX_MAX_X, 0, BOX_MIN_Z},
                                {BOX_MIN_X, 0, BOX_MAX_Z}, {BOX_MIN_X, 0, BOX_MIN_Z}};

// ---- the bands along the edges (see the top of the file) ----
const int CORNER_BAND = 4;   // texels at the upright corners and along the top's edges: levels 0-2
const int RIM_ROWS = 2;      // texels at the walls' top and foot: levels 0-1
const float CORNER_FADE = 40.0f;  // scene units over which the sky turns into the corner column
const float RIM_FADE = 60.0f;     // scene units over which the sky turns into the rim colour
const float FOOT_FADE = 12.0f;    // scene units of haze over the feet of the buildings

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
// High, so that its glow stays off the box's edges.
const Vec3 SUN_DIRECTION = {0.3f, 0.85f, 0.35f};
const float CLOUD_ALTITUDE = 900.0f;
const float CLOUD_SCALE = 1.0f / 700.0f;
const uint32_t CLOUD_SEED = 31;
const int SUPERSAMPLE = 3;  // samples per texel side

// ---- the skyline: blocks of buildings along the foot of the walls ----
const uint64_t SKYLINE_SEED = 53;
// The building on every corner, centred on it, in each of the two rows of buildings.
const Building NEAR_CORNER_BUILDING = {-8.0f, 8.0f, 16.0f, 0, 1.0f};
const Building FAR_CORNER_BUILDING = {-12.0f, 12.0f, 34.0f, 2, 1.0f};
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
// The sky by elevation (the sine of the angle above the horizon): haze at the horizon, a pale
// sky up to MID_ELEVATION, deep blue overhead. The top's edges are seen from the street at
// elevations of about 0.3 to 0.55, where it hardly changes, so one rim colour suits them all,
// and it is pale enough to pass for the haze at the feet of the distant buildings.
const float HAZE_ELEVATION = 0.06f;
const float MID_ELEVATION = 0.6f;
const float UPPER_ELEVATION = 0.8f;
const float RIM_ELEVATION = 0.42f;
const Color MID_SKY = mixColor(LOW_SKY, UPPER_SKY, 0.5f);

Vec3 add(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 mul(Vec3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 normalized(Vec3 a) { return mul(a, 1.0f / std::sqrt(dot(a, a))); }

// The corner building on every corner, random buildings between them. `tint` gives a
// building's brightness from its start.
Skyline makeSkyline(uint64_t seed, const Building& corner, float minWidth, float maxWidth,
                    float minHeight, float maxHeight, float (*tint)(float start))
{
    Skyline skyline;
    skyline.start = corner.start;
    Random random = makeRandom(seed);
    for (float c = 0.0f; c < PERIMETER; c += BOX_SIDE) {
        skyline.buildings.push_back(
            {c + corner.start, c + corner.end, corner.height, corner.roof, corner.tint});
        float p = c + corner.end, last = c + BOX_SIDE + corner.start;
        while (p < last) {
            float end = p + randomRange(random, minWidth, maxWidth);
            if (end > last - minWidth) end = last;
            float height = randomRange(random, minHeight, maxHeight);
            if (randomIndex(random, 7) == 0) height *= 1.6f;  // now and then a tower
            skyline.buildings.push_back({p, end, height, randomIndex(random, 5) % 3, tint(p)});
            p = end;
        }
    }
    return skyline;
}

float farTint(float start) { return 0.94f + 0.12f * latticeValue((int)start, 1, 0, CLOUD_SEED); }
float nearTint(float start) { return 0.9f + 0.2f * latticeValue((int)start, 0, 0, CLOUD_SEED); }

const Skyline& farSkyline()
{
    static const Skyline skyline =
        makeSkyline(SKYLINE_SEED, FAR_CORNER_BUILDING, 14.0f, 40.0f, 20.0f, 50.0f, farTint);
    return skyline;
}

const Skyline& nearSkyline()
{
    static const Skyline skyline =
        makeSkyline(SKYLINE_SEED + 1, NEAR_CORNER_BUILDING, 10.0f, 32.0f, 7.0f, 30.0f, nearTint);
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
    return along;
}

// A position along the perimeter taken into the skyline's own round, from its start.
float withinRound(const Skyline& skyline, float along)
{
    while (along < skyline.start) along += PERIMETER;
    while (along >= skyline.start + PERIMETER) along -= PERIMETER;
    return along;
}

// `along` within the skyline's round.
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

Color skyGradient(float e)
{
    struct Stop {
        float elevation;
        Color color;
    };
    const Stop stops[] = {{0.0f, HORIZON_HAZE},         {HAZE_ELEVATION, LOW_SKY},
                          {MID_ELEVATION, MID_SKY},     {UPPER_ELEVATION, UPPER_SKY},
                          {1.0f, ZENITH}};
    const int last = (int)(sizeof stops / sizeof stops[0]) - 1;
    for (int i = 0; i < last; ++i)
        if (e < stops[i + 1].elevation)
            return mixColor(stops[i].color, stops[i + 1].color,
                            (e - stops[i].elevation) /
                                (stops[i + 1].elevation - stops[i].elevation));
    return stops[last].color;
}

// The colour of every edge band that meets the top.
Color rimColor() { return skyGradient(RIM_ELEVATION); }

Color skyColor(Vec3 dir, bool clouds)
{
    Color sky = skyGradient(std::max(0.0f, dir.y));
    float sun = std::max(0.0f, dot(dir, normalized(SUN_DIRECTION)));
    sky = mixColor(sky, SUN_GLOW, 0.45f * std::pow(sun, 12.0f) + std::pow(sun, 900.0f));
    if (clouds && dir.y > 0.02f) {
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
    float along = withinRound(nearSkyline(), perimeterPosition(p));
    const Building* nearB = buildingAt(nearSkyline(), along);
    if (nearB && p.y < outlineHeight(*nearB, along)) {
        Color c = scaleColor(NEAR_BUILDINGS, nearB->tint);
        if (std::fmod(p.y, FLOOR_HEIGHT) < FLOOR_LINE && p.y < nearB->height - 1.0f)
            c = mixColor(c, NEAR_WINDOWS, 0.6f);
        if (along - nearB->start < SUNLIT_EDGE) c = scaleColor(c, 1.12f);
        color = mixColor(c, HORIZON_HAZE, 0.3f * (1.0f - p.y / 45.0f));
        return true;
    }
    along = withinRound(farSkyline(), along);
    const Building* farB = buildingAt(farSkyline(), along);
    if (farB && p.y < outlineHeight(*farB, along)) {
        color = mixColor(scaleColor(FAR_BUILDINGS, farB->tint), HORIZON_HAZE,
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

// The sky of the upright corners at a height: the same at all four.
Color cornerSky(float y)
{
    Color sum = {0, 0, 0};
    for (const Vec3& corner : UPRIGHT_CORNERS) {
        Color c = skyColor(normalized(sub({corner.x, y, corner.z}, VIEWPOINT)), false);
        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
    }
    return scaleColor(sum, 0.25f);
}

// How far a texel takes the colour of its edge band: 1 in the band's `band` texels nearest
// the edge (`texels` counts from the edge), fading to 0 over `fade` scene units beyond.
float bandWeight(int texels, int band, float texelSize, float fade)
{
    if (texels < band) return 1.0f;
    return 1.0f - smoothStep(0.0f, fade, (float)(texels - band + 1) * texelSize);
}

EdgeWeights edgeWeights(const SkyFace& face, int col, int row, float height)
{
    const float texelS = std::sqrt(dot(sub(face.c1, face.c0), sub(face.c1, face.c0))) /
                         (face.width - 1);
    const float texelT = std::sqrt(dot(sub(face.c3, face.c0), sub(face.c3, face.c0))) /
                         (face.height - 1);
    const int fromSideS = std::min(col, face.width - 1 - col);
    const int fromSideT = std::min(row, face.height - 1 - row);
    EdgeWeights w;
    if (face.c0.y == face.c1.y && face.c0.y == face.c3.y) {  // the top: rims all round
        w.rim = std::max(bandWeight(fromSideS, CORNER_BAND, texelS, RIM_FADE),
                         bandWeight(fromSideT, CORNER_BAND, texelT, RIM_FADE));
        return w;
    }
    const bool uprightAlongS = face.c0.y != face.c1.y;  // a wall turned by a quarter
    const int fromCorner = uprightAlongS ? fromSideT : fromSideS;
    const int fromTopOrFoot = uprightAlongS ? fromSideS : fromSideT;
    w.corner = bandWeight(fromCorner, CORNER_BAND, uprightAlongS ? texelT : texelS, CORNER_FADE);
    const float up = uprightAlongS ? texelS : texelT;
    if (height > 0.5f * BOX_HEIGHT) w.rim = bandWeight(fromTopOrFoot, RIM_ROWS, up, RIM_FADE);
    else w.foot = bandWeight(fromTopOrFoot, RIM_ROWS, up, FOOT_FADE);
    return w;
}

// The first and last texel of each row and column sit exactly on the face's edges, so the
// texels along a shared edge show the same points of the world on both faces.
Canvas paintFace(const SkyFace& face)
{
    Canvas canvas = makeCanvas(face.width, face.height, ZENITH);
    for (int row = 0; row < face.height; ++row) {
        for (int col = 0; col < face.width; ++col) {
            const Vec3 p = facePoint(face, (float)col / (face.width - 1),
                                     1.0f - (float)row / (face.height - 1));
            const EdgeWeights w = edgeWeights(face, col, row, p.y);
            // The sky is smooth: one sample per texel. The skyline's edges are not: it is
            // sampled on a grid inside the texel.
            Color sky = skyColor(normalized(sub(p, VIEWPOINT)), true);
            if (w.corner > 0.0f) sky = mixColor(sky, cornerSky(p.y), w.corner);
            sky = mixColor(sky, rimColor(), w.rim);
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
            Color color = scaleColor(sum, 1.0f / (SUPERSAMPLE * SUPERSAMPLE));
            setPixel(canvas, col, row, mixColor(color, rimColor(), w.foot));
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
