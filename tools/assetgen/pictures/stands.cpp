// The market stands' pictures, the chicken kebab sign board, and a toy rocket.
// Depends on: painters.h, canvas.h, text.h.
#include <string>

#include "tools/assetgen/pictures/painters.h"
#include "tools/assetgen/pictures/text.h"

namespace {

// ---- sizes: stored pixels and the scene units one picture covers ----
const int SIDE_WIDTH = 256, SIDE_HEIGHT = 512;
const float SIDE_UNITS_WIDE = 5.5f, SIDE_UNITS_HIGH = 7.5f;  // a stand's side wall
const int PLANKS_WIDTH = 512, PLANKS_HEIGHT = 256;
const float PLANK = 32.0f;  // texels per plank
const int KIOSK_SIZE = 128;
const int SIGN_SIZE = 256;
// Deliberately not a multiple of 4 wide, so every BMP row carries filler bytes.
const int ROCKET_WIDTH = 75, ROCKET_HEIGHT = 128;
const uint32_t PLANK_SEED = 2101;
const uint64_t STAR_SEED = 2201;
const int STAR_COUNT = 40;

// ---- colours ----
const Color STAND_RED = hexColor(0xb5322a);
const Color STAND_CREAM = hexColor(0xf6ecd2);
const Color STAND_GREEN = hexColor(0x2e7d4f);
const Color KICK_PLATE = hexColor(0x6d6a66);
const Color CRUST = hexColor(0xd9a04e);
const Color CHEESE = hexColor(0xf7d56a);
const Color TOMATO = hexColor(0xc8372b);
const Color BASIL = hexColor(0x3f8a3a);
const Color PEPPERONI = hexColor(0x9b2a22);
const Color PLANK_PAINT = hexColor(0xc98b4a);
const Color PLANK_GAP = hexColor(0x5a3a20);
const Color SIGN_BOARD = hexColor(0xfbe7a8);
const Color SIGN_FRAME = hexColor(0x7a4a26);
const Color SIGN_RED = hexColor(0xc0271f);
const Color SIGN_DARK = hexColor(0x3a2418);
const Color CHICKEN = hexColor(0xfaf4e6);
const Color COMB = hexColor(0xe0362c);
const Color BEAK = hexColor(0xf0a224);
const Color PITA = hexColor(0xe3b36b);
const Color MEAT = hexColor(0x9a5a2e);
const Color SPIT = hexColor(0x8d8f94);
const Color NIGHT = hexColor(0x0f1835);
const Color STAR = hexColor(0xfdf8e1);
const Color ROCKET_BODY = hexColor(0xe9e9ee);
const Color ROCKET_RED = hexColor(0xd8352a);
const Color PORTHOLE = hexColor(0x6fb6e6);
const Color FLAME_OUTER = hexColor(0xf58a1f);
const Color FLAME_INNER = hexColor(0xfff09a);

// ---- texts ----
const char* const PIZZA_WORD = "PIZZA";
const char* const PIZZA_SLOGAN = "hot slices all day";
const char* const PIZZA_SLOGAN_LEFT = "al taglio";
const char* const KEBAB_FIRST = "Chicken";
const char* const KEBAB_SECOND = "Kebab";
const char* const KEBAB_SLOGAN = "fresh every day";

// A whole pizza with one slice missing, centre (cx, cy), radius r.
void paintPizza(Canvas& canvas, float cx, float cy, float r)
{
    const float gapFrom = -0.9f, gapTo = -0.2f;  // radians; the missing slice
    auto outsideGap = [=](float x, float y) {
        float a = std::atan2(y - cy, x - cx);
        return a < gapFrom || a > gapTo;
    };
    fillShape(
        canvas, cx - r, cy - r, cx + r, cy + r,
        [=](float x, float y) {
            return outsideGap(x, y) ? sdCircle(x, y, cx, cy, r) : 1.0f;
        },
        [=](float x, float y, float d) {
            if (d > -0.12f * r) return CRUST;
            float n = tiledNoise((x - cx) / r * 4.0f, (y - cy) / r * 4.0f, 64, 64, PLANK_SEED);
            return mixColor(TOMATO, CHEESE, smoothStep(0.35f, 0.5f, n));
        });
    const float toppings[][2] = {{-0.45f, 0.2f}, {0.1f, 0.5f}, {0.45f, 0.35f}, {-0.2f, -0.45f},
                                 {-0.55f, -0.2f}, {0.05f, 0.05f}, {0.5f, -0.05f}};
    for (const auto& t : toppings) {
        float px = cx + t[0] * r, py = cy + t[1] * r;
        if (!outsideGap(px, py)) continue;
        fillCircle(canvas, px, py, 0.12f * r, PEPPERONI);
    }
    fillCircle(canvas, cx - 0.2f * r, cy + 0.3f * r, 0.07f * r, BASIL);
    fillCircle(canvas, cx + 0.3f * r, cy + 0.1f * r, 0.06f * r, BASIL);
}

// The outside of a stand's side wall: the stand's name, a pizza, a slogan.
Canvas paintStandSide(const char* slogan, float pizzaX)
{
    Canvas side = makeCanvas(SIDE_WIDTH, SIDE_HEIGHT, STAND_RED, SIDE_WIDTH / SIDE_UNITS_WIDE,
                             SIDE_HEIGHT / SIDE_UNITS_HIGH);
    const float w = SIDE_UNITS_WIDE, h = SIDE_UNITS_HIGH;
    fillRect(side, 0, 0, w, 1.3f, STAND_GREEN);
    for (float x = 0.0f; x < w; x += 0.55f) fillRect(side, x, 0, x + 0.275f, 1.3f, STAND_CREAM);
    fillRoundRect(side, 0.25f, 1.6f, w - 0.25f, h - 0.9f, 0.3f, STAND_CREAM);
    fillRoundRect(side, 0.4f, 1.75f, w - 0.4f, h - 1.05f, 0.25f, STAND_RED);
    drawTextCentered(side, FONT_BOLD, 1.35f, w / 2, 3.1f, PIZZA_WORD, STAND_CREAM);
    paintPizza(side, pizzaX, 4.65f, 1.25f);
    drawTextCentered(side, FONT_BOLD, 0.42f, w / 2, h - 1.35f, slogan, STAND_CREAM);
    fillRect(side, 0, h - 0.9f, w, h, KICK_PLATE);
    fillRect(side, 0, h - 0.9f, w, h - 0.82f, scaleColor(KICK_PLATE, 1.4f));
    return side;
}

void paintChicken(Canvas& sign, float cx, float cy, float s)
{
    fillShapeColor(
        sign, cx - s, cy - s, cx + s, cy + s,
        [=](float x, float y) {
            float body = sdEllipse(x, y, cx, cy, 0.62f * s, 0.45f * s);
            float tail = sdEllipse(x, y, cx - 0.55f * s, cy - 0.25f * s, 0.22f * s, 0.3f * s);
            float neck = sdCapsule(x, y, {cx + 0.3f * s, cy - 0.1f * s},
                                   {cx + 0.45f * s, cy - 0.55f * s}, 0.2f * s);
            return std::min(std::min(body, tail), neck);
        },
        CHICKEN);
    float hx = cx + 0.48f * s, hy = cy - 0.62f * s;
    fillCircle(sign, hx, hy - 0.22f * s, 0.08f * s, COMB);
    fillCircle(sign, hx + 0.1f * s, hy - 0.24f * s, 0.08f * s, COMB);
    Point beak[] = {{hx + 0.18f * s, hy - 0.05f * s}, {hx + 0.36f * s, hy + 0.02f * s},
                    {hx + 0.18f * s, hy + 0.09f * s}};
    fillPolygon(sign, beak, 3, BEAK);
    fillCircle(sign, hx + 0.07f * s, hy - 0.06f * s, 0.04f * s, SIGN_DARK);
    drawLine(sign, {cx - 0.1f * s, cy + 0.4f * s}, {cx - 0.12f * s, cy + 0.75f * s}, 0.05f * s,
             BEAK);
    drawLine(sign, {cx + 0.15f * s, cy + 0.4f * s}, {cx + 0.17f * s, cy + 0.75f * s}, 0.05f * s,
             BEAK);
    // Wing
    fillShapeColor(
        sign, cx - 0.4f * s, cy - 0.2f * s, cx + 0.3f * s, cy + 0.3f * s,
        [=](float x, float y) {
            return sdEllipse(x, y, cx - 0.05f * s, cy + 0.02f * s, 0.3f * s, 0.17f * s);
        },
        scaleColor(CHICKEN, 0.86f));
}

// The meat spit of a kebab shop: a cone of meat turning on a vertical skewer.
void paintKebab(Canvas& sign, float cx, float cy, float s)
{
    float top = cy - 0.75f * s, bottom = cy + 0.55f * s;
    drawLine(sign, {cx, top - 0.2f * s}, {cx, bottom + 0.25f * s}, 0.06f * s, SPIT);
    fillRect(sign, cx - 0.45f * s, bottom + 0.2f * s, cx + 0.45f * s, bottom + 0.3f * s, SPIT);
    Point cone[] = {{cx - 0.42f * s, top}, {cx + 0.42f * s, top}, {cx + 0.24f * s, bottom},
                    {cx - 0.24f * s, bottom}};
    fillShape(
        sign, cx - 0.5f * s, top, cx + 0.5f * s, bottom,
        [&](float x, float y) { return sdConvex(x, y, cone, 4); },
        [=](float x, float y, float) {
            // Browned on the left where the grill faces it, with the slices showing.
            float side = clamp01((x - (cx - 0.4f * s)) / (0.8f * s));
            Color c = mixColor(MEAT, scaleColor(MEAT, 0.7f), side);
            if (std::fmod(y - top, 0.14f * s) < 0.03f * s) c = scaleColor(c, 0.75f);
            return c;
        });
    fillRect(sign, cx - 0.1f * s, top - 0.06f * s, cx + 0.1f * s, top, SPIT);
}

}  // namespace

