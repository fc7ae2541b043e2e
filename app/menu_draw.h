// The menu screens: one full-window picture per menu state.
// Depends on: game_state.h, textures_gl.h, startup.h, GL.
#pragma once

// Loads the page's picture when it is not the one loaded (freeing that one), then draws it.
void drawMenu();
// Frees the loaded menu page, if any: play never shows the menu again.
void releaseMenuPage();
void drawFullScreenPicture(int slot);
// The slot whose picture the menu shows in the current state.
int menuPictureSlot();
