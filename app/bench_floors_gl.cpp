// The benchmark's floors, measured in the game's window so they share its display, driver
// state and load: frames that only clear and swap, and the drawing floor, one play frame's GL
// commands recorded once into a display list and replayed (the same pixels with no work of
// ours). Nothing here runs unless a benchmark option asked for it.
// Depends on: bench_floors_gl.h, frame_stats.h, game_state.h, harness_device.h, input_device.h, startup.h,
// the platform wall clock, GL, GLUT.
#include "app/bench_floors_gl.h"

#include "app/frame_stats.h"
#include "app/game_state.h"
#include "app/harness_device.h"
#include "app/input.h"
#include "app/startup.h"
#include "platform/wall_clock.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool startupStampWanted = false;
long lastWalkFrame = 0;

// One sampled frame of the walk: its list and the pixels it drew.
struct RecordedFrame {
    long frame;
    GLuint list;
    std::vector<unsigned char> pixels;
};
std::vector<RecordedFrame> recorded;

std::vector<unsigned char> readBackBuffer()
{
    int w = (int)windowWidth, h = (int)windowHeight;
    std::vector<unsigned char> pixels((size_t)w * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

void clearFrame()
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Swap-to-swap times of `frames` frames drawn by draw; the first pays for the switch from
// whatever was drawn before and is left out.
template <typename Draw>
void timeFrames(int frames, Draw draw, std::vector<double>& times)
{
    double last = 0.0;
    for (int i = 0; i <= frames; ++i) {
        draw();
        glutSwapBuffers();
        double now = wallClockMs();
        if (i > 0) times.push_back(now - last);
        last = now;
    }
}

void measureFloors()
{
    // A replay must draw what its frame drew, or it is not that frame's floor.
    bool samePixels = true;
    for (const RecordedFrame& r : recorded) {
        glCallList(r.list);
        samePixels = samePixels && readBackBuffer() == r.pixels;
        glutSwapBuffers();
    }
    // The floors alternate in blocks, so that a burst of other load on the machine falls on
    // both rather than on one.
    std::vector<double> clearTimes, replayTimes;
    int share = BENCH_FLOOR_FRAMES / (int)recorded.size();
    for (const RecordedFrame& r : recorded) {
        timeFrames(share, clearFrame, clearTimes);
        timeFrames(share, [&r] { glCallList(r.list); }, replayTimes);
    }
    FrameTimeSummary clear = summariseFrameTimes(clearTimes);
    FrameTimeSummary replay = summariseFrameTimes(replayTimes);
    std::string frames;
    for (const RecordedFrame& r : recorded) frames += " " + std::to_string(r.frame);
    std::printf("\nbench floors: clear and swap median %.3f ms p95 %.3f ms; replayed frames "
                "median %.3f ms p95 %.3f ms; %zu frames each; same pixels %s; recorded frames%s\n",
                clear.median, clear.p95, replay.median, replay.p95, clear.count,
                samePixels ? "yes" : "no", frames.c_str());
    std::fflush(stdout);
}

}  // namespace

void benchRequestStartupStamp() { startupStampWanted = true; }
void benchRequestFloors(long frame) { lastWalkFrame = frame; }

bool benchRecordsThisFrame()
{
    long frame = harnessFrameNumber();
    if (lastWalkFrame <= 0 || frame > lastWalkFrame || gameState.menuMode || gameState.gameOver)
        return false;
    long before = lastWalkFrame - frame;
    return before % BENCH_SAMPLE_SPACING == 0 && before / BENCH_SAMPLE_SPACING < BENCH_FLOOR_SAMPLES;
}

void benchBeginRecording()
{
    recorded.push_back(RecordedFrame{harnessFrameNumber(), glGenLists(1), {}});
    glNewList(recorded.back().list, GL_COMPILE_AND_EXECUTE);
}

void benchEndRecording()
{
    glEndList();
    recorded.back().pixels = readBackBuffer();
}

void benchAfterSwap()
{
    if (startupStampWanted) {
        // On screen means the driver has finished the picture, not only queued it.
        glFinish();
        std::printf("\nbench first frame on screen at %.3f ms\n", wallClockMs());
        std::fflush(stdout);
        quitGame();
    }
    if (lastWalkFrame > 0 && harnessFrameNumber() == lastWalkFrame && !recorded.empty()) {
        measureFloors();
        quitGame();
    }
}
