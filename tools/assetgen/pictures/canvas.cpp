// A float RGB canvas for painting the game's pictures: anti-aliased shapes, blending, noise.
// Depends on: canvas.h.
#include "tools/assetgen/pictures/canvas.h"

namespace {

// Hash constants of the lattice noise (any odd mixing constants would do; these are fixed
// so that every run paints the same pictures).
const uint32_t HASH_PRIME_X = 0x8da6b343u;
const uint32_t HASH_PRIME_Y = 0xd8163841u;
const uint32_t HASH_PRIME_Z = 0xcb1ab31fu;
const float HASH_TO_UNIT = 1.0f / 4294967296.0f;
const float FBM_GAIN = 0.5f;

uint32_t mixBits(uint32_t h)
{
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

float fade(float t) { return t * t * (3.0f - 2.0f * t); }

float lerp(float a, float b, float t) { return a + (b - a) * t; }

int wrapIndex(int i, int period) { return ((i % period) + period) % period; }

Color sampleBilinear(const Canvas& src, float x, float y)
{
    x -= 0.5f;
    y -= 0.5f;
    int x0 = (int)std::floor(x), y0 = (int)std::floor(y);
    float fx = x - x0, fy = y - y0;
    auto at = [&](int px, int py) {
        return pixelAt(src, std::min(std::max(px, 0), src.width - 1),
                       std::min(std::max(py, 0), src.height - 1));
    };
    Color top = mixColor(at(x0, y0), at(x0 + 1, y0), fx);
    Color bottom = mixColor(at(x0, y0 + 1), at(x0 + 1, y0 + 1), fx);
    return mixColor(top, bottom, fy);
}

}  // namespace

Canvas makeCanvas(int width, int height, Color fill, float scaleX, float scaleY)
{
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.scaleX = scaleX;
    canvas.scaleY = scaleY;
    canvas.pixels.resize((size_t)width * height * 3);
    for (size_t i = 0; i < canvas.pixels.size(); i += 3) {
        canvas.pixels[i] = fill.r;
        canvas.pixels[i + 1] = fill.g;
        canvas.pixels[i + 2] = fill.b;
    }
    return canvas;
}

Color pixelAt(const Canvas& canvas, int x, int y)
{
    const float* p = &canvas.pixels[((size_t)y * canvas.width + x) * 3];
    return {p[0], p[1], p[2]};
}

void setPixel(Canvas& canvas, int x, int y, Color color)
{
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) return;
    float* p = &canvas.pixels[((size_t)y * canvas.width + x) * 3];
    p[0] = color.r;
    p[1] = color.g;
    p[2] = color.b;
}

void blendPixel(Canvas& canvas, int x, int y, Color color, float alpha)
{
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) return;
    float* p = &canvas.pixels[((size_t)y * canvas.width + x) * 3];
    p[0] += (color.r - p[0]) * alpha;
    p[1] += (color.g - p[1]) * alpha;
    p[2] += (color.b - p[2]) * alpha;
}

