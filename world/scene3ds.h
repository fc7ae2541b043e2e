// 3DS scene files: the chunk tree read into objects, meshes and materials, and written
// back out. Art made in other 3D tools comes to us in this format, and the street goes
// out in it.
// Depends on: vector3.h. No GL, no file system: bytes in, bytes out.
#pragma once
#include "player/vector3.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ---- Constants -------------------------------------------------------------------------

// Every chunk starts with a 16-bit id and a 32-bit length that counts these six bytes too.
const int SCENE3DS_CHUNK_HEADER_SIZE = 6;

// Chunk ids the reader understands; everything else is skipped by its length.
const uint16_t CHUNK3DS_MAIN = 0x4D4D;
const uint16_t CHUNK3DS_VERSION = 0x0002;
const uint16_t CHUNK3DS_EDITOR = 0x3D3D;
const uint16_t CHUNK3DS_MESH_VERSION = 0x3D3E;
const uint16_t CHUNK3DS_OBJECT = 0x4000;
const uint16_t CHUNK3DS_TRIANGLE_MESH = 0x4100;
const uint16_t CHUNK3DS_VERTEX_LIST = 0x4110;
const uint16_t CHUNK3DS_FACE_LIST = 0x4120;
const uint16_t CHUNK3DS_FACE_MATERIAL = 0x4130;
const uint16_t CHUNK3DS_MAPPING = 0x4140;
const uint16_t CHUNK3DS_LOCAL_AXES = 0x4160;
const uint16_t CHUNK3DS_MATERIAL = 0xAFFF;
const uint16_t CHUNK3DS_MATERIAL_NAME = 0xA000;
const uint16_t CHUNK3DS_AMBIENT = 0xA010;
const uint16_t CHUNK3DS_DIFFUSE = 0xA020;
const uint16_t CHUNK3DS_SPECULAR = 0xA030;
const uint16_t CHUNK3DS_TEXTURE_MAP = 0xA200;
const uint16_t CHUNK3DS_MAP_FILE_NAME = 0xA300;
const uint16_t CHUNK3DS_PERCENTAGE = 0x0030;  // written by us under the texture map, read by nobody
const uint16_t CHUNK3DS_COLOUR_FLOAT = 0x0010;
const uint16_t CHUNK3DS_COLOUR_BYTES = 0x0011;
const uint16_t CHUNK3DS_COLOUR_BYTES_GAMMA = 0x0012;
const uint16_t CHUNK3DS_COLOUR_FLOAT_GAMMA = 0x0013;
const uint16_t CHUNK3DS_KEYFRAMER = 0xB000;

const int SCENE3DS_VERTEX_SIZE = 12;       // three floats
const int SCENE3DS_FACE_SIZE = 8;          // three vertex indices and the flags, 16-bit
const int SCENE3DS_MAPPING_SIZE = 8;       // u, v floats
const int SCENE3DS_LOCAL_AXES_SIZE = 48;   // three axis vectors and the origin, floats
const int SCENE3DS_MAX_COUNT = 0xFFFF;     // lists are counted in 16 bits
// Objects and materials a scene may hold, each: as many as a list may. Each costs about 200
// bytes read, even an empty chunk of 7 bytes, so a file of nothing but empty objects stays
// within 13 MB at this count (a million of them took 206 MB); the street has a few dozen.
const size_t SCENE3DS_MAX_OBJECTS = 0xFFFF;
// The largest scene file read at all: a mesh at its 16-bit limits takes about 1.8 MB
// (65,535 vertices, faces and mappings), so 64 MiB holds some thirty of them, far beyond
// the street the game builds (a few hundred kilobytes written out).
const uint64_t SCENE3DS_MAX_FILE_SIZE = 64u << 20;
// Nesting is limited by the reader's own shape, not by a count: it descends only into the
// chunks it knows, each at its one place (main > editor > object > mesh > face list >
// face-material group; editor > material > colour or texture map > value or file name),
// six levels at most, and skips every other chunk whole without looking inside, however
// deep the file nests.

// Face flags: which edges a modelling tool shows, and texture wrapping.
const uint16_t FACE3DS_EDGE_CA = 0x0001;
const uint16_t FACE3DS_EDGE_BC = 0x0002;
const uint16_t FACE3DS_EDGE_AB = 0x0004;

