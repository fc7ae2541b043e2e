// Triangles that cross the near plane, clipped on the CPU as Mesa's draw module clips them
// (Sutherland-Hodgman in clip space, the new corners' attributes interpolated there, the piece
// sent as a fan), so that the near ground lands on the pixels and texels Mesa gives it. The
// corners are lit here with the program's equation; every other triangle goes to WebGL whole.
// Depends on: gl_draw.h, gl_state.h.
#include "web/gl/gl_draw.h"
#include "web/gl/gl_state.h"

#include <cmath>
#include <cstring>

namespace {

const int MAX_CLIPPED_CORNERS = 4;  // a triangle cut by one plane
const float NO_SPOT_CUTOFF = 180.0f;
const double DEGREES_TO_RADIANS = 3.14159265358979323846 / 180.0;

std::vector<GeometryVertex> clipped;

void transform(const Matrix4& matrix, const float* p, float out[4])
{
    const float* m = matrix.m;
    for (int i = 0; i < 4; ++i) out[i] = ((p[0] * m[i] + p[1] * m[4 + i]) + p[2] * m[8 + i]) + p[3] * m[12 + i];
}

float dot3(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void normalize3(float v[3])
{
    float length = std::sqrt(dot3(v, v));
    if (length > 0)
        for (int k = 0; k < 3; ++k) v[k] /= length;
}

// The lit colour of a corner, clamped: the vertex program's equation on the CPU.
void lightCorner(const GeometryVertex& v, const Matrix4& modelview, const float normalMatrix[9],
                 float out[4])
{
    const ServerState& s = gl.s;
    const MaterialState& m = s.material[0];
    float ambient[4], diffuse[4], specular[4], emission[4];
    std::memcpy(ambient, m.ambient, sizeof ambient);
    std::memcpy(diffuse, m.diffuse, sizeof diffuse);
    std::memcpy(specular, m.specular, sizeof specular);
    std::memcpy(emission, m.emission, sizeof emission);
    if (s.colorMaterial) {
        GLenum mode = s.colorMaterialMode;
        if (mode == GL_AMBIENT || mode == GL_AMBIENT_AND_DIFFUSE) std::memcpy(ambient, v.color, sizeof ambient);
        if (mode == GL_DIFFUSE || mode == GL_AMBIENT_AND_DIFFUSE) std::memcpy(diffuse, v.color, sizeof diffuse);
        if (mode == GL_SPECULAR) std::memcpy(specular, v.color, sizeof specular);
        if (mode == GL_EMISSION) std::memcpy(emission, v.color, sizeof emission);
    }
    float eye[4];
    transform(modelview, v.position, eye);
    float n[3];
    for (int i = 0; i < 3; ++i)
        n[i] = normalMatrix[i] * v.normal[0] + normalMatrix[3 + i] * v.normal[1] + normalMatrix[6 + i] * v.normal[2];
    if (s.normalize || s.rescaleNormal) normalize3(n);
    float colour[3];
    for (int k = 0; k < 3; ++k) colour[k] = emission[k] + s.lightModelAmbient[k] * ambient[k];
    for (const LightState& l : s.lights) {
        if (!l.enabled) continue;
        float vp[3], attenuation = 1;
        if (l.position[3] != 0) {
            for (int k = 0; k < 3; ++k) vp[k] = l.position[k] - eye[k];
            float d2 = dot3(vp, vp);
            float inverse = 1.0f / std::sqrt(d2);
            for (float& c : vp) c *= inverse;
            float d = d2 * inverse;
            attenuation = 1.0f / (l.attenuation[0] + l.attenuation[1] * d + l.attenuation[2] * d2);
            if (l.spotCutoff != NO_SPOT_CUTOFF) {
                float direction[3] = {l.spotDirection[0], l.spotDirection[1], l.spotDirection[2]};
                normalize3(direction);
                float spot = -dot3(vp, direction);
                float cutoff = (float)std::cos(l.spotCutoff * DEGREES_TO_RADIANS);
                attenuation *= spot >= cutoff ? std::pow(std::fmax(spot, 0.0f), l.spotExponent) : 0.0f;
            }
        } else {
            std::memcpy(vp, l.position, sizeof vp);
            normalize3(vp);
        }
        float light[3];
        for (int k = 0; k < 3; ++k) light[k] = l.ambient[k] * ambient[k];
        float nDotVp = dot3(n, vp);
        if (nDotVp > 0) {
            float h[3];
            if (s.localViewer) {
                float toEye[3] = {eye[0], eye[1], eye[2]};
                normalize3(toEye);
                for (int k = 0; k < 3; ++k) h[k] = vp[k] - toEye[k];
            } else {
                h[0] = vp[0];
                h[1] = vp[1];
                h[2] = vp[2] + 1.0f;
            }
            normalize3(h);
            float nDotH = std::fmax(dot3(n, h), 0.0f);
            float power = m.shininess == 0 ? 1.0f : std::pow(nDotH, m.shininess);
            for (int k = 0; k < 3; ++k)
                light[k] += nDotVp * l.diffuse[k] * diffuse[k] + power * l.specular[k] * specular[k];
        }
        for (int k = 0; k < 3; ++k) colour[k] += attenuation * light[k];
    }
    auto clamp = [](float c) { return c < 0 ? 0.0f : c > 1 ? 1.0f : c; };
    for (int k = 0; k < 3; ++k) out[k] = clamp(colour[k]);
    out[3] = clamp(diffuse[3]);
}

// A corner as the clipper sees it: clip position and the attributes the rasteriser gets.
GeometryVertex clipCorner(const GeometryVertex& v, const Matrix4& mvp, const Matrix4& modelview,
                          const float normalMatrix[9], int carries)
{
    GeometryVertex c = v;
    const VertexAttributes& current = gl.s.current;
    if (!(carries & CARRIES_NORMAL)) std::memcpy(c.normal, current.normal, sizeof c.normal);
    if (!(carries & CARRIES_COLOR)) std::memcpy(c.color, current.color, sizeof c.color);
    if (!(carries & CARRIES_TEXCOORD)) std::memcpy(c.texCoord, current.texCoord, sizeof c.texCoord);
    if (gl.s.lighting) {
        float lit[4];
        lightCorner(c, modelview, normalMatrix, lit);
        std::memcpy(c.color, lit, sizeof lit);
    } else {
        for (float& k : c.color) k = k < 0 ? 0.0f : k > 1 ? 1.0f : k;
    }
    float position[4];
    transform(mvp, v.position, position);
    std::memcpy(c.position, position, sizeof position);
    return c;
}

// out + t (in - out), component by component, as Mesa's clipper interpolates.
void interpolate(GeometryVertex& dst, float t, const GeometryVertex& out, const GeometryVertex& in)
{
    for (int k = 0; k < 4; ++k) dst.position[k] = out.position[k] + t * (in.position[k] - out.position[k]);
    for (int k = 0; k < 4; ++k) dst.color[k] = out.color[k] + t * (in.color[k] - out.color[k]);
    for (int k = 0; k < 2; ++k) dst.texCoord[k] = out.texCoord[k] + t * (in.texCoord[k] - out.texCoord[k]);
    std::memcpy(dst.normal, in.normal, sizeof dst.normal);
}

float nearDistance(const GeometryVertex& c) { return c.position[2] + c.position[3]; }

// The part of a triangle (clip-space corners) in front of the near plane, as a fan.
void clipTriangle(const GeometryVertex corners[3])
{
    GeometryVertex polygon[MAX_CLIPPED_CORNERS];
    int n = 0;
    const GeometryVertex* previous = &corners[0];
    float dpPrevious = nearDistance(*previous);
    for (int i = 1; i <= 3; ++i) {
        const GeometryVertex* vertex = &corners[i % 3];
        float dp = nearDistance(*vertex);
        if (!std::signbit(dpPrevious)) polygon[n++] = *previous;
        if (std::signbit(dp) != std::signbit(dpPrevious) && n < MAX_CLIPPED_CORNERS) {
            GeometryVertex& added = polygon[n++];
            if (std::signbit(dp)) interpolate(added, dp / (dp - dpPrevious), *vertex, *previous);
            else interpolate(added, dpPrevious / (dpPrevious - dp), *previous, *vertex);
        }
        previous = vertex;
        dpPrevious = dp;
    }
    for (int i = 2; i < n; ++i) {
        clipped.push_back(polygon[i - 1]);
        clipped.push_back(polygon[i]);
        clipped.push_back(polygon[0]);
    }
}

}  // namespace

void drawTrianglesClippingNear(unsigned int buffer, const GeometryVertex* vertices, int first,
                               int count, int carries)
{
    Matrix4 mvp = multiplyMatrices(gl.projection.top(), gl.modelview.top());
    const Matrix4& modelview = gl.modelview.top();
    float normalMatrix[9];
    normalMatrixOf(modelview, normalMatrix);
    clipped.clear();
    int runStart = first;
    auto drawRun = [&](int end) {
        if (end <= runStart) return;
        if (buffer) drawBufferRange(buffer, PrimitiveKind::Triangles, runStart, end - runStart, carries);
        else drawVertices(PrimitiveKind::Triangles, vertices + runStart, end - runStart, carries);
    };
    for (int t = first; t + 2 < first + count; t += 3) {
        float position[4];
        int inFront = 0;
        for (int k = 0; k < 3; ++k) {
            transform(mvp, vertices[t + k].position, position);
            if (!std::signbit(position[2] + position[3])) ++inFront;
        }
        if (inFront == 3) continue;
        drawRun(t);
        runStart = t + 3;
        if (inFront == 0) continue;
        GeometryVertex corners[3];
        for (int k = 0; k < 3; ++k) corners[k] = clipCorner(vertices[t + k], mvp, modelview, normalMatrix, carries);
        clipTriangle(corners);
    }
    drawRun(first + count);
    if (!clipped.empty()) drawClipVertices(clipped.data(), (int)clipped.size());
}
