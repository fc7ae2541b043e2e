// The menu pictures: the main menu with each item selected, the about page, the help page.
// Laid out for a 1024 x 768 window and stored 1024 x 1024, stretched so they show sharp.
// Depends on: painters.h, canvas.h, text.h.
#include <string>

#include "tools/assetgen/pictures/painters.h"
#include "tools/assetgen/pictures/text.h"

namespace {

// ---- layout (layout units = pixels of a 1024 x 768 window) ----
const int PAGE_STORED_SIZE = 1024;
const float PAGE_WIDTH = 1024.0f;
const float PAGE_HEIGHT = 768.0f;
const float PAGE_HORIZON_Y = 470.0f;
const Point VANISHING_POINT = {512.0f, PAGE_HORIZON_Y};
const float TITLE_SIZE = 104.0f;
const float TITLE_BASELINE = 150.0f;
const float TAGLINE_SIZE = 26.0f;
const float TAGLINE_BASELINE = 198.0f;
const float MENU_ITEM_SIZE = 42.0f;
const float MENU_FIRST_BASELINE = 300.0f;
const float MENU_ITEM_STEP = 64.0f;
const float MENU_BAR_HALF_WIDTH = 170.0f;
const float FOOTER_SIZE = 21.0f;
const float FOOTER_BASELINE = 748.0f;
const float PAGE_DIM = 0.42f;
const float PANEL_LEFT = 64.0f, PANEL_RIGHT = 960.0f, PANEL_TOP = 24.0f, PANEL_BOTTOM = 708.0f;
const float HEADING_SIZE = 54.0f;
const float BODY_SIZE = 25.0f;
const float BODY_LINE = 36.0f;
const float HELP_ROW = 42.0f;     // one control per row
const float HELP_NOTE = 32.0f;    // a note under a control
const float POINTS_ROW = 34.0f;
const uint64_t PAGE_SKYLINE_SEED = 7;
const uint64_t CROWD_SEED = 11;

// ---- colours ----
const Color SKY_HIGH = hexColor(0x121735);
const Color SKY_MID = hexColor(0x4b356e);
const Color SKY_LOW = hexColor(0xf08a4b);
const Color SUN = hexColor(0xffd880);
const Color FAR_CITY = hexColor(0x5a3f6e);
const Color NEAR_CITY = hexColor(0x251d3c);
const Color LIT_WINDOW = hexColor(0xffcf6a);
const Color PAVEMENT = hexColor(0x8c8794);
const Color PAGE_PAVEMENT_JOINT = hexColor(0x5f5a68);
const Color KERB = hexColor(0xd7d2dc);
const Color ROAD = hexColor(0x2c2a33);
const Color ROAD_MARK = hexColor(0xe8e2c8);
const Color FIGURE = hexColor(0x16121f);
const Color FLYER = hexColor(0xfff6dc);
const Color TITLE_FILL = hexColor(0xffd23f);
const Color TITLE_EDGE = hexColor(0x2a1030);
const Color TEXT_LIGHT = hexColor(0xf2eff8);
const Color TEXT_DIM = hexColor(0xb9b3c9);
const Color PANEL = hexColor(0x0d0b18);
const Color HIGHLIGHT = hexColor(0xffcf3f);
const Color HIGHLIGHT_TEXT = hexColor(0x1b1530);
const Color HEADING = hexColor(0xffd23f);
const Color KEYCAP = hexColor(0xe9e6f0);
const Color KEYCAP_EDGE = hexColor(0x8e88a0);
const Color KEYCAP_TEXT = hexColor(0x1b1530);
const Color CONE_GREEN = hexColor(0x3ad24e);
const Color CONE_RED = hexColor(0xe8443a);
const Color POINTS = hexColor(0xffd23f);

// ---- texts ----
const char* const TITLE = "Kerb Runner";
const char* const TAGLINE = "Hand out flyers on a busy street before the clock runs out";
const char* const MENU_ITEMS[] = {"Start", "About", "Help", "Quit"};
const int MENU_ITEM_COUNT = 4;
const char* const MENU_FOOTER = "Up / Down: choose      Enter: open";
const char* const PAGE_FOOTER = "Enter or Escape: back to the menu";
const char* const ABOUT_HEADING = "About Kerb Runner";
const char* const ABOUT_PARAGRAPHS[] = {
    "You are out on the pavement with a stack of flyers, and the street is busy: 49 "
    "passers-by of 13 different kinds walk up and down it on their own.",
    "Walk the street and hand a flyer to every passer-by you can reach. Each one who takes "
    "a flyer earns you points; the rare, quick ones are worth much more.",
    "You have 2:30 minutes. When the time is up, your score goes into the top five table, "
    "which is kept from game to game.",
    "How many flyers can you hand out?",
};
const char* const HELP_HEADING = "Help";
const char* const HELP_CONTROLS = "Controls";
const char* const HELP_WALK = "walk forward, left, back and right";
const char* const HELP_MOUSE_KEY = "Mouse";
const char* const HELP_MOUSE = "look around";
const char* const HELP_LEFT_KEY = "Left click";
const char* const HELP_LEFT = "hand a flyer to a passer-by with a green cone";
const char* const HELP_RED = "a red cone: took a flyer in the last 15 seconds";
const char* const HELP_RIGHT_KEY = "Right click";
const char* const HELP_RIGHT = "show or hide your fist";
const char* const HELP_ENTER_KEY = "Enter";
const char* const HELP_ESCAPE_KEY = "Esc";
const char* const HELP_LEAVE = "close this page; during a game they quit";
const char* const HELP_TIME =
    "The clock counts down from 2:30 (top right); your score is top left.";
const char* const HELP_POINTS = "Points per flyer";
const char* const HELP_POINTS_ROWS[][2] = {
    {"1", "most passers-by"},
    {"3", "the business suit, the small round figure with an antenna,"},
    {"", "the striped tiger and the long-eared rabbit"},
    {"20", "the fast warrior"},
};
const char* const HELP_WRAP = "The score wraps around at 1000.";

Canvas makePage()
{
    return makeCanvas(PAGE_STORED_SIZE, PAGE_STORED_SIZE, SKY_HIGH, PAGE_STORED_SIZE / PAGE_WIDTH,
                      PAGE_STORED_SIZE / PAGE_HEIGHT);
}

// Where a point of the street at relative depth z (1 at the bottom edge of the page,
// growing into the distance) and lateral offset x (page units at depth 1) appears.
Point streetPoint(float x, float z)
{
    return {VANISHING_POINT.x + (x - VANISHING_POINT.x) / z,
            VANISHING_POINT.y + (PAGE_HEIGHT - VANISHING_POINT.y) / z};
}

void paintDuskSky(Canvas& page)
{
    const Point sun = {760.0f, PAGE_HORIZON_Y - 30.0f};
    fillShape(
        page, 0, 0, PAGE_WIDTH, PAGE_HORIZON_Y, [](float, float) { return -1.0f; },
        [=](float x, float y, float) {
            float t = y / PAGE_HORIZON_Y;
            Color sky = t < 0.55f ? mixColor(SKY_HIGH, SKY_MID, t / 0.55f)
                                  : mixColor(SKY_MID, SKY_LOW, (t - 0.55f) / 0.45f);
            float glow = std::exp(-std::hypot(x - sun.x, y - sun.y) / 150.0f);
            return mixColor(sky, SUN, 0.8f * glow);
        });
    fillCircle(page, sun.x, sun.y, 46.0f, SUN);
}

void paintSkyline(Canvas& page)
{
    Random random = makeRandom(PAGE_SKYLINE_SEED);
    for (float x = -10.0f; x < PAGE_WIDTH;) {
        float w = randomRange(random, 30.0f, 80.0f);
        float h = randomRange(random, 50.0f, 160.0f);
        fillRect(page, x, PAGE_HORIZON_Y - h, x + w, PAGE_HORIZON_Y, FAR_CITY);
        x += w;
    }
    for (float x = -20.0f; x < PAGE_WIDTH;) {
        float w = randomRange(random, 40.0f, 110.0f);
        float h = randomRange(random, 30.0f, 120.0f);
        if (x > 330.0f && x < 640.0f) h *= 0.45f;  // lower in the middle, where the street runs
        fillRect(page, x, PAGE_HORIZON_Y - h, x + w, PAGE_HORIZON_Y, NEAR_CITY);
        for (float wy = PAGE_HORIZON_Y - h + 10.0f; wy < PAGE_HORIZON_Y - 12.0f; wy += 14.0f)
            for (float wx = x + 8.0f; wx < x + w - 10.0f; wx += 13.0f)
                if (randomIndex(random, 4) == 0) fillRect(page, wx, wy, wx + 5, wy + 7, LIT_WINDOW);
        x += w + randomRange(random, 0.0f, 20.0f);
    }
}

void paintStreet(Canvas& page)
{
    const float far = 60.0f;
    // Pavement on the left, the kerb, then the road.
    const float kerbLeft = 250.0f, kerbRight = 300.0f;
    fillRect(page, 0, PAGE_HORIZON_Y, PAGE_WIDTH, PAGE_HEIGHT, ROAD);
    Point pavement[] = {VANISHING_POINT, streetPoint(-900.0f, 1.0f), streetPoint(kerbLeft, 1.0f)};
    fillPolygon(page, pavement, 3, PAVEMENT);
    Point kerb[] = {VANISHING_POINT, streetPoint(kerbLeft, 1.0f), streetPoint(kerbRight, 1.0f)};
    fillPolygon(page, kerb, 3, KERB);
    // Paving joints: lines into the distance and across at growing depths.
    for (float x = kerbLeft - 150.0f; x > -900.0f; x -= 150.0f)
        drawLine(page, streetPoint(x, 1.0f), streetPoint(x, far), 2.0f, PAGE_PAVEMENT_JOINT);
    for (float z = 1.0f; z < far; z *= 1.18f)
        drawLine(page, streetPoint(-900.0f, z), streetPoint(kerbLeft, z), 1.5f / std::sqrt(z),
                 PAGE_PAVEMENT_JOINT);
    // Dashed centre line of the road.
    for (float z = 1.0f; z < far; z *= 1.9f) {
        Point dash[] = {streetPoint(890.0f, z), streetPoint(930.0f, z),
                        streetPoint(930.0f, z * 1.35f), streetPoint(890.0f, z * 1.35f)};
        fillPolygon(page, dash, 4, ROAD_MARK);
    }
    // Haze where the street meets the sky.
    for (int band = 0; band < 12; ++band)
        fillRect(page, 0, PAGE_HORIZON_Y, PAGE_WIDTH, PAGE_HORIZON_Y + 4.0f * (band + 1), SKY_LOW, 0.05f);
}

// A passer-by in silhouette: feet at (x, y), h tall, one of them with a flyer in hand.
void paintFigure(Canvas& page, float x, float y, float h, bool withFlyer)
{
    float head = 0.11f * h;
    fillCircle(page, x, y - h + head, head, FIGURE);
    drawLine(page, {x, y - h + 2.4f * head}, {x, y - 0.45f * h}, 0.24f * h, FIGURE);
    drawLine(page, {x - 0.04f * h, y - 0.47f * h}, {x - 0.14f * h, y}, 0.09f * h, FIGURE);
    drawLine(page, {x + 0.04f * h, y - 0.47f * h}, {x + 0.12f * h, y}, 0.09f * h, FIGURE);
    drawLine(page, {x + 0.08f * h, y - h + 2.8f * head}, {x + 0.26f * h, y - 0.55f * h},
             0.07f * h, FIGURE);
    if (withFlyer) {
        Point sheet[] = {{x + 0.22f * h, y - 0.66f * h},
                         {x + 0.36f * h, y - 0.70f * h},
                         {x + 0.40f * h, y - 0.52f * h},
                         {x + 0.26f * h, y - 0.48f * h}};
        fillPolygon(page, sheet, 4, FLYER);
    }
}

void paintCrowd(Canvas& page)
{
    Random random = makeRandom(CROWD_SEED);
    const float depths[] = {9.0f, 6.5f, 4.2f, 3.0f, 2.2f};
    const float lateral[] = {-260.0f, 40.0f, -420.0f, -120.0f, 120.0f};
    for (int i = 0; i < 5; ++i) {
        Point feet = streetPoint(lateral[i], depths[i]);
        float h = 330.0f / depths[i] * randomRange(random, 0.9f, 1.1f);
        paintFigure(page, feet.x, feet.y, h, i == 4);
    }
}

// A flyer drifting through the air.
void paintLooseFlyer(Canvas& page, float cx, float cy, float size, float angle)
{
    float c = std::cos(angle), s = std::sin(angle);
    float hw = 0.5f * size, hh = 0.7f * size;
    Point corners[4];
    const float sx[] = {-1, 1, 1, -1}, sy[] = {-1, -1, 1, 1};
    for (int i = 0; i < 4; ++i)
        corners[i] = {cx + c * sx[i] * hw - s * sy[i] * hh, cy + s * sx[i] * hw + c * sy[i] * hh};
    fillPolygon(page, corners, 4, FLYER, 0.9f);
    for (int line = 0; line < 3; ++line) {
        float v = -0.4f + 0.3f * line;
        Point a = {cx + c * -0.3f * size - s * v * size, cy + s * -0.3f * size + c * v * size};
        Point b = {cx + c * 0.3f * size - s * v * size, cy + s * 0.3f * size + c * v * size};
        drawLine(page, a, b, 0.06f * size, line == 0 ? CONE_RED : PAGE_PAVEMENT_JOINT, 0.8f);
    }
}

Canvas paintBackground()
{
    Canvas page = makePage();
    paintDuskSky(page);
    paintSkyline(page);
    paintStreet(page);
    paintCrowd(page);
    paintLooseFlyer(page, 150.0f, 250.0f, 46.0f, -0.4f);
    paintLooseFlyer(page, 890.0f, 300.0f, 38.0f, 0.5f);
    paintLooseFlyer(page, 940.0f, 215.0f, 28.0f, 0.2f);
    return page;
}

void drawOutlinedText(Canvas& page, FontStyle style, float size, float centreX, float baseline,
                      const std::string& text, Color fill, Color edge, float outline)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx || dy)
                drawTextCentered(page, style, size, centreX + dx * outline, baseline + dy * outline,
                                 text, edge);
    drawTextCentered(page, style, size, centreX, baseline, text, fill);
}

