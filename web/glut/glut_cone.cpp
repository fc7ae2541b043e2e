// glutSolidCone as the desktop's window library (freeglut 3.4) draws it: the same vertices,
// normals and triangle strips in the same order, sent the same way. It builds a base disc
// (normals straight down) and stacks+1 rings of the side (normals leaning out by the cone's
// slope) in single precision, and draws one strip for the disc about its centre and one per
// stack from vertex and normal arrays. Like the library it leaves both arrays disabled and
// the current normal as it was (the passers-by drawn next take the current normal).
// Depends on: GL/freeglut.h (GL 1.1 client arrays of web/gl/).
#include <GL/freeglut.h>

#include <cmath>
#include <vector>

namespace {

const double PI = 3.14159265358979323846;
// More slices or stacks than this would overflow the library's 16-bit indices.
const int MAX_CONE_VERTICES = 65535;

// The library's circle table: slices samples going clockwise (it asks for -slices).
void circleTable(int slices, std::vector<GLfloat>& sint, std::vector<GLfloat>& cost)
{
    const int n = -slices;
    const GLfloat angle = 2 * (GLfloat)PI / (GLfloat)n;
    sint.assign(slices + 1, 0.0f);
    cost.assign(slices + 1, 0.0f);
    cost[0] = 1.0f;
    for (int i = 1; i < slices; ++i) {
        // In double, as C's sin and cos of a float.
        sint[i] = (GLfloat)std::sin((double)(angle * i));
        cost[i] = (GLfloat)std::cos((double)(angle * i));
    }
    sint[slices] = sint[0];
    cost[slices] = cost[0];
}

struct ConeArrays {
    std::vector<GLfloat> vertices;  // x, y, z of each vertex
    std::vector<GLfloat> normals;   // and its normal
};

void addVertex(ConeArrays& a, GLfloat x, GLfloat y, GLfloat z, GLfloat nx, GLfloat ny, GLfloat nz)
{
    a.vertices.insert(a.vertices.end(), {x, y, z});
    a.normals.insert(a.normals.end(), {nx, ny, nz});
}

ConeArrays coneArrays(GLfloat base, GLfloat height, int slices, int stacks)
{
    std::vector<GLfloat> sint;
    std::vector<GLfloat> cost;
    circleTable(slices, sint, cost);
    GLfloat z = 0;
    GLfloat r = base;
    const GLfloat zStep = height / (GLfloat)stacks;
    const GLfloat rStep = base / (GLfloat)stacks;
    const double slant = std::sqrt((double)(height * height + base * base));
    const GLfloat cosn = (GLfloat)((double)height / slant);
    const GLfloat sinn = (GLfloat)((double)base / slant);

    ConeArrays a;
    addVertex(a, 0.0f, 0.0f, z, 0.0f, 0.0f, -1.0f);
    for (int j = 0; j < slices; ++j) addVertex(a, cost[j] * r, sint[j] * r, z, 0.0f, 0.0f, -1.0f);
    for (int i = 0; i < stacks + 1; ++i) {
        for (int j = 0; j < slices; ++j)
            addVertex(a, cost[j] * r, sint[j] * r, z, cost[j] * cosn, sint[j] * cosn, sinn);
        z += zStep;
        r -= rStep;
    }
    return a;
}

// The library's strips, (slices + 1) * 2 indices each: the disc, then each stack; each
// strip closes on its first pair.
std::vector<GLushort> coneStrips(int slices, int stacks)
{
    std::vector<GLushort> indices;
    for (int j = 0; j < slices; ++j) indices.insert(indices.end(), {0, (GLushort)(j + 1)});
    indices.insert(indices.end(), {0, 1});
    for (int i = 0; i < stacks; ++i) {
        const int offset = 1 + (i + 1) * slices;
        for (int j = 0; j < slices; ++j)
            indices.insert(indices.end(), {(GLushort)(offset + j), (GLushort)(offset + j + slices)});
        indices.insert(indices.end(), {(GLushort)offset, (GLushort)(offset + slices)});
    }
    return indices;
}

}  // namespace

void glutSolidCone(double base, double height, GLint slices, GLint stacks)
{
    if (slices <= 0 || stacks < 1) return;
    if ((long)slices * (stacks + 2) + 1 > MAX_CONE_VERTICES) return;
    const ConeArrays a = coneArrays((GLfloat)base, (GLfloat)height, slices, stacks);
    const std::vector<GLushort> indices = coneStrips(slices, stacks);
    const int perStrip = (slices + 1) * 2;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, a.vertices.data());
    glNormalPointer(GL_FLOAT, 0, a.normals.data());
    for (int strip = 0; strip < stacks + 1; ++strip)
        glDrawElements(GL_TRIANGLE_STRIP, perStrip, GL_UNSIGNED_SHORT, &indices[(size_t)strip * perStrip]);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
}
