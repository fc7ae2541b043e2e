// The demo's pictures: the menu, every 10 seconds of play, the first green cone among a few
// passers-by, the raised fist and the table. This decides which are due; the game takes them.
// Depends on: demo.h (what the player sees), game_state.h, countdown.h (the time's text),
// the platform clock.
#pragma once
#include <string>
#include <vector>

// PNGs into dir (absolute).
void harnessWritePictures(const std::string& dir);
// The paths of the pictures the frame just drawn should be saved as, in order; none when
// no directory was given.
std::vector<std::string> demoPicturesDue();