void paintTitle(Canvas& page)
{
    drawTextCentered(page, FONT_BOLD, TITLE_SIZE, PAGE_WIDTH / 2 + 6, TITLE_BASELINE + 7, TITLE,
                     PANEL, 0.6f);
    drawOutlinedText(page, FONT_BOLD, TITLE_SIZE, PAGE_WIDTH / 2, TITLE_BASELINE, TITLE, TITLE_FILL,
                     TITLE_EDGE, 3.0f);
    drawTextCentered(page, FONT_REGULAR, TAGLINE_SIZE, PAGE_WIDTH / 2, TAGLINE_BASELINE, TAGLINE,
                     TEXT_LIGHT);
}

void paintFooter(Canvas& page, const char* text)
{
    fillRect(page, 0, FOOTER_BASELINE - 32.0f, PAGE_WIDTH, PAGE_HEIGHT, PANEL, 0.7f);
    drawTextCentered(page, FONT_REGULAR, FOOTER_SIZE, PAGE_WIDTH / 2, FOOTER_BASELINE, text,
                     TEXT_DIM);
}

// A pointer triangle beside the selected item; direction +1 points right, -1 left.
void paintPointer(Canvas& page, float tipX, float centreY, float direction)
{
    Point tri[] = {{tipX, centreY},
                   {tipX - direction * 22.0f, centreY - 14.0f},
                   {tipX - direction * 22.0f, centreY + 14.0f}};
    fillPolygon(page, tri, 3, HIGHLIGHT);
}

