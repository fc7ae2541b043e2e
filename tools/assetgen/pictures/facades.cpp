// Building fronts of the street: the arcade's window bands, the bridge, the house row across
// the road and the facade closing the far end. Painted in scene units.
// Depends on: painters.h, canvas.h, text.h.
#include <string>

#include "tools/assetgen/pictures/painters.h"
#include "tools/assetgen/pictures/text.h"

namespace {

// ---- sizes: stored pixels and the scene units one picture covers ----
const int BAND_WIDTH = 512, BAND_HEIGHT = 256;
const float BAND_UNITS_WIDE = 12.0f, BAND_UNITS_HIGH = 8.0f;  // 15 pictures along 180 units
const int UPPER_WIDTH = 256, UPPER_HEIGHT = 128;
const float UPPER_UNITS_WIDE = 6.0f, UPPER_UNITS_HIGH = 4.0f;  // 30 x 4 over 180 x 16
const int BRIDGE_SIZE = 256;
const float BRIDGE_UNITS = 8.0f;
const int ROW_WIDTH = 2048, ROW_HEIGHT = 512;
const float ROW_UNITS_WIDE = 204.0f, FACADE_UNITS_HIGH = 40.3f;
const int END_WIDTH = 1024, END_HEIGHT = 512;
const float END_UNITS_WIDE = 70.0f;
const uint32_t BAND_SEED = 1201;
const uint32_t HOUSE_SEED = 1301;
const uint64_t ROW_SEED = 1401;

// House storeys, in scene units from the pavement up.
const float SHOP_TOP = 7.0f;
const float STOREY = 7.0f;
const int UPPER_STOREYS = 4;
const float CORNICE_TOP = SHOP_TOP + UPPER_STOREYS * STOREY + 1.4f;
const float WINDOW_AXIS = 4.2f;

// ---- colours ----
const Color SPANDREL = hexColor(0xc9c6bf);
const Color MULLION = hexColor(0x3b4048);
const Color GLASS_LOW = hexColor(0x34475c);
const Color GLASS_HIGH = hexColor(0x8fb0cc);
const Color BLIND = hexColor(0xd9d2bd);
const Color RENDER = hexColor(0xe3d7bd);
const Color WINDOW_FRAME = hexColor(0xf4f1ea);
const Color SILL = hexColor(0xa79f90);
const Color STEEL = hexColor(0x5a6270);
const Color ROOF_SLATE = hexColor(0x4d525c);
const Color SHOP_GLASS = hexColor(0x2a3440);
const Color DOOR_WOOD = hexColor(0x5b3a26);
const Color SIGN_TEXT = hexColor(0xfaf6ea);
const Color PLINTH = hexColor(0x7d7870);
// Warm and cool colours alternate, so houses three steps apart in the list differ.
const Color HOUSE_COLOURS[] = {
    hexColor(0xe8d3a9), hexColor(0xc9d7c0), hexColor(0xe9c3b8), hexColor(0xc7d0da),
    hexColor(0xe5c98f), hexColor(0xd6d3c8), hexColor(0xd9b9a0), hexColor(0xf0e6d2),
};
const int HOUSE_COLOUR_COUNT = 8;
const Color AWNING_COLOURS[] = {hexColor(0x9c2f2a), hexColor(0x2f5d46), hexColor(0x2d4778),
                                hexColor(0x8a5a1f)};
const int AWNING_COLOUR_COUNT = 4;
const char* const SHOP_NAMES[] = {"BAKERY", "FLOWERS", "BOOKS", "CAFE", "PHARMACY", "SHOES",
                                  "DELI", "TOYS", "OPTICIAN", "BARBER", "WINE", "HARDWARE"};
const int SHOP_NAME_COUNT = 12;
const int ORNAMENT_COUNT = 3;

// A pane of glass: darker low, the sky reflected higher up, a light streak across it.
Color glassAt(float x, float y, float top, float bottom)
{
    float t = clamp01((bottom - y) / (bottom - top));
    Color c = mixColor(GLASS_LOW, GLASS_HIGH, 0.25f + 0.6f * t * t);
    float streak = std::fabs(std::fmod(x * 0.8f + y + 100.0f, 6.0f) - 3.0f);
    if (streak < 0.25f) c = mixColor(c, GLASS_HIGH, 0.35f);
    return c;
}

void paintGlass(Canvas& canvas, float x0, float y0, float x1, float y1)
{
    fillShape(
        canvas, x0, y0, x1, y1,
        [=](float x, float y) {
            return std::max(std::max(x0 - x, x - x1), std::max(y0 - y, y - y1));
        },
        [=](float x, float y, float) { return glassAt(x, y, y0, y1); });
}

// A classic window: frame, two casements with a transom, sill below; y grows downwards.
void paintSashWindow(Canvas& canvas, float cx, float top, float width, float height,
                     float blind)
{
    float x0 = cx - width / 2, x1 = cx + width / 2, bottom = top + height;
    float frame = 0.12f * width;
    fillRect(canvas, x0 - 0.15f, top - 0.15f, x1 + 0.15f, bottom + 0.1f,
             scaleColor(WINDOW_FRAME, 0.8f));
    fillRect(canvas, x0, top, x1, bottom, WINDOW_FRAME);
    paintGlass(canvas, x0 + frame, top + frame, x1 - frame, bottom - frame);
    if (blind > 0.0f)
        fillRect(canvas, x0 + frame, top + frame, x1 - frame,
                 top + frame + blind * (height - 2 * frame), BLIND);
    fillRect(canvas, cx - 0.5f * frame, top + frame, cx + 0.5f * frame, bottom - frame,
             WINDOW_FRAME);
    float transom = top + 0.3f * height;
    fillRect(canvas, x0 + frame, transom - 0.4f * frame, x1 - frame, transom + 0.4f * frame,
             WINDOW_FRAME);
    fillRect(canvas, x0 - 0.35f, bottom, x1 + 0.35f, bottom + 0.3f, SILL);
    fillRect(canvas, x0 - 0.35f, bottom + 0.3f, x1 + 0.35f, bottom + 0.42f,
             scaleColor(SILL, 0.6f));
}

Canvas makeUnitCanvas(int width, int height, float unitsWide, float unitsHigh, Color fill)
{
    return makeCanvas(width, height, fill, width / unitsWide, height / unitsHigh);
}

// Plaster with a little weathering, as a function of the position in scene units.
Color plasterAt(Color base, float x, float y, float unitsWide, float unitsHigh, uint32_t seed)
{
    float n = tiledFbm(x / unitsWide, y / unitsHigh, 6, 2, 4, seed);
    return scaleColor(base, 0.9f + 0.16f * n);
}

// ---- one house of a street front ----
struct House {
    float left, right;
    Color wall;
    Color awning;
    const char* shop;
    int ornament;  // 0 plain lintels, 1 pediments, 2 arched tops (ORNAMENT_COUNT kinds)
    bool mansard;
};

void paintShopFront(Canvas& canvas, const House& house, float ground)
{
    float width = house.right - house.left;
    // Plinth and the shop band.
    fillRect(canvas, house.left, ground - SHOP_TOP, house.right, ground,
             scaleColor(house.wall, 0.86f));
    fillRect(canvas, house.left, ground - 0.7f, house.right, ground, PLINTH);
    float doorX = house.left + (width > 16.0f ? 0.3f * width : 0.75f * width);
    // Shop windows either side of the door.
    for (float x = house.left + 1.2f; x + 3.0f < house.right - 1.0f; x += 4.6f) {
        if (std::fabs(x + 1.7f - doorX) < 3.2f) continue;
        fillRect(canvas, x - 0.15f, ground - 5.0f, x + 3.55f, ground - 0.85f, MULLION);
        paintGlass(canvas, x, ground - 4.85f, x + 3.4f, ground - 1.0f);
    }
    // The door with its fanlight.
    fillRect(canvas, doorX - 1.05f, ground - 4.3f, doorX + 1.05f, ground - 0.7f, MULLION);
    fillRect(canvas, doorX - 0.9f, ground - 3.4f, doorX + 0.9f, ground - 0.7f, DOOR_WOOD);
    paintGlass(canvas, doorX - 0.9f, ground - 4.15f, doorX + 0.9f, ground - 3.55f);
    fillRect(canvas, doorX + 0.55f, ground - 2.15f, doorX + 0.7f, ground - 1.95f, SILL);
    // Awning and the shop's name above it.
    float awningTop = ground - 5.6f;
    Point awning[] = {{house.left + 0.8f, awningTop},
                      {house.right - 0.8f, awningTop},
                      {house.right - 0.5f, awningTop + 0.9f},
                      {house.left + 0.5f, awningTop + 0.9f}};
    fillPolygon(canvas, awning, 4, house.awning);
    for (float x = house.left + 0.8f; x < house.right - 1.0f; x += 1.2f)
        fillRect(canvas, x, awningTop, x + 0.6f, awningTop + 0.9f, SIGN_TEXT, 0.35f);
    float signSize = 1.1f;
    float textW = textWidth(canvas, FONT_BOLD, signSize, house.shop);
    float signCentre = 0.5f * (house.left + house.right);
    fillRect(canvas, signCentre - textW / 2 - 0.5f, ground - 6.9f, signCentre + textW / 2 + 0.5f,
             ground - 5.7f, scaleColor(house.awning, 0.8f));
    drawTextCentered(canvas, FONT_BOLD, signSize, signCentre, ground - 5.95f, house.shop,
                     SIGN_TEXT);
}

void paintUpperStoreys(Canvas& canvas, const House& house, float ground, uint32_t seed)
{
    float width = house.right - house.left;
    int axes = std::max(2, (int)(width / WINDOW_AXIS));
    float pitch = width / axes;
    for (int floor = 0; floor < UPPER_STOREYS; ++floor) {
        float storeyBottom = ground - SHOP_TOP - floor * STOREY;
        // A string course under the first upper storey, lighter and slightly proud.
        if (floor == 0)
            fillRect(canvas, house.left, storeyBottom - 0.6f, house.right, storeyBottom,
                     scaleColor(house.wall, 1.08f));
        float height = floor == 0 ? 4.1f : (floor == UPPER_STOREYS - 1 ? 3.3f : 3.8f);
        float top = storeyBottom - 1.6f - height;
        for (int a = 0; a < axes; ++a) {
            float cx = house.left + (a + 0.5f) * pitch;
            float blind = latticeValue(a, floor, 0, seed) < 0.35f
                              ? 0.15f + 0.6f * latticeValue(a, floor, 1, seed) : 0.0f;
            paintSashWindow(canvas, cx, top, 1.9f, height, blind);
            Color trim = scaleColor(house.wall, 1.1f);
            if (house.ornament == 1 && floor < 2) {
                Point pediment[] = {{cx - 1.4f, top - 0.35f}, {cx + 1.4f, top - 0.35f},
                                    {cx, top - 1.25f}};
                fillPolygon(canvas, pediment, 3, trim);
            } else if (house.ornament == 2) {
                fillShapeColor(
                    canvas, cx - 1.3f, top - 1.3f, cx + 1.3f, top,
                    [=](float x, float y) {
                        return std::max(sdCircle(x, y, cx, top - 0.15f, 1.2f), y - (top - 0.15f));
                    },
                    trim);
            } else {
                fillRect(canvas, cx - 1.3f, top - 0.7f, cx + 1.3f, top - 0.2f, trim);
            }
        }
    }
    // Cornice, then a slate roof with dormers or a low attic.
    float corniceBottom = ground - CORNICE_TOP + 1.4f;
    fillRect(canvas, house.left, ground - CORNICE_TOP, house.right, corniceBottom,
             scaleColor(house.wall, 1.1f));
    fillRect(canvas, house.left, corniceBottom - 0.35f, house.right, corniceBottom,
             scaleColor(house.wall, 0.7f));
    float roofTop = ground - FACADE_UNITS_HIGH;
    if (house.mansard) {
        fillRect(canvas, house.left, roofTop, house.right, ground - CORNICE_TOP, ROOF_SLATE);
        for (float y = roofTop + 0.5f; y < ground - CORNICE_TOP; y += 0.6f)
            fillRect(canvas, house.left, y, house.right, y + 0.06f, scaleColor(ROOF_SLATE, 0.8f));
        for (int a = 0; a < axes; a += 2) {
            float cx = house.left + (a + 0.5f) * pitch;
            fillRect(canvas, cx - 1.1f, roofTop + 1.4f, cx + 1.1f, ground - CORNICE_TOP - 0.2f,
                     WINDOW_FRAME);
            paintGlass(canvas, cx - 0.8f, roofTop + 1.8f, cx + 0.8f, ground - CORNICE_TOP - 0.5f);
        }
    } else {
        // A low attic storey with small square windows under the eaves.
        fillRect(canvas, house.left, roofTop, house.right, ground - CORNICE_TOP, house.wall);
        fillRect(canvas, house.left, roofTop, house.right, roofTop + 0.6f,
                 scaleColor(house.wall, 0.8f));
        for (int a = 0; a < axes; ++a) {
            float cx = house.left + (a + 0.5f) * pitch;
            fillRect(canvas, cx - 0.75f, roofTop + 1.6f, cx + 0.75f, roofTop + 3.6f, WINDOW_FRAME);
            paintGlass(canvas, cx - 0.55f, roofTop + 1.8f, cx + 0.55f, roofTop + 3.4f);
        }
    }
}

void paintHouse(Canvas& canvas, const House& house, uint32_t seed)
{
    float ground = FACADE_UNITS_HIGH;
    float unitsWide = layoutWidth(canvas);
    fillShape(
        canvas, house.left, 0, house.right, ground,
        [&](float x, float) { return std::max(house.left - x, x - house.right); },
        [&](float x, float y, float) {
            return plasterAt(house.wall, x, y, unitsWide, FACADE_UNITS_HIGH, seed);
        });
    paintUpperStoreys(canvas, house, ground, seed);
    paintShopFront(canvas, house, ground);
    // A thin shadow line where one house meets the next.
    fillRect(canvas, house.right - 0.12f, 0, house.right + 0.12f, ground,
             scaleColor(house.wall, 0.6f));
}

// Neighbouring houses never share a colour, an awning or a shop: each list is walked in
// steps that are prime to its length, from a start of the seed's choosing.
void paintStreetFront(Canvas& canvas, const float* widths, int count, uint64_t seed)
{
    Random random = makeRandom(seed);
    int colour = randomIndex(random, HOUSE_COLOUR_COUNT);
    int awning = randomIndex(random, AWNING_COLOUR_COUNT);
    int shop = randomIndex(random, SHOP_NAME_COUNT);
    int ornament = randomIndex(random, ORNAMENT_COUNT);
    float left = 0.0f;
    for (int i = 0; i < count; ++i) {
        House house;
        house.left = left;
        house.right = i == count - 1 ? layoutWidth(canvas) : left + widths[i];
        house.wall = HOUSE_COLOURS[(colour + 3 * i) % HOUSE_COLOUR_COUNT];
        house.awning = AWNING_COLOURS[(awning + 3 * i) % AWNING_COLOUR_COUNT];
        house.shop = SHOP_NAMES[(shop + 7 * i) % SHOP_NAME_COUNT];
        house.ornament = (ornament + i) % ORNAMENT_COUNT;
        house.mansard = randomIndex(random, 2) == 0;
        paintHouse(canvas, house, HOUSE_SEED + i);
        left = house.right;
    }
}

}  // namespace

