// MD2 models: the untrusted file checked section by section, decoded into keyframes,
// texture coordinates, faces and named animations.
// Depends on: md2_model.h, little_endian.h, platform/file_read.h.
#include "characters/md2_model.h"

#include "platform/file_read.h"
#include "world/little_endian.h"

#include <cstdio>
#include <cstring>
#include <utility>

// ---- Constants -------------------------------------------------------------------------

const char* const MD2_OPEN_FAILED_FORMAT = "Unable to find the file: %s!";
const char* const MD2_INVALID_FORMAT = "Invalid file format (%s): %s!";
const char* const MD2_REASON_VERSION = "Version not 8";
const char* const MD2_REASON_SHORT_HEADER = "file shorter than its header";
const char* const MD2_REASON_NEGATIVE_COUNT = "negative count";
const char* const MD2_REASON_NO_VERTICES = "no vertices";
const char* const MD2_REASON_NO_TEXCOORDS = "no texture coordinates";
const char* const MD2_REASON_NO_TRIANGLES = "no triangles";
const char* const MD2_REASON_NO_FRAMES = "no frames";
const char* const MD2_REASON_SKIN_SIZE = "skin size not positive";
const char* const MD2_REASON_FRAME_SIZE = "frame size out of range";
const char* const MD2_REASON_SKINS_OUTSIDE = "skins outside the file";
const char* const MD2_REASON_TEXCOORDS_OUTSIDE = "texture coordinates outside the file";
const char* const MD2_REASON_TRIANGLES_OUTSIDE = "triangles outside the file";
const char* const MD2_REASON_FRAMES_OUTSIDE = "frames outside the file";
const char* const MD2_REASON_VERTEX_INDEX = "triangle vertex index out of range";
const char* const MD2_REASON_TEXCOORD_INDEX = "triangle texture index out of range";
const char* const MD2_REASON_TOO_MANY_TRIANGLES = "more than 4096 triangles";
const char* const MD2_REASON_TOO_MANY_VERTICES = "more than 2048 vertices";
const char* const MD2_REASON_TOO_MANY_FRAMES = "more than 512 frames";

namespace {

const int HEADER_FIELD_COUNT = 17;
const int TRIANGLE_VALUES = 6;          // three vertex indices, three texture indices
const int FRAME_SCALE_OFFSET = 0;       // three floats
const int FRAME_TRANSLATE_OFFSET = 12;  // three floats
const int FRAME_NAME_OFFSET = 24;

// ---- Internal helpers ------------------------------------------------------------------

using littleEndian::readFloat;
using littleEndian::readInt16;
using littleEndian::readInt32;

// A section of count records of recordSize bytes at offset lies wholly inside the file.
bool sectionInside(int32_t offset, int32_t count, int64_t recordSize, size_t size)
{
    return offset >= 0 && (int64_t)offset + (int64_t)count * recordSize <= (int64_t)size;
}

// Everything the header says, checked before any section is touched.
const char* checkHeader(const Md2Header& h, size_t size)
{
    if (h.version != MD2_VERSION) return MD2_REASON_VERSION;
    if (h.numSkins < 0 || h.numVertices < 0 || h.numTexCoords < 0 || h.numTriangles < 0 ||
        h.numFrames < 0)
        return MD2_REASON_NEGATIVE_COUNT;
    if (h.numVertices == 0) return MD2_REASON_NO_VERTICES;
    if (h.numTexCoords == 0) return MD2_REASON_NO_TEXCOORDS;
    if (h.numTriangles == 0) return MD2_REASON_NO_TRIANGLES;
    if (h.numFrames == 0) return MD2_REASON_NO_FRAMES;
    if (h.numTriangles > MD2_MAX_TRIANGLES) return MD2_REASON_TOO_MANY_TRIANGLES;
    if (h.numFrames > MD2_MAX_FRAMES) return MD2_REASON_TOO_MANY_FRAMES;
    if (h.skinWidth <= 0 || h.skinHeight <= 0) return MD2_REASON_SKIN_SIZE;
    int64_t smallestFrame =
        MD2_FRAME_HEADER_SIZE + (int64_t)MD2_FRAME_VERTEX_SIZE * h.numVertices;
    if (h.frameSize < smallestFrame || h.frameSize > MD2_FRAME_BUFFER_SIZE)
        return MD2_REASON_FRAME_SIZE;
    // Up to 2070 vertices fit the frame buffer; the format's limit is lower.
    if (h.numVertices > MD2_MAX_VERTICES) return MD2_REASON_TOO_MANY_VERTICES;
    if (!sectionInside(h.offsetSkins, h.numSkins, MD2_SKIN_NAME_SIZE, size))
        return MD2_REASON_SKINS_OUTSIDE;
    if (!sectionInside(h.offsetTexCoords, h.numTexCoords, MD2_TEXCOORD_SIZE, size))
        return MD2_REASON_TEXCOORDS_OUTSIDE;
    if (!sectionInside(h.offsetTriangles, h.numTriangles, MD2_TRIANGLE_SIZE, size))
        return MD2_REASON_TRIANGLES_OUTSIDE;
    if (!sectionInside(h.offsetFrames, h.numFrames, h.frameSize, size))
        return MD2_REASON_FRAMES_OUTSIDE;
    return nullptr;
}

// The frame's name within its 16 bytes, NUL-terminated even when the file's is not.
void copyFrameName(char* out, const uint8_t* record)
{
    const uint8_t* name = record + FRAME_NAME_OFFSET;
    int length = 0;
    while (length < MD2_FRAME_NAME_SIZE && name[length] != 0) ++length;
    std::memcpy(out, name, (size_t)length);
    out[length] = '\0';
}

// The file's third axis is the model's up axis, its second the model's negative z.
void decodeFramePositions(const uint8_t* record, int32_t vertexCount, std::vector<Vector3>& out)
{
    float scale[3], translate[3];
    for (int k = 0; k < 3; ++k) {
        scale[k] = readFloat(record + FRAME_SCALE_OFFSET + 4 * k);
        translate[k] = readFloat(record + FRAME_TRANSLATE_OFFSET + 4 * k);
    }
    out.resize((size_t)vertexCount);
    for (int32_t j = 0; j < vertexCount; ++j) {
        const uint8_t* v = record + MD2_FRAME_HEADER_SIZE + (size_t)MD2_FRAME_VERTEX_SIZE * j;
        out[(size_t)j] = Vector3(v[0] * scale[0] + translate[0], v[2] * scale[2] + translate[2],
                                 -(v[1] * scale[1] + translate[1]));
    }
}

// Splits a frame name into its base name and frame number: the first digit among the
// last two characters starts the number. A name shorter than two characters has none.
int splitFrameName(std::string& name)
{
    int length = (int)name.size();
    if (length < 2) return 0;
    for (int i = 0; i < length; ++i) {
        if (name[i] < '0' || name[i] > '9' || i < length - 2) continue;
        int number = 0;
        for (int j = i; j < length && name[j] >= '0' && name[j] <= '9'; ++j)
            number = number * 10 + (name[j] - '0');
        name.resize((size_t)i);
        return number;
    }
    return 0;
}

void setAnimationName(Md2Animation& animation, const std::string& name)
{
    std::snprintf(animation.name, sizeof animation.name, "%s", name.c_str());
}

}  // namespace

