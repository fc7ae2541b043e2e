// The browser's keyboard and mouse turned into the desktop window library's events, queued
// for the next frame. Keys come from the whole document (the canvas has no focus to keep),
// except those typed into the page's own controls; the mouse from the canvas, and button
// releases and moves from anywhere once a button is held, as a desktop window grabs the
// pointer. A click on the canvas asks the browser to lock the pointer to it (mouse look
// turns without bounds then); the wheel gives the extra buttons X gives for it. While the
// pointer is locked the browser gives movements only, which move a virtual pointer
// (virtual_pointer.h), and a warp puts that pointer at its target and reports a move there
// before the next frame, as the desktop's window system does after each warp. The browser
// takes the Escape that ends a lock for itself: the game does not see it (see web/README.md).
// Depends on: glut_state.h, key_translate.h, virtual_pointer.h, GL/freeglut.h,
// emscripten's html5 API.
#include "web/glut/glut_state.h"
#include "web/glut/key_translate.h"
#include "web/glut/virtual_pointer.h"

#include <GL/freeglut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstring>

// One side of the canvas's box on the page, in CSS pixels.
EM_JS(double, canvasRectSide, (const char* selector, int side), {
    var canvas = document.querySelector(UTF8ToString(selector));
    if (!canvas) return 0;
    var r = canvas.getBoundingClientRect();
    return [r.left, r.top, r.width, r.height][side];
});

// Asked from a click's handler, which is what lets a page lock the pointer; a refusal
// (no click of a person, a browser without the feature) leaves the pointer free.
EM_JS(void, requestPointerLock, (const char* selector), {
    var canvas = document.querySelector(UTF8ToString(selector));
    if (!canvas || !canvas.requestPointerLock) return;
    var request = canvas.requestPointerLock();
    if (request && request.catch) request.catch(function() {});
});

// Keys typed into the page's own controls (a box's button, a text field) are the page's.
EM_JS(int, pageControlHasFocus, (), {
    var e = document.activeElement;
    if (!e) return 0;
    var tag = e.tagName;
    return tag === 'INPUT' || tag === 'TEXTAREA' || tag === 'SELECT' || tag === 'BUTTON' ||
        e.isContentEditable ? 1 : 0;
});

namespace {

const int RECT_LEFT = 0;
const int RECT_TOP = 1;
const int RECT_WIDTH = 2;
const int RECT_HEIGHT = 3;
const int MOUSE_BUTTONS = 3;
const int ESCAPE = 27;
// An Escape that arrives this soon after the browser ended a lock is the one that ended it.
const double LOCK_ESCAPE_MS = 250.0;
const EM_BOOL CAPTURE = EM_TRUE;
const EM_BOOL HANDLED = EM_TRUE;
const EM_BOOL NOT_HANDLED = EM_FALSE;

VirtualPointer pointer = {0, 0};
bool pointerLocked = false;
double lockEndedAt = -1e9;
bool buttonDown[MOUSE_BUTTONS] = {};
bool escapeSwallowed = false;

bool anyButtonDown()
{
    for (bool down : buttonDown)
        if (down) return true;
    return false;
}

// Where the event is in the canvas's pixels (the page may show the canvas scaled).
void canvasPosition(const EmscriptenMouseEvent& e, int& x, int& y)
{
    const double left = canvasRectSide(GLUT_CANVAS, RECT_LEFT);
    const double top = canvasRectSide(GLUT_CANVAS, RECT_TOP);
    const double cssWidth = canvasRectSide(GLUT_CANVAS, RECT_WIDTH);
    const double cssHeight = canvasRectSide(GLUT_CANVAS, RECT_HEIGHT);
    const double sx = cssWidth > 0 ? glutWindow.width / cssWidth : 1.0;
    const double sy = cssHeight > 0 ? glutWindow.height / cssHeight : 1.0;
    x = (int)std::floor((e.clientX - left) * sx);
    y = (int)std::floor((e.clientY - top) * sy);
}

bool insideWindow(int x, int y)
{
    return x >= 0 && y >= 0 && x < glutWindow.width && y < glutWindow.height;
}

void queueMotion(int x, int y)
{
    glutQueueEvent({GlutEventKind::Motion, 0, 0, x, y, anyButtonDown()});
}

// Keys the browser should still act on: its own shortcuts with Control or Meta, and the
// function keys.
bool leaveToBrowser(const EmscriptenKeyboardEvent& e, const TranslatedKey& k)
{
    if (e.ctrlKey || e.metaKey) return true;
    return k.kind == KeyKind::Special && k.code >= GLUT_KEY_F1 && k.code <= GLUT_KEY_F12;
}

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* e, void*)
{
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    if (!glutWindow.created || pageControlHasFocus()) return NOT_HANDLED;
    const TranslatedKey k = translateKey(e->key, e->code, e->ctrlKey);
    if (k.kind == KeyKind::None) return NOT_HANDLED;
    const bool handled = !leaveToBrowser(*e, k);
    if (down && e->repeat && glutWindow.ignoreKeyRepeat) return handled;
    if (k.kind == KeyKind::Character && k.code == ESCAPE) {
        if (down) {
            escapeSwallowed =
                pointerLocked || emscripten_get_now() - lockEndedAt < LOCK_ESCAPE_MS;
            if (escapeSwallowed) return handled;
        } else if (escapeSwallowed) {
            escapeSwallowed = false;
            return handled;
        }
    }
    GlutEventKind kind;
    if (k.kind == KeyKind::Special)
        kind = down ? GlutEventKind::SpecialDown : GlutEventKind::SpecialUp;
    else
        kind = down ? GlutEventKind::KeyDown : GlutEventKind::KeyUp;
    glutQueueEvent({kind, k.code, 0, pointer.x, pointer.y, false});
    return handled;
}

