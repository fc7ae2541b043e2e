// Writes the model and the skin of every kind of passer-by: builds the figure, poses every
// keyframe, stands it on the ground at the kind's size and stores it as the game reads it.
// Depends on: common/assetgen.h, designs.h, skin.h, md2_writer.h, character_kinds.h,
// texture_table.h.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "characters/character_kinds.h"
#include "tools/assetgen/common/assetgen.h"
#include "tools/assetgen/models/designs.h"
#include "tools/assetgen/models/md2_writer.h"
#include "tools/assetgen/models/skin.h"
#include "world/texture_table.h"

namespace chargen {

namespace {

// The top of a figure stays this far below its kind's marker cone.
const float MARKER_CLEARANCE = 0.2f;
// After the last animation: one frame the game's loader reads but never plays.
const char* const CLOSING_FRAME_NAME = "rest";
const int MAX_FRAMES_PER_ANIMATION = 99;
const int MIN_SEGMENTS = 3;

const char* const MSG_NO_DESIGN = "assetgen: no design for the kind %s\n";
const char* const MSG_NO_SKIN_PATH = "assetgen: no skin picture for slot %d of %s\n";
const char* const MSG_SKIN_FULL = "assetgen: the parts of %s do not fit in one skin\n";
const char* const MSG_BAD_DESIGN =
    "assetgen: %s needs one head, painted parts and a walk at animation %d (it has %d)\n";

struct KindDesign {
    const char* kind;
    void (*design)(Design&);
};

const KindDesign kindDesigns[] = {
    {"civi",       designCivi},
    {"cartman",    designCartman},
    {"jupiter",    designJupiter},
    {"suit",       designSuit},
    {"twilight",   designTwilight},
    {"witchblade", designWitchblade},
    {"r2d2",       designR2d2},
    {"garfield",   designGarfield},
    {"lalaa",      designLalaa},
    {"darth",      designDarth},
    {"messiah",    designMessiah},
    {"tigger",     designTigger},
    {"rabbit",     designRabbit},
};

bool designFor(const char* kind, Design& design)
{
    for (const KindDesign& entry : kindDesigns) {
        if (std::strcmp(entry.kind, kind) == 0) {
            entry.design(design);
            return true;
        }
    }
    return false;
}

// One head, and every part a surface the painter and the mesher can work with.
bool designSound(const Design& d)
{
    int heads = 0;
    for (const Part& part : d.parts) {
        heads += part.head ? 1 : 0;
        if (!part.paint || part.profile.size() < 2 || part.segments < MIN_SEGMENTS) return false;
    }
    return heads == 1;
}

bool animationsFit(const Design& d, const CharacterKind& kind)
{
    if (kind.animationIndex < 0 || kind.animationIndex >= (int)d.anims.size()) return false;
    for (const AnimationPlan& a : d.anims)
        if (a.frames < 2 || a.frames > MAX_FRAMES_PER_ANIMATION) return false;
    return d.anims[kind.animationIndex].motion == M_WALK;
}

// Every keyframe in build units, each standing with its lowest point at y = 0.
std::vector<Md2Keyframe> poseKeyframes(const Design& d, const Mesh& mesh)
{
    std::vector<Md2Keyframe> frames;
    auto addFrame = [&](const std::string& name, Motion motion, int k, int n) {
        Pose pose;
        poseFor(d, motion, k, n, pose);
        Md2Keyframe frame;
        frame.name = name;
        posedPositions(d, mesh, pose, frame.positions);
        float lowest = frame.positions[0].y;
        for (const V3& p : frame.positions) lowest = std::fmin(lowest, p.y);
        for (V3& p : frame.positions) p.y -= lowest;
        frames.push_back(frame);
    };
    for (const AnimationPlan& a : d.anims)
        for (int k = 0; k < a.frames; ++k) addFrame(a.name + std::to_string(k + 1), a.motion, k, a.frames);
    addFrame(CLOSING_FRAME_NAME, d.anims[0].motion, 0, d.anims[0].frames);
    return frames;
}

// Scales the figure so that its tallest keyframe ends just below the marker, and moves it
// into the model's own units: the game draws model y at height + scale * y.
void fitToKind(std::vector<Md2Keyframe>& frames, const CharacterKind& kind)
{
    float tallest = 0.0f;
    for (const Md2Keyframe& f : frames)
        for (const V3& p : f.positions) tallest = std::fmax(tallest, p.y);
    float toWorld = (kind.markerHeight - MARKER_CLEARANCE) / tallest;
    for (Md2Keyframe& f : frames) {
        for (V3& p : f.positions) {
            V3 world = p * toWorld;
            p = {world.x / kind.scale, (world.y - kind.height) / kind.scale, world.z / kind.scale};
        }
    }
}

bool writeKind(const std::string& outDir, const CharacterKind& kind)
{
    Design design;
    if (!designFor(kind.name, design)) {
        std::fprintf(stderr, MSG_NO_DESIGN, kind.name);
        return false;
    }
    const char* skinPath = texturePathForSlot(kind.textureSlot);
    if (!skinPath) {
        std::fprintf(stderr, MSG_NO_SKIN_PATH, kind.textureSlot, kind.name);
        return false;
    }
    if (!designSound(design) || !animationsFit(design, kind)) {
        std::fprintf(stderr, MSG_BAD_DESIGN, kind.name, kind.animationIndex, (int)design.anims.size());
        return false;
    }
    if (!layoutSkin(design)) {
        std::fprintf(stderr, MSG_SKIN_FULL, kind.name);
        return false;
    }
    Mesh mesh;
    for (const Part& part : design.parts) appendPart(part, mesh);

    Md2Content content;
    content.skinWidth = SKIN_SIZE;
    content.skinHeight = SKIN_SIZE;
    content.skinName = skinPath;
    content.st = mesh.st;
    content.tris = mesh.tris;
    content.frames = poseKeyframes(design, mesh);
    fitToKind(content.frames, kind);
    std::vector<uint8_t> model = encodeMd2(content);
    if (model.empty()) return false;
    std::vector<uint8_t> skin = encodeBmp24(SKIN_SIZE, SKIN_SIZE, paintSkin(design));
    return writeFileBytes(outDir + "/" + kind.modelFile, model) &&
           writeFileBytes(outDir + "/" + skinPath, skin);
}

}  // namespace

}  // namespace chargen

bool generateCharacters(const std::string& outDir)
{
    bool ok = true;
    for (const CharacterKind& kind : characterKinds) ok = chargen::writeKind(outDir, kind) && ok;
    return ok;
}
