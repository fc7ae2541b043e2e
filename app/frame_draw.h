// The frame loop's drawing side: one function shows every frame, menu or play.
// Depends on: play_step.h, the menu, the HUD, the harness, GL/GLUT.
#pragma once

// Both the display and the idle callback: frames are drawn back to back.
void displayFrame();
