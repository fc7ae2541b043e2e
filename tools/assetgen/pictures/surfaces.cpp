// Ground, road, rails and wall materials of the street; every one tiles without seams where
// the street repeats it.
// Depends on: painters.h, canvas.h.
#include "tools/assetgen/pictures/painters.h"

namespace {

// ---- sizes and seeds ----
const int TILE_SIZE = 256;
const int SMALL_TILE_SIZE = 128;
const int COLUMN_WIDTH = 128;   // one picture per 2 x 8 column face
const int COLUMN_HEIGHT = 512;
const float COLUMN_UNIT = 64.0f;  // texels per scene unit on a column face
const uint32_t PAVEMENT_SEED = 101;
const uint32_t ASPHALT_SEED = 202;
const uint32_t BALLAST_SEED = 303;
const uint32_t CONCRETE_SEED = 404;
const uint32_t SANDSTONE_SEED = 505;
const uint32_t COLUMN_SEED = 606;
const uint32_t CEILING_SEED = 707;
const uint32_t BRICK_SEED = 808;
const uint32_t ROUGH_SEED = 909;

// Pavement: 2 x 2 slabs per scene unit, the joints straddling the picture's edges.
const float SLAB = 128.0f;
const float SLAB_JOINT = 2.5f;
const float SLAB_BEVEL = 6.0f;

// Rails: the picture spans 4 units across (s) and 3 along the track (t).
const float RAIL_UNITS_ACROSS = 4.0f;
const float RAIL_UNITS_ALONG = 3.0f;
const float SLEEPER_SPACING = 0.75f;
const float SLEEPER_HALF_LENGTH = 1.3f;
const float SLEEPER_HALF_WIDTH = 0.12f;
const float HALF_GAUGE = 0.72f;
const float RAIL_FOOT = 0.09f;
const float RAIL_HEAD = 0.045f;

// ---- colours ----
const Color PAVEMENT_STONE = hexColor(0xa5a29c);
const Color PAVEMENT_JOINT = hexColor(0x4e4b47);
const Color GUM_SPOT = hexColor(0x5d5955);
const Color ASPHALT = hexColor(0x3f3e41);
const Color ASPHALT_STONE = hexColor(0x77736d);
const Color BALLAST_DARK = hexColor(0x4f4942);
const Color BALLAST_LIGHT = hexColor(0x9d958a);
const Color SLEEPER_WOOD = hexColor(0x5a4130);
const Color SLEEPER_GRAIN = hexColor(0x3f2d21);
const Color TIE_PLATE = hexColor(0x3a3532);
const Color RAIL_RUST = hexColor(0x6a4a36);
const Color RAIL_STEEL = hexColor(0xd2d3d8);
const Color CONCRETE = hexColor(0xb7b3ac);
const Color CONCRETE_DARK = hexColor(0x8a867f);
const Color COLUMN_STONE = hexColor(0xd6ccb8);
const Color COLUMN_SHADOW = hexColor(0x9d927f);
const Color SANDSTONE = hexColor(0xc9b38c);
const Color SANDSTONE_JOINT = hexColor(0x8c7b62);
const Color CEILING_TILE = hexColor(0xe7e4dc);
const Color CEILING_GRID = hexColor(0xf7f7f5);
const Color CEILING_HOLE = hexColor(0xb5b1a8);
const Color BRICK = hexColor(0x9c4a32);
const Color MORTAR = hexColor(0xc2bbb0);
const Color ROUGH_CONCRETE = hexColor(0x8f8c86);

// Small per-texel variation (grain) that repeats with the picture.
float grain(int x, int y, uint32_t seed) { return latticeValue(x, y, 3, seed) - 0.5f; }

Canvas makeTile(int size) { return makeCanvas(size, size, {0, 0, 0}); }

}  // namespace

Canvas paintPavement()
{
    Canvas tile = makeTile(TILE_SIZE);
    paintAll(tile, [](float x, float y) {
        float u = x / TILE_SIZE, v = y / TILE_SIZE;
        int slabX = (int)(x / SLAB), slabY = (int)(y / SLAB);
        float tint = 0.94f + 0.1f * latticeValue(slabX, slabY, 0, PAVEMENT_SEED);
        float wear = tiledFbm(u, v, 6, 6, 4, PAVEMENT_SEED + 1);
        float k = tint * (0.9f + 0.2f * wear) + 0.08f * grain((int)x, (int)y, PAVEMENT_SEED);
        Color c = scaleColor(PAVEMENT_STONE, k);
        CellDistances spots = tiledCells(u, v, 24, 24, PAVEMENT_SEED + 2);
        if (spots.nearest < 0.07f &&
            latticeValue((int)(u * 24), (int)(v * 24), 4, PAVEMENT_SEED) > 0.9f)
            c = GUM_SPOT;
        float joint = std::min(gridDistance(x, SLAB), gridDistance(y, SLAB));
        if (joint < SLAB_BEVEL) c = scaleColor(c, 0.85f + 0.15f * joint / SLAB_BEVEL);
        return mixColor(PAVEMENT_JOINT, c, smoothStep(SLAB_JOINT - 0.7f, SLAB_JOINT + 0.7f, joint));
    });
    return tile;
}

