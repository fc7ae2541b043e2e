// Laying out the islands of a skin and painting them, light and creases included.
// Depends on: skin.h.
#include "tools/assetgen/models/skin.h"

#include <algorithm>
#include <cmath>

namespace chargen {

namespace {

// Pixels per unit of surface at the first try; lowered step by step until all fits.
const float START_DENSITY = 420.0f;
const float DENSITY_STEP = 0.93f;
const int LAYOUT_TRIES = 60;
const int MIN_INNER = 4;

// The skin is lit from above, in front and to the figure's right; the game adds nothing.
const V3 LIGHT_DIRECTION{0.45f, 1.0f, 0.3f};
const float SHADE_DARKEST = 0.58f;
const float CREASE_DARKEST = 0.68f;
const float CREASE_WIDTH = 0.1f;  // fraction of the part's length
const int SUBSAMPLES = 2;         // per pixel and axis

void surfaceSize(const Part& part, float& around, float& along)
{
    float rMax = 0.0f, len = 0.0f;
    float stretch = 0.5f * (part.sx + part.sz);
    for (size_t i = 0; i < part.profile.size(); ++i) {
        rMax = std::max(rMax, part.profile[i].r);
        if (i == 0) continue;
        float dr = (part.profile[i].r - part.profile[i - 1].r) * stretch;
        float dy = part.profile[i].y - part.profile[i - 1].y;
        len += std::sqrt(dr * dr + dy * dy);
    }
    around = 6.2831853f * rMax * stretch * (part.arc1 - part.arc0);
    along = len;
}

void setIsland(Part& part, int x, int y, int w, int h)
{
    part.islandX = x;
    part.islandY = y;
    part.islandW = w;
    part.islandH = h;
    part.innerX = x + ISLAND_PAD;
    part.innerY = y + ISLAND_PAD;
    part.innerW = w - 2 * ISLAND_PAD;
    part.innerH = h - 2 * ISLAND_PAD;
}

// Bottom-left skyline packing at one density; true when every island fits.
bool packAt(Design& design, float density)
{
    std::vector<int> skyline(SKIN_SIZE, 0);
    std::vector<size_t> order;
    for (size_t i = 0; i < design.parts.size(); ++i) {
        Part& part = design.parts[i];
        if (part.head) {
            setIsland(part, 0, 0, HEAD_REGION_W, HEAD_REGION_H);
            for (int x = 0; x < HEAD_REGION_W; ++x) skyline[x] = HEAD_REGION_H;
        } else {
            order.push_back(i);
        }
    }
    std::vector<int> widths(design.parts.size()), heights(design.parts.size());
    for (size_t i : order) {
        float around, along;
        surfaceSize(design.parts[i], around, along);
        int w = std::max(MIN_INNER, (int)std::ceil(around * density));
        int h = std::max(MIN_INNER, (int)std::ceil(along * density));
        widths[i] = std::min(w, SKIN_SIZE - 2 * ISLAND_PAD) + 2 * ISLAND_PAD;
        heights[i] = std::min(h, SKIN_SIZE - 2 * ISLAND_PAD) + 2 * ISLAND_PAD;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return heights[a] > heights[b]; });
    for (size_t i : order) {
        int w = widths[i], h = heights[i];
        int bestX = -1, bestY = SKIN_SIZE + 1;
        for (int x = 0; x + w <= SKIN_SIZE; ++x) {
            int y = *std::max_element(skyline.begin() + x, skyline.begin() + x + w);
            if (y < bestY) {
                bestY = y;
                bestX = x;
            }
        }
        if (bestX < 0 || bestY + h > SKIN_SIZE) return false;
        setIsland(design.parts[i], bestX, bestY, w, h);
        for (int x = bestX; x < bestX + w; ++x) skyline[x] = bestY + h;
    }
    return true;
}

float shadeFor(const Part& part, const Sample& s)
{
    float lambert = std::max(0.0f, dot(s.normal, normalized(LIGHT_DIRECTION)));
    float shade = SHADE_DARKEST + (1.0f - SHADE_DARKEST) * lambert;
    if (part.creases) {
        float edge = std::min(s.v, 1.0f - s.v);
        shade *= CREASE_DARKEST + (1.0f - CREASE_DARKEST) * smoothStep(0.0f, CREASE_WIDTH, edge);
    }
    return shade;
}

uint8_t toByte(float v) { return (uint8_t)std::lround(clamp01(v) * 255.0f); }

}  // namespace

bool layoutSkin(Design& design)
{
    float density = START_DENSITY;
    for (int attempt = 0; attempt < LAYOUT_TRIES; ++attempt) {
        if (packAt(design, density)) return true;
        density *= DENSITY_STEP;
    }
    return false;
}

std::vector<uint8_t> paintSkin(const Design& design)
{
    std::vector<Color> canvas((size_t)SKIN_SIZE * SKIN_SIZE, design.background);
    const float step = 1.0f / SUBSAMPLES;
    for (const Part& part : design.parts) {
        for (int py = part.islandY; py < part.islandY + part.islandH; ++py) {
            for (int px = part.islandX; px < part.islandX + part.islandW; ++px) {
                Color sum{0, 0, 0};
                for (int sy = 0; sy < SUBSAMPLES; ++sy) {
                    for (int sx = 0; sx < SUBSAMPLES; ++sx) {
                        // The padding repeats the island's border.
                        float u = clamp01((px + (sx + 0.5f) * step - part.innerX) / part.innerW);
                        float v = 1.0f - clamp01((py + (sy + 0.5f) * step - part.innerY) /
                                                   part.innerH);
                        Sample s = evalPart(part, u, v);
                        Color c = scaleColor(part.paint(s), shadeFor(part, s));
                        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                    }
                }
                canvas[(size_t)py * SKIN_SIZE + px] = scaleColor(sum, step * step);
            }
        }
    }
    std::vector<uint8_t> rgb;
    rgb.reserve(canvas.size() * 3);
    for (const Color& c : canvas) {
        rgb.push_back(toByte(c.r));
        rgb.push_back(toByte(c.g));
        rgb.push_back(toByte(c.b));
    }
    return rgb;
}

}  // namespace chargen