void paintCone(Canvas& page, float cx, float baseY, float size, Color color)
{
    Point tri[] = {{cx, baseY - size}, {cx + 0.45f * size, baseY}, {cx - 0.45f * size, baseY}};
    fillPolygon(page, tri, 3, color);
    fillShapeColor(
        page, cx - 0.45f * size, baseY - 0.15f * size, cx + 0.45f * size, baseY + 0.15f * size,
        [=](float x, float y) { return sdEllipse(x, y, cx, baseY, 0.45f * size, 0.13f * size); },
        scaleColor(color, 0.7f));
}

// A key cap with its label; returns the right edge.
float paintKey(Canvas& page, float x, float baseline, const std::string& label)
{
    float size = 22.0f;
    float width = std::max(40.0f, textWidth(page, FONT_BOLD, size, label) + 24.0f);
    float top = baseline - 28.0f, bottom = baseline + 10.0f;
    fillRoundRect(page, x, top, x + width, bottom, 7.0f, KEYCAP_EDGE);
    fillRoundRect(page, x + 2, top + 2, x + width - 2, bottom - 5, 6.0f, KEYCAP);
    drawTextCentered(page, FONT_BOLD, size, x + width / 2, baseline - 2.0f, label, KEYCAP_TEXT);
    return x + width;
}

