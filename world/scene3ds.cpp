// 3DS scene files: the untrusted chunk tree checked chunk by chunk and read into objects,
// meshes and materials; and the same tree written from a scene.
// Depends on: scene3ds.h, little_endian.h, vector3.h.
//
// Every chunk is an id, a length and its contents; a parent's contents are its own fields
// followed by child chunks up to its end. The reader follows only the chunks it knows and
// steps over the rest by their length, which is how files from any tool read, whatever
// keyframes, cameras, lights or settings they carry.
#include "world/scene3ds.h"

#include "world/little_endian.h"

#include <cmath>
#include <cstring>
#include <map>
#include <utility>

// ---- Constants -------------------------------------------------------------------------

const char* const SCENE3DS_REASON_NOT_3DS = "not a 3DS file";
const char* const SCENE3DS_REASON_SHORT_CHUNK = "chunk shorter than its header";
const char* const SCENE3DS_REASON_CHUNK_OUTSIDE = "chunk runs past its parent";
const char* const SCENE3DS_REASON_NAME_UNENDED = "name not ended within its chunk";
const char* const SCENE3DS_REASON_COUNT_OUTSIDE = "count runs past its chunk";
const char* const SCENE3DS_REASON_SHORT_RECORD = "chunk shorter than its record";
const char* const SCENE3DS_REASON_SECOND_MESH = "object with two meshes";
const char* const SCENE3DS_REASON_SECOND_LIST = "mesh with two lists of one kind";
const char* const SCENE3DS_REASON_VERTEX_INDEX = "face vertex index out of range";
const char* const SCENE3DS_REASON_FACE_INDEX = "material face index out of range";
const char* const SCENE3DS_REASON_MAPPING_COUNT = "mapping count differs from vertex count";
const char* const SCENE3DS_REASON_VERTEX_VALUE = "vertex not a finite number";
const char* const SCENE3DS_REASON_TOO_MANY_OBJECTS = "more than 65535 objects or materials";
const char* const SCENE3DS_REASON_TOO_MANY = "more than 65535 in one list";
const char* const SCENE3DS_REASON_NAME_NUL = "name holds a NUL byte";
const char* const SCENE3DS_REASON_FACE_UNNAMED = "face names a missing vertex";
const char* const SCENE3DS_REASON_TOO_LARGE = "scene too large for a 3DS file";

namespace {

const uint32_t FORMAT_VERSION = 3;  // what the version chunks of our files say
const float BYTE_COLOUR_SCALE = 255.0f;

// ---- Reading ---------------------------------------------------------------------------

using littleEndian::read16;
using littleEndian::read32;
using littleEndian::readFloat;

// A chunk as found in the file: its contents run from body to end, both file offsets.
struct Chunk {
    uint16_t id;
    size_t body;
    size_t end;
};

class Reader {
public:
    Reader(const uint8_t* bytes, size_t size) : data(bytes), fileSize(size) {}

    const char* readFile(Scene3ds& scene)
    {
        if (fileSize < (size_t)SCENE3DS_CHUNK_HEADER_SIZE || read16(data) != CHUNK3DS_MAIN)
            return SCENE3DS_REASON_NOT_3DS;
        Chunk main;
        const char* reason = readChunk(0, fileSize, main);
        if (reason) return reason;
        return readChildren(main.body, main.end, [&](const Chunk& c) {
            return c.id == CHUNK3DS_EDITOR ? readEditor(c, scene) : nullptr;
        });
    }

private:
    const uint8_t* data;
    size_t fileSize;

    // The chunk header at pos, which must lie, with the whole chunk, before parentEnd.
    const char* readChunk(size_t pos, size_t parentEnd, Chunk& chunk) const
    {
        if (parentEnd - pos < (size_t)SCENE3DS_CHUNK_HEADER_SIZE)
            return SCENE3DS_REASON_SHORT_CHUNK;
        uint32_t length = read32(data + pos + 2);
        if (length < (uint32_t)SCENE3DS_CHUNK_HEADER_SIZE) return SCENE3DS_REASON_SHORT_CHUNK;
        if (length > parentEnd - pos) return SCENE3DS_REASON_CHUNK_OUTSIDE;
        chunk.id = read16(data + pos);
        chunk.body = pos + SCENE3DS_CHUNK_HEADER_SIZE;
        chunk.end = pos + length;
        return nullptr;
    }

