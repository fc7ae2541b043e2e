// The `check` command: every picture, model and sound the game reads from a directory.
// Depends on: assetcheck.h, world/bmp_image.h, world/texture_table.h,
// characters/character_kinds.h, app/sound.h.
#include "app/sound.h"
#include "characters/character_kinds.h"
#include "tools/assetcheck/assetcheck.h"
#include "world/bmp_image.h"
#include "world/texture_table.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const CHECK_USAGE = "usage: kerbrunner-assets check [DIR]\n";
const char* const REASON_MISSING = "missing";
const char* const REASON_NOT_A_FILE = "not a regular file";
const char* const REASON_EMPTY = "empty";
const char* const REASON_UNREADABLE = "cannot be read";

const char* const SOUND_FILES[] = {MENU_MUSIC_FILE, GAME_MUSIC_FILE, SCORE_SOUND_FILE,
                                   BUMP_SOUND_FILE};
const int SOUND_FILE_COUNT = 4;

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
    if (stat(path.c_str(), &st) != 0) return REASON_MISSING;
    if (!S_ISREG(st.st_mode)) return REASON_NOT_A_FILE;
    if (st.st_size == 0) return REASON_EMPTY;
    return nullptr;
}

// Null when the game's reader accepts the picture, else the reason.
const char* pictureProblem(const std::string& path)
{
    const char* problem = presenceProblem(path);
    if (problem) return problem;
    FileBytes bytes;
    if (readFileBytes(path.c_str(), &bytes)) return REASON_UNREADABLE;
    RgbImage image;
    problem = decodeBmpImage(bytes.data, bytes.size, &image, nullptr);
    freeFileBytes(&bytes);
    if (!problem) std::free(image.pixels);
    return problem;
}

int report(const std::string& path, const char* problem)
{
    if (!problem) return 0;
    std::printf("%s: %s\n", path.c_str(), problem);
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
        problems += report(path, presenceProblem(path));
    }
    for (int i = 0; i < SOUND_FILE_COUNT; ++i) {
        std::string path = joinPath(dir, SOUND_FILES[i]);
        problems += report(path, presenceProblem(path));
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
