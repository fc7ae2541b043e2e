// Painting helpers shared by the passers-by: plain colours, grain, soft shapes, faces.
// Depends on: geometry.h.
#pragma once
#include "tools/assetgen/models/geometry.h"

namespace chargen {

Paint solid(Color colour);
// The colour with a little deterministic grain of the given size, strength 0..1.
Paint grainy(Color colour, float cell, float strength);

// Value noise in 0..1 at a point of the figure.
float grain(V3 p, float cell);
// 1 inside the ellipse, 0 outside, with a soft edge of about `soft` of its radius.
float ellipseMask(float x, float y, float cx, float cy, float rx, float ry, float soft = 0.2f);
// 1 within halfWidth of centre, fading to 0 over the same width again.
float band(float value, float centre, float halfWidth);

// A point of a head seen from the front: x to the viewer's right, y up, both -1..1;
// depth > 0 on the front half.
struct FacePoint {
    float x, y, depth;
};
FacePoint facePoint(const Sample& s);

// Eye white, iris and pupil, with a dark upper lid, painted over base.
Color drawEye(Color base, float x, float y, float cx, float cy, float size, Color iris);

struct FaceStyle {
    Color skin{0.93f, 0.76f, 0.62f};
    Color hair{0.35f, 0.22f, 0.12f};
    Color iris{0.3f, 0.45f, 0.7f};
    Color lips{0.72f, 0.38f, 0.36f};
    float hairFront = 0.5f;   // hairline height on the forehead
    float hairBack = -0.35f;  // and at the back of the head
    bool longHair = false;    // falls over the sides and the back
    bool beard = false;
    Color beardColour{0.5f, 0.5f, 0.5f};
    bool paleLook = false;    // darker eye rims
};

// A human head: skin, hair, eyes, brows, mouth, ears, and a beard if asked.
Color paintHumanHead(const Sample& s, const FaceStyle& style);

}  // namespace chargen
