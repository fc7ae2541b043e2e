// The `md2` command: one model through the game's loader, described as JSON.
// Depends on: assetcheck.h, characters/md2_model.h, platform/file_read.h.
#include "app/json_text.h"
#include "app/terminal_text.h"
#include "characters/md2_model.h"
#include "platform/file_read.h"
#include "tools/assetcheck/assetcheck.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const MD2_USAGE = "usage: kerbrunner-assets md2 FILE [--frame N]\n";
const char* const FRAME_OUT_OF_RANGE = "frame %ld is out of range: the model has %d frames\n";
const char* const FRAME_OPTION = "--frame";
const char* const FRAME_MISSING = "--frame needs a frame number\n";
const char* const FRAME_NOT_A_NUMBER = "--frame %s is not a whole number\n";
const char* const FRAME_TOO_LARGE = "--frame %s is out of range for a frame number\n";

void printJsonString(const std::string& text) { std::fputs(jsonString(text).c_str(), stdout); }

void printJsonFloat(float value) { std::fputs(jsonFloat(value).c_str(), stdout); }

void printHeader(const Md2Header& h)
{
    const struct {
        const char* name;
        int32_t value;
    } fields[] = {
        {"magic", h.magic},
        {"version", h.version},
        {"skinWidth", h.skinWidth},
        {"skinHeight", h.skinHeight},
        {"frameSize", h.frameSize},
        {"numSkins", h.numSkins},
        {"numVertices", h.numVertices},
        {"numTexCoords", h.numTexCoords},
        {"numTriangles", h.numTriangles},
        {"numGlCommands", h.numGlCommands},
        {"numFrames", h.numFrames},
        {"offsetSkins", h.offsetSkins},
        {"offsetTexCoords", h.offsetTexCoords},
        {"offsetTriangles", h.offsetTriangles},
        {"offsetFrames", h.offsetFrames},
        {"offsetGlCommands", h.offsetGlCommands},
        {"offsetEnd", h.offsetEnd},
    };
    std::fputs("  \"header\": {", stdout);
    bool first = true;
    for (const auto& f : fields) {
        std::printf("%s\n    \"%s\": %d", first ? "" : ",", f.name, f.value);
        first = false;
    }
    std::fputs("\n  }", stdout);
}

void printFrameNames(const std::vector<RawFrame>& frames)
{
    std::fputs(",\n  \"frameNames\": [", stdout);
    for (size_t i = 0; i < frames.size(); ++i) {
        if (i > 0) std::fputs(", ", stdout);
        printJsonString(frames[i].name);
    }
    std::fputs("]", stdout);
}

void printAnimations(const Md2Model& model)
{
    std::fputs(",\n  \"animations\": [", stdout);
    for (size_t i = 0; i < model.animations.size(); ++i) {
        const Md2Animation& a = model.animations[i];
        std::fputs(i > 0 ? ",\n    {\"name\": " : "\n    {\"name\": ", stdout);
        printJsonString(a.name);
        std::printf(", \"startFrame\": %d, \"endFrame\": %d}", a.startFrame, a.endFrame);
    }
    std::fputs(model.animations.empty() ? "]" : "\n  ]", stdout);
}

void printVertices(const Md2Frame& frame)
{
    std::fputs(",\n  \"vertices\": [", stdout);
    for (size_t i = 0; i < frame.vertices.size(); ++i) {
        const Vector3& v = frame.vertices[i];
        std::fputs(i > 0 ? ",\n    [" : "\n    [", stdout);
        printJsonFloat(v.x);
        std::fputs(", ", stdout);
        printJsonFloat(v.y);
        std::fputs(", ", stdout);
        printJsonFloat(v.z);
        std::fputs("]", stdout);
    }
    std::fputs(frame.vertices.empty() ? "]" : "\n  ]", stdout);
}

// A whole decimal number, or false.
bool parseFrameNumber(const char* text, long* number)
{
    char* end = nullptr;
    errno = 0;
    *number = std::strtol(text, &end, 10);
    return errno == 0 && end != text && *end == '\0';
}

}  // namespace

int runMd2Command(int argc, char** argv)
{
    const char* file = nullptr;
    const char* frameText = nullptr;
    bool usable = true;
    for (int i = 0; i < argc && usable; ++i) {
        if (std::strcmp(argv[i], FRAME_OPTION) == 0 && i + 1 < argc && !frameText)
            frameText = argv[++i];
        else if (!file && argv[i][0] != '-')
            file = argv[i];
        else
            usable = false;
        if (!usable && std::strcmp(argv[i], FRAME_OPTION) == 0 && i + 1 == argc)
            std::fputs(FRAME_MISSING, stderr);
    }
    long frameNumber = -1;
    if (frameText && !parseFrameNumber(frameText, &frameNumber)) {
        std::string shown = "'" + terminalSafe(frameText) + "'";
        std::fprintf(stderr, errno == ERANGE ? FRAME_TOO_LARGE : FRAME_NOT_A_NUMBER, shown.c_str());
        usable = false;
    }
    if (!file || !usable) {
        std::fputs(MD2_USAGE, stderr);
        return INSPECT_USAGE;
    }

    // The game's own texts, as its message box would show them.
    char message[MD2_MESSAGE_SIZE];
    FileReadResult bytes = readFile(file, MD2_MAX_FILE_SIZE);
    if (bytes.error == FileReadError::TooLarge) {
        formatMd2Invalid(message, md2TooLargeReason(bytes.size).c_str(), file);
        std::fprintf(stderr, "%s\n", message);
        return INSPECT_PROBLEM;
    }
    if (bytes.error != FileReadError::None) {
        formatMd2OpenFailed(message, file);
        std::fprintf(stderr, "%s\n", message);
        return INSPECT_PROBLEM;
    }
    Md2Loader loader;
    Md2Model model{};
    const char* reason = loader.decode(bytes.bytes.data(), bytes.bytes.size(), model);
    if (reason) {
        formatMd2Invalid(message, reason, file);
        std::fprintf(stderr, "%s\n", message);
        return INSPECT_PROBLEM;
    }
    if (frameText && (frameNumber < 0 || frameNumber >= model.frameCount)) {
        std::fprintf(stderr, FRAME_OUT_OF_RANGE, frameNumber, model.frameCount);
        std::fputs(MD2_USAGE, stderr);
        return INSPECT_USAGE;
    }

    // The model keeps no frame names; read the raw sections once more for them.
    loader.readSections(bytes.bytes.data(), bytes.bytes.size());
    std::fputs("{\n", stdout);
    printHeader(loader.lastHeader());
    printFrameNames(loader.rawFrames());
    loader.releaseRaw();
    printAnimations(model);
    if (frameText) printVertices(model.frames[(size_t)frameNumber]);
    std::fputs("\n}\n", stdout);
    return INSPECT_OK;
}
