// The one-time start-up of the game: the fixed GL state and every asset, loaded once.
// Depends on: startup.h, lighting, textures, the roster, street scene, sound, GL.
#pragma once

void initGame();
