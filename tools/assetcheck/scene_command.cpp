// The `3ds` and `street` commands: scene files through the game's reader, described as
// JSON and previewed as a picture; the street written out as a scene for other 3D tools.
// Depends on: assetcheck.h, world/scene3ds.h, world/scene3ds_street.h, platform/file_read.h,
// POSIX process spawning (the preview runs as its own program, with GL).
#include "app/json_text.h"
#include "platform/file_read.h"
#include "platform/output_file.h"
#include "tools/assetcheck/assetcheck.h"
#include "world/scene3ds.h"
#include "world/scene3ds_street.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

const char* const SCENE_USAGE = "usage: kerbrunner-assets 3ds FILE [--png OUT] [--textures DIR]...\n";
const char* const STREET_USAGE = "usage: kerbrunner-assets street --3ds OUT\n";
const char* const SCENE_OPEN_FAILED = "cannot read %s: %s\n";
const char* const SCENE_TOO_LARGE =
    "cannot read %s: a file of %llu bytes, larger than the largest scene (%llu bytes)\n";
const char* const SCENE_REFUSED = "%s: not a usable scene: %s\n";
const char* const SCENE_WRITE_FAILED = "cannot write %s\n";
const char* const STREET_NOT_WRITABLE = "the street cannot be written as a scene: %s\n";
const char* const PREVIEW_NOT_STARTED = "cannot start %s: %s\n";
const char* const PREVIEW_FAILED = "the preview of %s was not written\n";
const char* const NO_DISPLAY_HINT =
    "there is no display (DISPLAY is unset) and xvfb-run, which makes one, is missing: "
    "install the xvfb and xauth packages\n";

// The preview program sits next to the inspector; the variable names another one.
const char* const PREVIEW_PROGRAM = "kerbrunner-scene-preview";
const char* const PREVIEW_VARIABLE = "KERB_SCENE_PREVIEW";
const char* const XVFB_RUN = "xvfb-run";
const char* const XVFB_SCREEN = "-screen 0 1024x768x24";

void printJsonString(const std::string& text) { std::fputs(jsonString(text).c_str(), stdout); }

void printJsonFloat(float value) { std::fputs(jsonFloat(value).c_str(), stdout); }

void printPoint(float x, float y, float z)
{
    std::putchar('[');
    printJsonFloat(x);
    std::fputs(", ", stdout);
    printJsonFloat(y);
    std::fputs(", ", stdout);
    printJsonFloat(z);
    std::putchar(']');
}

void printScene(const Scene3ds& scene)
{
    std::fputs("{\n  \"objects\": [", stdout);
    for (size_t i = 0; i < scene.objects.size(); ++i) {
        const Scene3dsObject& o = scene.objects[i];
        std::fputs(i > 0 ? ",\n    {\"name\": " : "\n    {\"name\": ", stdout);
        printJsonString(o.name);
        std::printf(", \"vertices\": %zu, \"faces\": %zu, \"bounds\": ", o.mesh.vertices.size(),
                    o.mesh.faces.size());
        Scene3dsBounds b = meshBounds(o.mesh);
        if (b.empty) {
            std::fputs("null", stdout);
        } else {
            std::putchar('[');
            printPoint(b.low.x, b.low.y, b.low.z);
            std::fputs(", ", stdout);
            printPoint(b.high.x, b.high.y, b.high.z);
            std::putchar(']');
        }
        std::putchar('}');
    }
    std::fputs(scene.objects.empty() ? "],\n" : "\n  ],\n", stdout);
    std::fputs("  \"materials\": [", stdout);
    for (size_t i = 0; i < scene.materials.size(); ++i) {
        const Scene3dsMaterial& m = scene.materials[i];
        std::fputs(i > 0 ? ",\n    {\"name\": " : "\n    {\"name\": ", stdout);
        printJsonString(m.name);
        std::fputs(", \"diffuse\": ", stdout);
        if (m.diffuse.present)
            printPoint(m.diffuse.r, m.diffuse.g, m.diffuse.b);
        else
            std::fputs("null", stdout);
        std::fputs(", \"texture\": ", stdout);
        if (m.textureFile.empty())
            std::fputs("null", stdout);
        else
            printJsonString(m.textureFile);
        std::putchar('}');
    }
    std::fputs(scene.materials.empty() ? "]\n}\n" : "\n  ]\n}\n", stdout);
}

std::string previewProgram()
{
    const char* chosen = std::getenv(PREVIEW_VARIABLE);
    if (chosen && *chosen) return chosen;
    std::vector<char> self(4096);
    ssize_t length = readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (length <= 0) return PREVIEW_PROGRAM;
    std::string path(self.data(), (size_t)length);
    size_t slash = path.rfind('/');
    return path.substr(0, slash + 1) + PREVIEW_PROGRAM;
}

