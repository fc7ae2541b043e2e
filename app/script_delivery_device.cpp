// Delivers scripted events through the same input callbacks as real devices.
// Depends on: script_delivery_device.h, input_device.h, key_codes.h, window_gl.h (reshape),
// harness_recording.h, the platform clock.
#include "app/script_delivery_device.h"

#include "app/harness_recording.h"
#include "app/input.h"
#include "app/key_codes.h"
#include "app/window_gl.h"
#include "platform/clock.h"

void deliverScriptEvent(const ScriptEvent& ev)
{
    switch (ev.action) {
    case ScriptAction::KeyDown:
        if (ev.special) onSpecialKey(ev.key, 0, 0);
        else onKeyDown((unsigned char)ev.key, 0, 0);
        break;
    case ScriptAction::KeyUp:
        // Special keys have no release handler in the game.
        if (!ev.special) onKeyUp((unsigned char)ev.key, 0, 0);
        break;
    case ScriptAction::MouseDown: onMouseButton(ev.button, MOUSE_BUTTON_DOWN, 0, 0); break;
    case ScriptAction::MouseUp: onMouseButton(ev.button, MOUSE_BUTTON_UP, 0, 0); break;
    case ScriptAction::Motion: onMouseMotion(ev.x, ev.y); break;
    case ScriptAction::Quit: quitGame();
    // A recorded game's clock reads what it read then, until the next reading.
    case ScriptAction::Clock: clockHold(ev.clockMs); break;
    case ScriptAction::Reshape: reshapeWindow(ev.x, ev.y); break;
    case ScriptAction::Screenshot:
    case ScriptAction::Name:
    case ScriptAction::Table: break;
    }
}

void deliverEvent(const ScriptEvent& ev, long frame)
{
    recordDeliveredEvent(frame, ev);
    deliverScriptEvent(ev);
}
