// The floor for frame times: a GLUT window that only clears and swaps, as fast as it can.
// Prints the median and 95th percentile frame time in milliseconds after FRAMES frames.
// With --first-frame it is the floor for start-up instead: it swaps one cleared frame, waits
// until it is drawn, prints the monotonic clock in milliseconds (the clock bench/run started
// it by) and ends.
// Run: build/kerbrunner-bare-window [FRAMES | --first-frame] under the same display as the game.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const int WINDOW_WIDTH = 1024;
const int WINDOW_HEIGHT = 768;
const int DEFAULT_FRAMES = 600;
const int WARM_UP_FRAMES = 60;

int framesWanted = DEFAULT_FRAMES;
bool firstFrameOnly = false;
std::vector<double> frameMs;
auto last = std::chrono::steady_clock::now();

void frame()
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
    if (firstFrameOnly) {
        glFinish();
        auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("bench first frame on screen at %.3f ms\n",
                    std::chrono::duration<double, std::milli>(sinceEpoch).count());
        std::exit(0);
    }
    auto now = std::chrono::steady_clock::now();
    frameMs.push_back(std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
    if ((int)frameMs.size() < framesWanted + WARM_UP_FRAMES) return;
    std::vector<double> v(frameMs.begin() + WARM_UP_FRAMES, frameMs.end());
    std::sort(v.begin(), v.end());
    std::printf("bare window: %zu frames, median %.3f ms, 95th percentile %.3f ms\n", v.size(),
                v[v.size() / 2], v[v.size() * 95 / 100]);
    std::exit(0);
}

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--first-frame") == 0) firstFrameOnly = true;
    else if (argc > 1) framesWanted = std::max(1, std::atoi(argv[1]));
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(WINDOW_WIDTH, WINDOW_HEIGHT);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("bare window");
    glutDisplayFunc(frame);
    glutIdleFunc(frame);
    glutMainLoop();
}
