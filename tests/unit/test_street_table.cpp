// The street table: its groups, the rows fixed exactly, footprints, winding and what the
// player can reach.
#include "world/street_table.h"
#include "world/texture_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

namespace test_street_table {

const StreetQuad& row(int number) { return streetTable[number - 1]; }

void expectVec(const Vector3& v, float x, float y, float z)
{
    EXPECT_TRUE(v.x == x && v.y == y && v.z == z) << v.x << "," << v.y << "," << v.z;
}

void expectRow(int number, int slot, float s, float t, Vector3 n, Vector3 c0, Vector3 c1,
               Vector3 c2, Vector3 c3)
{
    SCOPED_TRACE(::testing::Message() << "row " << number);
    const StreetQuad& q = row(number);
    EXPECT_TRUE(q.slot == slot && q.sRepeat == s && q.tRepeat == t);
    expectVec(q.normal, n.x, n.y, n.z);
    expectVec(q.c0, c0.x, c0.y, c0.z);
    expectVec(q.c1, c1.x, c1.y, c1.z);
    expectVec(q.c2, c2.x, c2.y, c2.z);
    expectVec(q.c3, c3.x, c3.y, c3.z);
}

const Vector3* corners(const StreetQuad& q) { return &q.c0; }

// The side a quad is seen from: its corners run counter-clockwise seen from there.
Vector3 seenSide(const StreetQuad& q) { return cross(q.c1 - q.c0, q.c2 - q.c1); }

struct Box {
    float x0, x1, y0, y1, z0, z1;
};

Box boundsOf(int first, int last)
{
    Box b = {1e9f, -1e9f, 1e9f, -1e9f, 1e9f, -1e9f};
    for (int r = first; r <= last; ++r)
        for (int k = 0; k < 4; ++k) {
            const Vector3& c = corners(row(r))[k];
            b.x0 = std::min(b.x0, c.x); b.x1 = std::max(b.x1, c.x);
            b.y0 = std::min(b.y0, c.y); b.y1 = std::max(b.y1, c.y);
            b.z0 = std::min(b.z0, c.z); b.z1 = std::max(b.z1, c.z);
        }
    return b;
}

void expectBounds(int first, int last, Box want)
{
    SCOPED_TRACE(::testing::Message() << "rows " << first << "-" << last);
    Box b = boundsOf(first, last);
    EXPECT_TRUE(b.x0 == want.x0 && b.x1 == want.x1 && b.y0 == want.y0 && b.y1 == want.y1 &&
                b.z0 == want.z0 && b.z1 == want.z1)
        << b.x0 << ".." << b.x1 << "; " << b.y0 << ".." << b.y1 << "; " << b.z0 << ".." << b.z1;
}

typedef std::pair<float, float> Repeat;
const float RAILS = (float)(800.0 / 3.0);

struct Group {
    int first, last;
    std::set<int> slots;
    std::set<Repeat> repeats;
    Box extents;
};

const std::vector<Group> GROUPS = {
    {1, 1, {17}, {{800, -520}}, {-20, 500, 0, 0, -500, 300}},
    {2, 6, {22, 23, 24, 25, 26}, {{1, 1}}, {-300, 500, 0, 200, -500, 300}},
    {7, 70, {15}, {{1, 1}}, {-6, -4, 0, 8, -224, -44}},
    {71, 90, {44}, {{1, 3}, {2, 3}}, {-6, -4, 0, 7, -32, 32}},
    {91, 130, {15}, {{1, 1}}, {-6, 44, 0, 8, -212, -44}},
    {131, 143, {41, 42, 21, 44}, {{15, 1}, {30, 4}, {100, 100}, {200, 15}, {1, 1}},
     {-12, 44, 8, 40, -224, -44}},
    {144, 151, {21}, {{10, 10}, {1, 1}}, {12, 44, 0, 8, -216, -66}},
    {152, 160, {40, 21}, {{1, 1}, {10, 10}}, {10, 44, 8, 16, -44, -32}},
    {161, 169, {44}, {{7, 15}, {32, 7}, {32, 15}, {32, 17}, {20, 17}}, {-6, 44, 0, 40, -32, 32}},
    {170, 190, {45, 47, 21}, {{1, 1}, {3, 10}}, {-6, -0.5f, 0, 7.5f, -102, -92}},
    {191, 211, {21}, {{1, 1}}, {-6, -0.5f, 0, 7.5f, -168, -158}},
    {212, 212, {11}, {{2, RAILS}}, {-28, -20, -0.3f, -0.3f, -500, 300}},
    {213, 213, {43}, {{10, 200}}, {-50, -28, -0.3f, -0.3f, -500, 300}},
    {214, 217, {43, 21, 10}, {{10, 10}, {1, 1}}, {-100, -50, -0.3f, 40, -224, -20}},
    {218, 218, {48}, {{1, 1}}, {-50, 20, -0.3f, 40, -224, -224}},
    {219, 222, {49, 50}, {{1, 1}}, {0, 1, 0, 1, -92, -91}},
};

TEST(StreetTableShape, HoldsTheGroupsInOrderWithTheirSlotsRepeatsAndExtents)
{
    ASSERT_EQ(sizeof(streetTable) / sizeof(streetTable[0]), 222u);
    int next = 1;
    for (const Group& g : GROUPS) {
        SCOPED_TRACE(::testing::Message() << "group from row " << g.first);
        EXPECT_EQ(g.first, next);
        next = g.last + 1;
        std::set<int> slots;
        std::set<Repeat> repeats;
        for (int r = g.first; r <= g.last; ++r) {
            slots.insert(row(r).slot);
            repeats.insert(Repeat(row(r).sRepeat, row(r).tRepeat));
        }
        EXPECT_EQ(slots, g.slots);
        EXPECT_EQ(repeats, g.repeats);
        expectBounds(g.first, g.last, g.extents);
    }
    EXPECT_EQ(next, 223);
}

TEST(StreetTableShape, SlotsInOrderWhereTheOrderIsFixed)
{
    const int sky[] = {26, 22, 23, 24, 25};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(row(2 + i).slot, sky[i]);
    const int block[] = {43, 21, 10, 21};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(row(214 + i).slot, block[i]);
    for (int r = 71; r <= 86; ++r) EXPECT_EQ(row(r).sRepeat, 1.0f);
    for (int r = 87; r <= 90; ++r) EXPECT_EQ(row(r).sRepeat, 2.0f);
}

TEST(StreetTableShape, EveryRowIsAUsableQuadWithAPictureAndAnAxisNormal)
{
    for (int r = 1; r <= STREET_QUAD_COUNT; ++r) {
        SCOPED_TRACE(::testing::Message() << "row " << r);
        const StreetQuad& q = row(r);
        EXPECT_NE(texturePathForSlot(q.slot), nullptr);
        const Vector3& n = q.normal;
        int axes = (n.x != 0) + (n.y != 0) + (n.z != 0);
        EXPECT_EQ(axes, 1);
        EXPECT_EQ(std::fabs(n.x) + std::fabs(n.y) + std::fabs(n.z), 1.0f);
        // Flat parallelograms with no zero-length edge: collision normalises their edges.
        Vector3 side = seenSide(q);
        EXPECT_GT(length(side), 0.0f);
        Vector3 far = q.c1 + q.c3 - q.c0;
        EXPECT_NEAR(distance(far, q.c2), 0.0f, 1e-4f);
        for (int k = 0; k < 4; ++k)
            EXPECT_GT(distance(corners(q)[k], corners(q)[(k + 1) % 4]), 0.0f);
    }
}

TEST(StreetTableRows, RowsFixedExactly)
{
    expectRow(1, 17, 800, -520, {0, 1, 0}, {500, 0, 300}, {500, 0, -500}, {-20, 0, -500},
              {-20, 0, 300});
    expectRow(2, 26, 1, 1, {0, 1, 0}, {-300, 200, 300}, {-300, 200, -500}, {500, 200, -500},
              {500, 200, 300});
    expectRow(3, 22, 1, 1, {-1, 0, 0}, {500, 200, 300}, {500, 200, -500}, {500, 0, -500},
              {500, 0, 300});
    expectRow(4, 23, 1, 1, {0, 0, -1}, {500, 200, 300}, {500, 0, 300}, {-300, 0, 300},
              {-300, 200, 300});
    expectRow(5, 24, 1, 1, {1, 0, 0}, {-300, 0, 300}, {-300, 0, -500}, {-300, 200, -500},
              {-300, 200, 300});
    expectRow(6, 25, 1, 1, {0, 0, 1}, {500, 0, -500}, {500, 200, -500}, {-300, 200, -500},
              {-300, 0, -500});
    expectRow(7, 15, 1, 1, {-1, 0, 0}, {-6, 0, -224}, {-6, 0, -222}, {-6, 8, -222}, {-6, 8, -224});
    expectRow(8, 15, 1, 1, {0, 0, -1}, {-4, 0, -224}, {-6, 0, -224}, {-6, 8, -224}, {-4, 8, -224});
    expectRow(9, 15, 1, 1, {1, 0, 0}, {-4, 0, -222}, {-4, 0, -224}, {-4, 8, -224}, {-4, 8, -222});
    expectRow(10, 15, 1, 1, {0, 0, 1}, {-6, 0, -222}, {-4, 0, -222}, {-4, 8, -222}, {-6, 8, -222});
    expectRow(131, 41, 15, 1, {-1, 0, 0}, {-8, 8, -224}, {-8, 8, -44}, {-8, 16, -44},
              {-8, 16, -224});
    expectRow(212, 11, 2, RAILS, {0, 1, 0}, {-20, -0.3f, -500}, {-28, -0.3f, -500},
              {-28, -0.3f, 300}, {-20, -0.3f, 300});
    expectRow(218, 48, 1, 1, {0, 0, 1}, {-50, -0.3f, -224}, {20, -0.3f, -224}, {20, 40, -224},
              {-50, 40, -224});
    expectRow(219, 49, 1, 1, {0, -1, 0}, {1, 0, -92}, {0, 0, -92}, {0, 1, -91.5f},
              {1, 1, -91.5f});
    EXPECT_FLOAT_EQ(RAILS, 266.666667f);
}

struct Footprint {
    float x0, z0;
};

void expectBoxes(int firstRow, const std::vector<Footprint>& feet, float height)
{
    const Vector3 outward[4] = {{-1, 0, 0}, {0, 0, -1}, {1, 0, 0}, {0, 0, 1}};
    for (size_t b = 0; b < feet.size(); ++b) {
        int first = firstRow + 4 * (int)b;
        SCOPED_TRACE(::testing::Message() << "box from row " << first);
        const Footprint& f = feet[b];
        expectBounds(first, first + 3, {f.x0, f.x0 + 2, 0, height, f.z0, f.z0 + 2});
        Vector3 centre(f.x0 + 1, height / 2, f.z0 + 1);
        for (int s = 0; s < 4; ++s) {
            const StreetQuad& q = row(first + s);
            expectVec(q.normal, outward[s].x, outward[s].y, outward[s].z);
            // Each side lies on its face of the box and is seen from outside only.
            EXPECT_EQ(dot(q.c0 - centre, outward[s]), 1.0f);
            EXPECT_GT(dot(seenSide(q), outward[s]), 0.0f);
        }
    }
}

TEST(StreetTableFootprints, ColumnsAndPillarsStandWhereTheStreetNeedsThem)
{
    expectBoxes(7,
                {{-6, -224}, {-6, -212}, {-6, -200}, {-6, -188}, {-6, -176}, {-6, -170},
                 {-6, -158}, {-6, -146}, {-6, -134}, {-6, -122}, {-6, -116}, {-6, -104},
                 {-6, -92}, {-6, -68}, {-6, -62}, {-6, -46}},
                8);
    expectBoxes(71, {{-6, -32}, {-6, -18}, {-6, -4}, {-6, 10}, {-6, 30}}, 7);
    expectBoxes(91,
                {{10, -212}, {10, -200}, {10, -176}, {6, -46}, {18, -46}, {30, -46}, {42, -46},
                 {-6, -200}, {-6, -80}, {10, -188}},
                8);
}

TEST(StreetTableWinding, NormalsPointAwayFromTheSeenSideOnExactlyTheKnownRows)
{
    std::vector<int> away;
    for (int r = 1; r <= STREET_QUAD_COUNT; ++r)
        if (dot(row(r).normal, seenSide(row(r))) < 0) away.push_back(r);
    const std::vector<int> want = {2, 135, 136, 137, 155, 160, 165, 182, 190, 203, 211, 219, 220};
    EXPECT_EQ(away, want);
}

TEST(StreetTableWinding, SkyBoxIsSeenFromInsideColumnsFromOutsideThinWallsFromBothSides)
{
    const Vector3 insideSky(100, 100, -100);
    for (int r = 2; r <= 6; ++r) EXPECT_GT(dot(seenSide(row(r)), insideSky - row(r).c0), 0) << r;

    const Vector3 insideColumn(-5, 4, -79);  // rows 123-126
    for (int r = 123; r <= 126; ++r)
        EXPECT_LT(dot(seenSide(row(r)), insideColumn - row(r).c0), 0) << r;

    // The stands' back walls and counter fronts are single planes drawn once per side.
    const int pairs[][2] = {{178, 179}, {186, 187}, {199, 200}, {207, 208}};
    for (const auto& p : pairs) {
        const StreetQuad& a = row(p[0]);
        const StreetQuad& b = row(p[1]);
        Vector3 sa = normalized(seenSide(a));
        Vector3 sb = normalized(seenSide(b));
        EXPECT_FLOAT_EQ(dot(sa, sb), -1.0f) << p[0];
        EXPECT_EQ(dot(sa, b.c0 - a.c0), 0.0f) << p[0];
    }
}

// Distance from a point to the box of eye positions: the play area at eye heights 1.75..2.2.
double distanceToEyeRegion(double x, double y, double z)
{
    double dx = x - std::clamp(x, -18.0, 18.0);
    double dy = y - std::clamp(y, 1.75, 2.2);
    double dz = z - std::clamp(z, -220.0, -38.0);
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// The distance is convex over the parallelogram c0 + u (c1 - c0) + v (c3 - c0), so nested
// ternary searches over u and v find its minimum.
double quadDistanceToEyeRegion(const StreetQuad& q)
{
    auto at = [&](double u, double v) {
        return distanceToEyeRegion(q.c0.x + u * (q.c1.x - q.c0.x) + v * (q.c3.x - q.c0.x),
                                   q.c0.y + u * (q.c1.y - q.c0.y) + v * (q.c3.y - q.c0.y),
                                   q.c0.z + u * (q.c1.z - q.c0.z) + v * (q.c3.z - q.c0.z));
    };
    auto minimise = [](auto f) {
        double lo = 0, hi = 1;
        for (int i = 0; i < 60; ++i) {
            double m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
            if (f(m1) < f(m2)) hi = m2;
            else lo = m1;
        }
        return f((lo + hi) / 2);
    };
    return minimise([&](double v) { return minimise([&](double u) { return at(u, v); }); });
}

TEST(StreetTableReach, OneHundredFortyOneQuadsComeWithinTheEyeRadius)
{
    const double radius = 2.2;
    // Rows that can be reached, by group: first row, last row, count.
    const int reachable[][3] = {{1, 1, 1},       {7, 70, 63},     {91, 130, 32}, {144, 151, 3},
                                {170, 190, 19},  {191, 211, 19},  {219, 222, 4}};
    int total = 0;
    std::vector<int> perGroup(7, 0);
    for (int r = 1; r <= STREET_QUAD_COUNT; ++r) {
        if (quadDistanceToEyeRegion(row(r)) >= radius) continue;
        ++total;
        bool grouped = false;
        for (int g = 0; g < 7; ++g)
            if (r >= reachable[g][0] && r <= reachable[g][1]) ++perGroup[g], grouped = true;
        EXPECT_TRUE(grouped) << "row " << r << " is within reach";
    }
    EXPECT_EQ(total, 141);
    for (int g = 0; g < 7; ++g) EXPECT_EQ(perGroup[g], reachable[g][2]) << "from row " << reachable[g][0];
    // Out of reach within their groups: the far face of the first column, the stands' roofs.
    EXPECT_GE(quadDistanceToEyeRegion(row(8)), radius);
    EXPECT_GE(quadDistanceToEyeRegion(row(180)), radius);
    EXPECT_GE(quadDistanceToEyeRegion(row(181)), radius);
}

TEST(StreetTableRecording, WalkingTheTableRecordsEveryCornerInDrawingOrder)
{
    static SceneVertices list;
    list.count = 0;
    recordStreetTable(list);
    ASSERT_EQ(list.count, 888);
    for (int r = 1; r <= STREET_QUAD_COUNT; ++r)
        for (int k = 0; k < 4; ++k) {
            const Vector3& want = corners(row(r))[k];
            const Vector3& got = list.vertices[4 * (r - 1) + k];
            ASSERT_TRUE(got.x == want.x && got.y == want.y && got.z == want.z) << r << "/" << k;
        }
    expectVec(list.vertices[0], 500, 0, 300);
    expectVec(list.vertices[887], 1, 1, -91.5f);
}

TEST(StreetTableRecording, AQuadThatDoesNotFitIsRefusedWhole)
{
    static SceneVertices list;
    const Vector3 a(1, 2, 3), b(4, 5, 6);
    list.count = SCENE_VERTEX_CAPACITY - 4;
    EXPECT_TRUE(appendQuadCorners(list, a, b, a, b));
    EXPECT_EQ(list.count, SCENE_VERTEX_CAPACITY);
    expectVec(list.vertices[SCENE_VERTEX_CAPACITY - 3], 4, 5, 6);

    list.count = SCENE_VERTEX_CAPACITY - 3;
    list.vertices[SCENE_VERTEX_CAPACITY - 3] = Vector3(0, 0, 0);
    EXPECT_FALSE(appendQuadCorners(list, a, b, a, b));
    EXPECT_EQ(list.count, SCENE_VERTEX_CAPACITY - 3);
    expectVec(list.vertices[SCENE_VERTEX_CAPACITY - 3], 0, 0, 0);
}

TEST(StreetTableRecordingDeathTest, OverflowStopsWithAMessage)
{
    static SceneVertices list;
    list.count = SCENE_VERTEX_CAPACITY - 2;
    const Vector3 a(0, 0, 0);
    EXPECT_DEATH(recordQuadCorners(list, a, a, a, a),
                 "does not fit the scene vertex list \\(998 of 1000");
}

}  // namespace test_street_table