    // Hands every child chunk in [pos, end) to readOne, stopping at the first reason.
    template <typename ReadOne>
    const char* readChildren(size_t pos, size_t end, ReadOne readOne) const
    {
        while (pos < end) {
            Chunk child;
            const char* reason = readChunk(pos, end, child);
            if (!reason) reason = readOne(child);
            if (reason) return reason;
            pos = child.end;
        }
        return nullptr;
    }

    // A NUL-terminated name starting at pos that ends before end; *after is past the NUL.
    const char* readName(size_t pos, size_t end, std::string& name, size_t& after) const
    {
        const void* nul = pos < end ? std::memchr(data + pos, 0, end - pos) : nullptr;
        if (!nul) return SCENE3DS_REASON_NAME_UNENDED;
        size_t length = (size_t)((const uint8_t*)nul - (data + pos));
        name.assign((const char*)data + pos, length);
        after = pos + length + 1;
        return nullptr;
    }

    // A 16-bit count at pos and count records of recordSize after it, all before end.
    // Nothing is sized from the count until this has passed.
    const char* readCount(size_t pos, size_t end, size_t recordSize, size_t& count) const
    {
        if (end - pos < 2) return SCENE3DS_REASON_SHORT_RECORD;
        count = read16(data + pos);
        if (count * recordSize > end - pos - 2) return SCENE3DS_REASON_COUNT_OUTSIDE;
        return nullptr;
    }

    const char* readEditor(const Chunk& editor, Scene3ds& scene) const
    {
        return readChildren(editor.body, editor.end, [&](const Chunk& c) -> const char* {
            if ((c.id == CHUNK3DS_MATERIAL && scene.materials.size() >= SCENE3DS_MAX_OBJECTS) ||
                (c.id == CHUNK3DS_OBJECT && scene.objects.size() >= SCENE3DS_MAX_OBJECTS))
                return SCENE3DS_REASON_TOO_MANY_OBJECTS;
            if (c.id == CHUNK3DS_MATERIAL) {
                scene.materials.emplace_back();
                return readMaterial(c, scene.materials.back());
            }
            if (c.id == CHUNK3DS_OBJECT) {
                scene.objects.emplace_back();
                return readObject(c, scene.objects.back());
            }
            return nullptr;
        });
    }

    const char* readObject(const Chunk& chunk, Scene3dsObject& object) const
    {
        object.hasMesh = false;
        size_t after = 0;
        const char* reason = readName(chunk.body, chunk.end, object.name, after);
        if (reason) return reason;
        return readChildren(after, chunk.end, [&](const Chunk& c) -> const char* {
            if (c.id != CHUNK3DS_TRIANGLE_MESH) return nullptr;
            if (object.hasMesh) return SCENE3DS_REASON_SECOND_MESH;
            object.hasMesh = true;
            return readMesh(c, object.mesh);
        });
    }

    const char* readMesh(const Chunk& chunk, Scene3dsMesh& mesh) const
    {
        mesh.hasLocalAxes = false;
        bool hasVertices = false, hasFaces = false, hasMapping = false;
        const char* reason = readChildren(chunk.body, chunk.end, [&](const Chunk& c) -> const char* {
            switch (c.id) {
            case CHUNK3DS_VERTEX_LIST:
                if (hasVertices) return SCENE3DS_REASON_SECOND_LIST;
                hasVertices = true;
                return readVertices(c, mesh.vertices);
            case CHUNK3DS_FACE_LIST:
                if (hasFaces) return SCENE3DS_REASON_SECOND_LIST;
                hasFaces = true;
                return readFaces(c, mesh);
            case CHUNK3DS_MAPPING:
                if (hasMapping) return SCENE3DS_REASON_SECOND_LIST;
                hasMapping = true;
                return readMapping(c, mesh.mapping);
            case CHUNK3DS_LOCAL_AXES:
                if (mesh.hasLocalAxes) return SCENE3DS_REASON_SECOND_LIST;
                if (c.end - c.body < (size_t)SCENE3DS_LOCAL_AXES_SIZE)
                    return SCENE3DS_REASON_SHORT_RECORD;
                mesh.hasLocalAxes = true;
                for (int k = 0; k < 12; ++k) mesh.localAxes[k] = readFloat(data + c.body + 4 * k);
                return nullptr;
            default:
                return nullptr;
            }
        });
        if (reason) return reason;
        return checkMesh(mesh);
    }

