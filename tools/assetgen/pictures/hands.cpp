// The player's own hand holding a flyer, and the fist: drawn on black, because the game adds
// them onto the view (black stays invisible) over the lower-left two thirds of the window.
// Depends on: painters.h, canvas.h, text.h.
#include <string>

#include "tools/assetgen/pictures/painters.h"
#include "tools/assetgen/pictures/text.h"

namespace {

// The pictures are stored square but shown over 2/3 x 2/3 of a 4:3 window, so they are
// painted in a 683 x 512 layout space.
const int OVERLAY_SIZE = 512;
const float OVERLAY_LAYOUT_WIDTH = 683.0f;
const float OVERLAY_LAYOUT_HEIGHT = 512.0f;
const float EDGE_FADE = 48.0f;  // layout units over which the picture fades out at its edges
const float RIM = 14.0f;        // width of the shading towards a shape's outline
const float LIGHT_SHIFT = 7.0f; // how far the light falls from the upper left
const int FLYER_WIDTH = 190, FLYER_HEIGHT = 260;
const float FLYER_ANGLE = -0.16f;

// ---- colours (the game drops the blue when it adds them, so they read warm) ----
const Color BLACK = {0, 0, 0};
const Color SKIN = hexColor(0xc98e6c);
const Color SKIN_DARK = hexColor(0x7a4e38);
const Color NAIL = hexColor(0xe3b9a2);
const Color SLEEVE = hexColor(0x4b5a3a);
const Color CUFF = hexColor(0x35402a);
const Color PAPER = hexColor(0xe8e2d0);
const Color PAPER_INK = hexColor(0x4a4440);
const Color PAPER_RED = hexColor(0xc23a2e);

// ---- texts on the flyer ----
const char* const FLYER_HEADING = "GRAND";
const char* const FLYER_HEADING_2 = "OPENING";
const char* const FLYER_OFFER = "-50%";
const char* const FLYER_FOOTER = "this Saturday";

Canvas makeOverlay()
{
    return makeCanvas(OVERLAY_SIZE, OVERLAY_SIZE, BLACK, OVERLAY_SIZE / OVERLAY_LAYOUT_WIDTH,
                      OVERLAY_SIZE / OVERLAY_LAYOUT_HEIGHT);
}

// A rounded body part: lit from the upper left, darker towards its lower-right rim, with a
// thin dark outline so overlapping parts stay apart.
template <class Sdf>
void paintPart(Canvas& canvas, float x0, float y0, float x1, float y1, Sdf sdf, Color base)
{
    fillShape(canvas, x0, y0, x1, y1, sdf, [&](float x, float y, float d) {
        float lit = smoothStep(0.0f, 1.0f, -sdf(x + LIGHT_SHIFT, y + LIGHT_SHIFT) / RIM);
        Color c = scaleColor(base, 0.55f + 0.5f * lit);
        if (d > -1.8f) c = mixColor(c, SKIN_DARK, 0.7f);
        return c;
    });
}

void paintFinger(Canvas& canvas, Point a, Point b, float radius, Color base)
{
    paintPart(
        canvas, std::min(a.x, b.x) - radius, std::min(a.y, b.y) - radius,
        std::max(a.x, b.x) + radius, std::max(a.y, b.y) + radius,
        [=](float x, float y) { return sdCapsule(x, y, a, b, radius); }, base);
}

void paintSleeve(Canvas& canvas, Point elbow, Point wrist, float radius)
{
    paintFinger(canvas, elbow, wrist, radius, SLEEVE);
    float dx = wrist.x - elbow.x, dy = wrist.y - elbow.y;
    float len = std::hypot(dx, dy);
    Point cuffA = {wrist.x - dx / len * 28.0f, wrist.y - dy / len * 28.0f};
    paintFinger(canvas, cuffA, wrist, radius * 1.02f, CUFF);
}

// Everything fades to black towards the picture's edges, so the arm never ends in a hard
// line and the border of the picture stays black.
void fadeEdges(Canvas& canvas)
{
    for (int py = 0; py < canvas.height; ++py) {
        for (int px = 0; px < canvas.width; ++px) {
            float x = (px + 0.5f) / canvas.scaleX, y = (py + 0.5f) / canvas.scaleY;
            float edge = std::min(std::min(x, layoutWidth(canvas) - x),
                                  std::min(y, layoutHeight(canvas) - y));
            float k = smoothStep(0.0f, EDGE_FADE, edge - 1.0f / canvas.scaleX);
            setPixel(canvas, px, py, scaleColor(pixelAt(canvas, px, py), k));
        }
    }
}

Canvas paintFlyerSheet()
{
    Canvas sheet = makeCanvas(FLYER_WIDTH, FLYER_HEIGHT, PAPER);
    const float w = FLYER_WIDTH;
    fillRect(sheet, 0, 0, w, 78, PAPER_RED);
    drawTextCentered(sheet, FONT_BOLD, 30, w / 2, 36, FLYER_HEADING, PAPER);
    drawTextCentered(sheet, FONT_BOLD, 30, w / 2, 68, FLYER_HEADING_2, PAPER);
    fillCircle(sheet, w / 2, 132, 40, PAPER_RED);
    drawTextCentered(sheet, FONT_BOLD, 28, w / 2, 143, FLYER_OFFER, PAPER);
    for (int line = 0; line < 3; ++line)
        fillRect(sheet, 22, 190 + line * 14.0f, w - 22 - (line == 2 ? 50.0f : 0.0f),
                 196 + line * 14.0f, PAPER_INK, 0.6f);
    drawTextCentered(sheet, FONT_BOLD, 16, w / 2, 248, FLYER_FOOTER, PAPER_INK);
    return sheet;
}

}  // namespace

