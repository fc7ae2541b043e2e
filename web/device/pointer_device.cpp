// The game window's pointer in the browser: hidden by the canvas's style, moved through the
// window library's virtual pointer (the canvas holds the real one while it is locked).
// Depends on: platform/pointer_device.h, platform/pointer.h, GLUT (web/glut/), emscripten's
// EM_JS.
#include "platform/pointer_device.h"

#include "platform/pointer.h"

#include <GL/freeglut.h>
#include <emscripten/emscripten.h>

EM_JS(void, webHideCanvasPointer, (), {
    var canvas = Module.canvas || document.getElementById('canvas');
    if (canvas) canvas.style.cursor = 'none';
});

namespace {
void hideOnCanvas() { webHideCanvasPointer(); }
void warpVirtualPointer(int x, int y) { glutWarpPointer(x, y); }
}  // namespace

void pointerAttachWindow() { pointerSetDevice(PointerDevice{hideOnCanvas, warpVirtualPointer}); }