    // The lists may come in any order, so their indices are checked once all are read.
    static const char* checkMesh(const Scene3dsMesh& mesh)
    {
        size_t vertexCount = mesh.vertices.size();
        for (const Scene3dsFace& f : mesh.faces)
            if (f.a >= vertexCount || f.b >= vertexCount || f.c >= vertexCount)
                return SCENE3DS_REASON_VERTEX_INDEX;
        for (const Scene3dsFaceGroup& group : mesh.faceGroups)
            for (uint16_t face : group.faces)
                if (face >= mesh.faces.size()) return SCENE3DS_REASON_FACE_INDEX;
        if (!mesh.mapping.empty() && mesh.mapping.size() != vertexCount)
            return SCENE3DS_REASON_MAPPING_COUNT;
        return nullptr;
    }

    const char* readVertices(const Chunk& c, std::vector<Vector3>& vertices) const
    {
        size_t count = 0;
        const char* reason = readCount(c.body, c.end, SCENE3DS_VERTEX_SIZE, count);
        if (reason) return reason;
        vertices.resize(count);
        const uint8_t* p = data + c.body + 2;
        for (size_t i = 0; i < count; ++i, p += SCENE3DS_VERTEX_SIZE) {
            Vector3 v(readFloat(p), readFloat(p + 4), readFloat(p + 8));
            if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z))
                return SCENE3DS_REASON_VERTEX_VALUE;
            vertices[i] = v;
        }
        return nullptr;
    }

    const char* readFaces(const Chunk& c, Scene3dsMesh& mesh) const
    {
        size_t count = 0;
        const char* reason = readCount(c.body, c.end, SCENE3DS_FACE_SIZE, count);
        if (reason) return reason;
        mesh.faces.resize(count);
        const uint8_t* p = data + c.body + 2;
        for (size_t i = 0; i < count; ++i, p += SCENE3DS_FACE_SIZE)
            mesh.faces[i] = Scene3dsFace{read16(p), read16(p + 2), read16(p + 4), read16(p + 6)};
        // The face records are followed by the face list's own chunks.
        size_t after = c.body + 2 + count * SCENE3DS_FACE_SIZE;
        return readChildren(after, c.end, [&](const Chunk& child) -> const char* {
            if (child.id != CHUNK3DS_FACE_MATERIAL) return nullptr;
            mesh.faceGroups.emplace_back();
            return readFaceGroup(child, mesh.faceGroups.back());
        });
    }

    const char* readFaceGroup(const Chunk& c, Scene3dsFaceGroup& group) const
    {
        size_t after = 0, count = 0;
        const char* reason = readName(c.body, c.end, group.material, after);
        if (!reason) reason = readCount(after, c.end, 2, count);
        if (reason) return reason;
        group.faces.resize(count);
        for (size_t i = 0; i < count; ++i) group.faces[i] = read16(data + after + 2 + 2 * i);
        return nullptr;
    }

    const char* readMapping(const Chunk& c, std::vector<Scene3dsMapping>& mapping) const
    {
        size_t count = 0;
        const char* reason = readCount(c.body, c.end, SCENE3DS_MAPPING_SIZE, count);
        if (reason) return reason;
        mapping.resize(count);
        const uint8_t* p = data + c.body + 2;
        for (size_t i = 0; i < count; ++i, p += SCENE3DS_MAPPING_SIZE)
            mapping[i] = Scene3dsMapping{readFloat(p), readFloat(p + 4)};
        return nullptr;
    }

    const char* readMaterial(const Chunk& chunk, Scene3dsMaterial& material) const
    {
        material.ambient = material.diffuse = material.specular = Scene3dsColour{};
        return readChildren(chunk.body, chunk.end, [&](const Chunk& c) -> const char* {
            size_t after = 0;
            switch (c.id) {
            case CHUNK3DS_MATERIAL_NAME:
                return readName(c.body, c.end, material.name, after);
            case CHUNK3DS_AMBIENT:
                return readColour(c, material.ambient);
            case CHUNK3DS_DIFFUSE:
                return readColour(c, material.diffuse);
            case CHUNK3DS_SPECULAR:
                return readColour(c, material.specular);
            case CHUNK3DS_TEXTURE_MAP:
                return readChildren(c.body, c.end, [&](const Chunk& m) -> const char* {
                    if (m.id != CHUNK3DS_MAP_FILE_NAME) return nullptr;
                    return readName(m.body, m.end, material.textureFile, after);
                });
            default:
                return nullptr;
            }
        });
    }

    // Tools often store a colour twice, plain and gamma-corrected: the first plain one
    // wins, a gamma one is used only when there is no plain one.
    const char* readColour(const Chunk& chunk, Scene3dsColour& colour) const
    {
        bool plain = false;
        colour = Scene3dsColour{};
        return readChildren(chunk.body, chunk.end, [&](const Chunk& c) -> const char* {
            bool isFloat = c.id == CHUNK3DS_COLOUR_FLOAT || c.id == CHUNK3DS_COLOUR_FLOAT_GAMMA;
            bool isBytes = c.id == CHUNK3DS_COLOUR_BYTES || c.id == CHUNK3DS_COLOUR_BYTES_GAMMA;
            if (!isFloat && !isBytes) return nullptr;
            if (c.end - c.body < (size_t)(isFloat ? 12 : 3)) return SCENE3DS_REASON_SHORT_RECORD;
            bool thisPlain = c.id == CHUNK3DS_COLOUR_FLOAT || c.id == CHUNK3DS_COLOUR_BYTES;
            if (plain || (colour.present && !thisPlain)) return nullptr;
            const uint8_t* p = data + c.body;
            if (isFloat)
                colour = Scene3dsColour{true, readFloat(p), readFloat(p + 4), readFloat(p + 8)};
            else
                colour = Scene3dsColour{true, p[0] / BYTE_COLOUR_SCALE, p[1] / BYTE_COLOUR_SCALE,
                                        p[2] / BYTE_COLOUR_SCALE};
            plain = thisPlain;
            return nullptr;
        });
    }
};