Canvas paintHand()
{
    Canvas hand = makeOverlay();
    // The arm comes in from the lower left; the flyer stands up out of the hand.
    paintSleeve(hand, {40.0f, 700.0f}, {215.0f, 478.0f}, 92.0f);
    paintFinger(hand, {215.0f, 478.0f}, {290.0f, 420.0f}, 58.0f, SKIN);
    placeImage(hand, paintFlyerSheet(), 372.0f, 232.0f, FLYER_ANGLE, 1.0f);
    // Back of the hand and the curled fingers gripping the flyer's lower edge.
    paintPart(
        hand, 220.0f, 330.0f, 420.0f, 500.0f,
        [](float x, float y) { return sdEllipse(x, y, 318.0f, 420.0f, 78.0f, 70.0f); }, SKIN);
    const float fingerY[] = {352.0f, 388.0f, 424.0f, 458.0f};
    const float fingerEnd[] = {402.0f, 408.0f, 402.0f, 388.0f};
    const float fingerR[] = {19.0f, 19.5f, 18.5f, 16.0f};
    for (int i = 0; i < 4; ++i)
        paintFinger(hand, {320.0f, fingerY[i] + 8.0f}, {fingerEnd[i], fingerY[i]}, fingerR[i],
                    SKIN);
    // The thumb lies across the front of the flyer.
    paintFinger(hand, {270.0f, 372.0f}, {322.0f, 300.0f}, 19.0f, SKIN);
    fillShapeColor(
        hand, 305.0f, 285.0f, 335.0f, 318.0f,
        [](float x, float y) { return sdEllipse(x, y, 320.0f, 301.0f, 10.0f, 12.0f); }, NAIL, 0.8f);
    fadeEdges(hand);
    return hand;
}

Canvas paintFist()
{
    Canvas fist = makeOverlay();
    // Thrown forward from the lower middle: the back of the hand, knuckles on top.
    paintSleeve(fist, {560.0f, 720.0f}, {500.0f, 470.0f}, 100.0f);
    paintFinger(fist, {500.0f, 470.0f}, {480.0f, 380.0f}, 66.0f, SKIN);
    paintPart(
        fist, 380.0f, 230.0f, 580.0f, 420.0f,
        [](float x, float y) { return sdRoundBox(x, y, 478.0f, 318.0f, 95.0f, 82.0f, 46.0f); },
        SKIN);
    const float knuckleX[] = {412.0f, 458.0f, 504.0f, 546.0f};
    const float knuckleY[] = {262.0f, 250.0f, 252.0f, 266.0f};
    for (int i = 0; i < 4; ++i)
        paintFinger(fist, {knuckleX[i], knuckleY[i]}, {knuckleX[i] - 2.0f, knuckleY[i] + 52.0f},
                    23.0f, SKIN);
    for (int i = 0; i < 4; ++i)
        fillCircle(fist, knuckleX[i] - 4.0f, knuckleY[i] - 6.0f, 6.0f, NAIL, 0.5f);
    // The thumb wraps round the front of the first two fingers.
    paintFinger(fist, {392.0f, 356.0f}, {458.0f, 330.0f}, 24.0f, SKIN);
    fillShapeColor(
        fist, 438.0f, 312.0f, 470.0f, 346.0f,
        [](float x, float y) { return sdEllipse(x, y, 454.0f, 329.0f, 11.0f, 13.0f); }, NAIL, 0.8f);
    fadeEdges(fist);
    return fist;
}
