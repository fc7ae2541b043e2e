// The street as the autopilot walks it: the walls seen from above, the grid of cells where
// the eye fits, and the way round the columns and stands to a goal.
// Depends on: autopilot_street.h, street_table.h, collision.h (the eye's radius), camera.h
// (the play area).
#include "app/autopilot_street.h"

#include "player/camera.h"
#include "player/collision.h"
#include "world/street_table.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <queue>

namespace {

// Finding a way round the columns and stands.
const float GRID_CELL = 1.0f;
const float FREE_CLEARANCE = COLLISION_RADIUS + 0.1f;
const float WALK_CHECK_STEP = 0.5f;
const float WALK_CHECK_SKIP = 1.0f;
const float DIAGONAL_COST = 1.41421356f;

// Walls: upright quads that reach into the band the eye's sphere sweeps.
const float WALL_BAND_BOTTOM = 0.05f;
const float WALL_BAND_TOP = 4.4f;

float segmentDistance(const WallSegment& w, float x, float z)
{
    float dx = w.x1 - w.x0, dz = w.z1 - w.z0;
    float len2 = dx * dx + dz * dz;
    float t = len2 > 0 ? ((x - w.x0) * dx + (z - w.z0) * dz) / len2 : 0.0f;
    t = std::max(0.0f, std::min(1.0f, t));
    return horizontalDistance(w.x0 + t * dx, w.z0 + t * dz, x, z);
}

}  // namespace

float horizontalDistance(float x0, float z0, float x1, float z1)
{
    return std::hypot(x1 - x0, z1 - z0);
}

std::vector<WallSegment> streetWalls(const StreetQuad* quads, int quadCount)
{
    std::vector<WallSegment> walls;
    for (int i = 0; i < quadCount; ++i) {
        const StreetQuad& q = quads[i];
        if (q.normal.y != 0.0f) continue;
        const Vector3 c[CORNERS_PER_QUAD] = {q.c0, q.c1, q.c2, q.c3};
        float low = c[0].y, high = c[0].y;
        for (const Vector3& v : c) {
            low = std::min(low, v.y);
            high = std::max(high, v.y);
        }
        if (high <= WALL_BAND_BOTTOM || low >= WALL_BAND_TOP) continue;
        // Seen from above an upright quad is the segment between its two furthest corners.
        int far = 1;
        for (int k = 2; k < CORNERS_PER_QUAD; ++k)
            if (horizontalDistance(c[0].x, c[0].z, c[k].x, c[k].z) >
                horizontalDistance(c[0].x, c[0].z, c[far].x, c[far].z))
                far = k;
        walls.push_back(WallSegment{c[0].x, c[0].z, c[far].x, c[far].z});
    }
    return walls;
}

float wallClearance(const std::vector<WallSegment>& walls, float x, float z)
{
    float best = 1e9f;
    for (const WallSegment& w : walls) best = std::min(best, segmentDistance(w, x, z));
    return best;
}

StreetGrid buildStreetGrid(const std::vector<WallSegment>& walls)
{
    StreetGrid grid;
    grid.columns = (int)((PLAY_AREA_MAX_X - PLAY_AREA_MIN_X) / GRID_CELL) + 1;
    grid.rows = (int)((PLAY_AREA_MAX_Z - PLAY_AREA_MIN_Z) / GRID_CELL) + 1;
    grid.free.resize((size_t)grid.columns * grid.rows);
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c) {
            float x = PLAY_AREA_MIN_X + c * GRID_CELL, z = PLAY_AREA_MIN_Z + r * GRID_CELL;
            grid.free[(size_t)r * grid.columns + c] = wallClearance(walls, x, z) >= FREE_CLEARANCE;
        }
    return grid;
}

bool walkClear(const std::vector<WallSegment>& walls, float x0, float z0, float x1, float z1)
{
    float length = horizontalDistance(x0, z0, x1, z1);
    for (float s = WALK_CHECK_SKIP; s < length; s += WALK_CHECK_STEP) {
        float t = s / length;
        if (wallClearance(walls, x0 + (x1 - x0) * t, z0 + (z1 - z0) * t) < FREE_CLEARANCE)
            return false;
    }
    return length < WALK_CHECK_SKIP || wallClearance(walls, x1, z1) >= FREE_CLEARANCE;
}

Vector3 nextWaypoint(const StreetGrid& grid, const std::vector<WallSegment>& walls,
                     const Vector3& from, const Vector3& goal)
{
    if (walkClear(walls, from.x, from.z, goal.x, goal.z)) return goal;
    auto cellOf = [&](float x, float z) {
        int c = (int)std::lround((x - PLAY_AREA_MIN_X) / GRID_CELL);
        int r = (int)std::lround((z - PLAY_AREA_MIN_Z) / GRID_CELL);
        c = std::max(0, std::min(grid.columns - 1, c));
        r = std::max(0, std::min(grid.rows - 1, r));
        return r * grid.columns + c;
    };
    auto xOf = [&](int cell) { return PLAY_AREA_MIN_X + (cell % grid.columns) * GRID_CELL; };
    auto zOf = [&](int cell) { return PLAY_AREA_MIN_Z + (cell / grid.columns) * GRID_CELL; };
    int start = cellOf(from.x, from.z), end = cellOf(goal.x, goal.z);

    // A* over the free cells (the start cell counts as free: the eye is there); the way
    // ends at the goal or at the reached cell nearest to it.
    std::vector<float> cost(grid.free.size(), -1.0f);
    std::vector<int> cameFrom(grid.free.size(), -1);
    typedef std::pair<float, int> Entry;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    auto estimate = [&](int cell) {
        return horizontalDistance(xOf(cell), zOf(cell), goal.x, goal.z);
    };
    cost[start] = 0;
    open.push(Entry(estimate(start), start));
    int best = start;
    while (!open.empty()) {
        int cell = open.top().second;
        open.pop();
        if (estimate(cell) < estimate(best)) best = cell;
        if (cell == end) break;
        int c = cell % grid.columns, r = cell / grid.columns;
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc) {
                int nc = c + dc, nr = r + dr;
                bool outside = nc < 0 || nr < 0 || nc >= grid.columns || nr >= grid.rows;
                if ((dr == 0 && dc == 0) || outside) continue;
                int next = nr * grid.columns + nc;
                if (!grid.free[next]) continue;
                float step = (dr != 0 && dc != 0) ? DIAGONAL_COST : 1.0f;
                float through = cost[cell] + step * GRID_CELL;
                if (cost[next] >= 0 && cost[next] <= through) continue;
                cost[next] = through;
                cameFrom[next] = cell;
                open.push(Entry(through + estimate(next), next));
            }
    }
    // The furthest cell of the way that can be walked to straight.
    std::vector<int> way;
    for (int cell = best; cell != -1; cell = cameFrom[cell]) way.push_back(cell);
    for (int i = 0; i < (int)way.size(); ++i)
        if (walkClear(walls, from.x, from.z, xOf(way[i]), zOf(way[i])))
            return Vector3(xOf(way[i]), from.y, zOf(way[i]));
    return way.size() > 1 ? Vector3(xOf(way[way.size() - 2]), from.y, zOf(way[way.size() - 2]))
                          : goal;
}