Canvas paintAsphalt()
{
    Canvas tile = makeTile(TILE_SIZE);
    paintAll(tile, [](float x, float y) {
        float u = x / TILE_SIZE, v = y / TILE_SIZE;
        float patches = tiledFbm(u, v, 4, 4, 3, ASPHALT_SEED);
        CellDistances stones = tiledCells(u, v, 48, 48, ASPHALT_SEED + 1);
        Color c = scaleColor(ASPHALT, 0.85f + 0.3f * patches +
                                          0.12f * grain((int)x, (int)y, ASPHALT_SEED));
        if (stones.nearest < 0.22f)
            c = mixColor(c, ASPHALT_STONE,
                         0.5f * latticeValue((int)(u * 48), (int)(v * 48), 5, ASPHALT_SEED));
        return c;
    });
    return tile;
}

Canvas paintRails()
{
    Canvas tile = makeTile(TILE_SIZE);
    paintAll(tile, [](float x, float y) {
        float u = x / TILE_SIZE, v = y / TILE_SIZE;
        float across = u * RAIL_UNITS_ACROSS;  // scene units
        float along = v * RAIL_UNITS_ALONG;
        // Gravel: rounded stones from cell noise.
        CellDistances stone = tiledCells(u, v, 44, 33, BALLAST_SEED);
        // Round stones: bright in the middle of a cell, dark where two cells meet.
        float rounded = clamp01(1.0f - stone.nearest * 1.3f) *
                        clamp01((stone.second - stone.nearest) * 4.0f);
        Color c = mixColor(BALLAST_DARK, BALLAST_LIGHT,
                           rounded * (0.6f + 0.4f * latticeValue((int)(u * 44), (int)(v * 33), 6,
                                                                  BALLAST_SEED)));
        float fromMiddle = across - 0.5f * RAIL_UNITS_ACROSS;
        float sleeperCentre = (std::floor(along / SLEEPER_SPACING) + 0.5f) * SLEEPER_SPACING;
        float toSleeper = std::fabs(along - sleeperCentre);
        if (std::fabs(fromMiddle) < SLEEPER_HALF_LENGTH && toSleeper < SLEEPER_HALF_WIDTH) {
            float stripes = tiledNoise(x * 0.6f, y * 0.05f, 154, 13, BALLAST_SEED + 1);
            c = mixColor(SLEEPER_WOOD, SLEEPER_GRAIN, 0.6f * stripes);
            if (toSleeper > SLEEPER_HALF_WIDTH - 0.025f) c = scaleColor(c, 0.7f);
            if (std::fabs(std::fabs(fromMiddle) - HALF_GAUGE) < 0.16f && toSleeper < 0.1f)
                c = TIE_PLATE;
        }
        float toRail = std::fabs(std::fabs(fromMiddle) - HALF_GAUGE);
        if (toRail < RAIL_FOOT) c = mixColor(RAIL_RUST, TIE_PLATE, toRail / RAIL_FOOT);
        if (toRail < RAIL_HEAD) c = mixColor(RAIL_STEEL, RAIL_RUST, toRail / RAIL_HEAD * 0.5f);
        return c;
    });
    return tile;
}

Canvas paintColumn()
{
    Canvas face = makeCanvas(COLUMN_WIDTH, COLUMN_HEIGHT, {0, 0, 0});
    paintAll(face, [](float x, float y) {
        float across = x / COLUMN_UNIT;                // 0..2
        float height = (COLUMN_HEIGHT - y) / COLUMN_UNIT;  // 0 at the foot, 8 at the top
        float stain = tiledFbm(x / COLUMN_WIDTH, y / COLUMN_HEIGHT, 2, 8, 4, COLUMN_SEED);
        float k = 0.88f + 0.2f * stain + 0.06f * grain((int)x, (int)y, COLUMN_SEED);
        // The foot gathers dirt.
        k *= 0.8f + 0.2f * smoothStep(0.0f, 1.5f, height);
        Color c = scaleColor(COLUMN_STONE, k);
        bool plinth = height < 0.6f;
        bool capital = height > 7.3f;
        if (plinth || capital) {
            c = scaleColor(c, plinth ? 0.82f : 1.04f);
            if (std::fabs(height - 0.6f) < 0.04f || std::fabs(height - 7.3f) < 0.05f)
                c = scaleColor(COLUMN_SHADOW, 0.9f);
            if (capital && std::fabs(height - 7.65f) < 0.03f) c = COLUMN_SHADOW;
        } else {
            // Three flutes down the shaft, lit from the left.
            float flute = std::fmod(across - 0.25f, 0.5f);
            if (across > 0.25f && across < 1.75f && flute < 0.36f) {
                float f = flute / 0.36f;
                c = scaleColor(c, 0.78f + 0.22f * f);
            }
        }
        // The box's corners catch a little shadow.
        float edge = std::min(across, 2.0f - across);
        if (edge < 0.06f) c = scaleColor(c, 0.8f + 0.2f * edge / 0.06f);
        return c;
    });
    return face;
}