Canvas makeTextPage(const char* heading)
{
    Canvas page = paintBackground();
    dimCanvas(page, PAGE_DIM);
    fillRoundRect(page, PANEL_LEFT, PANEL_TOP, PANEL_RIGHT, PANEL_BOTTOM, 22.0f, PANEL, 0.78f);
    drawOutlinedText(page, FONT_BOLD, HEADING_SIZE, PAGE_WIDTH / 2, PANEL_TOP + 72.0f, heading,
                     HEADING, TITLE_EDGE, 2.0f);
    paintFooter(page, PAGE_FOOTER);
    return page;
}

}  // namespace

Canvas paintMenuPage(int selectedItem)
{
    Canvas page = paintBackground();
    paintTitle(page);
    float panelTop = MENU_FIRST_BASELINE - 62.0f;
    float panelBottom = MENU_FIRST_BASELINE + (MENU_ITEM_COUNT - 1) * MENU_ITEM_STEP + 30.0f;
    fillRoundRect(page, PAGE_WIDTH / 2 - 230.0f, panelTop, PAGE_WIDTH / 2 + 230.0f, panelBottom,
                  20.0f, PANEL, 0.62f);
    for (int i = 0; i < MENU_ITEM_COUNT; ++i) {
        float baseline = MENU_FIRST_BASELINE + i * MENU_ITEM_STEP;
        float centreY = baseline - 0.36f * MENU_ITEM_SIZE;
        if (i == selectedItem) {
            fillRoundRect(page, PAGE_WIDTH / 2 - MENU_BAR_HALF_WIDTH, centreY - 28.0f,
                          PAGE_WIDTH / 2 + MENU_BAR_HALF_WIDTH, centreY + 28.0f, 14.0f,
                          HIGHLIGHT);
            paintPointer(page, PAGE_WIDTH / 2 - MENU_BAR_HALF_WIDTH - 12.0f, centreY, 1.0f);
            paintPointer(page, PAGE_WIDTH / 2 + MENU_BAR_HALF_WIDTH + 12.0f, centreY, -1.0f);
            drawTextCentered(page, FONT_BOLD, MENU_ITEM_SIZE, PAGE_WIDTH / 2, baseline,
                             MENU_ITEMS[i], HIGHLIGHT_TEXT);
        } else {
            drawTextCentered(page, FONT_BOLD, MENU_ITEM_SIZE, PAGE_WIDTH / 2, baseline,
                             MENU_ITEMS[i], TEXT_LIGHT);
        }
    }
    paintFooter(page, MENU_FOOTER);
    return page;
}

