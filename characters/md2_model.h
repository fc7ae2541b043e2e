// MD2 models (version 8): the file layout, the decoded model and its loader.
// Depends on: vector3.h; the loader's file read comes from platform/.
#pragma once
#include "player/vector3.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// ---- Constants -------------------------------------------------------------------------

const int32_t MD2_VERSION = 8;
const int MD2_HEADER_SIZE = 68;           // seventeen little-endian 32-bit integers
const int MD2_SKIN_NAME_SIZE = 64;
const int MD2_TEXCOORD_SIZE = 4;          // s, t: signed 16-bit
const int MD2_TRIANGLE_SIZE = 12;         // three vertex and three texture indices, 16-bit
const int MD2_FRAME_HEADER_SIZE = 40;     // scale, translate, 16-byte name
const int MD2_FRAME_VERTEX_SIZE = 4;      // X, Y, Z bytes and a normal index
const int MD2_FRAME_NAME_SIZE = 16;
const int MD2_FRAME_BUFFER_SIZE = 8320;   // 2048 x 4 + 128: the largest frame record read
const int MD2_ANIMATION_NAME_SIZE = 255;  // up to 254 characters and a NUL
const int MD2_MESSAGE_SIZE = 255;         // the formatted message, path included
// The format's usual limits, which its tools and players keep to: more is no model for this
// game (its passers-by have 1,000 triangles or fewer) and would slow every frame it is drawn in.
const int32_t MD2_MAX_TRIANGLES = 4096;
const int32_t MD2_MAX_VERTICES = 2048;   // also what the frame buffer above holds
const int32_t MD2_MAX_FRAMES = 512;
// The largest model file read at all: 512 frames of 2048 vertices are 4,214,784 bytes, and
// the triangles, texture coordinates, skins and GL commands of a model within the limits
// above fit in the rest of 8 MiB. The largest the game ships, civi.md2, is 97,416 bytes.
const uint64_t MD2_MAX_FILE_SIZE = 8u << 20;

// Message-box texts; %s is the path.
extern const char* const MD2_OPEN_FAILED_FORMAT;  // "Unable to find the file: %s!"
extern const char* const MD2_INVALID_FORMAT;      // "Invalid file format (%s): %s!"
extern const char* const MD2_REASON_VERSION;      // "Version not 8"
// Why an untrusted file is refused, shown in MD2_INVALID_FORMAT like the version.
extern const char* const MD2_REASON_SHORT_HEADER;     // "file shorter than its header"
extern const char* const MD2_REASON_NEGATIVE_COUNT;   // "negative count"
extern const char* const MD2_REASON_NO_VERTICES;      // "no vertices"
extern const char* const MD2_REASON_NO_TEXCOORDS;     // "no texture coordinates"
extern const char* const MD2_REASON_NO_TRIANGLES;     // "no triangles"
extern const char* const MD2_REASON_NO_FRAMES;        // "no frames"
extern const char* const MD2_REASON_SKIN_SIZE;        // "skin size not positive"
extern const char* const MD2_REASON_FRAME_SIZE;       // "frame size out of range"
extern const char* const MD2_REASON_SKINS_OUTSIDE;    // "skins outside the file"
extern const char* const MD2_REASON_TEXCOORDS_OUTSIDE;  // "texture coordinates outside the file"
extern const char* const MD2_REASON_TRIANGLES_OUTSIDE;  // "triangles outside the file"
extern const char* const MD2_REASON_FRAMES_OUTSIDE;   // "frames outside the file"
extern const char* const MD2_REASON_VERTEX_INDEX;     // "triangle vertex index out of range"
extern const char* const MD2_REASON_TEXCOORD_INDEX;   // "triangle texture index out of range"
extern const char* const MD2_REASON_TOO_MANY_TRIANGLES;  // "more than 4096 triangles"
extern const char* const MD2_REASON_TOO_MANY_VERTICES;   // "more than 2048 vertices"
extern const char* const MD2_REASON_TOO_MANY_FRAMES;     // "more than 512 frames"
// Why a file too large to read is refused: its size and MD2_MAX_FILE_SIZE.
std::string md2TooLargeReason(uint64_t size);

// ---- Types -----------------------------------------------------------------------------

struct Md2Header {
    int32_t magic;  // ignored
    int32_t version;
    int32_t skinWidth;
    int32_t skinHeight;
    int32_t frameSize;
    int32_t numSkins;
    int32_t numVertices;
    int32_t numTexCoords;
    int32_t numTriangles;
    int32_t numGlCommands;  // not read
    int32_t numFrames;
    int32_t offsetSkins;
    int32_t offsetTexCoords;
    int32_t offsetTriangles;
    int32_t offsetFrames;
    int32_t offsetGlCommands;  // not read
    int32_t offsetEnd;         // not read
};

struct TexCoord {
    float u, v;
};

struct Md2Face {
    int32_t vertexIndex[3];
    int32_t texCoordIndex[3];
};

