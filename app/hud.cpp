// The 2D overlay of play mode. The crosshair, score, countdown and hand pictures are not
// drawn yet; until they are, play has no time limit.
// Depends on: hud.h.
#include "app/hud.h"

void drawHud() {}
