// Recording and replay support: scripted input, per-frame trace, screenshots, frame count.
// Depends on: script.h, game_state.h, camera.h, the platform clock and sound log.
#pragma once
#include <string>
#include <vector>

struct ScriptEvent;

// Set-up before the window opens; false with a message in error on a bad file.
bool harnessLoadScript(const std::string& path, std::string& error);
bool harnessOpenTrace(const std::string& path, std::string& error);

// Called by displayFrame: before anything is drawn, before the swap, after the swap.
void harnessBeginFrame();
void harnessBeforeSwap();
void harnessEndFrame();

long harnessFrameNumber();

// A script that holds clock readings is a recording: its game replays exactly, and the
// devices are not listened to. The name it recorded, if any, is in bytes.
bool harnessReplaying();
bool harnessRecordedName(std::string& bytes);
// Once the recording is open (recordOpen) and the name is known: the clock holds one reading
// per frame, and every event delivered from now on is written down.
void harnessStartRecording();
// The autopilot plays: after each frame it sees the screen and answers with input events.
void harnessStartDemo();
// PNGs into dir (absolute): the menu, every 10 seconds of play, the first cone in sight,
// the raised fist and the table.
void harnessWritePictures(const std::string& dir);

// The device callbacks: each event is recorded, then handed to the game's input callbacks.
void deviceKeyDown(unsigned char key, int x, int y);
void deviceKeyUp(unsigned char key, int x, int y);
void deviceSpecialKey(int key, int x, int y);
void deviceMouseButton(int button, int state, int x, int y);
void deviceMouseMotion(int x, int y);
void deviceReshape(int width, int height);
// One JSON object (no line break) describing the game after the given frame.
std::string traceLine(long frame, const std::vector<std::string>& sounds);
