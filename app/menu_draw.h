// The menu screens: one full-window picture per menu state.
// Depends on: game_state.h, textures_gl.h, startup.h, GL.
#pragma once

void drawMenu();
void drawFullScreenPicture(int slot);
// The slot whose picture the menu shows in the current state.
int menuPictureSlot();