Canvas paintAboutPage()
{
    Canvas page = makeTextPage(ABOUT_HEADING);
    float left = PANEL_LEFT + 70.0f, width = PANEL_RIGHT - PANEL_LEFT - 140.0f;
    float baseline = PANEL_TOP + 160.0f;
    for (const char* paragraph : ABOUT_PARAGRAPHS) {
        for (const std::string& line : wrapText(page, FONT_REGULAR, BODY_SIZE + 2.0f, paragraph,
                                                width)) {
            drawText(page, FONT_REGULAR, BODY_SIZE + 2.0f, left, baseline, line, TEXT_LIGHT);
            baseline += BODY_LINE + 3.0f;
        }
        baseline += 22.0f;
    }
    paintLooseFlyer(page, PANEL_RIGHT - 120.0f, PANEL_BOTTOM - 90.0f, 60.0f, 0.25f);
    return page;
}

Canvas paintHelpPage()
{
    Canvas page = makeTextPage(HELP_HEADING);
    const float keyX = PANEL_LEFT + 56.0f;
    const float textX = PANEL_LEFT + 310.0f;
    float y = PANEL_TOP + 126.0f;
    drawText(page, FONT_BOLD, BODY_SIZE + 3.0f, keyX, y, HELP_CONTROLS, HEADING);
    y += 44.0f;
    float x = keyX;
    for (const char* key : {"W", "A", "S", "D"}) x = paintKey(page, x, y, key) + 8.0f;
    drawText(page, FONT_REGULAR, BODY_SIZE, textX, y, HELP_WALK, TEXT_LIGHT);
    y += HELP_ROW;
    paintKey(page, keyX, y, HELP_MOUSE_KEY);
    drawText(page, FONT_REGULAR, BODY_SIZE, textX, y, HELP_MOUSE, TEXT_LIGHT);
    y += HELP_ROW;
    paintKey(page, keyX, y, HELP_LEFT_KEY);
    paintCone(page, textX - 26.0f, y + 2.0f, 30.0f, CONE_GREEN);
    drawText(page, FONT_REGULAR, BODY_SIZE, textX, y, HELP_LEFT, TEXT_LIGHT);
    y += HELP_NOTE;
    paintCone(page, textX - 26.0f, y + 2.0f, 30.0f, CONE_RED);
    drawText(page, FONT_REGULAR, BODY_SIZE - 2.0f, textX, y, HELP_RED, TEXT_DIM);
    y += HELP_ROW;
    paintKey(page, keyX, y, HELP_RIGHT_KEY);
    drawText(page, FONT_REGULAR, BODY_SIZE, textX, y, HELP_RIGHT, TEXT_LIGHT);
    y += HELP_ROW;
    x = paintKey(page, keyX, y, HELP_ENTER_KEY) + 8.0f;
    paintKey(page, x, y, HELP_ESCAPE_KEY);
    drawText(page, FONT_REGULAR, BODY_SIZE, textX, y, HELP_LEAVE, TEXT_LIGHT);
    y += HELP_ROW + 6.0f;
    drawText(page, FONT_REGULAR, BODY_SIZE, keyX, y, HELP_TIME, TEXT_LIGHT);
    y += HELP_ROW + 8.0f;
    drawText(page, FONT_BOLD, BODY_SIZE + 3.0f, keyX, y, HELP_POINTS, HEADING);
    y += HELP_ROW - 4.0f;
    for (const auto& row : HELP_POINTS_ROWS) {
        if (row[0][0]) drawText(page, FONT_BOLD, BODY_SIZE + 4.0f, keyX + 10.0f, y, row[0], POINTS);
        drawText(page, FONT_REGULAR, BODY_SIZE, keyX + 80.0f, y, row[1], TEXT_LIGHT);
        y += POINTS_ROW;
    }
    y += 4.0f;
    drawText(page, FONT_REGULAR, BODY_SIZE - 2.0f, keyX, y, HELP_WRAP, TEXT_DIM);
    return page;
}
