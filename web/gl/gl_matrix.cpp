// GL's three matrix stacks and the calls that change them, computed in single precision in
// Mesa's order of operations (the same vertices land on the same pixels); GLU's perspective,
// look-at and 2D orthographic projections as GLU builds them.
// Depends on: gl_state.h, GL/glu.h.
#include "web/gl/gl_state.h"

#include <GL/glu.h>

#include <cmath>
#include <cstring>

namespace {

const double PI = 3.14159265358979323846;
const double HALF_CIRCLE_DEGREES = 180.0;
const float ROTATION_AXIS_EPSILON = 1.0e-4f;

// The current stack's top times m.
void multiplyCurrent(const Matrix4& m)
{
    Matrix4& top = currentMatrixStack().top();
    top = multiplyMatrices(top, m);
}

Matrix4 fromDoubles(const GLdouble* d)
{
    Matrix4 m;
    for (int i = 0; i < 16; ++i) m.m[i] = (float)d[i];
    return m;
}

// The rotation matrix of glRotatef, with Mesa's shortcuts for rotations about one axis.
Matrix4 rotation(float angle, float x, float y, float z)
{
    // The angle in radians rounded to single precision, then its single-precision sine.
    float s = std::sin((float)(angle * PI / HALF_CIRCLE_DEGREES));
    float c = std::cos((float)(angle * PI / HALF_CIRCLE_DEGREES));
    Matrix4 r = identityMatrix();
    auto at = [&r](int row, int col) -> float& { return r.m[col * 4 + row]; };
    if (x == 0.0f && y == 0.0f && z != 0.0f) {
        at(0, 0) = c;
        at(1, 1) = c;
        at(0, 1) = z < 0.0f ? s : -s;
        at(1, 0) = z < 0.0f ? -s : s;
        return r;
    }
    if (x == 0.0f && z == 0.0f && y != 0.0f) {
        at(0, 0) = c;
        at(2, 2) = c;
        at(0, 2) = y < 0.0f ? -s : s;
        at(2, 0) = y < 0.0f ? s : -s;
        return r;
    }
    if (y == 0.0f && z == 0.0f && x != 0.0f) {
        at(1, 1) = c;
        at(2, 2) = c;
        at(1, 2) = x < 0.0f ? s : -s;
        at(2, 1) = x < 0.0f ? -s : s;
        return r;
    }
    float mag = std::sqrt(x * x + y * y + z * z);
    if (mag <= ROTATION_AXIS_EPSILON) return r;
    x /= mag;
    y /= mag;
    z /= mag;
    const float xx = x * x, yy = y * y, zz = z * z;
    const float xy = x * y, yz = y * z, zx = z * x;
    const float xs = x * s, ys = y * s, zs = z * s;
    const float oneMinusC = 1.0f - c;
    at(0, 0) = (oneMinusC * xx) + c;
    at(0, 1) = (oneMinusC * xy) - zs;
    at(0, 2) = (oneMinusC * zx) + ys;
    at(1, 0) = (oneMinusC * xy) + zs;
    at(1, 1) = (oneMinusC * yy) + c;
    at(1, 2) = (oneMinusC * yz) - xs;
    at(2, 0) = (oneMinusC * zx) - ys;
    at(2, 1) = (oneMinusC * yz) + xs;
    at(2, 2) = (oneMinusC * zz) + c;
    return r;
}

void normalizeVector(float v[3])
{
    float r = (float)std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (r == 0.0f) return;
    v[0] /= r;
    v[1] /= r;
    v[2] /= r;
}

void crossProduct(const float a[3], const float b[3], float out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

Matrix4 identityMatrix()
{
    Matrix4 m;
    for (int i = 0; i < 16; ++i) m.m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    return m;
}

Matrix4 multiplyMatrices(const Matrix4& a, const Matrix4& b)
{
    Matrix4 p;
    for (int i = 0; i < 4; ++i) {
        const float ai0 = a.m[i], ai1 = a.m[4 + i], ai2 = a.m[8 + i], ai3 = a.m[12 + i];
        for (int j = 0; j < 4; ++j)
            p.m[j * 4 + i] = ai0 * b.m[j * 4] + ai1 * b.m[j * 4 + 1] + ai2 * b.m[j * 4 + 2] +
                             ai3 * b.m[j * 4 + 3];
    }
    return p;
}

MatrixStack& currentMatrixStack()
{
    switch (gl.s.matrixMode) {
    case GL_PROJECTION: return gl.projection;
    case GL_TEXTURE: return gl.texture;
    default: return gl.modelview;
    }
}

extern "C" {

void glMatrixMode(GLenum mode)
{
    if (stateCallRecorded([=] { glMatrixMode(mode); })) return;
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
        setGlError(GL_INVALID_ENUM);
        return;
    }
    gl.s.matrixMode = mode;
}

void glLoadIdentity(void)
{
    if (stateCallRecorded([] { glLoadIdentity(); })) return;
    currentMatrixStack().top() = identityMatrix();
}

void glLoadMatrixf(const GLfloat* m)
{
    Matrix4 copy;
    std::memcpy(copy.m, m, sizeof copy.m);
    if (stateCallRecorded([=] { glLoadMatrixf(copy.m); })) return;
    currentMatrixStack().top() = copy;
}

void glLoadMatrixd(const GLdouble* m)
{
    Matrix4 copy = fromDoubles(m);
    glLoadMatrixf(copy.m);
}

void glMultMatrixf(const GLfloat* m)
{
    Matrix4 copy;
    std::memcpy(copy.m, m, sizeof copy.m);
    if (stateCallRecorded([=] { glMultMatrixf(copy.m); })) return;
    multiplyCurrent(copy);
}

void glMultMatrixd(const GLdouble* m)
{
    Matrix4 copy = fromDoubles(m);
    glMultMatrixf(copy.m);
}

void glPushMatrix(void)
{
    if (stateCallRecorded([] { glPushMatrix(); })) return;
    MatrixStack& stack = currentMatrixStack();
    if (stack.depth + 1 >= stack.capacity) {
        setGlError(GL_STACK_OVERFLOW);
        return;
    }
    stack.levels[stack.depth + 1] = stack.levels[stack.depth];
    ++stack.depth;
}

void glPopMatrix(void)
{
    if (stateCallRecorded([] { glPopMatrix(); })) return;
    MatrixStack& stack = currentMatrixStack();
    if (stack.depth == 0) {
        setGlError(GL_STACK_UNDERFLOW);
        return;
    }
    --stack.depth;
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    if (stateCallRecorded([=] { glTranslatef(x, y, z); })) return;
    float* m = currentMatrixStack().top().m;
    m[12] = m[0] * x + m[4] * y + m[8] * z + m[12];
    m[13] = m[1] * x + m[5] * y + m[9] * z + m[13];
    m[14] = m[2] * x + m[6] * y + m[10] * z + m[14];
    m[15] = m[3] * x + m[7] * y + m[11] * z + m[15];
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z) { glTranslatef((float)x, (float)y, (float)z); }

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    if (stateCallRecorded([=] { glRotatef(angle, x, y, z); })) return;
    multiplyCurrent(rotation(angle, x, y, z));
}

void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z)
{
    glRotatef((float)angle, (float)x, (float)y, (float)z);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    if (stateCallRecorded([=] { glScalef(x, y, z); })) return;
    float* m = currentMatrixStack().top().m;
    for (int i = 0; i < 4; ++i) {
        m[i] *= x;
        m[4 + i] *= y;
        m[8 + i] *= z;
    }
}

