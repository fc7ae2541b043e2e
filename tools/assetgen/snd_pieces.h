// The four sounds of the game as sample data, before they are encoded to files.
// Depends on: snd_synth.h.
#pragma once
#include "tools/assetgen/snd_synth.h"

StereoTrack renderOrganPiece();  // calm menu music, loops seamlessly (snd_organ.cpp)
StereoTrack renderSpyLoop();     // driving game music, loops seamlessly (snd_spy.cpp)
Track renderFlyerChime();        // rising chime when a flyer is taken (snd_effects.cpp)
Track renderBump();              // dull bump when a passer-by pushes back (snd_effects.cpp)