// ---- Writing ---------------------------------------------------------------------------

class Writer {
public:
    std::vector<uint8_t> out;
    bool tooLarge = false;

    void put16(uint32_t v) { littleEndian::put16(out, v); }
    void put32(uint32_t v) { littleEndian::put32(out, v); }
    void putFloat(float f) { littleEndian::putFloat(out, f); }
    void putName(const std::string& name)
    {
        out.insert(out.end(), name.begin(), name.end());
        out.push_back(0);
    }

    // Opens a chunk; close() with the returned position writes its length.
    size_t open(uint16_t id)
    {
        size_t start = out.size();
        put16(id);
        put32(0);
        return start;
    }
    void close(size_t start)
    {
        size_t length = out.size() - start;
        if (length > 0xFFFFFFFFu) tooLarge = true;
        littleEndian::store32(&out[start + 2], (uint32_t)length);
    }

    void colour(uint16_t id, const Scene3dsColour& c)
    {
        if (!c.present) return;
        size_t chunk = open(id);
        size_t value = open(CHUNK3DS_COLOUR_BYTES);
        for (float v : {c.r, c.g, c.b}) {
            float clamped = std::isfinite(v) ? (v < 0 ? 0 : v > 1 ? 1 : v) : 0;
            out.push_back((uint8_t)std::lround(clamped * BYTE_COLOUR_SCALE));
        }
        close(value);
        close(chunk);
    }

    void material(const Scene3dsMaterial& m)
    {
        size_t chunk = open(CHUNK3DS_MATERIAL);
        size_t name = open(CHUNK3DS_MATERIAL_NAME);
        putName(m.name);
        close(name);
        colour(CHUNK3DS_AMBIENT, m.ambient);
        colour(CHUNK3DS_DIFFUSE, m.diffuse);
        colour(CHUNK3DS_SPECULAR, m.specular);
        if (!m.textureFile.empty()) {
            const uint16_t FULL_STRENGTH = 100;
            size_t map = open(CHUNK3DS_TEXTURE_MAP);
            size_t percentage = open(CHUNK3DS_PERCENTAGE);
            put16(FULL_STRENGTH);
            close(percentage);
            size_t file = open(CHUNK3DS_MAP_FILE_NAME);
            putName(m.textureFile);
            close(file);
            close(map);
        }
        close(chunk);
    }