Canvas paintStandFront() { return paintStandSide(PIZZA_SLOGAN, SIDE_UNITS_WIDE * 0.5f); }

Canvas paintStandLeftSide() { return paintStandSide(PIZZA_SLOGAN_LEFT, SIDE_UNITS_WIDE * 0.5f); }

Canvas paintStandWall()
{
    Canvas wall = makeCanvas(PLANKS_WIDTH, PLANKS_HEIGHT, PLANK_PAINT);
    // Painted vertical boards; only their widths show, so any stretch up or down looks right.
    paintAll(wall, [](float x, float y) {
        int board = (int)(x / PLANK);
        float tint = 0.88f + 0.16f * latticeValue(board, 0, 0, PLANK_SEED);
        float grainLine = tiledNoise(x * 0.5f, y * 0.02f, PLANKS_WIDTH / 2, 5, PLANK_SEED + 1);
        Color c = scaleColor(PLANK_PAINT, tint * (0.92f + 0.12f * grainLine));
        float gap = gridDistance(x, PLANK);
        if (gap < 1.2f) return PLANK_GAP;
        if (gap < 3.0f) c = scaleColor(c, 0.85f);
        if (gridDistance(x - PLANK / 2, PLANK) < 1.5f && gridDistance(y, 64.0f) < 1.5f)
            c = scaleColor(PLANK_GAP, 1.3f);  // nail heads
        return c;
    });
    return wall;
}

