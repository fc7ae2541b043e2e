// The window's side of input, and the check that the game's key codes are the window's.
// Depends on: input_device.h, input.h, key_codes.h, sound_device.h, startup.h, GLUT.
#include "app/input_device.h"

#include "app/input.h"
#include "app/sound_device.h"
#include "app/startup.h"

#include <GL/freeglut.h>

// The game's names for the codes are the window's codes.
static_assert(SPECIAL_KEY_UP == GLUT_KEY_UP && SPECIAL_KEY_DOWN == GLUT_KEY_DOWN,
              "the arrow keys' codes differ from the window's");
static_assert(MOUSE_LEFT_BUTTON == GLUT_LEFT_BUTTON && MOUSE_MIDDLE_BUTTON == GLUT_MIDDLE_BUTTON &&
                  MOUSE_RIGHT_BUTTON == GLUT_RIGHT_BUTTON,
              "the mouse buttons' codes differ from the window's");
static_assert(MOUSE_BUTTON_DOWN == GLUT_DOWN && MOUSE_BUTTON_UP == GLUT_UP,
              "the mouse button states differ from the window's");

namespace {

void closeWindow()
{
    if (windowId != 0) glutDestroyWindow(windowId);
}

}  // namespace

void installInputDevices() { installInputDeviceHooks({initSound, closeWindow}); }
