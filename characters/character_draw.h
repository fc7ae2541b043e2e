// The passers-by in the 3D pass: each one's model and marker cone, as its step decided.
// Depends on: character_step.h, md2_draw.h, textures_gl.h, OpenGL, GLUT.
#pragma once
#include "characters/character_step.h"

// Call once per play frame after the view transform is loaded: notes the view volume so
// that models outside it skip their GL work (never their step).
void beginCharacterFrame();
// Draws what a step decided: the model (unless outside the view) and the cone.
void drawCharacter(Character& c, const CharacterDraw& draw);
// Models skipped as outside the view since the last beginCharacterFrame (for tests).
int charactersOutsideView();
