// The frame loop of the browser's window library: one frame per display refresh
// (requestAnimationFrame). Each frame hands the input events that came since the last one
// to the game's callbacks, then runs the idle callback (or the display callback when no
// idle callback is set). The first frame reports the canvas size to the reshape callback
// before anything is drawn, as the desktop's window library does before its first display.
// Depends on: glut_state.h, GL/freeglut.h, emscripten.
#include "web/glut/glut_state.h"

#include <GL/freeglut.h>
#include <emscripten.h>

// The game calls exit() inside a frame. The runtime then stays up for the frame loop, which
// the browser would go on calling: it has an exit status from then on.
EM_JS(int, programHasExited, (), { return typeof EXITSTATUS !== 'undefined' ? 1 : 0; });

namespace {

// No frame runs once the program has exited; stopping the loop lets the runtime shut down.
bool stoppedAfterExit()
{
    if (!programHasExited()) return false;
    emscripten_cancel_main_loop();
    return true;
}

// Frames per second for emscripten_set_main_loop: 0 follows the display's refresh.
const int REFRESH_RATE_FRAMES = 0;
const int NEVER_RETURN = 1;

bool sizeReported = false;

void reportSizeOnce()
{
    if (sizeReported) return;
    sizeReported = true;
    if (glutCallbacks.reshape) glutCallbacks.reshape(glutWindow.width, glutWindow.height);
}

void runFrame()
{
    if (stoppedAfterExit()) return;
    reportSizeOnce();
    glutDeliverEvents();
    if (glutCallbacks.idle)
        glutCallbacks.idle();
    else if (glutCallbacks.display)
        glutCallbacks.display();
}

}  // namespace

void glutMainLoop()
{
    emscripten_set_main_loop(runFrame, REFRESH_RATE_FRAMES, NEVER_RETURN);
}

// The desktop's modal loops call this until something happens; in the browser nothing may
// wait, so it hands over what has come and returns at once.
void glutMainLoopEvent()
{
    reportSizeOnce();
    glutDeliverEvents();
}
