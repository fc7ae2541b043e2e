// Immediate mode: glBegin/glEnd and the current vertex attributes (which may change between
// vertices). A primitive is drawn at glEnd, or goes into the display list being compiled.
// Depends on: gl_state.h, gl_draw.h, gl_lists.h, GL 1.1 declarations.
#include "web/gl/gl_draw.h"
#include "web/gl/gl_lists.h"
#include "web/gl/gl_state.h"

#include <cstring>

namespace {

std::vector<GeometryVertex> runVertices;   // drawn at glEnd
std::vector<GeometryVertex> listVertices;  // recorded at glEnd
std::vector<uint32_t> runCorners;
std::vector<GeometryVertex> runExpanded;

GeometryVertex makeVertex(const VertexAttributes& a, float x, float y, float z, float w)
{
    GeometryVertex v;
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    v.position[3] = w;
    std::memcpy(v.normal, a.normal, sizeof v.normal);
    std::memcpy(v.color, a.color, sizeof v.color);
    std::memcpy(v.texCoord, a.texCoord, sizeof v.texCoord);
    return v;
}

void vertex(float x, float y, float z, float w)
{
    if (!gl.insideBegin) return;
    if (listCompiling()) listVertices.push_back(makeVertex(listAttributes(), x, y, z, w));
    if (callsRunNow()) runVertices.push_back(makeVertex(gl.s.current, x, y, z, w));
}

// With GL_COLOR_MATERIAL on, the current colour is also the material's tracked colours.
void trackColorMaterial()
{
    const ServerState& s = gl.s;
    if (!s.colorMaterial) return;
    for (int face = 0; face < 2; ++face) {
        if ((face == 0 && s.colorMaterialFace == GL_BACK) || (face == 1 && s.colorMaterialFace == GL_FRONT))
            continue;
        MaterialState& m = gl.s.material[face];
        const float* c = s.current.color;
        switch (s.colorMaterialMode) {
        case GL_AMBIENT: std::memcpy(m.ambient, c, sizeof m.ambient); break;
        case GL_DIFFUSE: std::memcpy(m.diffuse, c, sizeof m.diffuse); break;
        case GL_SPECULAR: std::memcpy(m.specular, c, sizeof m.specular); break;
        case GL_EMISSION: std::memcpy(m.emission, c, sizeof m.emission); break;
        default:
            std::memcpy(m.ambient, c, sizeof m.ambient);
            std::memcpy(m.diffuse, c, sizeof m.diffuse);
            break;
        }
    }
}

void setColor(float r, float g, float b, float a)
{
    const float c[4] = {r, g, b, a};
    if (listCompiling()) {
        std::memcpy(listAttributes().color, c, sizeof c);
        listSetsAttribute(CARRIES_COLOR);
    }
    if (callsRunNow()) {
        std::memcpy(gl.s.current.color, c, sizeof c);
        trackColorMaterial();
    }
}

void setNormal(float x, float y, float z)
{
    const float n[3] = {x, y, z};
    if (listCompiling()) {
        std::memcpy(listAttributes().normal, n, sizeof n);
        listSetsAttribute(CARRIES_NORMAL);
    }
    if (callsRunNow()) std::memcpy(gl.s.current.normal, n, sizeof n);
}

void setTexCoord(float s, float t)
{
    if (listCompiling()) {
        listAttributes().texCoord[0] = s;
        listAttributes().texCoord[1] = t;
        listSetsAttribute(CARRIES_TEXCOORD);
    }
    if (callsRunNow()) {
        gl.s.current.texCoord[0] = s;
        gl.s.current.texCoord[1] = t;
    }
}

// Draws vertices as a GL primitive of the mode, carrying the attributes named.
void drawPrimitive(GLenum mode, const std::vector<GeometryVertex>& vertices, int carries)
{
    decomposePrimitive(mode, (int)vertices.size(), IMMEDIATE_QUAD_SPLIT, runCorners);
    if (runCorners.empty()) return;
    runExpanded.resize(runCorners.size());
    for (size_t i = 0; i < runCorners.size(); ++i) runExpanded[i] = vertices[runCorners[i]];
    PrimitiveKind kind = primitiveKind(mode);
    if (kind == PrimitiveKind::Triangles)
        drawTrianglesClippingNear(0, runExpanded.data(), 0, (int)runExpanded.size(), carries);
    else
        drawVertices(kind, runExpanded.data(), (int)runExpanded.size(), carries);
}

}  // namespace

void trackCurrentColorMaterial() { trackColorMaterial(); }

extern "C" {

void glBegin(GLenum mode)
{
    if (gl.insideBegin || !knownPrimitiveMode(mode)) {
        setGlError(gl.insideBegin ? GL_INVALID_OPERATION : GL_INVALID_ENUM);
        return;
    }
    if (callsRunNow()) flushBitmaps();
    gl.insideBegin = true;
    gl.beginMode = mode;
    runVertices.clear();
    listVertices.clear();
}

void glEnd(void)
{
    if (!gl.insideBegin) {
        setGlError(GL_INVALID_OPERATION);
        return;
    }
    gl.insideBegin = false;
    if (listCompiling()) listAddPrimitive(gl.beginMode, listVertices);
    if (callsRunNow()) drawPrimitive(gl.beginMode, runVertices, CARRIES_ALL);
}

void glVertex2f(GLfloat x, GLfloat y) { vertex(x, y, 0, 1); }
void glVertex2i(GLint x, GLint y) { vertex((float)x, (float)y, 0, 1); }
void glVertex2d(GLdouble x, GLdouble y) { vertex((float)x, (float)y, 0, 1); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { vertex(x, y, z, 1); }
void glVertex3fv(const GLfloat* v) { vertex(v[0], v[1], v[2], 1); }
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) { vertex((float)x, (float)y, (float)z, 1); }

void glTexCoord2f(GLfloat s, GLfloat t) { setTexCoord(s, t); }
void glTexCoord2fv(const GLfloat* v) { setTexCoord(v[0], v[1]); }
void glNormal3f(GLfloat nx, GLfloat ny, GLfloat nz) { setNormal(nx, ny, nz); }
void glNormal3fv(const GLfloat* v) { setNormal(v[0], v[1], v[2]); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { setColor(r, g, b, 1); }
void glColor3fv(const GLfloat* v) { setColor(v[0], v[1], v[2], 1); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { setColor(r, g, b, a); }
void glColor4fv(const GLfloat* v) { setColor(v[0], v[1], v[2], v[3]); }
void glColor3ub(GLubyte r, GLubyte g, GLubyte b)
{
    setColor(r / UNSIGNED_BYTE_MAX, g / UNSIGNED_BYTE_MAX, b / UNSIGNED_BYTE_MAX, 1);
}
void glColor4ub(GLubyte r, GLubyte g, GLubyte b, GLubyte a)
{
    setColor(r / UNSIGNED_BYTE_MAX, g / UNSIGNED_BYTE_MAX, b / UNSIGNED_BYTE_MAX,
             a / UNSIGNED_BYTE_MAX);
}

void glRectf(GLfloat x1, GLfloat y1, GLfloat x2, GLfloat y2)
{
    glBegin(GL_POLYGON);
    glVertex2f(x1, y1);
    glVertex2f(x2, y1);
    glVertex2f(x2, y2);
    glVertex2f(x1, y2);
    glEnd();
}

void glRecti(GLint x1, GLint y1, GLint x2, GLint y2)
{
    glRectf((float)x1, (float)y1, (float)x2, (float)y2);
}

}  // extern "C"
