// The GLU subset the game uses in the browser, implemented by web/gl/ over our GL 1.1 subset.
// Depends on: GL/gl.h.
#ifndef KERB_WEB_GLU_H
#define KERB_WEB_GLU_H

#include <GL/gl.h>

#ifdef __cplusplus
extern "C" {
#endif

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
               GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ);
void gluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top);
GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                        GLenum format, GLenum type, const void* data);

#ifdef __cplusplus
}
#endif

#endif
