// What the autopilot sees after a frame: the HUD's values and the passers-by on the screen,
// in front of the eye, inside the picture and not behind a column or a stand.
// Depends on: autopilot_sight.h, projection.h (the field of view), character_step.h (the
// cone's place), street_table.h, game_state.h.
#include "app/autopilot_sight.h"

#include "app/game_state.h"
#include "app/projection.h"
#include "characters/character_step.h"
#include "world/street_table.h"

#include <cmath>

namespace {

// Seeing: a passer-by's middle and head, and the near plane of the picture.
const float BODY_RAISE = 0.8f;
const float PICTURE_NEAR = 1.0f;
const float SEGMENT_END_MARGIN = 0.001f;

// p inside the convex quad c[0..3] that lies in the plane with normal n.
bool insideQuad(const Vector3& p, const Vector3* c, const Vector3& n)
{
    for (int k = 0; k < CORNERS_PER_QUAD; ++k) {
        Vector3 edge = c[(k + 1) % CORNERS_PER_QUAD] - c[k];
        if (dot(cross(edge, p - c[k]), n) < 0) return false;
    }
    return true;
}

bool seenClearly(const Camera& eye, const Vector3& p, float aspect)
{
    return pointInPicture(eye, p, aspect) &&
           lineOfSightClear(eye.position, p, streetTable, STREET_QUAD_COUNT);
}

}  // namespace

bool pointInPicture(const Camera& eye, const Vector3& p, float aspect)
{
    Vector3 forward = normalized(eye.view - eye.position);
    Vector3 right = normalized(cross(forward, eye.up));
    Vector3 up = cross(right, forward);
    Vector3 d = p - eye.position;
    float depth = dot(d, forward);
    if (depth < PICTURE_NEAR) return false;
    float halfHeight = (float)std::tan(FIELD_OF_VIEW_DEGREES / 2 * PI_F / 180.0);
    return std::fabs(dot(d, up) / depth) <= halfHeight &&
           std::fabs(dot(d, right) / depth) <= halfHeight * aspect;
}

bool lineOfSightClear(const Vector3& from, const Vector3& to, const StreetQuad* quads,
                      int quadCount)
{
    Vector3 ray = to - from;
    for (int i = 0; i < quadCount; ++i) {
        const StreetQuad& q = quads[i];
        Vector3 c[CORNERS_PER_QUAD] = {q.c0, q.c1, q.c2, q.c3};
        Vector3 n = cross(c[1] - c[0], c[2] - c[0]);
        float denom = dot(n, ray);
        if (denom == 0.0f) continue;
        float t = dot(n, c[0] - from) / denom;
        if (t <= SEGMENT_END_MARGIN || t >= 1 - SEGMENT_END_MARGIN) continue;
        if (insideQuad(from + ray * t, c, n)) return false;
    }
    return true;
}

PlayerView observeGame(const GameState& game, const Camera& eye, const Character* characters,
                       int characterCount, float windowWidth, float windowHeight,
                       uint32_t clockMs)
{
    PlayerView view;
    view.clockMs = clockMs;
    view.menuMode = game.menuMode;
    view.menuIndex = game.menuIndex;
    view.pageShown = game.aboutShown || game.helpShown;
    view.gameOver = game.gameOver;
    view.score = game.score;
    view.secondsLeft = game.secondsLeft;
    view.fistShown = game.fistShown;
    view.eye = eye;
    view.windowWidth = (int)windowWidth;
    view.windowHeight = (int)windowHeight;
    if (game.menuMode || game.gameOver) return view;
    float aspect = windowHeight > 0 ? windowWidth / windowHeight : 1.0f;
    for (int i = 0; i < characterCount; ++i) {
        const Character& c = characters[i];
        Vector3 head(c.position.x, c.position.y + BODY_RAISE, c.position.z);
        bool bodySeen = seenClearly(eye, c.position, aspect) || seenClearly(eye, head, aspect);
        bool coneSeen = false;
        if (c.isNear) {
            Vector3 cone = markerPosition(c, stepVector(c.heading, c.speed));
            coneSeen = seenClearly(eye, cone, aspect);
        }
        if (bodySeen || coneSeen)
            view.seen.push_back(SeenCharacter{i, c.position, coneSeen, coneSeen && c.isReady,
                                              c.kind->flyerPoints});
    }
    return view;
}
