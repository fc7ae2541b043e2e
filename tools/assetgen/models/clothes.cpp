// Paints for clothes, shoes and heads that several passers-by wear.
// Depends on: clothes.h.
#include "tools/assetgen/models/clothes.h"

#include <cmath>

namespace chargen {

Paint jeans(Rgb blue)
{
    return [blue](const Sample& s) {
        Rgb c = scaleRgb(blue, 0.85f + 0.3f * grain(s.pos, 0.012f));
        c = mixRgb(c, rgbHex(0x9fb6d6), 0.25f * smooth(0.3f, 1.0f, s.unit.x));
        c = mixRgb(c, rgbHex(0xc98b3c), 0.7f * band(s.unit.x, 0.0f, 0.03f) * (std::fabs(s.unit.z) > 0.5f));
        return c;
    };
}

Paint trouserCloth(Rgb colour)
{
    return [colour](const Sample& s) {
        Rgb c = scaleRgb(colour, 0.92f + 0.12f * grain(s.pos, 0.02f));
        return mixRgb(c, scaleRgb(colour, 1.35f), 0.6f * band(s.unit.z, 0.0f, 0.04f) * (s.unit.x > 0.5f));
    };
}

Paint sleeve(Rgb colour, bool cuff)
{
    return [colour, cuff](const Sample& s) {
        Rgb c = scaleRgb(colour, 0.92f + 0.12f * grain(s.pos, 0.02f));
        if (cuff) c = mixRgb(c, scaleRgb(colour, 0.6f), smooth(0.86f, 0.9f, s.v));
        return c;
    };
}

Paint sneaker(Rgb stripe)
{
    return [stripe](const Sample& s) {
        Rgb c = rgbHex(0xf2f2ee);
        c = mixRgb(c, stripe, band(s.unit.y - 0.25f * s.unit.x, 0.0f, 0.12f) * (std::fabs(s.unit.z) > 0.6f));
        c = mixRgb(c, rgbHex(0x6a6a6a), smooth(-0.45f, -0.55f, s.unit.y));
        float laces = band(s.unit.z, 0.0f, 0.18f) * (s.normal.y > 0.7f) * (s.unit.x > 0.0f) *
                      (s.unit.x < 0.6f) * band(std::fmod(s.unit.x * 8.0f + 10.0f, 1.0f), 0.5f, 0.15f);
        return mixRgb(c, rgbHex(0x3a3a3a), laces);
    };
}

Paint leatherShoe(Rgb colour)
{
    return [colour](const Sample& s) {
        Rgb c = mixRgb(colour, scaleRgb(colour, 1.8f), 0.4f * smooth(0.3f, 1.0f, s.unit.y + 0.5f * s.unit.x));
        return mixRgb(c, scaleRgb(colour, 0.5f), smooth(-0.55f, -0.65f, s.unit.y));
    };
}

Paint sandal(Rgb skin, Rgb leather)
{
    return [skin, leather](const Sample& s) {
        Rgb c = mixRgb(skin, leather, smooth(-0.45f, -0.55f, s.unit.y));
        c = mixRgb(c, leather, band(s.unit.x, 0.1f, 0.08f) * (s.unit.y > -0.5f));
        return mixRgb(c, leather, band(s.unit.x, 0.55f, 0.06f) * (s.unit.y > -0.5f));
    };
}

Paint armour(Rgb metal, float plates)
{
    return [metal, plates](const Sample& s) {
        float f = std::fmod(s.v * plates, 1.0f);
        Rgb c = mixRgb(scaleRgb(metal, 0.8f), scaleRgb(metal, 1.25f), smooth(0.0f, 0.8f, f));
        c = mixRgb(c, rgbHex(0x202024), band(f, 0.0f, 0.03f) + band(f, 1.0f, 0.03f));
        float glint = band(s.unit.x + 0.3f * s.unit.z, 0.55f, 0.08f);
        return mixRgb(c, rgbHex(0xffffff), 0.35f * glint);
    };
}

Paint headPaint(const FaceStyle& style)
{
    return [style](const Sample& s) { return paintHumanHead(s, style); };
}

}  // namespace chargen