Canvas paintWindowBand()
{
    Canvas band =
        makeUnitCanvas(BAND_WIDTH, BAND_HEIGHT, BAND_UNITS_WIDE, BAND_UNITS_HIGH, SPANDREL);
    // Parapet panels below, glazing above, a dark lintel on top; mullions straddle the
    // picture's edges so the bands run on without a seam.
    const float glassTop = 0.6f, glassBottom = 5.6f, pitch = 4.0f, mullion = 0.18f;
    paintAll(band, [&](float x, float y) {
        float n = tiledFbm(x / BAND_UNITS_WIDE, y / BAND_UNITS_HIGH, 6, 4, 3, BAND_SEED);
        Color panel = scaleColor(SPANDREL, 0.92f + 0.12f * n);
        if (gridDistance(x, 2.0f) < 0.04f && y > glassBottom) panel = scaleColor(SPANDREL, 0.75f);
        if (y < glassTop) return scaleColor(MULLION, 1.1f);
        if (y > glassBottom + 0.25f) return panel;
        if (y > glassBottom) return MULLION;
        if (gridDistance(x, pitch) < mullion || gridDistance(x - 2.0f, pitch) < 0.06f)
            return MULLION;
        Color c = glassAt(x, y, glassTop, glassBottom);
        int pane = (int)(x / pitch);
        float blind = latticeValue(pane, 0, 0, BAND_SEED);
        if (y < glassTop + blind * 2.8f) {
            c = gridDistance(y, 0.18f) < 0.03f ? scaleColor(BLIND, 0.8f) : BLIND;
        }
        return c;
    });
    return band;
}

