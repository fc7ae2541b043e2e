// The harness's frame hooks: the frame count, the scripted and the autopilot's events fed
// before a frame, screenshots before the swap, the trace line after it.
// Depends on: script_feed.h, harness_recording.h, trace_line.h, trace_file.h, demo.h,
// demo_pictures.h, script_delivery_device.h, screenshot_gl.h, game_state.h, camera.h, roster.h,
// character_draw.h (the culling count), highscore_table.h, the platform clocks and sound log.
#pragma once

// Called by displayFrame: before anything is drawn, before the swap, after the swap.
void harnessBeginFrame();
void harnessBeforeSwap();
void harnessEndFrame();

long harnessFrameNumber();
