// The `check` command: every picture, model and sound the game reads from a directory.
// Depends on: assetcheck.h, world/bmp_image.h, world/texture_table.h,
// characters/character_kinds.h, characters/md2_model.h, app/sound_files.h, platform/file_read.h.
#include "app/sound_files.h"
#include "app/terminal_text.h"
#include "characters/character_kinds.h"
#include "characters/md2_animation.h"
#include "characters/md2_model.h"
#include "platform/file_read.h"
#include "tools/assetcheck/assetcheck.h"
#include "world/bmp_image.h"
#include "world/texture_table.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const CHECK_USAGE = "usage: kerbrunner-assets check [DIR]\n";
const char* const REASON_EMPTY = "empty";
// A model the game reads but whose kind plays an animation it does not have.
const char* const REASON_NO_ANIMATION_FORMAT = "%d animations, but its kind plays animation %d";
const int REASON_CAPACITY = 128;

std::string joinPath(const std::string& dir, const char* relative)
{
    if (dir == ".") return relative;
    if (!dir.empty() && dir.back() == '/') return dir + relative;
    return dir + "/" + relative;
}

// Null when the file is there and holds something, else the reason.
const char* presenceProblem(const std::string& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return fileReadErrorText(FileReadError::Missing);
    if (S_ISDIR(st.st_mode)) return fileReadErrorText(FileReadError::Directory);
    if (!S_ISREG(st.st_mode)) return fileReadErrorText(FileReadError::NotRegular);
    if (st.st_size == 0) return REASON_EMPTY;
    return nullptr;
}

// Empty when the file could be read (it is at most maxSize bytes) and holds something, else
// the reason.
std::string readProblem(const std::string& path, uint64_t maxSize, FileReadResult* file)
{
    *file = readFile(path.c_str(), maxSize);
    if (file->error == FileReadError::TooLarge)
        return "a file of " + std::to_string(file->size) + " bytes, larger than the limit of " +
               std::to_string(maxSize);
    if (file->error != FileReadError::None) return fileReadErrorText(file->error);
    if (file->bytes.empty()) return REASON_EMPTY;
    return std::string();
}

// Empty when the game's reader accepts the picture, else the reason.
std::string pictureProblem(const std::string& path)
{
    FileReadResult file;
    std::string unread = readProblem(path, BMP_MAX_FILE_SIZE, &file);
    if (!unread.empty()) return unread;
    RgbImage image;
    std::string reason;
    const char* problem = decodeBmpImage(file.bytes.data(), file.bytes.size(), &image, nullptr, &reason);
    if (problem) return std::string(problem) + " (" + reason + ")";
    std::free(image.pixels);
    return std::string();
}

// Empty when the game's loader accepts the model and it has the kind's animation.
std::string modelProblem(const std::string& path, const CharacterKind& kind)
{
    FileReadResult file;
    std::string unread = readProblem(path, MD2_MAX_FILE_SIZE, &file);
    if (!unread.empty()) return unread;
    Md2Loader loader;
    Md2Model model{};
    const char* problem = loader.decode(file.bytes.data(), file.bytes.size(), model);
    if (problem) return problem;
    if (model.animationCount > kind.animationIndex)
        return terminalSafe(animationProblem(model, kind.animationIndex));
    char text[REASON_CAPACITY];
    std::snprintf(text, sizeof text, REASON_NO_ANIMATION_FORMAT, model.animationCount,
                  kind.animationIndex);
    return text;
}

int report(const std::string& path, const std::string& problem)
{
    if (problem.empty()) return 0;
    std::printf("%s: %s\n", path.c_str(), problem.c_str());
    return 1;
}

}  // namespace

int runCheckCommand(int argc, char** argv)
{
    if (argc > 1 || (argc == 1 && argv[0][0] == '-')) {
        std::fputs(CHECK_USAGE, stderr);
        return INSPECT_USAGE;
    }
    std::string dir = argc == 1 ? argv[0] : ".";
    int problems = 0;
    for (int i = 0; i < textureFileCount; ++i) {
        std::string path = joinPath(dir, textureFiles[i].path);
        problems += report(path, pictureProblem(path));
    }
    for (int i = 0; i < CHARACTER_KIND_COUNT; ++i) {
        std::string path = joinPath(dir, characterKinds[i].modelFile);
        problems += report(path, modelProblem(path, characterKinds[i]));
    }
    for (int i = 0; i < SOUND_FILE_COUNT; ++i) {
        std::string path = joinPath(dir, SOUND_FILES[i]);
        const char* problem = presenceProblem(path);
        problems += report(path, problem ? problem : "");
    }
    int files = textureFileCount + CHARACTER_KIND_COUNT + SOUND_FILE_COUNT;
    if (problems > 0) {
        std::printf("%d of %d files in %s are unusable\n", problems, files, dir.c_str());
        return INSPECT_PROBLEM;
    }
    std::printf("all %d files in %s are usable: %d pictures, %d models, %d sounds\n", files,
                dir.c_str(), textureFileCount, CHARACTER_KIND_COUNT, SOUND_FILE_COUNT);
    return INSPECT_OK;
}