void glScaled(GLdouble x, GLdouble y, GLdouble z) { glScalef((float)x, (float)y, (float)z); }

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
             GLdouble zFar)
{
    if (stateCallRecorded([=] { glOrtho(left, right, bottom, top, zNear, zFar); })) return;
    float l = (float)left, r = (float)right, b = (float)bottom, t = (float)top;
    float n = (float)zNear, f = (float)zFar;
    if (l == r || b == t || n == f) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    Matrix4 m = identityMatrix();
    m.m[0] = 2.0f / (r - l);
    m.m[12] = -(r + l) / (r - l);
    m.m[5] = 2.0f / (t - b);
    m.m[13] = -(t + b) / (t - b);
    m.m[10] = -2.0f / (f - n);
    m.m[14] = -(f + n) / (f - n);
    multiplyCurrent(m);
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
               GLdouble zFar)
{
    if (stateCallRecorded([=] { glFrustum(left, right, bottom, top, zNear, zFar); })) return;
    float l = (float)left, r = (float)right, b = (float)bottom, t = (float)top;
    float n = (float)zNear, f = (float)zFar;
    if (n <= 0 || f <= 0 || l == r || b == t || n == f) {
        setGlError(GL_INVALID_VALUE);
        return;
    }
    Matrix4 m = identityMatrix();
    m.m[0] = (2.0f * n) / (r - l);
    m.m[8] = (r + l) / (r - l);
    m.m[5] = (2.0f * n) / (t - b);
    m.m[9] = (t + b) / (t - b);
    m.m[10] = -(f + n) / (f - n);
    m.m[14] = -(2.0f * f * n) / (f - n);
    m.m[11] = -1.0f;
    m.m[15] = 0.0f;
    multiplyCurrent(m);
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    double radians = fovy / 2 * PI / HALF_CIRCLE_DEGREES;
    double deltaZ = zFar - zNear;
    double sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0) return;
    double cotangent = std::cos(radians) / sine;
    GLdouble m[16] = {};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / deltaZ;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / deltaZ;
    glMultMatrixd(m);
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
               GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ)
{
    float forward[3] = {(float)(centerX - eyeX), (float)(centerY - eyeY), (float)(centerZ - eyeZ)};
    float up[3] = {(float)upX, (float)upY, (float)upZ};
    float side[3];
    normalizeVector(forward);
    crossProduct(forward, up, side);
    normalizeVector(side);
    crossProduct(side, forward, up);
    Matrix4 m = identityMatrix();
    for (int k = 0; k < 3; ++k) {
        m.m[k * 4 + 0] = side[k];
        m.m[k * 4 + 1] = up[k];
        m.m[k * 4 + 2] = -forward[k];
    }
    glMultMatrixf(m.m);
    glTranslated(-eyeX, -eyeY, -eyeZ);
}

void gluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top)
{
    glOrtho(left, right, bottom, top, -1, 1);
}

}  // extern "C"
