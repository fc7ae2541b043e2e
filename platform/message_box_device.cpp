// Modal error box drawn in the game window with GL, waiting on GLUT events.
// Depends on: message_box_device.h, message_box.h, freeglut, OpenGL.
#include "platform/message_box_device.h"

#include "platform/message_box.h"

#include <GL/freeglut.h>

#include <unistd.h>
#include <string>
#include <vector>

namespace {

const int BOX_WIDTH = 480;
const int BOX_HEIGHT = 180;
const int BUTTON_WIDTH = 90;
const int BUTTON_HEIGHT = 30;
const int LINE_HEIGHT = 20;
const int WAIT_STEP_MICROSECONDS = 15000;
const unsigned char KEY_ENTER = 13;
const unsigned char KEY_ESCAPE = 27;
const unsigned char KEY_SPACE = ' ';

bool dismissed = false;
std::string shownText;

struct Rect {
    int x, y, w, h;
};

Rect boxRect()
{
    int ww = glutGet(GLUT_WINDOW_WIDTH);
    int wh = glutGet(GLUT_WINDOW_HEIGHT);
    return Rect{(ww - BOX_WIDTH) / 2, (wh - BOX_HEIGHT) / 2, BOX_WIDTH, BOX_HEIGHT};
}

Rect buttonRect()
{
    Rect b = boxRect();
    return Rect{b.x + (b.w - BUTTON_WIDTH) / 2, b.y + b.h - BUTTON_HEIGHT - 14, BUTTON_WIDTH,
                BUTTON_HEIGHT};
}

void fillRect(const Rect& r)
{
    glBegin(GL_QUADS);
    glVertex2i(r.x, r.y);
    glVertex2i(r.x + r.w, r.y);
    glVertex2i(r.x + r.w, r.y + r.h);
    glVertex2i(r.x, r.y + r.h);
    glEnd();
}

void drawText(int x, int y, const std::string& text, void* font)
{
    glRasterPos2i(x, y);
    for (char c : text) glutBitmapCharacter(font, (unsigned char)c);
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

void drawBox()
{
    int ww = glutGet(GLUT_WINDOW_WIDTH);
    int wh = glutGet(GLUT_WINDOW_HEIGHT);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glViewport(0, 0, ww, wh);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, ww, wh, 0, 0, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    Rect box = boxRect();
    glColor3f(0.85f, 0.85f, 0.85f);
    fillRect(box);
    glColor3f(0.15f, 0.25f, 0.55f);
    fillRect(Rect{box.x, box.y, box.w, 28});
    glColor3f(1, 1, 1);
    drawText(box.x + 10, box.y + 19, MESSAGE_BOX_CAPTION, GLUT_BITMAP_HELVETICA_18);
    glColor3f(0, 0, 0);
    int y = box.y + 56;
    for (const std::string& line : splitLines(shownText)) {
        drawText(box.x + 16, y, line, GLUT_BITMAP_HELVETICA_12);
        y += LINE_HEIGHT;
    }
    Rect button = buttonRect();
    glColor3f(0.7f, 0.7f, 0.7f);
    fillRect(button);
    glColor3f(0, 0, 0);
    drawText(button.x + 35, button.y + 20, "OK", GLUT_BITMAP_HELVETICA_12);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    glutSwapBuffers();
}

void onBoxKey(unsigned char key, int, int)
{
    if (key == KEY_ENTER || key == KEY_ESCAPE || key == KEY_SPACE) dismissed = true;
}

void onBoxMouse(int button, int state, int x, int y)
{
    Rect b = buttonRect();
    if (button == GLUT_LEFT_BUTTON && state == GLUT_UP && x >= b.x && x < b.x + b.w && y >= b.y &&
        y < b.y + b.h)
        dismissed = true;
}

void onBoxDisplay() { drawBox(); }

void presentInWindow(const char* text, bool wait)
{
    shownText = text;
    dismissed = false;
    // The box shows the pointer even though the game hides it.
    glutSetCursor(GLUT_CURSOR_LEFT_ARROW);
    glutKeyboardFunc(onBoxKey);
    glutMouseFunc(onBoxMouse);
    glutDisplayFunc(onBoxDisplay);
    glutIdleFunc(nullptr);
    drawBox();
    while (wait && !dismissed) {
        glutMainLoopEvent();
        drawBox();
        usleep(WAIT_STEP_MICROSECONDS);
    }
    glutKeyboardFunc(nullptr);
    glutMouseFunc(nullptr);
    glutSetCursor(GLUT_CURSOR_NONE);
}

}  // namespace

void messageBoxAttachWindow() { messageBoxSetPresenter(presentInWindow); }
