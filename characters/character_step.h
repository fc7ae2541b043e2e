// One frame of a passer-by without drawing: turning, walking, pushing the player back,
// nearness, flyers and score, and the animation clock. It returns what to draw.
// Depends on: roster.h, md2_animation.h, camera.h, game_state.h.
#pragma once
#include "app/game_state.h"
#include "characters/md2_animation.h"
#include "characters/roster.h"
#include "player/camera.h"

#include <cstdint>

const double HEADING_PI = 3.141592653589793;
const int32_t FULL_TURN_DEGREES = 360;
const float TURN_BACK_DEGREES = 180.0f;
const float PUSH_BACK_DISTANCE = 1.8f;    // closer than this bumps the player away
const float PUSH_BACK_FACTOR = -2.0f;     // the eye jumps by twice its offset, away
const float NEAR_DISTANCE = 4.3f;         // the cone shows and flyers are taken
const float NEAR_LOOK_AHEAD = 1.2f;       // nearness is measured to a point this far ahead
const float FLYER_PAUSE_MS = 15000.0f;    // a flyer taken makes the character unready this long
const int FLYER_SCORE_MODULUS = 1000;

// The walking box: stepping outside turns a character back.
const float WALK_BOX_MIN_X = -18.0f;
const float WALK_BOX_MAX_X = 11.0f;
const float WALK_BOX_MIN_Z = -220.0f;
const float WALK_BOX_MAX_Z = -38.0f;

// The marker cone over a near character.
const float MARKER_BASE_RADIUS = 0.07f;
const float MARKER_HEIGHT = 0.2f;
const int MARKER_SLICES = 20;
const int MARKER_STACKS = 20;

// What one frame of a character draws, decided by its step.
struct CharacterDraw {
    bool modelShown;       // false when the model lacks the kind's animation
    ModelPose pose;        // keyframes and blend (pose.drawn false: nothing to draw)
    Vector3 modelAt;       // where the model is drawn: the spot it walks to this frame
    float heading;         // degrees about +y
    float scale;
    int textureSlot;
    bool markerShown;      // the player is near
    Vector3 markerAt;
    int markerSlot;        // green when ready, red when not
};

// The step vector at a heading (degrees) and speed: (cos h, 0, -sin h) x speed.
Vector3 stepVector(float heading, float speed);
// Where the marker cone over a near character stands: ahead of it along its step vector by
// its kind's lead, at its kind's height.
Vector3 markerPosition(const Character& c, const Vector3& step);

// One frame of the character, in the game's order: animation, turning spell, heading,
// step vector, the animation clock, distances, push-back, nearness, flyer, walk, walking
// box. Reads and may change cam (push-back) and game (flyerClick, bumpSound, score).
CharacterDraw stepCharacter(Character& c, Camera& cam, GameState& game, uint32_t clockMs);
