// The callbacks the game sets, and the queue of input events that waits for them.
// Depends on: glut_state.h, GL/freeglut.h.
#include "web/glut/glut_state.h"

#include <GL/freeglut.h>

#include <vector>

GlutCallbacks glutCallbacks = {};

namespace {

// Far more events than a frame ever sees; beyond it a stalled page drops the rest.
const size_t EVENT_QUEUE_LIMIT = 4096;

std::vector<GlutEvent> pendingEvents;

void deliver(const GlutEvent& e)
{
    const GlutCallbacks& cb = glutCallbacks;
    switch (e.kind) {
    case GlutEventKind::KeyDown:
        if (cb.keyboard) cb.keyboard((unsigned char)e.code, e.x, e.y);
        break;
    case GlutEventKind::KeyUp:
        if (cb.keyboardUp) cb.keyboardUp((unsigned char)e.code, e.x, e.y);
        break;
    case GlutEventKind::SpecialDown:
        if (cb.special) cb.special(e.code, e.x, e.y);
        break;
    case GlutEventKind::SpecialUp:
        if (cb.specialUp) cb.specialUp(e.code, e.x, e.y);
        break;
    case GlutEventKind::Mouse:
        if (cb.mouse) cb.mouse(e.code, e.state, e.x, e.y);
        break;
    case GlutEventKind::Motion:
        if (e.buttonHeld && cb.motion) cb.motion(e.x, e.y);
        if (!e.buttonHeld && cb.passiveMotion) cb.passiveMotion(e.x, e.y);
        break;
    }
}

}  // namespace

bool glutQueueEvent(const GlutEvent& event)
{
    if (pendingEvents.size() >= EVENT_QUEUE_LIMIT) return false;
    pendingEvents.push_back(event);
    return true;
}

void glutDeliverEvents()
{
    // A callback may queue more (a warp queues its motion): those wait for the next frame.
    std::vector<GlutEvent> events;
    events.swap(pendingEvents);
    for (const GlutEvent& e : events) deliver(e);
}

void glutDisplayFunc(void (*callback)()) { glutCallbacks.display = callback; }
void glutIdleFunc(void (*callback)()) { glutCallbacks.idle = callback; }
void glutReshapeFunc(void (*callback)(int, int)) { glutCallbacks.reshape = callback; }
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) { glutCallbacks.keyboard = callback; }
void glutKeyboardUpFunc(void (*callback)(unsigned char, int, int)) { glutCallbacks.keyboardUp = callback; }
void glutSpecialFunc(void (*callback)(int, int, int)) { glutCallbacks.special = callback; }
void glutSpecialUpFunc(void (*callback)(int, int, int)) { glutCallbacks.specialUp = callback; }
void glutMouseFunc(void (*callback)(int, int, int, int)) { glutCallbacks.mouse = callback; }
void glutMotionFunc(void (*callback)(int, int)) { glutCallbacks.motion = callback; }
void glutPassiveMotionFunc(void (*callback)(int, int)) { glutCallbacks.passiveMotion = callback; }