std::vector<uint8_t> canvasBytes(const Canvas& canvas)
{
    std::vector<uint8_t> bytes(canvas.pixels.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = (uint8_t)std::lround(clamp01(canvas.pixels[i]) * 255.0f);
    return bytes;
}

float layoutWidth(const Canvas& canvas) { return canvas.width / canvas.scaleX; }

float layoutHeight(const Canvas& canvas) { return canvas.height / canvas.scaleY; }

float sdCircle(float x, float y, float cx, float cy, float radius)
{
    return std::hypot(x - cx, y - cy) - radius;
}

float sdEllipse(float x, float y, float cx, float cy, float rx, float ry)
{
    float px = x - cx, py = y - cy;
    float k0 = std::hypot(px / rx, py / ry);
    float k1 = std::hypot(px / (rx * rx), py / (ry * ry));
    if (k1 <= 0.0f) return -std::min(rx, ry);
    return k0 * (k0 - 1.0f) / k1;
}

float sdRoundBox(float x, float y, float cx, float cy, float halfW, float halfH, float radius)
{
    float qx = std::fabs(x - cx) - halfW + radius;
    float qy = std::fabs(y - cy) - halfH + radius;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float sdCapsule(float x, float y, Point a, Point b, float radius)
{
    float px = x - a.x, py = y - a.y;
    float bx = b.x - a.x, by = b.y - a.y;
    float len2 = bx * bx + by * by;
    float h = len2 > 0.0f ? clamp01((px * bx + py * by) / len2) : 0.0f;
    return std::hypot(px - bx * h, py - by * h) - radius;
}

float sdConvex(float x, float y, const Point* corners, int count)
{
    float area = 0.0f;
    for (int i = 0; i < count; ++i) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % count];
        area += a.x * b.y - b.x * a.y;
    }
    float sign = area >= 0.0f ? 1.0f : -1.0f;
    float d = -1e30f;
    for (int i = 0; i < count; ++i) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % count];
        float ex = b.x - a.x, ey = b.y - a.y;
        float len = std::hypot(ex, ey);
        if (len <= 0.0f) continue;
        // Outward normal of a counter-clockwise (in y-down terms: positive area) polygon.
        float dist = sign * ((x - a.x) * ey - (y - a.y) * ex) / len;
        d = std::max(d, dist);
    }
    return d;
}

void fillRect(Canvas& canvas, float x0, float y0, float x1, float y1, Color color, float opacity)
{
    float cx = 0.5f * (x0 + x1), cy = 0.5f * (y0 + y1);
    float hw = 0.5f * (x1 - x0), hh = 0.5f * (y1 - y0);
    fillShapeColor(
        canvas, x0, y0, x1, y1,
        [=](float x, float y) { return std::max(std::fabs(x - cx) - hw, std::fabs(y - cy) - hh); },
        color, opacity);
}

void fillRoundRect(Canvas& canvas, float x0, float y0, float x1, float y1, float radius,
                   Color color, float opacity)
{
    float cx = 0.5f * (x0 + x1), cy = 0.5f * (y0 + y1);
    float hw = 0.5f * (x1 - x0), hh = 0.5f * (y1 - y0);
    fillShapeColor(
        canvas, x0, y0, x1, y1,
        [=](float x, float y) { return sdRoundBox(x, y, cx, cy, hw, hh, radius); }, color,
        opacity);
}

void fillCircle(Canvas& canvas, float cx, float cy, float radius, Color color, float opacity)
{
    fillShapeColor(
        canvas, cx - radius, cy - radius, cx + radius, cy + radius,
        [=](float x, float y) { return sdCircle(x, y, cx, cy, radius); }, color, opacity);
}

void fillPolygon(Canvas& canvas, const Point* corners, int count, Color color, float opacity)
{
    float x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
    for (int i = 1; i < count; ++i) {
        x0 = std::min(x0, corners[i].x);
        x1 = std::max(x1, corners[i].x);
        y0 = std::min(y0, corners[i].y);
        y1 = std::max(y1, corners[i].y);
    }
    fillShapeColor(
        canvas, x0, y0, x1, y1,
        [=](float x, float y) { return sdConvex(x, y, corners, count); }, color, opacity);
}

void drawLine(Canvas& canvas, Point a, Point b, float width, Color color, float opacity)
{
    float r = 0.5f * width;
    fillShapeColor(
        canvas, std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r,
        std::max(a.y, b.y) + r, [=](float x, float y) { return sdCapsule(x, y, a, b, r); },
        color, opacity);
}

void placeImage(Canvas& dst, const Canvas& src, float cx, float cy, float angle, float pixelSize)
{
    float c = std::cos(angle), s = std::sin(angle);
    float hw = 0.5f * src.width * pixelSize, hh = 0.5f * src.height * pixelSize;
    float reach = std::hypot(hw, hh);
    fillShape(
        dst, cx - reach, cy - reach, cx + reach, cy + reach,
        [=](float x, float y) {
            float u = c * (x - cx) + s * (y - cy);
            float v = -s * (x - cx) + c * (y - cy);
            return std::max(std::fabs(u) - hw, std::fabs(v) - hh);
        },
        [&, c, s](float x, float y, float) {
            float u = c * (x - cx) + s * (y - cy);
            float v = -s * (x - cx) + c * (y - cy);
            return sampleBilinear(src, (u + hw) / pixelSize, (v + hh) / pixelSize);
        });
}