Canvas paintUpperWindows()
{
    Canvas tile = makeUnitCanvas(UPPER_WIDTH, UPPER_HEIGHT, UPPER_UNITS_WIDE, UPPER_UNITS_HIGH,
                                 RENDER);
    paintAll(tile, [](float x, float y) {
        return plasterAt(RENDER, x, y, UPPER_UNITS_WIDE, UPPER_UNITS_HIGH, BAND_SEED + 1);
    });
    // A string course between storeys, split over the top and bottom edges so the stacked
    // pictures join it up.
    fillRect(tile, 0, UPPER_UNITS_HIGH - 0.18f, UPPER_UNITS_WIDE, UPPER_UNITS_HIGH,
             scaleColor(RENDER, 0.85f));
    fillRect(tile, 0, 0, UPPER_UNITS_WIDE, 0.18f, scaleColor(RENDER, 0.85f));
    paintSashWindow(tile, UPPER_UNITS_WIDE / 2, 0.55f, 2.3f, 2.6f, 0.3f);
    return tile;
}

Canvas paintBridgeSide()
{
    Canvas side = makeUnitCanvas(BRIDGE_SIZE, BRIDGE_SIZE, BRIDGE_UNITS, BRIDGE_UNITS, STEEL);
    // A glazed footbridge: a deep girder below, a roof band above, cross-braced glass between.
    paintGlass(side, 0.4f, 1.4f, BRIDGE_UNITS - 0.4f, 5.6f);
    fillRect(side, 0, 0, BRIDGE_UNITS, 1.4f, scaleColor(STEEL, 0.8f));
    fillRect(side, 0, 1.2f, BRIDGE_UNITS, 1.4f, scaleColor(STEEL, 1.4f));
    fillRect(side, 0, 5.6f, BRIDGE_UNITS, BRIDGE_UNITS, STEEL);
    for (float x = 0.0f; x < BRIDGE_UNITS; x += 2.0f) {
        drawLine(side, {x + 0.2f, 5.4f}, {x + 1.8f, 1.6f}, 0.12f, MULLION);
        drawLine(side, {x + 0.2f, 1.6f}, {x + 1.8f, 5.4f}, 0.12f, MULLION);
        fillRect(side, x - 0.12f, 1.4f, x + 0.12f, 5.6f, MULLION);
    }
    for (float x = 0.5f; x < BRIDGE_UNITS; x += 1.0f)
        fillCircle(side, x, 6.8f, 0.1f, scaleColor(STEEL, 0.6f));
    fillRect(side, 0, 7.6f, BRIDGE_UNITS, 7.75f, scaleColor(STEEL, 0.6f));
    return side;
}

Canvas paintHouseRow()
{
    Canvas row = makeUnitCanvas(ROW_WIDTH, ROW_HEIGHT, ROW_UNITS_WIDE, FACADE_UNITS_HIGH, RENDER);
    const float widths[] = {22, 18, 26, 20, 24, 17, 23, 21, 33};
    paintStreetFront(row, widths, 9, ROW_SEED);
    return row;
}

Canvas paintEndFacade()
{
    Canvas front = makeUnitCanvas(END_WIDTH, END_HEIGHT, END_UNITS_WIDE, FACADE_UNITS_HIGH, RENDER);
    const float widths[] = {21, 28, 21};
    paintStreetFront(front, widths, 3, ROW_SEED + 1);
    return front;
}