// Smooth, low-contrast concrete: the street stretches this picture anywhere from 1 x 1 to
// 200 x 15 times over a face, so it carries no joints or holes that would turn into stripes.
Canvas paintConcrete()
{
    Canvas tile = makeTile(TILE_SIZE);
    paintAll(tile, [](float x, float y) {
        float u = x / TILE_SIZE, v = y / TILE_SIZE;
        float cloud = tiledFbm(u, v, 3, 3, 5, CONCRETE_SEED);
        Color c = mixColor(CONCRETE_DARK, CONCRETE, 0.7f + 0.35f * cloud);
        c = scaleColor(c, 1.0f + 0.04f * grain((int)x, (int)y, CONCRETE_SEED));
        if (latticeValue((int)x, (int)y, 7, CONCRETE_SEED) > 0.996f) c = scaleColor(c, 0.8f);
        return c;
    });
    return tile;
}

Canvas paintLibraryWall()
{
    Canvas tile = makeTile(TILE_SIZE);
    const float course = 64.0f, block = 128.0f, joint = 2.0f;
    paintAll(tile, [=](float x, float y) {
        int row = (int)(y / course);
        float shifted = x + (row % 2) * block * 0.5f;
        int column = (int)(shifted / block) % 2;
        float tint = 0.9f + 0.16f * latticeValue(column, row, 0, SANDSTONE_SEED);
        float u = x / TILE_SIZE, v = y / TILE_SIZE;
        float weather = tiledFbm(u, v, 4, 4, 4, SANDSTONE_SEED + 1);
        Color c = scaleColor(SANDSTONE, tint * (0.9f + 0.18f * weather) +
                                            0.07f * grain((int)x, (int)y, SANDSTONE_SEED));
        float toJoint = std::min(gridDistance(shifted, block), gridDistance(y, course));
        if (toJoint < joint + 3.0f) c = scaleColor(c, 0.88f + 0.12f * (toJoint - joint) / 3.0f);
        return toJoint < joint ? SANDSTONE_JOINT : c;
    });
    return tile;
}

Canvas paintCeilingTiles()
{
    Canvas tile = makeTile(SMALL_TILE_SIZE);
    paintAll(tile, [](float x, float y) {
        float grid = std::min(gridDistance(x, 64.0f), gridDistance(y, 64.0f));
        if (grid < 1.5f) return CEILING_GRID;
        Color c = scaleColor(CEILING_TILE, 0.96f + 0.06f * grain((int)x, (int)y, CEILING_SEED));
        if (grid < 3.0f) c = scaleColor(c, 0.9f);
        if (gridDistance(x - 4.0f, 8.0f) < 1.0f && gridDistance(y - 4.0f, 8.0f) < 1.0f &&
            latticeValue((int)x / 8, (int)y / 8, 0, CEILING_SEED) > 0.25f)
            c = CEILING_HOLE;
        return c;
    });
    return tile;
}

Canvas paintBrickWall()
{
    Canvas tile = makeTile(SMALL_TILE_SIZE);
    const float course = 16.0f, brick = 32.0f;
    paintAll(tile, [=](float x, float y) {
        int row = (int)(y / course);
        float shifted = x + (row % 2) * brick * 0.5f;
        int column = (int)(shifted / brick) % 4;
        if (std::min(gridDistance(shifted, brick), gridDistance(y, course)) < 1.5f)
            return scaleColor(MORTAR, 0.95f + 0.1f * grain((int)x, (int)y, BRICK_SEED));
        float tint = 0.82f + 0.3f * latticeValue(column, row, 0, BRICK_SEED);
        return scaleColor(BRICK, tint + 0.08f * grain((int)x, (int)y, BRICK_SEED + 1));
    });
    return tile;
}

Canvas paintRoughConcrete()
{
    Canvas tile = makeTile(SMALL_TILE_SIZE);
    paintAll(tile, [](float x, float y) {
        float u = x / SMALL_TILE_SIZE, v = y / SMALL_TILE_SIZE;
        float cloud = tiledFbm(u, v, 3, 3, 5, ROUGH_SEED);
        CellDistances pebbles = tiledCells(u, v, 16, 16, ROUGH_SEED + 1);
        Color c = scaleColor(ROUGH_CONCRETE, 0.75f + 0.45f * cloud);
        if (pebbles.nearest < 0.18f) c = scaleColor(c, 1.12f);
        return scaleColor(c, 1.0f + 0.1f * grain((int)x, (int)y, ROUGH_SEED));
    });
    return tile;
}
