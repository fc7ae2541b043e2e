// MD2 encoding: header, skin name, texture coordinates, triangles and quantised frames.
// Depends on: md2_writer.h.
#include "tools/assetgen/models/md2_writer.h"

#include "world/little_endian.h"

#include <cmath>
#include <cstdio>

namespace chargen {

namespace {

const uint32_t MD2_MAGIC = 0x32504449;  // "IDP2" read as a little-endian number
const int MD2_VERSION = 8;
const int HEADER_BYTES = 68;
const int SKIN_NAME_BYTES = 64;
const int FRAME_NAME_BYTES = 16;
const int FRAME_HEADER_BYTES = 40;
const int MAX_FRAME_BYTES = 8320;  // the game's frame buffer
const int MAX_INDEX = 32767;

const char* const MSG_BAD_CONTENT = "assetgen: cannot store model: %s\n";

using littleEndian::put16;
using littleEndian::put32;
using littleEndian::putFloat;

void putName(std::vector<uint8_t>& out, const std::string& name, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(i < (int)name.size() ? (uint8_t)name[i] : 0);
}

// The loader turns file (X, Y, Z) into (X, Z, -Y); this is the way back.
V3 toFileAxes(V3 p) { return {p.x, -p.z, p.y}; }

bool refuse(const char* why)
{
    std::fprintf(stderr, MSG_BAD_CONTENT, why);
    return false;
}

bool checkContent(const Md2Content& c)
{
    if (c.frames.empty()) return refuse("no frames");
    size_t vertexCount = c.frames[0].positions.size();
    size_t texCount = c.st.size() / 2;
    if (vertexCount == 0 || c.tris.empty()) return refuse("no triangles");
    if (FRAME_HEADER_BYTES + 4 * (long long)vertexCount > MAX_FRAME_BYTES)
        return refuse("too many vertices for one frame");
    if (texCount > MAX_INDEX || c.tris.size() > MAX_INDEX || c.frames.size() > MAX_INDEX)
        return refuse("too many texture coordinates, triangles or frames");
    if ((int)c.skinName.size() >= SKIN_NAME_BYTES) return refuse("skin name too long");
    for (const Md2Keyframe& f : c.frames) {
        if (f.positions.size() != vertexCount) return refuse("frames differ in size");
        if (f.name.empty() || (int)f.name.size() >= FRAME_NAME_BYTES)
            return refuse("frame name empty or too long");
    }
    for (const MeshTri& t : c.tris) {
        for (int j = 0; j < 3; ++j) {
            if (t.v[j] < 0 || (size_t)t.v[j] >= vertexCount || t.t[j] < 0 ||
                (size_t)t.t[j] >= texCount)
                return refuse("triangle index out of range");
        }
    }
    for (int value : c.st)
        if (value < -MAX_INDEX || value > MAX_INDEX) return refuse("texture coordinate too large");
    return true;
}

void putFrame(std::vector<uint8_t>& out, const Md2Keyframe& frame)
{
    V3 lo = toFileAxes(frame.positions[0]), hi = lo;
    for (const V3& p : frame.positions) {
        V3 f = toFileAxes(p);
        lo = {std::fmin(lo.x, f.x), std::fmin(lo.y, f.y), std::fmin(lo.z, f.z)};
        hi = {std::fmax(hi.x, f.x), std::fmax(hi.y, f.y), std::fmax(hi.z, f.z)};
    }
    // One step of the 0..255 range per axis; a flat axis keeps a step of 1.
    V3 scale{(hi.x - lo.x) / 255.0f, (hi.y - lo.y) / 255.0f, (hi.z - lo.z) / 255.0f};
    if (scale.x <= 0.0f) scale.x = 1.0f;
    if (scale.y <= 0.0f) scale.y = 1.0f;
    if (scale.z <= 0.0f) scale.z = 1.0f;
    putFloat(out, scale.x);
    putFloat(out, scale.y);
    putFloat(out, scale.z);
    putFloat(out, lo.x);
    putFloat(out, lo.y);
    putFloat(out, lo.z);
    putName(out, frame.name, FRAME_NAME_BYTES);
    auto quantise = [](float v, float base, float step) {
        long q = std::lround((v - base) / step);
        return (uint8_t)(q < 0 ? 0 : (q > 255 ? 255 : q));
    };
    for (const V3& p : frame.positions) {
        V3 f = toFileAxes(p);
        out.push_back(quantise(f.x, lo.x, scale.x));
        out.push_back(quantise(f.y, lo.y, scale.y));
        out.push_back(quantise(f.z, lo.z, scale.z));
        out.push_back(0);  // the game sends no normals
    }
}

}  // namespace

std::vector<uint8_t> encodeMd2(const Md2Content& c)
{
    std::vector<uint8_t> out;
    if (!checkContent(c)) return out;
    const uint32_t vertexCount = (uint32_t)c.frames[0].positions.size();
    const uint32_t texCount = (uint32_t)(c.st.size() / 2);
    const uint32_t triCount = (uint32_t)c.tris.size();
    const uint32_t frameCount = (uint32_t)c.frames.size();
    const uint32_t frameBytes = FRAME_HEADER_BYTES + 4 * vertexCount;
    const uint32_t offsetSkins = HEADER_BYTES;
    const uint32_t offsetTexCoords = offsetSkins + SKIN_NAME_BYTES;
    const uint32_t offsetTriangles = offsetTexCoords + 4 * texCount;
    const uint32_t offsetFrames = offsetTriangles + 12 * triCount;
    const uint32_t offsetEnd = offsetFrames + frameBytes * frameCount;

    put32(out, MD2_MAGIC);
    put32(out, MD2_VERSION);
    put32(out, (uint32_t)c.skinWidth);
    put32(out, (uint32_t)c.skinHeight);
    put32(out, frameBytes);
    put32(out, 1);  // skins
    put32(out, vertexCount);
    put32(out, texCount);
    put32(out, triCount);
    put32(out, 0);  // no GL commands
    put32(out, frameCount);
    put32(out, offsetSkins);
    put32(out, offsetTexCoords);
    put32(out, offsetTriangles);
    put32(out, offsetFrames);
    put32(out, offsetEnd);  // the empty GL command list
    put32(out, offsetEnd);

    putName(out, c.skinName, SKIN_NAME_BYTES);
    for (int value : c.st) put16(out, value);
    for (const MeshTri& t : c.tris) {
        for (int j = 0; j < 3; ++j) put16(out, t.v[j]);
        for (int j = 0; j < 3; ++j) put16(out, t.t[j]);
    }
    for (const Md2Keyframe& frame : c.frames) putFrame(out, frame);
    return out;
}

}  // namespace chargen