// Why a file is refused.
extern const char* const SCENE3DS_REASON_NOT_3DS;          // "not a 3DS file"
extern const char* const SCENE3DS_REASON_SHORT_CHUNK;      // "chunk shorter than its header"
extern const char* const SCENE3DS_REASON_CHUNK_OUTSIDE;    // "chunk runs past its parent"
extern const char* const SCENE3DS_REASON_NAME_UNENDED;     // "name not ended within its chunk"
extern const char* const SCENE3DS_REASON_COUNT_OUTSIDE;    // "count runs past its chunk"
extern const char* const SCENE3DS_REASON_SHORT_RECORD;     // "chunk shorter than its record"
extern const char* const SCENE3DS_REASON_SECOND_MESH;      // "object with two meshes"
extern const char* const SCENE3DS_REASON_SECOND_LIST;      // "mesh with two lists of one kind"
extern const char* const SCENE3DS_REASON_VERTEX_INDEX;     // "face vertex index out of range"
extern const char* const SCENE3DS_REASON_FACE_INDEX;       // "material face index out of range"
extern const char* const SCENE3DS_REASON_MAPPING_COUNT;    // "mapping count differs from vertex count"
extern const char* const SCENE3DS_REASON_VERTEX_VALUE;     // "vertex not a finite number"
extern const char* const SCENE3DS_REASON_TOO_MANY_OBJECTS; // "more than 65535 objects or materials"
// Why a scene cannot be written.
extern const char* const SCENE3DS_REASON_TOO_MANY;         // "more than 65535 in one list"
extern const char* const SCENE3DS_REASON_NAME_NUL;         // "name holds a NUL byte"
extern const char* const SCENE3DS_REASON_FACE_UNNAMED;     // "face names a missing vertex"
extern const char* const SCENE3DS_REASON_TOO_LARGE;        // "scene too large for a 3DS file"

// ---- Types -----------------------------------------------------------------------------

struct Scene3dsFace {
    uint16_t a, b, c;  // vertex indices, counter-clockwise seen from the front
    uint16_t flags;    // FACE3DS_*
};

struct Scene3dsMapping {
    float u, v;
};

// Faces (indices into the mesh's faces) drawn with one material, named as in the file.
struct Scene3dsFaceGroup {
    std::string material;
    std::vector<uint16_t> faces;
};

struct Scene3dsMesh {
    std::vector<Vector3> vertices;           // as stored: the third axis is up
    std::vector<Scene3dsFace> faces;
    std::vector<Scene3dsMapping> mapping;    // empty, or one per vertex
    bool hasLocalAxes;
    float localAxes[12];                     // X, Y, Z axis and origin as stored
    std::vector<Scene3dsFaceGroup> faceGroups;
};

// A named object of the editor: a triangle mesh, or something else (a camera, a light)
// whose name alone is kept.
struct Scene3dsObject {
    std::string name;
    bool hasMesh;
    Scene3dsMesh mesh;
};

struct Scene3dsColour {
    bool present;
    float r, g, b;  // 0..1 as stored (bytes divided by 255); only finite values are drawn
};

struct Scene3dsMaterial {
    std::string name;
    Scene3dsColour ambient, diffuse, specular;
    std::string textureFile;  // the texture map's file name; empty without one
};

struct Scene3ds {
    std::vector<Scene3dsObject> objects;
    std::vector<Scene3dsMaterial> materials;
};

struct Scene3dsBounds {
    bool empty;  // no vertices at all
    Vector3 low, high;
};

// ---- Functions -------------------------------------------------------------------------

// Reads a whole 3DS file held in memory. Returns null with *scene filled, else a short
// reason (SCENE3DS_REASON_*) with *scene left as it was.
const char* decodeScene3ds(const uint8_t* data, size_t size, Scene3ds* scene);

// Writes the scene as a 3DS file: main and editor chunk, each material, each object with
// its mesh. Returns null with *bytes filled, else a reason with *bytes left as it was.
const char* encodeScene3ds(const Scene3ds& scene, std::vector<uint8_t>* bytes);

// Per face of the mesh, the index into scene.materials of its material, or -1 for a face
// no group names or whose group names a material the scene lacks. A later group wins.
std::vector<int> faceMaterialIndices(const Scene3ds& scene, const Scene3dsMesh& mesh);

// Where a texture map's file may be, in the order to try: within each of dirs (in their
// order) the name as written with backslashes read as '/', then its last part alone, then
// that part in lower case (tools of old wrote upper-case names). Empty when the map names
// no picture the game reads (a BMP by its extension, in any case).
std::vector<std::string> textureFileCandidates(const std::string& textureFile,
                                               const std::vector<std::string>& dirs);

// Smallest box around the stored vertices of one mesh, or of every mesh of the scene.
Scene3dsBounds meshBounds(const Scene3dsMesh& mesh);
Scene3dsBounds sceneBounds(const Scene3ds& scene);
