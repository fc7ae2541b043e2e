// glutSolidCone as the desktop's window library (freeglut 3.4) draws it: the same vertices,
// normals and triangles in the same order. It builds a base disc (normals straight down)
// and stacks+1 rings of the side (normals leaning out by the cone's slope), in single
// precision as the library does, and draws the library's triangle strips (the disc as one
// strip about its centre, then one strip per stack) as the triangles they stand for.
// Depends on: GL/freeglut.h (GL 1.1 immediate mode of web/gl/).
#include <GL/freeglut.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

const double PI = 3.14159265358979323846;
// More slices or stacks than this would overflow the library's 16-bit indices.
const int MAX_CONE_VERTICES = 65535;

struct ConeVertex {
    GLfloat v[3];
    GLfloat n[3];
};

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

std::vector<ConeVertex> coneVertices(GLfloat base, GLfloat height, int slices, int stacks)
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

    std::vector<ConeVertex> vertices;
    vertices.push_back({{0.0f, 0.0f, z}, {0.0f, 0.0f, -1.0f}});
    for (int j = 0; j < slices; ++j)
        vertices.push_back({{cost[j] * r, sint[j] * r, z}, {0.0f, 0.0f, -1.0f}});
    for (int i = 0; i < stacks + 1; ++i) {
        for (int j = 0; j < slices; ++j)
            vertices.push_back({{cost[j] * r, sint[j] * r, z}, {cost[j] * cosn, sint[j] * cosn, sinn}});
        z += zStep;
        r -= rStep;
    }
    return vertices;
}

// The library's strips: the disc, then each stack; each strip closes on its first pair.
std::vector<std::vector<int>> coneStrips(int slices, int stacks)
{
    std::vector<std::vector<int>> strips;
    std::vector<int> disc;
    for (int j = 0; j < slices; ++j) {
        disc.push_back(0);
        disc.push_back(j + 1);
    }
    disc.push_back(0);
    disc.push_back(1);
    strips.push_back(disc);
    for (int i = 0; i < stacks; ++i) {
        const int offset = 1 + (i + 1) * slices;
        std::vector<int> strip;
        for (int j = 0; j < slices; ++j) {
            strip.push_back(offset + j);
            strip.push_back(offset + j + slices);
        }
        strip.push_back(offset);
        strip.push_back(offset + slices);
        strips.push_back(strip);
    }
    return strips;
}

void emit(const ConeVertex& v)
{
    glNormal3f(v.n[0], v.n[1], v.n[2]);
    glVertex3f(v.v[0], v.v[1], v.v[2]);
}

}  // namespace

void glutSolidCone(double base, double height, GLint slices, GLint stacks)
{
    if (slices <= 0 || stacks < 1) return;
    if ((long)slices * (stacks + 2) + 1 > MAX_CONE_VERTICES) return;
    const std::vector<ConeVertex> vertices = coneVertices((GLfloat)base, (GLfloat)height, slices, stacks);
    glBegin(GL_TRIANGLES);
    for (const std::vector<int>& strip : coneStrips(slices, stacks)) {
        // Triangle k of a strip is (k, k+1, k+2), its odd ones turned to keep their facing;
        // triangles with a corner twice (the disc's every other one) cover nothing.
        for (size_t k = 0; k + 2 < strip.size(); ++k) {
            int a = strip[k];
            int b = strip[k + 1];
            const int c = strip[k + 2];
            if (k % 2 == 1) std::swap(a, b);
            if (a == b || b == c || a == c) continue;
            emit(vertices[a]);
            emit(vertices[b]);
            emit(vertices[c]);
        }
    }
    glEnd();
}