// Runs the command and waits for it; its exit status, or -1 with *spawnError set when it
// could not be started.
int runAndWait(const std::vector<std::string>& command, int* spawnError)
{
    std::vector<char*> argv;
    for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    *spawnError = posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ);
    if (*spawnError != 0) return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The preview needs a display; without one it runs inside a virtual one of its own.
int renderPreview(const char* scene, const char* png, const std::vector<std::string>& dirs)
{
    std::vector<std::string> command;
    const char* display = std::getenv("DISPLAY");
    bool headless = !display || !*display;
    if (headless) command = {XVFB_RUN, "-a", "-s", XVFB_SCREEN};
    command.push_back(previewProgram());
    command.push_back(scene);
    command.push_back(png);
    for (const std::string& d : dirs) {
        command.push_back("--textures");
        command.push_back(d);
    }
    // What has been printed so far goes out before the preview's own lines.
    std::fflush(stdout);
    int spawnError = 0;
    int status = runAndWait(command, &spawnError);
    if (spawnError != 0) {
        if (headless && spawnError == ENOENT)
            std::fputs(NO_DISPLAY_HINT, stderr);
        else
            std::fprintf(stderr, PREVIEW_NOT_STARTED, command[0].c_str(), std::strerror(spawnError));
        return INSPECT_PROBLEM;
    }
    if (status != 0) {
        std::fprintf(stderr, PREVIEW_FAILED, scene);
        return INSPECT_PROBLEM;
    }
    return INSPECT_OK;
}

// A FIFO that nobody reads is refused, with that reason in fifoReason, instead of waited on.
bool writeBytes(const char* path, const std::vector<uint8_t>& bytes, std::string& fifoReason)
{
    std::string reason;
    FILE* out = openOutputFileNoWait(path, reason);
    if (!out) {
        if (reason == OUTPUT_FIFO_UNREAD) fifoReason = reason;
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && ok;
}

}  // namespace

int runSceneCommand(int argc, char** argv)
{
    const char* file = nullptr;
    const char* png = nullptr;
    std::vector<std::string> textureDirs;
    bool usable = true;
    for (int i = 0; i < argc && usable; ++i) {
        if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc && !png)
            png = argv[++i];
        else if (std::strcmp(argv[i], "--textures") == 0 && i + 1 < argc)
            textureDirs.push_back(argv[++i]);
        else if (!file && argv[i][0] != '-')
            file = argv[i];
        else
            usable = false;
    }
    if (!file || !usable) {
        std::fputs(SCENE_USAGE, stderr);
        return INSPECT_USAGE;
    }

    FileReadResult bytes = readFile(file, SCENE3DS_MAX_FILE_SIZE);
    if (bytes.error == FileReadError::TooLarge) {
        std::fprintf(stderr, SCENE_TOO_LARGE, file, (unsigned long long)bytes.size,
                     (unsigned long long)SCENE3DS_MAX_FILE_SIZE);
        return INSPECT_PROBLEM;
    }
    if (bytes.error != FileReadError::None) {
        std::fprintf(stderr, SCENE_OPEN_FAILED, file, fileReadErrorText(bytes.error));
        return INSPECT_PROBLEM;
    }
    Scene3ds scene;
    const char* reason = decodeScene3ds(bytes.bytes.data(), bytes.bytes.size(), &scene);
    if (reason) {
        std::fprintf(stderr, SCENE_REFUSED, file, reason);
        return INSPECT_PROBLEM;
    }
    printScene(scene);
    return png ? renderPreview(file, png, textureDirs) : INSPECT_OK;
}

int runStreetCommand(int argc, char** argv)
{
    if (argc != 2 || std::strcmp(argv[0], "--3ds") != 0) {
        std::fputs(STREET_USAGE, stderr);
        return INSPECT_USAGE;
    }
    std::vector<uint8_t> bytes;
    const char* reason = encodeScene3ds(streetAsScene3ds(), &bytes);
    if (reason) {
        std::fprintf(stderr, STREET_NOT_WRITABLE, reason);
        return INSPECT_PROBLEM;
    }
    std::string fifoReason;
    if (!writeBytes(argv[1], bytes, fifoReason)) {
        std::fprintf(stderr, SCENE_WRITE_FAILED, argv[1]);
        if (!fifoReason.empty()) std::fprintf(stderr, "%s: %s\n", argv[1], fifoReason.c_str());
        return INSPECT_PROBLEM;
    }
    return INSPECT_OK;
}
