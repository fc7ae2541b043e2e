// Fuzz target: the model decode over arbitrary bytes, then what the game does with a model
// without GL: the shared-vertex mesh, and every animation started and stepped the way a
// passer-by steps it.
// A decoded model holds the frames, vertices, texture coordinates and faces its header
// states, every face index inside them; a refused file leaves the model as it was.
// Depends on: characters/md2_model.h, md2_mesh.h, md2_animation.h, fuzz_check.h.
#include "characters/md2_animation.h"
#include "characters/md2_mesh.h"
#include "characters/md2_model.h"
#include "fuzz/fuzz_check.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const int32_t UNTOUCHED = -7;  // a frame count no decode produces
const uint32_t STEP_TIMES_MS[] = {1000, 1150, 1250, 1500, 1700};

// Header fields by their place among the seventeen integers.
const int FIELD_FRAME_SIZE = 4;
const int FIELD_VERTICES = 6;
const int FIELD_TEXCOORDS = 7;
const int FIELD_TRIANGLES = 8;
const int FIELD_FRAMES = 10;

int32_t headerField(const uint8_t* data, int field)
{
    const uint8_t* p = data + 4 * field;
    return (int32_t)((uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) |
                     ((uint32_t)p[3] << 24));
}

void checkModel(const uint8_t* data, size_t size, const Md2Model& model)
{
    FUZZ_CHECK(size >= (size_t)MD2_HEADER_SIZE);
    int32_t frames = headerField(data, FIELD_FRAMES);
    int32_t vertices = headerField(data, FIELD_VERTICES);
    int32_t texCoords = headerField(data, FIELD_TEXCOORDS);
    int32_t triangles = headerField(data, FIELD_TRIANGLES);
    FUZZ_CHECK(frames > 0 && vertices > 0 && texCoords > 0 && triangles > 0);
    // Every frame record lies inside the file.
    FUZZ_CHECK((uint64_t)frames * (uint64_t)headerField(data, FIELD_FRAME_SIZE) <= size);
    FUZZ_CHECK(model.frameCount == frames && model.frames.size() == (size_t)frames);
    for (size_t j = 0; j < model.frames.size(); ++j) {
        const Md2Frame& f = model.frames[j];
        FUZZ_CHECK(f.vertices.size() == (size_t)vertices && f.vertexCount == vertices);
        FUZZ_CHECK(j == 0 || (f.texCoords.empty() && f.faces.empty()));
    }
    const Md2Frame& f0 = model.frames[0];
    FUZZ_CHECK(f0.texCoords.size() == (size_t)texCoords);
    FUZZ_CHECK(f0.faces.size() == (size_t)triangles);
    for (const Md2Face& face : f0.faces)
        for (int c = 0; c < 3; ++c) {
            FUZZ_CHECK(face.vertexIndex[c] >= 0 && face.vertexIndex[c] < vertices);
            FUZZ_CHECK(face.texCoordIndex[c] >= 0 && face.texCoordIndex[c] < texCoords);
        }
    FUZZ_CHECK(model.animationCount == (int32_t)model.animations.size());
    for (const Md2Animation& a : model.animations) {
        FUZZ_CHECK(std::memchr(a.name, 0, sizeof a.name) != nullptr);
        FUZZ_CHECK(a.endFrame > 0 && a.endFrame < frames);
    }
}

// The mesh and the animation clock, over every animation the file names.
void stepEveryAnimation(Md2Model& model)
{
    buildDrawMesh(model);
    const Md2DrawMesh& mesh = model.drawMesh();
    FUZZ_CHECK(mesh.built);
    FUZZ_CHECK(mesh.tooLarge || mesh.indices.size() == model.frames[0].faces.size() * 3);
    FUZZ_CHECK(mesh.texCoords.size() == mesh.cornerVertex.size() * 2);
    for (uint16_t index : mesh.indices) FUZZ_CHECK(index < mesh.cornerVertex.size());
    std::vector<float> out(mesh.cornerVertex.size() * 3);
    for (int32_t a = 0; a < model.animationCount; ++a) {
        model.currentAnimation = a;
        model.currentFrame = model.animations[(size_t)a].startFrame;
        model.animClockStarted = false;
        for (uint32_t now : STEP_TIMES_MS) {
            ModelPose pose = advanceModel(model, now);
            if (!pose.drawn) break;
            FUZZ_CHECK(pose.fromFrame >= 0 && pose.fromFrame < model.frameCount);
            FUZZ_CHECK(pose.toFrame >= 0 && pose.toFrame < model.frameCount);
            interpolatePose(model, pose, mesh.cornerVertex.data(), mesh.cornerVertex.size(),
                            out.data());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Md2Loader loader;
    Md2Model model{};
    model.frameCount = UNTOUCHED;
    const char* reason = loader.decode(data, size, model);
    if (reason) {
        FUZZ_CHECK(*reason != '\0');
        FUZZ_CHECK(model.frameCount == UNTOUCHED && model.frames.empty());
        // The message the player would see stays within its buffer.
        char message[MD2_MESSAGE_SIZE];
        formatMd2Invalid(message, reason, "models/fuzz.md2");
        FUZZ_CHECK(std::strlen(message) < sizeof message);
        return 0;
    }
    checkModel(data, size, model);
    stepEveryAnimation(model);
    return 0;
}