// ---- Public functions ------------------------------------------------------------------

Md2Header readMd2Header(const uint8_t* data)
{
    int32_t fields[HEADER_FIELD_COUNT];
    for (int i = 0; i < HEADER_FIELD_COUNT; ++i) fields[i] = readInt32(data + 4 * i);
    static_assert(sizeof(Md2Header) == sizeof fields, "the header is seventeen integers");
    Md2Header header;
    std::memcpy(&header, fields, sizeof header);
    return header;
}

void deriveAnimations(Md2Model& model, const std::vector<std::string>& frameNames)
{
    model.animations.clear();
    model.animationCount = 0;
    int count = model.frameCount < (int)frameNames.size() ? model.frameCount
                                                            : (int)frameNames.size();
    Md2Animation animation = {};
    std::string lastName;
    for (int i = 0; i < count; ++i) {
        std::string frameName = frameNames[(size_t)i];
        int frameNumber = splitFrameName(frameName);
        // The last frame closes the animation in progress and so belongs to none.
        if (frameName != lastName || i == count - 1) {
            if (!lastName.empty()) {
                setAnimationName(animation, lastName);
                animation.endFrame = i;
                model.animations.push_back(animation);
                ++model.animationCount;
                animation = Md2Animation{};
            }
            animation.startFrame = frameNumber + i - 1;
        }
        lastName = frameName;
    }
}

void formatMd2OpenFailed(char* out, const char* path)
{
    std::snprintf(out, MD2_MESSAGE_SIZE, MD2_OPEN_FAILED_FORMAT, path);
}

std::string md2TooLargeReason(uint64_t size)
{
    return "a file of " + std::to_string(size) + " bytes, larger than the largest model (" +
           std::to_string(MD2_MAX_FILE_SIZE) + " bytes)";
}

void formatMd2Invalid(char* out, const char* reason, const char* path)
{
    std::snprintf(out, MD2_MESSAGE_SIZE, MD2_INVALID_FORMAT, reason, path);
}

