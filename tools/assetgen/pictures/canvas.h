// A float RGB canvas for painting the game's pictures: anti-aliased shapes, blending, noise.
// Depends on: common/color.h.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/assetgen/common/color.h"

struct Point {
    float x, y;
};

// Pixels are stored top row first. Drawing calls take "layout" units, which scaleX and
// scaleY turn into stored pixels: a page laid out for a 4:3 window can be painted into a
// square picture and still look right once it is stretched over that window.
struct Canvas {
    int width = 0;
    int height = 0;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    std::vector<float> pixels;  // r, g, b in 0..1
};

// ---- canvas ----
Canvas makeCanvas(int width, int height, Color fill, float scaleX = 1.0f, float scaleY = 1.0f);
Color pixelAt(const Canvas& canvas, int x, int y);
void setPixel(Canvas& canvas, int x, int y, Color color);
void blendPixel(Canvas& canvas, int x, int y, Color color, float alpha);
// The picture as 8-bit RGB bytes, top row first, as the BMP encoders take it.
std::vector<uint8_t> canvasBytes(const Canvas& canvas);
float layoutWidth(const Canvas& canvas);
float layoutHeight(const Canvas& canvas);

// ---- signed distances in layout units, negative inside ----
float sdCircle(float x, float y, float cx, float cy, float radius);
float sdEllipse(float x, float y, float cx, float cy, float rx, float ry);
float sdRoundBox(float x, float y, float cx, float cy, float halfW, float halfH, float radius);
float sdCapsule(float x, float y, Point a, Point b, float radius);
// Convex polygon, corners in either winding.
float sdConvex(float x, float y, const Point* corners, int count);

// Paints every stored pixel whose centre lies within the layout box [x0,x1]x[y0,y1]
// (grown by a pixel for the soft edge): coverage comes from sdf(x, y), the colour from
// shade(x, y, d), where d is the signed distance at that point.
template <class Sdf, class Shade>
void fillShape(Canvas& canvas, float x0, float y0, float x1, float y1, Sdf sdf, Shade shade,
               float opacity = 1.0f)
{
    const float edge = 0.5f * (1.0f / canvas.scaleX + 1.0f / canvas.scaleY);
    int px0 = std::max(0, (int)std::floor(x0 * canvas.scaleX) - 2);
    int py0 = std::max(0, (int)std::floor(y0 * canvas.scaleY) - 2);
    int px1 = std::min(canvas.width - 1, (int)std::ceil(x1 * canvas.scaleX) + 2);
    int py1 = std::min(canvas.height - 1, (int)std::ceil(y1 * canvas.scaleY) + 2);
    for (int py = py0; py <= py1; ++py) {
        float y = (py + 0.5f) / canvas.scaleY;
        for (int px = px0; px <= px1; ++px) {
            float x = (px + 0.5f) / canvas.scaleX;
            float d = sdf(x, y);
            float cover = clamp01(0.5f - d / edge);
            if (cover <= 0.0f) continue;
            blendPixel(canvas, px, py, shade(x, y, d), cover * opacity);
        }
    }
}

// Same as fillShape for a plain colour.
template <class Sdf>
void fillShapeColor(Canvas& canvas, float x0, float y0, float x1, float y1, Sdf sdf, Color color,
                    float opacity = 1.0f)
{
    fillShape(canvas, x0, y0, x1, y1, sdf, [color](float, float, float) { return color; },
              opacity);
}

// Every stored pixel, coloured by a function of its layout position.
template <class Shade>
void paintAll(Canvas& canvas, Shade shade)
{
    for (int py = 0; py < canvas.height; ++py)
        for (int px = 0; px < canvas.width; ++px)
            setPixel(canvas, px, py,
                     shade((px + 0.5f) / canvas.scaleX, (py + 0.5f) / canvas.scaleY));
}

void fillRect(Canvas& canvas, float x0, float y0, float x1, float y1, Color color,
              float opacity = 1.0f);
void fillRoundRect(Canvas& canvas, float x0, float y0, float x1, float y1, float radius,
                   Color color, float opacity = 1.0f);
void fillCircle(Canvas& canvas, float cx, float cy, float radius, Color color,
                float opacity = 1.0f);
void fillPolygon(Canvas& canvas, const Point* corners, int count, Color color,
                 float opacity = 1.0f);
void drawLine(Canvas& canvas, Point a, Point b, float width, Color color, float opacity = 1.0f);
// Copies src into dst, its centre at the layout point (cx, cy), turned by angle radians
// (clockwise on screen) and scaled so one src pixel spans pixelSize layout units.
void placeImage(Canvas& dst, const Canvas& src, float cx, float cy, float angle,
                float pixelSize);
// Multiplies every pixel by k (darkening a whole picture).
void dimCanvas(Canvas& canvas, float k);

// ---- deterministic randomness ----
struct Random {
    uint64_t state;
};
Random makeRandom(uint64_t seed);
uint32_t nextRandom(Random& random);
float randomRange(Random& random, float low, float high);  // uniform in [low, high)
int randomIndex(Random& random, int count);                // 0..count-1

// Value in [0, 1) for one lattice point.
float latticeValue(int x, int y, int z, uint32_t seed);
// Smooth value noise in [0, 1) that repeats every periodX x periodY lattice cells.
float tiledNoise(float x, float y, int periodX, int periodY, uint32_t seed);
// Sum of octaves of tiledNoise over the unit square u, v in [0, 1), repeating with it;
// the first octave has cellsX x cellsY cells. Result in [0, 1).
float tiledFbm(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed);
// Smooth 3D value noise in [0, 1), not periodic.
float noise3(float x, float y, float z, uint32_t seed);
// Cell noise over the unit square, repeating with it: distance (in cell sizes) from u, v to
// the nearest and second-nearest of one random point per cell.
struct CellDistances {
    float nearest, second;
};
CellDistances tiledCells(float u, float v, int cellsX, int cellsY, uint32_t seed);
// Distance from x to the nearest multiple of period.
float gridDistance(float x, float period);
