// The harness's frame hooks: the frame count, the scripted and the autopilot's events fed
// before a frame, screenshots before the swap, the trace line after it.
// Depends on: script_feed.h, harness_recording.h, trace_line.h, trace_file.h, demo.h,
// demo_pictures.h, script_delivery.h, screenshot.h, game_state.h, camera.h, roster.h,
// character_draw.h (the culling count), highscore_table.h, the platform clocks and sound log.
#pragma once
// Start-up (main) still reaches the harness's other parts through this header.
#include "app/demo.h"
#include "app/demo_pictures.h"
#include "app/harness_recording.h"
#include "app/script_feed.h"
#include "app/trace_file.h"
#include "app/window_input_device.h"

// Called by displayFrame: before anything is drawn, before the swap, after the swap.
void harnessBeginFrame();
void harnessBeforeSwap();
void harnessEndFrame();

long harnessFrameNumber();
