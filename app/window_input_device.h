// The window's input callbacks: each event is recorded, then handed to the game's input
// callbacks, as an event of the next frame. A replayed game does not listen to the devices.
// Depends on: script_delivery_device.h, script_feed.h (replaying), harness_device.h (the frame number),
// key_codes.h.
#pragma once

void deviceKeyDown(unsigned char key, int x, int y);
void deviceKeyUp(unsigned char key, int x, int y);
void deviceSpecialKey(int key, int x, int y);
void deviceMouseButton(int button, int state, int x, int y);
void deviceMouseMotion(int x, int y);
void deviceReshape(int width, int height);
// A replay that ran out hands the window back: the game takes the real window's size again.
void deviceReplayEnded();
