// The device callbacks turned into the events scripts and recordings are made of.
// Depends on: window_input_device.h, script_delivery_device.h, script_feed.h, harness_device.h, key_codes.h.
#include "app/window_input_device.h"

#include "app/harness_device.h"
#include "app/key_codes.h"
#include "app/script_delivery_device.h"
#include "app/script_feed.h"

namespace {

// The real window's size while a replay plays in the recorded ones.
bool realSizeKnown = false;
int realWidth = 0;
int realHeight = 0;

// A device event arrives between frames: it belongs to the next one.
void deviceEvent(const ScriptEvent& ev)
{
    if (harnessReplaying()) return;
    deliverEvent(ev, harnessFrameNumber() + 1);
}

}  // namespace

void deviceKeyDown(unsigned char key, int, int)
{
    ScriptEvent ev{};
    ev.action = ScriptAction::KeyDown;
    ev.key = key;
    deviceEvent(ev);
}

void deviceKeyUp(unsigned char key, int, int)
{
    ScriptEvent ev{};
    ev.action = ScriptAction::KeyUp;
    ev.key = key;
    deviceEvent(ev);
}

void deviceSpecialKey(int key, int, int)
{
    ScriptEvent ev{};
    ev.action = ScriptAction::KeyDown;
    ev.key = key;
    ev.special = true;
    deviceEvent(ev);
}

void deviceMouseButton(int button, int state, int, int)
{
    ScriptEvent ev{};
    ev.action = state == MOUSE_BUTTON_DOWN ? ScriptAction::MouseDown : ScriptAction::MouseUp;
    ev.button = button;
    deviceEvent(ev);
}

void deviceMouseMotion(int x, int y)
{
    ScriptEvent ev{};
    ev.action = ScriptAction::Motion;
    ev.x = x;
    ev.y = y;
    deviceEvent(ev);
}

void deviceReshape(int width, int height)
{
    ScriptEvent ev{};
    ev.action = ScriptAction::Reshape;
    ev.x = width;
    ev.y = height;
    if (harnessReplaying()) {
        realSizeKnown = true;
        realWidth = width;
        realHeight = height;
    }
    deviceEvent(ev);
}

void deviceReplayEnded()
{
    if (!realSizeKnown) return;
    ScriptEvent ev{};
    ev.action = ScriptAction::Reshape;
    ev.x = realWidth;
    ev.y = realHeight;
    deliverEvent(ev, harnessFrameNumber());
}
