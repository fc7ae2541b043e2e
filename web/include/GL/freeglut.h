// The window library's functions and constants the game calls, for the browser build: the
// same names and values as the desktop's freeglut (app/input_device.cpp checks the key and
// button codes against app/key_codes.h), implemented in web/glut/ over the page's canvas.
// Depends on: GL/gl.h and GL/glu.h of web/include.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#ifdef __cplusplus
extern "C" {
#endif

// Display modes (glutInitDisplayMode).
#define GLUT_RGB 0x0000
#define GLUT_RGBA 0x0000
#define GLUT_SINGLE 0x0000
#define GLUT_DOUBLE 0x0002
#define GLUT_DEPTH 0x0010
#define GLUT_STENCIL 0x0020

// Special keys (glutSpecialFunc).
#define GLUT_KEY_F1 0x0001
#define GLUT_KEY_F2 0x0002
#define GLUT_KEY_F3 0x0003
#define GLUT_KEY_F4 0x0004
#define GLUT_KEY_F5 0x0005
#define GLUT_KEY_F6 0x0006
#define GLUT_KEY_F7 0x0007
#define GLUT_KEY_F8 0x0008
#define GLUT_KEY_F9 0x0009
#define GLUT_KEY_F10 0x000A
#define GLUT_KEY_F11 0x000B
#define GLUT_KEY_F12 0x000C
#define GLUT_KEY_LEFT 0x0064
#define GLUT_KEY_UP 0x0065
#define GLUT_KEY_RIGHT 0x0066
#define GLUT_KEY_DOWN 0x0067
#define GLUT_KEY_PAGE_UP 0x0068
#define GLUT_KEY_PAGE_DOWN 0x0069
#define GLUT_KEY_HOME 0x006A
#define GLUT_KEY_END 0x006B
#define GLUT_KEY_INSERT 0x006C
#define GLUT_KEY_NUM_LOCK 0x006D
#define GLUT_KEY_BEGIN 0x006E
#define GLUT_KEY_DELETE 0x006F
#define GLUT_KEY_SHIFT_L 0x0070
#define GLUT_KEY_SHIFT_R 0x0071
#define GLUT_KEY_CTRL_L 0x0072
#define GLUT_KEY_CTRL_R 0x0073
#define GLUT_KEY_ALT_L 0x0074
#define GLUT_KEY_ALT_R 0x0075
#define GLUT_KEY_SUPER_L 0x0076
#define GLUT_KEY_SUPER_R 0x0077

// Mouse buttons and their states (glutMouseFunc).
#define GLUT_LEFT_BUTTON 0x0000
#define GLUT_MIDDLE_BUTTON 0x0001
#define GLUT_RIGHT_BUTTON 0x0002
#define GLUT_DOWN 0x0000
#define GLUT_UP 0x0001

// glutGet.
#define GLUT_WINDOW_X 0x0064
#define GLUT_WINDOW_Y 0x0065
#define GLUT_WINDOW_WIDTH 0x0066
#define GLUT_WINDOW_HEIGHT 0x0067
#define GLUT_SCREEN_WIDTH 0x00C8
#define GLUT_SCREEN_HEIGHT 0x00C9
#define GLUT_ELAPSED_TIME 0x02BC

// Cursors (glutSetCursor).
#define GLUT_CURSOR_LEFT_ARROW 0x0001
#define GLUT_CURSOR_INHERIT 0x0064
#define GLUT_CURSOR_NONE 0x0065

// Bitmap fonts: handles of the three fonts the game writes with (web/glut/glut_font.cpp),
// small numbers as in the library's own header on systems without exported font symbols.
#define GLUT_BITMAP_TIMES_ROMAN_24 ((void*)0x0004)
#define GLUT_BITMAP_HELVETICA_12 ((void*)0x0007)
#define GLUT_BITMAP_HELVETICA_18 ((void*)0x0008)

// The window.
void glutInit(int* argc, char** argv);
void glutInitDisplayMode(unsigned int mode);
void glutInitWindowSize(int width, int height);
void glutInitWindowPosition(int x, int y);
int glutCreateWindow(const char* title);
void glutDestroyWindow(int window);
void glutFullScreen(void);
int glutGet(GLenum what);
void glutSwapBuffers(void);
void glutSetCursor(int cursor);
void glutIgnoreKeyRepeat(int ignore);
void glutWarpPointer(int x, int y);

// The main loop and its callbacks.
void glutMainLoop(void);
void glutMainLoopEvent(void);
void glutDisplayFunc(void (*callback)(void));
void glutIdleFunc(void (*callback)(void));
void glutReshapeFunc(void (*callback)(int width, int height));
void glutKeyboardFunc(void (*callback)(unsigned char key, int x, int y));
void glutKeyboardUpFunc(void (*callback)(unsigned char key, int x, int y));
void glutSpecialFunc(void (*callback)(int key, int x, int y));
void glutSpecialUpFunc(void (*callback)(int key, int x, int y));
void glutMouseFunc(void (*callback)(int button, int state, int x, int y));
void glutMotionFunc(void (*callback)(int x, int y));
void glutPassiveMotionFunc(void (*callback)(int x, int y));

// Drawing.
void glutSolidCone(double base, double height, GLint slices, GLint stacks);
void glutBitmapCharacter(void* font, int character);

#ifdef __cplusplus
}
#endif