// One keyframe. Only frame 0 holds texCoords and faces; the other frames leave them empty
// and drawing always takes them from frame 0.
struct Md2Frame {
    int32_t vertexCount;
    int32_t faceCount;
    int32_t texCoordCount;
    std::vector<Vector3> vertices;
    std::vector<TexCoord> texCoords;
    std::vector<Md2Face> faces;
};

// A run of frames sharing a base name; plays startFrame up to endFrame - 1.
struct Md2Animation {
    char name[MD2_ANIMATION_NAME_SIZE];
    int32_t startFrame;
    int32_t endFrame;
};

// Vertex arrays built from frame 0 at the first draw, so that a keyframe pair can be
// interpolated into one array and drawn with one call. Not part of what the file says.
// positions is scratch that each draw fills before it is drawn.
struct Md2DrawMesh {
    std::vector<int32_t> cornerVertex;   // per joined vertex: index into a frame's vertices
    std::vector<float> texCoords;        // per joined vertex: u, v
    std::vector<uint16_t> indices;       // three per face, into the joined vertices
    bool tooLarge;                       // more joined vertices than 16-bit indices reach
    float boundRadius;                   // farthest vertex of any frame from the origin
    std::vector<float> positions;        // scratch: x, y, z per joined vertex
    bool built;
};

// A model's keyframes, read like a constant vector, and the vertex arrays drawn from them. A
// copied model shares both with the model it was copied from (the passers-by of a kind hold
// one copy of their file's keyframes between them, and build one mesh); reading never copies,
// and edit() gives the model keyframes of its own, copied first when they are shared, with a
// mesh not yet built, for the loader and tests to write.
class Md2FrameList {
public:
    size_t size() const { return shape ? shape->frames.size() : 0; }
    bool empty() const { return size() == 0; }
    const Md2Frame& operator[](size_t i) const { return shape->frames[i]; }
    const Md2Frame* begin() const { return shape ? shape->frames.data() : nullptr; }
    const Md2Frame* end() const { return begin() + size(); }
    const Md2Frame* data() const { return begin(); }
    // True when another model holds the same keyframes.
    bool shared() const { return shape && shape.use_count() > 1; }
    std::vector<Md2Frame>& edit();
    // The mesh of these keyframes, shared as they are; buildDrawMesh fills it.
    Md2DrawMesh& mesh();

private:
    struct Shape {
        std::vector<Md2Frame> frames;
        Md2DrawMesh mesh;
    };
    std::shared_ptr<Shape> shape;
};

struct Md2Model {
    float animElapsed;   // ms since the last frame change, as of the latest draw
    float animLastTime;  // clock (ms) of the last frame change
    int32_t frameCount;
    int32_t animationCount;
    int32_t currentAnimation;
    int32_t currentFrame;
    std::vector<Md2Animation> animations;
    Md2FrameList frames;
    // The first draw starts the frame clock instead of measuring from clock zero.
    bool animClockStarted;

    // Built from frame 0 at the first draw of any model sharing these keyframes.
    Md2DrawMesh& drawMesh() { return frames.mesh(); }
};

// The raw sections of one file while a load runs.
struct RawFrame {
    char name[MD2_FRAME_NAME_SIZE + 1];  // always NUL-terminated, even if the file's is not
    std::vector<Vector3> positions;
};

// Reads MD2 files into models. One loader per character kind, used for each of its loads.
class Md2Loader {
public:
    // Reads the file at path into model. On failure leaves the model unchanged, puts the
    // message-box text ("Unable to find the file: %s!" or "Invalid file format (<reason>):
    // %s!") in *message when given, and returns false; showing it is the caller's.
    bool load(Md2Model& model, const char* path, std::string* message = nullptr);

    // The pure half of load: bytes in, model out. Returns null on success, else a short
    // reason ("Version not 8", ...) with the model unchanged. No file system, GL or box.
    const char* decode(const uint8_t* data, size_t size, Md2Model& model);

    // The inner steps, public for tests and the inspector. readSections returns a reason
    // or null; buildFrames clears the model and fills it from the raw sections.
    const char* readSections(const uint8_t* data, size_t size);
    void buildFrames(Md2Model& model);
    void releaseRaw();

    const Md2Header& lastHeader() const { return header; }
    const std::vector<RawFrame>& rawFrames() const { return frames; }

private:
    Md2Header header = {};
    std::vector<uint8_t> skinNames;
    std::vector<int16_t> texCoords;  // s, t pairs as stored
    std::vector<int16_t> triangles;  // six per triangle as stored
    std::vector<RawFrame> frames;
};

// ---- Functions -------------------------------------------------------------------------

// Parses the 68-byte header (size must be at least MD2_HEADER_SIZE).
Md2Header readMd2Header(const uint8_t* data);

// Turns the frame names into the model's animations (clears animations first, uses
// model.frameCount names).
void deriveAnimations(Md2Model& model, const std::vector<std::string>& frameNames);

// Formats a message-box text into out (MD2_MESSAGE_SIZE bytes), never overrunning it.
void formatMd2OpenFailed(char* out, const char* path);
void formatMd2Invalid(char* out, const char* reason, const char* path);
