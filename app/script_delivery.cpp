// Delivers scripted events through the same input callbacks as real devices.
// Depends on: script.h, input.h, GLUT.
#include "app/script.h"

#include "app/input.h"

#include <GL/freeglut.h>

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
    case ScriptAction::MouseDown: onMouseButton(ev.button, GLUT_DOWN, 0, 0); break;
    case ScriptAction::MouseUp: onMouseButton(ev.button, GLUT_UP, 0, 0); break;
    case ScriptAction::Motion: onMouseMotion(ev.x, ev.y); break;
    case ScriptAction::Quit: quitGame();
    case ScriptAction::Screenshot: break;
    }
}