Canvas paintStandPicture()
{
    Canvas kiosk = makeCanvas(KIOSK_SIZE, KIOSK_SIZE, hexColor(0xbfd6ea));
    fillRect(kiosk, 0, 100, 128, 128, KICK_PLATE);
    fillRect(kiosk, 16, 40, 112, 112, STAND_RED);
    fillRect(kiosk, 24, 52, 104, 80, SIGN_DARK);
    fillRect(kiosk, 16, 80, 112, 86, STAND_CREAM);
    Point awning[] = {{10, 30}, {118, 30}, {124, 46}, {4, 46}};
    fillPolygon(kiosk, awning, 4, STAND_GREEN);
    for (float x = 10; x < 118; x += 12) fillRect(kiosk, x, 30, x + 6, 46, STAND_CREAM);
    drawTextCentered(kiosk, FONT_BOLD, 18, 64, 24, PIZZA_WORD, STAND_RED);
    paintPizza(kiosk, 64, 97, 9);
    return kiosk;
}

Canvas paintKebabSign()
{
    Canvas sign = makeCanvas(SIGN_SIZE, SIGN_SIZE, SIGN_FRAME);
    fillRoundRect(sign, 12, 12, 244, 244, 10, SIGN_BOARD);
    fillRoundRect(sign, 20, 20, 236, 236, 8, SIGN_BOARD);
    fillRect(sign, 20, 20, 236, 26, SIGN_RED);
    fillRect(sign, 20, 230, 236, 236, SIGN_RED);
    drawTextCentered(sign, FONT_BOLD, 44, 128, 70, KEBAB_FIRST, SIGN_RED);
    drawTextCentered(sign, FONT_BOLD, 50, 128, 120, KEBAB_SECOND, SIGN_DARK);
    paintChicken(sign, 82, 172, 52);
    paintKebab(sign, 184, 168, 44);
    drawTextCentered(sign, FONT_REGULAR, 17, 128, 222, KEBAB_SLOGAN, SIGN_DARK);
    return sign;
}

