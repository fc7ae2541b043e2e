// Benchmark runs only (bench/run), behind options that --help does not list: the moment the
// first frame is on screen, and the two floors a play frame is compared with, measured in the
// game's own window after its scripted walk.
// Depends on: nothing.
#pragma once

// Frames measured for each floor.
const int BENCH_FLOOR_FRAMES = 300;
// The drawing floor of a walk is that of several of its frames: the last one and those every
// BENCH_SAMPLE_SPACING frames before it, each replayed an equal share of the floor's frames.
const int BENCH_FLOOR_SAMPLES = 10;
const long BENCH_SAMPLE_SPACING = 100;

// --bench-startup: after the first frame is on screen, print when (wallClockMs) and quit.
void benchRequestStartupStamp();
// --bench-floors FRAME: FRAME, the last frame of a scripted walk, and the samples before it
// that are play frames are recorded into display lists as they draw; after FRAME the floors
// are measured and printed on one line with the recorded frames, and the game quits.
void benchRequestFloors(long frame);

// Called by displayFrame around the frame's drawing and after its swap.
bool benchRecordsThisFrame();
void benchBeginRecording();
void benchEndRecording();
void benchAfterSwap();