    void mesh(const Scene3dsMesh& m)
    {
        size_t chunk = open(CHUNK3DS_TRIANGLE_MESH);
        size_t vertices = open(CHUNK3DS_VERTEX_LIST);
        put16((uint32_t)m.vertices.size());
        for (const Vector3& v : m.vertices) {
            putFloat(v.x);
            putFloat(v.y);
            putFloat(v.z);
        }
        close(vertices);
        if (!m.mapping.empty()) {
            size_t mapping = open(CHUNK3DS_MAPPING);
            put16((uint32_t)m.mapping.size());
            for (const Scene3dsMapping& uv : m.mapping) {
                putFloat(uv.u);
                putFloat(uv.v);
            }
            close(mapping);
        }
        if (m.hasLocalAxes) {
            size_t axes = open(CHUNK3DS_LOCAL_AXES);
            for (float f : m.localAxes) putFloat(f);
            close(axes);
        }
        size_t faces = open(CHUNK3DS_FACE_LIST);
        put16((uint32_t)m.faces.size());
        for (const Scene3dsFace& f : m.faces) {
            put16(f.a);
            put16(f.b);
            put16(f.c);
            put16(f.flags);
        }
        for (const Scene3dsFaceGroup& g : m.faceGroups) {
            size_t group = open(CHUNK3DS_FACE_MATERIAL);
            putName(g.material);
            put16((uint32_t)g.faces.size());
            for (uint16_t face : g.faces) put16(face);
            close(group);
        }
        close(faces);
        close(chunk);
    }
};

bool holdsNul(const std::string& name) { return name.find('\0') != std::string::npos; }

// What would make the written file wrong or unreadable, found before a byte is written.
const char* checkWritable(const Scene3ds& scene)
{
    for (const Scene3dsMaterial& m : scene.materials)
        if (holdsNul(m.name) || holdsNul(m.textureFile)) return SCENE3DS_REASON_NAME_NUL;
    for (const Scene3dsObject& o : scene.objects) {
        if (holdsNul(o.name)) return SCENE3DS_REASON_NAME_NUL;
        if (!o.hasMesh) continue;
        const Scene3dsMesh& m = o.mesh;
        if (m.vertices.size() > (size_t)SCENE3DS_MAX_COUNT ||
            m.faces.size() > (size_t)SCENE3DS_MAX_COUNT)
            return SCENE3DS_REASON_TOO_MANY;
        for (const Scene3dsFace& f : m.faces)
            if (f.a >= m.vertices.size() || f.b >= m.vertices.size() || f.c >= m.vertices.size())
                return SCENE3DS_REASON_FACE_UNNAMED;
        if (!m.mapping.empty() && m.mapping.size() != m.vertices.size())
            return SCENE3DS_REASON_MAPPING_COUNT;
        for (const Scene3dsFaceGroup& g : m.faceGroups) {
            if (holdsNul(g.material)) return SCENE3DS_REASON_NAME_NUL;
            if (g.faces.size() > (size_t)SCENE3DS_MAX_COUNT) return SCENE3DS_REASON_TOO_MANY;
            for (uint16_t face : g.faces)
                if (face >= m.faces.size()) return SCENE3DS_REASON_FACE_INDEX;
        }
    }
    return nullptr;
}

void growBounds(Scene3dsBounds& bounds, const std::vector<Vector3>& vertices)
{
    for (const Vector3& v : vertices) {
        if (bounds.empty) {
            bounds = Scene3dsBounds{false, v, v};
            continue;
        }
        bounds.low = Vector3(std::fmin(bounds.low.x, v.x), std::fmin(bounds.low.y, v.y),
                             std::fmin(bounds.low.z, v.z));
        bounds.high = Vector3(std::fmax(bounds.high.x, v.x), std::fmax(bounds.high.y, v.y),
                              std::fmax(bounds.high.z, v.z));
    }
}

}  // namespace