Canvas paintRocket()
{
    Canvas rocket = makeCanvas(ROCKET_WIDTH, ROCKET_HEIGHT, NIGHT);
    Random random = makeRandom(STAR_SEED);
    for (int i = 0; i < STAR_COUNT; ++i) {
        float x = randomRange(random, 0, ROCKET_WIDTH), y = randomRange(random, 0, ROCKET_HEIGHT);
        fillCircle(rocket, x, y, randomRange(random, 0.3f, 0.9f), STAR);
    }
    const float cx = ROCKET_WIDTH * 0.5f;
    // Flame, fins, body, nose, porthole.
    fillShapeColor(
        rocket, cx - 10, 95, cx + 10, 126,
        [=](float x, float y) { return sdEllipse(x, y, cx, 104, 8, 20); }, FLAME_OUTER);
    fillShapeColor(
        rocket, cx - 6, 95, cx + 6, 118,
        [=](float x, float y) { return sdEllipse(x, y, cx, 100, 4, 12); }, FLAME_INNER);
    Point leftFin[] = {{cx - 10, 70}, {cx - 10, 96}, {cx - 24, 102}, {cx - 22, 84}};
    Point rightFin[] = {{cx + 10, 70}, {cx + 22, 84}, {cx + 24, 102}, {cx + 10, 96}};
    fillPolygon(rocket, leftFin, 4, ROCKET_RED);
    fillPolygon(rocket, rightFin, 4, ROCKET_RED);
    fillShapeColor(
        rocket, cx - 13, 14, cx + 13, 98,
        [=](float x, float y) { return sdEllipse(x, y, cx, 56, 12, 42); }, ROCKET_BODY);
    fillShapeColor(
        rocket, cx - 13, 10, cx + 13, 34,
        [=](float x, float y) {
            return std::max(sdEllipse(x, y, cx, 56, 12, 42), y - 30.0f);
        },
        ROCKET_RED);
    fillCircle(rocket, cx, 50, 6.5f, ROCKET_RED);
    fillCircle(rocket, cx, 50, 5, PORTHOLE);
    fillRect(rocket, cx - 1.5f, 62, cx + 1.5f, 96, ROCKET_RED, 0.6f);
    return rocket;
}
