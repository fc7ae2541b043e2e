// What the browser's window library parts share: the window, the callbacks the game set,
// and the input events waiting for the next frame.
// Depends on: nothing.
#pragma once

struct GlutCallbacks {
    void (*display)();
    void (*idle)();
    void (*reshape)(int width, int height);
    void (*keyboard)(unsigned char key, int x, int y);
    void (*keyboardUp)(unsigned char key, int x, int y);
    void (*special)(int key, int x, int y);
    void (*specialUp)(int key, int x, int y);
    void (*mouse)(int button, int state, int x, int y);
    void (*motion)(int x, int y);
    void (*passiveMotion)(int x, int y);
};
extern GlutCallbacks glutCallbacks;

struct GlutWindow {
    bool created;
    int width;
    int height;
    bool ignoreKeyRepeat;
};
extern GlutWindow glutWindow;

// The canvas the game draws into (a CSS selector for the html5 functions).
extern const char* const GLUT_CANVAS;

// An input event of the browser, delivered to the game's callbacks at the start of the
// next frame, as the desktop's window system delivers events between frames.
enum class GlutEventKind { KeyDown, KeyUp, SpecialDown, SpecialUp, Mouse, Motion };
struct GlutEvent {
    GlutEventKind kind;
    int code;   // the character, special key or button
    int state;  // GLUT_DOWN or GLUT_UP for a button
    int x;
    int y;
    bool buttonHeld;  // for a motion: a button was down (motion) or not (passive motion)
};
// Queues an event; returns false when the queue is full and the event was dropped.
bool glutQueueEvent(const GlutEvent& event);
// Hands the queued events to the callbacks set now, in order.
void glutDeliverEvents();

// Sets up the canvas's event listeners (web/glut/glut_input.cpp).
void glutListenToInput();
