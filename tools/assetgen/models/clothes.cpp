// Paints for clothes, shoes and heads that several passers-by wear.
// Depends on: clothes.h.
#include "tools/assetgen/models/clothes.h"

#include <cmath>

namespace chargen {

Paint jeans(Color blue)
{
    return [blue](const Sample& s) {
        Color c = scaleColor(blue, 0.85f + 0.3f * grain(s.pos, 0.012f));
        c = mixColor(c, hexColor(0x9fb6d6), 0.25f * smoothStep(0.3f, 1.0f, s.unit.x));
        c = mixColor(c, hexColor(0xc98b3c), 0.7f * band(s.unit.x, 0.0f, 0.03f) * (std::fabs(s.unit.z) > 0.5f));
        return c;
    };
}

Paint trouserCloth(Color colour)
{
    return [colour](const Sample& s) {
        Color c = scaleColor(colour, 0.92f + 0.12f * grain(s.pos, 0.02f));
        return mixColor(c, scaleColor(colour, 1.35f), 0.6f * band(s.unit.z, 0.0f, 0.04f) * (s.unit.x > 0.5f));
    };
}

Paint sleeve(Color colour, bool cuff)
{
    return [colour, cuff](const Sample& s) {
        Color c = scaleColor(colour, 0.92f + 0.12f * grain(s.pos, 0.02f));
        if (cuff) c = mixColor(c, scaleColor(colour, 0.6f), smoothStep(0.86f, 0.9f, s.v));
        return c;
    };
}

Paint sneaker(Color stripe)
{
    return [stripe](const Sample& s) {
        Color c = hexColor(0xf2f2ee);
        c = mixColor(c, stripe, band(s.unit.y - 0.25f * s.unit.x, 0.0f, 0.12f) * (std::fabs(s.unit.z) > 0.6f));
        c = mixColor(c, hexColor(0x6a6a6a), smoothStep(-0.45f, -0.55f, s.unit.y));
        float laces = band(s.unit.z, 0.0f, 0.18f) * (s.normal.y > 0.7f) * (s.unit.x > 0.0f) *
                      (s.unit.x < 0.6f) * band(std::fmod(s.unit.x * 8.0f + 10.0f, 1.0f), 0.5f, 0.15f);
        return mixColor(c, hexColor(0x3a3a3a), laces);
    };
}

Paint leatherShoe(Color colour)
{
    return [colour](const Sample& s) {
        Color c = mixColor(colour, scaleColor(colour, 1.8f), 0.4f * smoothStep(0.3f, 1.0f, s.unit.y + 0.5f * s.unit.x));
        return mixColor(c, scaleColor(colour, 0.5f), smoothStep(-0.55f, -0.65f, s.unit.y));
    };
}

Paint sandal(Color skin, Color leather)
{
    return [skin, leather](const Sample& s) {
        Color c = mixColor(skin, leather, smoothStep(-0.45f, -0.55f, s.unit.y));
        c = mixColor(c, leather, band(s.unit.x, 0.1f, 0.08f) * (s.unit.y > -0.5f));
        return mixColor(c, leather, band(s.unit.x, 0.55f, 0.06f) * (s.unit.y > -0.5f));
    };
}

Paint armour(Color metal, float plates)
{
    return [metal, plates](const Sample& s) {
        float f = std::fmod(s.v * plates, 1.0f);
        Color c = mixColor(scaleColor(metal, 0.8f), scaleColor(metal, 1.25f), smoothStep(0.0f, 0.8f, f));
        c = mixColor(c, hexColor(0x202024), band(f, 0.0f, 0.03f) + band(f, 1.0f, 0.03f));
        float glint = band(s.unit.x + 0.3f * s.unit.z, 0.55f, 0.08f);
        return mixColor(c, hexColor(0xffffff), 0.35f * glint);
    };
}

Paint headPaint(const FaceStyle& style)
{
    return [style](const Sample& s) { return paintHumanHead(s, style); };
}

}  // namespace chargen