// ---- Public functions ------------------------------------------------------------------

const char* decodeScene3ds(const uint8_t* data, size_t size, Scene3ds* scene)
{
    // Built aside, so a refused file never leaves a half-read scene behind.
    Scene3ds built;
    Reader reader(data, size);
    const char* reason = reader.readFile(built);
    if (reason) return reason;
    *scene = std::move(built);
    return nullptr;
}

const char* encodeScene3ds(const Scene3ds& scene, std::vector<uint8_t>* bytes)
{
    const char* reason = checkWritable(scene);
    if (reason) return reason;
    Writer w;
    size_t main = w.open(CHUNK3DS_MAIN);
    size_t version = w.open(CHUNK3DS_VERSION);
    w.put32(FORMAT_VERSION);
    w.close(version);
    size_t editor = w.open(CHUNK3DS_EDITOR);
    size_t meshVersion = w.open(CHUNK3DS_MESH_VERSION);
    w.put32(FORMAT_VERSION);
    w.close(meshVersion);
    for (const Scene3dsMaterial& m : scene.materials) w.material(m);
    for (const Scene3dsObject& o : scene.objects) {
        size_t object = w.open(CHUNK3DS_OBJECT);
        w.putName(o.name);
        if (o.hasMesh) w.mesh(o.mesh);
        w.close(object);
    }
    w.close(editor);
    w.close(main);
    if (w.tooLarge) return SCENE3DS_REASON_TOO_LARGE;
    *bytes = std::move(w.out);
    return nullptr;
}

std::vector<int> faceMaterialIndices(const Scene3ds& scene, const Scene3dsMesh& mesh)
{
    std::vector<int> result(mesh.faces.size(), -1);
    // Names looked up once each: a group per material name, missing ones included, would
    // otherwise search every material for every group.
    std::map<std::string, int> byName;
    for (size_t i = scene.materials.size(); i-- > 0;) byName[scene.materials[i].name] = (int)i;
    for (const Scene3dsFaceGroup& group : mesh.faceGroups) {
        auto found = byName.find(group.material);
        int material = found == byName.end() ? -1 : found->second;
        for (uint16_t face : group.faces)
            if (face < result.size()) result[face] = material;
    }
    return result;
}

std::vector<std::string> textureFileCandidates(const std::string& textureFile,
                                               const std::vector<std::string>& dirs)
{
    std::vector<std::string> result;
    std::string path = textureFile;
    for (char& c : path)
        if (c == '\\') c = '/';
    std::string lower = path;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    const std::string extension = ".bmp";
    if (lower.size() <= extension.size() ||
        lower.compare(lower.size() - extension.size(), extension.size(), extension) != 0)
        return result;
    size_t slash = path.rfind('/');
    std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
    // A name that climbs out of the folders (a ".." part) or starts at the root would reach
    // pictures outside them: only its last part is looked for, within the folders.
    bool contained = !path.empty() && path[0] != '/';
    for (size_t start = 0; contained && start <= path.size();) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        if (path.compare(start, end - start, "..") == 0 && end - start == 2) contained = false;
        start = end + 1;
    }
    if (!contained) path = last;
    std::string lastLower = slash == std::string::npos ? lower : lower.substr(slash + 1);
    for (const std::string& dir : dirs) {
        std::string prefix = dir.empty() || dir.back() == '/' ? dir : dir + "/";
        for (const std::string* name : {&path, &last, &lastLower}) {
            std::string candidate = prefix + *name;
            bool known = false;
            for (const std::string& r : result) known = known || r == candidate;
            if (!known) result.push_back(candidate);
        }
    }
    return result;
}

Scene3dsBounds meshBounds(const Scene3dsMesh& mesh)
{
    Scene3dsBounds bounds{true, Vector3(0, 0, 0), Vector3(0, 0, 0)};
    growBounds(bounds, mesh.vertices);
    return bounds;
}

Scene3dsBounds sceneBounds(const Scene3ds& scene)
{
    Scene3dsBounds bounds{true, Vector3(0, 0, 0), Vector3(0, 0, 0)};
    for (const Scene3dsObject& o : scene.objects)
        if (o.hasMesh) growBounds(bounds, o.mesh.vertices);
    return bounds;
}
