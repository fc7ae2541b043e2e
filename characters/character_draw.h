// The passers-by in the 3D pass: each one's step, then its model and marker cone.
// Depends on: character_step.h, md2_draw.h, textures.h, OpenGL, GLUT.
#pragma once
#include "characters/character_step.h"

// Call once per play frame after the view transform is loaded: notes the view volume so
// that models outside it skip their GL work (never their step).
void beginCharacterFrame();
// One frame of a character: its step, then drawing what the step decided.
void updateCharacter(Character& c);
// Draws what a step decided: the model (unless outside the view) and the cone.
void drawCharacter(Character& c, const CharacterDraw& draw);
// Models skipped as outside the view since the last beginCharacterFrame (for tests).
int charactersOutsideView();