EM_BOOL onMouseButton(int type, const EmscriptenMouseEvent* e, void*)
{
    const int button = e->button;
    if (!glutWindow.created || button >= MOUSE_BUTTONS) return NOT_HANDLED;
    const bool down = type == EMSCRIPTEN_EVENT_MOUSEDOWN;
    int x = pointer.x;
    int y = pointer.y;
    if (!pointerLocked) canvasPosition(*e, x, y);
    // Outside the window only the release of a button pressed inside counts.
    if (down && !insideWindow(x, y)) return NOT_HANDLED;
    if (!down && !buttonDown[button]) return NOT_HANDLED;
    if (!pointerLocked) warpVirtualPointer(pointer, x, y, glutWindow.width, glutWindow.height);
    buttonDown[button] = down;
    if (down && !pointerLocked) requestPointerLock(GLUT_CANVAS);
    glutQueueEvent({GlutEventKind::Mouse, button, down ? GLUT_DOWN : GLUT_UP, x, y, false});
    return HANDLED;
}

EM_BOOL onMouseMove(int, const EmscriptenMouseEvent* e, void*)
{
    if (!glutWindow.created) return NOT_HANDLED;
    if (pointerLocked) {
        if (e->movementX == 0 && e->movementY == 0) return HANDLED;
        moveVirtualPointer(pointer, e->movementX, e->movementY, glutWindow.width, glutWindow.height);
        queueMotion(pointer.x, pointer.y);
        return HANDLED;
    }
    int x = 0;
    int y = 0;
    canvasPosition(*e, x, y);
    if (!insideWindow(x, y) && !anyButtonDown()) return NOT_HANDLED;
    pointer.x = x;
    pointer.y = y;
    queueMotion(x, y);
    return HANDLED;
}

// A wheel event as the buttons the desktop reports for it, at the pointer; over the canvas
// the page does not scroll.
EM_BOOL onWheel(int, const EmscriptenWheelEvent* e, void*)
{
    if (!glutWindow.created) return NOT_HANDLED;
    int x = pointer.x;
    int y = pointer.y;
    if (!pointerLocked) canvasPosition(e->mouse, x, y);
    if (!pointerLocked && !insideWindow(x, y)) return NOT_HANDLED;
    int buttons[2];
    const int count = wheelButtons(e->deltaX, e->deltaY, buttons);
    for (int i = 0; i < count; ++i) {
        glutQueueEvent({GlutEventKind::Mouse, buttons[i], GLUT_DOWN, x, y, false});
        glutQueueEvent({GlutEventKind::Mouse, buttons[i], GLUT_UP, x, y, false});
    }
    return HANDLED;
}

EM_BOOL onPointerLockChange(int, const EmscriptenPointerlockChangeEvent* e, void*)
{
    const bool locked = e->isActive && std::strcmp(e->id, GLUT_CANVAS + 1) == 0;
    if (pointerLocked && !locked) lockEndedAt = emscripten_get_now();
    pointerLocked = locked;
    return NOT_HANDLED;
}

}  // namespace

// A right click over the canvas is the game's, not the browser's menu.
EM_JS(void, keepContextMenuFromCanvas, (const char* selector), {
    var canvas = document.querySelector(UTF8ToString(selector));
    if (canvas) canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
});

void glutListenToInput()
{
    const char* document = EMSCRIPTEN_EVENT_TARGET_DOCUMENT;
    emscripten_set_keydown_callback(document, nullptr, CAPTURE, onKey);
    emscripten_set_keyup_callback(document, nullptr, CAPTURE, onKey);
    emscripten_set_mousedown_callback(GLUT_CANVAS, nullptr, CAPTURE, onMouseButton);
    emscripten_set_mouseup_callback(document, nullptr, CAPTURE, onMouseButton);
    emscripten_set_mousemove_callback(document, nullptr, CAPTURE, onMouseMove);
    emscripten_set_wheel_callback(GLUT_CANVAS, nullptr, CAPTURE, onWheel);
    emscripten_set_pointerlockchange_callback(document, nullptr, CAPTURE, onPointerLockChange);
    keepContextMenuFromCanvas(GLUT_CANVAS);
    warpVirtualPointer(pointer, glutWindow.width / 2, glutWindow.height / 2, glutWindow.width,
                       glutWindow.height);
}

void glutWarpPointer(int x, int y)
{
    warpVirtualPointer(pointer, x, y, glutWindow.width, glutWindow.height);
    queueMotion(pointer.x, pointer.y);
}
