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
// One JSON object (no line break) describing the game after the given frame.
std::string traceLine(long frame, const std::vector<std::string>& sounds);