const char* Md2Loader::readSections(const uint8_t* data, size_t size)
{
    releaseRaw();
    if (size < (size_t)MD2_HEADER_SIZE) {
        header = Md2Header{};
        return MD2_REASON_SHORT_HEADER;
    }
    header = readMd2Header(data);
    const char* reason = checkHeader(header, size);
    if (reason) return reason;

    const uint8_t* skins = data + header.offsetSkins;
    skinNames.assign(skins, skins + (size_t)header.numSkins * MD2_SKIN_NAME_SIZE);

    texCoords.resize((size_t)header.numTexCoords * 2);
    for (size_t k = 0; k < texCoords.size(); ++k)
        texCoords[k] = readInt16(data + header.offsetTexCoords + 2 * k);

    triangles.resize((size_t)header.numTriangles * TRIANGLE_VALUES);
    for (size_t k = 0; k < triangles.size(); ++k) {
        triangles[k] = readInt16(data + header.offsetTriangles + 2 * k);
        int32_t limit = k % TRIANGLE_VALUES < 3 ? header.numVertices : header.numTexCoords;
        if (triangles[k] < 0 || triangles[k] >= limit) {
            releaseRaw();
            return k % TRIANGLE_VALUES < 3 ? MD2_REASON_VERTEX_INDEX : MD2_REASON_TEXCOORD_INDEX;
        }
    }

    frames.resize((size_t)header.numFrames);
    for (int32_t i = 0; i < header.numFrames; ++i) {
        const uint8_t* record = data + header.offsetFrames + (size_t)header.frameSize * i;
        copyFrameName(frames[(size_t)i].name, record);
        decodeFramePositions(record, header.numVertices, frames[(size_t)i].positions);
    }
    return nullptr;
}

void Md2Loader::buildFrames(Md2Model& model)
{
    model = Md2Model{};
    model.frameCount = header.numFrames;
    std::vector<std::string> names;
    names.reserve(frames.size());
    for (const RawFrame& raw : frames) names.emplace_back(raw.name);
    deriveAnimations(model, names);

    std::vector<Md2Frame>& built = model.frames.edit();
    built.reserve(frames.size());
    for (size_t j = 0; j < frames.size(); ++j) {
        Md2Frame frame{};
        frame.vertexCount = header.numVertices;
        frame.faceCount = header.numTriangles;
        frame.texCoordCount = header.numTexCoords;
        frame.vertices = std::move(frames[j].positions);
        if (j == 0) {
            frame.texCoords.resize((size_t)header.numTexCoords);
            for (size_t k = 0; k < frame.texCoords.size(); ++k) {
                float s = texCoords[2 * k], t = texCoords[2 * k + 1];
                frame.texCoords[k] = TexCoord{s / (float)header.skinWidth,
                                              1.0f - t / (float)header.skinHeight};
            }
            frame.faces.resize((size_t)header.numTriangles);
            for (size_t k = 0; k < frame.faces.size(); ++k)
                for (int c = 0; c < 3; ++c) {
                    frame.faces[k].vertexIndex[c] = triangles[TRIANGLE_VALUES * k + c];
                    frame.faces[k].texCoordIndex[c] = triangles[TRIANGLE_VALUES * k + 3 + c];
                }
        }
        built.push_back(std::move(frame));
    }
}

std::vector<Md2Frame>& Md2FrameList::edit()
{
    if (!shape)
        shape = std::make_shared<Shape>();
    else if (shape.use_count() > 1)
        shape = std::make_shared<Shape>(Shape{shape->frames, Md2DrawMesh{}});
    else
        shape->mesh = Md2DrawMesh{};
    return shape->frames;
}

Md2DrawMesh& Md2FrameList::mesh()
{
    if (!shape) shape = std::make_shared<Shape>();
    return shape->mesh;
}

void Md2Loader::releaseRaw()
{
    // Swapped with empty ones so the memory itself goes, not just the contents.
    std::vector<uint8_t>().swap(skinNames);
    std::vector<int16_t>().swap(texCoords);
    std::vector<int16_t>().swap(triangles);
    std::vector<RawFrame>().swap(frames);
}

const char* Md2Loader::decode(const uint8_t* data, size_t size, Md2Model& model)
{
    const char* reason = readSections(data, size);
    if (reason) {
        releaseRaw();
        return reason;
    }
    // Built aside, so a refused file never leaves a half-filled model behind.
    Md2Model built{};
    buildFrames(built);
    releaseRaw();
    model = std::move(built);
    return nullptr;
}

bool Md2Loader::load(Md2Model& model, const char* path, std::string* message)
{
    char text[MD2_MESSAGE_SIZE];
    FileReadResult file = readFile(path, MD2_MAX_FILE_SIZE);
    const char* reason = nullptr;
    if (file.error == FileReadError::TooLarge)
        formatMd2Invalid(text, md2TooLargeReason(file.size).c_str(), path);
    else if (file.error != FileReadError::None)
        formatMd2OpenFailed(text, path);
    else if ((reason = decode(file.bytes.data(), file.bytes.size(), model)) != nullptr)
        formatMd2Invalid(text, reason, path);
    else
        return true;
    if (message) *message = text;
    return false;
}
