// One play frame's rules, without drawing: the frame time, the player's walk, each
// passer-by's step, the effect sounds, the countdown, the end of the game and the table,
// and the push out of the street's walls. It returns what the frame shows.
// Depends on: character_step.h (what a passer-by draws), camera.h, countdown.h,
// highscore_table.h, roster.h.
#pragma once
#include "app/countdown.h"
#include "app/highscore_table.h"
#include "characters/character_step.h"
#include "characters/roster.h"
#include "player/camera.h"

const float SECONDS_PER_MILLISECOND = 0.001f;

// What one play frame decided, for the drawing to show.
struct PlayFrame {
    Camera eye;                                // after the walk, before any push-back
    CharacterDraw characters[ROSTER_SIZE];     // in roster order
    bool bumpSound;                            // effects started this frame, bump first
    bool scoreSound;
};

// The score and the time left as the overlay shows them.
extern char scoreText[SCORE_TEXT_SIZE];
extern char timeText[TIME_TEXT_SIZE];

// Runs one play frame's rules in the game's order: frame time, walk, each passer-by's step
// (push-back, nearness, flyers, score), the flyer click let go, the effect triggers, the
// score text, the countdown (the frame that ends the game writes the top-five table), the
// time text and, while the game goes on, the push out of the street's walls, which the eye
// shows from the next frame on. Once the game is over nothing moves: returns false and
// leaves frame as it was.
bool stepPlayFrame(PlayFrame& frame);

// The pieces of the step, in its order (tests call them one by one).
void measureFrameTime();
// Walks and sidesteps the player by the held axes and keeps it in the play area.
void movePlayer();
// A bump noted by a passer-by, then a score that changed since the last frame: each starts
// its sound once.
void takeEffectTriggers(GameState& state, PlayFrame& frame);
