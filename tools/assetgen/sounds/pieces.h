// The four sounds of the game as sample data, before they are encoded to files.
// Depends on: synth.h.
#pragma once
#include "tools/assetgen/sounds/synth.h"

StereoTrack renderOrganPiece();  // calm menu music, loops seamlessly (organ.cpp)
StereoTrack renderSpyLoop();     // driving game music, loops seamlessly (spy.cpp)
Track renderFlyerChime();        // rising chime when a flyer is taken (effects.cpp)
Track renderBump();              // dull bump when a passer-by pushes back (effects.cpp)
