// The passers-by's behaviour, one frame at a time.
// Depends on: character_step.h, texture_table.h.
#include "characters/character_step.h"

#include "world/texture_table.h"

#include <cmath>

Vector3 stepVector(float heading, float speed)
{
    double h = heading * HEADING_PI / 180.0;
    return Vector3((float)(std::cos(h) * speed), 0.0f, (float)(-std::sin(h) * speed));
}

Vector3 markerPosition(const Character& c, const Vector3& step)
{
    const CharacterKind& kind = *c.kind;
    return Vector3(c.position.x + kind.markerLead * step.x, kind.markerHeight,
                   c.position.z + kind.markerLead * step.z);
}

namespace {

// A new turning direction is drawn every 11 frames, by every kind.
void turnSpell(Character& c)
{
    if (c.turnCountdown == 0) {
        c.turnCountdown = TURN_SPELL_FRAMES;
        c.turnClockwise = (randomInt() % 2 != 0);
        c.turnStep = c.turnClockwise ? TURN_STEP_RIGHT : TURN_STEP_LEFT;
    } else {
        c.turnCountdown -= 1;
    }
}

void takeFlyer(Character& c, GameState& game, uint32_t clockMs)
{
    c.sinceLastFlyer = (float)((double)clockMs - (double)c.lastFlyerTime);
    if (c.sinceLastFlyer > FLYER_PAUSE_MS) c.isReady = true;
    if (c.isReady && game.flyerClick) {
        game.flyerClick = false;
        c.lastFlyerTime = (float)clockMs;
        game.score = (game.score + c.kind->flyerPoints) % FLYER_SCORE_MODULUS;
        c.isReady = false;
    }
}

}  // namespace

CharacterDraw stepCharacter(Character& c, Camera& cam, GameState& game, uint32_t clockMs)
{
    CharacterDraw draw = {};
    const CharacterKind& kind = *c.kind;
    Md2Model& model = c.model;

    // A model without the kind's animation (failed load, short file) is neither animated
    // nor drawn; the rest of the frame goes on.
    draw.modelShown = modelHasAnimation(model, c.wantedAnimation);
    if (draw.modelShown && model.currentAnimation != c.wantedAnimation) {
        model.currentAnimation = c.wantedAnimation;
        model.currentFrame = model.animations[c.wantedAnimation].startFrame;
    }

    turnSpell(c);
    if (kind.turns) c.heading = (float)((int32_t)(c.turnStep + c.heading) % FULL_TURN_DEGREES);
    Vector3 stride = stepVector(c.heading, c.speed);  // this frame's step

    draw.modelAt = Vector3(c.position.x + stride.x, c.position.y, c.position.z + stride.z);
    draw.heading = c.heading;
    draw.scale = c.scale;
    draw.textureSlot = kind.textureSlot;
    if (draw.modelShown) draw.pose = advanceModel(model, clockMs);

    // From the eye to the passer-by, and to a point a little ahead of it.
    Vector3 fromEye = c.position - cam.position;
    Vector3 aheadFromEye = fromEye + normalized(stride) * NEAR_LOOK_AHEAD;

    if (length(fromEye) < PUSH_BACK_DISTANCE) {
        cam.position.x += PUSH_BACK_FACTOR * fromEye.x;
        cam.position.z += PUSH_BACK_FACTOR * fromEye.z;
        cam.view.x += PUSH_BACK_FACTOR * fromEye.x;
        cam.view.z += PUSH_BACK_FACTOR * fromEye.z;
        game.bumpSound = true;
    }

    // Nearness uses the eye from before any push-back of this frame.
    c.isNear = length(aheadFromEye) < NEAR_DISTANCE;
    if (c.isNear) {
        takeFlyer(c, game, clockMs);
        draw.markerShown = true;
        draw.markerAt = markerPosition(c, stride);
        draw.markerSlot = c.isReady ? MARKER_GREEN_SLOT : MARKER_RED_SLOT;
    }

    c.position.x += stride.x;
    c.position.z += stride.z;
    if (c.position.x > WALK_BOX_MAX_X || c.position.x < WALK_BOX_MIN_X ||
        c.position.z < WALK_BOX_MIN_Z || c.position.z > WALK_BOX_MAX_Z) {
        c.position.x -= 2 * stride.x;
        c.position.z -= 2 * stride.z;
        c.heading += TURN_BACK_DEGREES;
    }
    return draw;
}
