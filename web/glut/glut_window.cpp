// The window of the browser's window library: the page's canvas and its WebGL 1 context
// (depth buffer, no stencil, no antialiasing, opaque, as the desktop's window), its size,
// its title (the document's), the pointer's look over it, and the frame's end.
// Depends on: glut_state.h, GL/freeglut.h, web/gl/gl_context.h, emscripten's html5 API.
#include "web/glut/glut_state.h"

#include "web/gl/gl_context.h"

#include <GL/freeglut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstdlib>

GlutWindow glutWindow = {false, 0, 0, false};
const char* const GLUT_CANVAS = "#canvas";

namespace {

const int WINDOW_ID = 1;
const int EXIT_NO_WINDOW = 1;
const int WEBGL_MAJOR_VERSION = 1;

int askedWidth = 0;
int askedHeight = 0;
double startTime = 0;

const char* const NO_WEBGL_MESSAGE =
    "This browser cannot show WebGL, which the game draws with: try another browser, or "
    "turn on hardware acceleration in this one's settings.";

}  // namespace

EM_JS(void, setDocumentTitle, (const char* title), { document.title = UTF8ToString(title); });

EM_JS(void, setCanvasCursor, (const char* selector, const char* cursor), {
    var canvas = document.querySelector(UTF8ToString(selector));
    if (canvas) canvas.style.cursor = UTF8ToString(cursor);
});

// The page shows the reason when it has a way to (Module.kerbFatal).
EM_JS(void, reportFatal, (const char* text), {
    var message = UTF8ToString(text);
    if (typeof Module !== 'undefined' && Module['kerbFatal']) Module['kerbFatal'](message);
    else console.error(message);
});

EM_JS(int, screenSide, (int height), { return height ? screen.height : screen.width; });

void glutInit(int*, char**)
{
    startTime = emscripten_get_now();
}

void glutInitDisplayMode(unsigned int) {}

void glutInitWindowSize(int width, int height)
{
    askedWidth = width;
    askedHeight = height;
}

void glutInitWindowPosition(int, int) {}

int glutCreateWindow(const char* title)
{
    if (askedWidth > 0 && askedHeight > 0)
        emscripten_set_canvas_element_size(GLUT_CANVAS, askedWidth, askedHeight);
    int width = 0;
    int height = 0;
    emscripten_get_canvas_element_size(GLUT_CANVAS, &width, &height);

    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.premultipliedAlpha = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_TRUE;
    attributes.majorVersion = WEBGL_MAJOR_VERSION;
    attributes.minorVersion = 0;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(GLUT_CANVAS, &attributes);
    if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        std::fprintf(stderr, "kerbrunner: %s\n", NO_WEBGL_MESSAGE);
        reportFatal(NO_WEBGL_MESSAGE);
        std::exit(EXIT_NO_WINDOW);
    }
    glutWindow.created = true;
    glutWindow.width = width;
    glutWindow.height = height;
    setDocumentTitle(title ? title : "");
    webGlContextReady(width, height);
    glutListenToInput();
    return WINDOW_ID;
}

// The canvas keeps its size: the page decides how large it shows.
void glutFullScreen() {}

void glutDestroyWindow(int) {}

int glutGet(GLenum what)
{
    switch (what) {
    case GLUT_WINDOW_WIDTH:
        return glutWindow.width;
    case GLUT_WINDOW_HEIGHT:
        return glutWindow.height;
    case GLUT_SCREEN_WIDTH:
        return screenSide(0);
    case GLUT_SCREEN_HEIGHT:
        return screenSide(1);
    case GLUT_ELAPSED_TIME:
        return (int)(emscripten_get_now() - startTime);
    default:
        return 0;
    }
}

// The browser shows the frame when the frame's callback returns.
void glutSwapBuffers() { webGlFrameDone(); }

void glutSetCursor(int cursor)
{
    setCanvasCursor(GLUT_CANVAS, cursor == GLUT_CURSOR_NONE ? "none" : "default");
}

void glutIgnoreKeyRepeat(int ignore) { glutWindow.ignoreKeyRepeat = ignore != 0; }
