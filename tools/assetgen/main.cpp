// kerbrunner-assetgen OUTDIR: writes every asset of the game below OUTDIR, deterministically.
// kerbrunner-assetgen --icons OUTDIR: writes the desktop icons below OUTDIR instead.
// Depends on: common/assetgen.h.
#include "tools/assetgen/common/assetgen.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--icons") == 0) {
        if (!makeDirectories(argv[2]) || !generateIcons(argv[2])) {
            std::fprintf(stderr, "assetgen: the icons could not be written\n");
            return 1;
        }
        return 0;
    }
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(stderr, "usage: %s OUTDIR\n       %s --icons OUTDIR\nWrites the pictures, "
                             "models and sounds of Kerb Runner below OUTDIR, or its desktop "
                             "icons.\n", argv[0], argv[0]);
        return argc == 2 ? 0 : 2;
    }
    std::string outDir = argv[1];
    if (!makeDirectories(outDir)) return 1;
    bool ok = generatePictures(outDir);
    ok = generateCharacters(outDir) && ok;
    ok = generateSounds(outDir) && ok;
    if (!ok) {
        std::fprintf(stderr, "assetgen: some assets could not be written\n");
        return 1;
    }
    return 0;
}