void dimCanvas(Canvas& canvas, float k)
{
    for (float& v : canvas.pixels) v *= k;
}

Random makeRandom(uint64_t seed) { return Random{seed * 0x9e3779b97f4a7c15ull + 1}; }

uint32_t nextRandom(Random& random)
{
    // splitmix64
    uint64_t z = (random.state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return (uint32_t)((z ^ (z >> 31)) >> 32);
}

float randomRange(Random& random, float low, float high)
{
    return low + (high - low) * (nextRandom(random) * HASH_TO_UNIT);
}

int randomIndex(Random& random, int count)
{
    return (int)(((uint64_t)nextRandom(random) * (uint64_t)count) >> 32);
}

float latticeValue(int x, int y, int z, uint32_t seed)
{
    uint32_t h = seed;
    h = mixBits(h ^ ((uint32_t)x * HASH_PRIME_X));
    h = mixBits(h ^ ((uint32_t)y * HASH_PRIME_Y));
    h = mixBits(h ^ ((uint32_t)z * HASH_PRIME_Z));
    return h * HASH_TO_UNIT;
}

float tiledNoise(float x, float y, int periodX, int periodY, uint32_t seed)
{
    int x0 = (int)std::floor(x), y0 = (int)std::floor(y);
    float fx = fade(x - x0), fy = fade(y - y0);
    int ax = wrapIndex(x0, periodX), bx = wrapIndex(x0 + 1, periodX);
    int ay = wrapIndex(y0, periodY), by = wrapIndex(y0 + 1, periodY);
    float top = lerp(latticeValue(ax, ay, 0, seed), latticeValue(bx, ay, 0, seed), fx);
    float bottom = lerp(latticeValue(ax, by, 0, seed), latticeValue(bx, by, 0, seed), fx);
    return lerp(top, bottom, fy);
}

float tiledFbm(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed)
{
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * tiledNoise(u * cellsX, v * cellsY, cellsX, cellsY, seed + i);
        total += weight;
        weight *= FBM_GAIN;
        cellsX *= 2;
        cellsY *= 2;
    }
    return sum / total;
}

float noise3(float x, float y, float z, uint32_t seed)
{
    int x0 = (int)std::floor(x), y0 = (int)std::floor(y), z0 = (int)std::floor(z);
    float fx = fade(x - x0), fy = fade(y - y0), fz = fade(z - z0);
    float layer[2];
    for (int k = 0; k < 2; ++k) {
        float top = lerp(latticeValue(x0, y0, z0 + k, seed), latticeValue(x0 + 1, y0, z0 + k, seed),
                         fx);
        float bottom = lerp(latticeValue(x0, y0 + 1, z0 + k, seed),
                            latticeValue(x0 + 1, y0 + 1, z0 + k, seed), fx);
        layer[k] = lerp(top, bottom, fy);
    }
    return lerp(layer[0], layer[1], fz);
}

CellDistances tiledCells(float u, float v, int cellsX, int cellsY, uint32_t seed)
{
    float x = u * cellsX, y = v * cellsY;
    int cx = (int)std::floor(x), cy = (int)std::floor(y);
    CellDistances d = {1e9f, 1e9f};
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            int wx = wrapIndex(cx + i, cellsX), wy = wrapIndex(cy + j, cellsY);
            float fx = cx + i + latticeValue(wx, wy, 1, seed);
            float fy = cy + j + latticeValue(wx, wy, 2, seed);
            float dist = std::hypot(x - fx, y - fy);
            if (dist < d.nearest) {
                d.second = d.nearest;
                d.nearest = dist;
            } else if (dist < d.second) {
                d.second = dist;
            }
        }
    }
    return d;
}

float gridDistance(float x, float period)
{
    float r = std::fmod(x, period);
    if (r < 0.0f) r += period;
    return std::min(r, period - r);
}
