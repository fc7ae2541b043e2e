// kerbrunner-assets: looks at pictures, models and data directories with the game's own readers.
// Depends on: assetcheck.h.
#include "tools/assetcheck/assetcheck.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const USAGE =
    "usage: kerbrunner-assets COMMAND ...\n"
    "\n"
    "  bmp FILE [--ppm OUT]  read FILE with the game's picture reader and print its size,\n"
    "                        bits per pixel and compression; with --ppm also write the\n"
    "                        decoded picture, top row first, as a binary PPM\n"
    "  md2 FILE [--frame N]  read FILE with the game's model loader and print, as JSON,\n"
    "                        its header, every frame's name and the animations the game\n"
    "                        derives from them; with --frame also the decoded vertices\n"
    "                        of frame N (counted from 0) as [x, y, z], y up\n"
    "  check [DIR]           check every file the game reads from DIR (default: the\n"
    "                        working directory): all pictures through the reader, every\n"
    "                        model through the loader and with the animation its kind\n"
    "                        plays, the sounds present and not empty\n"
    "  3ds FILE [--png OUT] [--textures DIR]...\n"
    "                        read FILE with the game's scene reader and print, as JSON,\n"
    "                        each object's name, vertex and face counts and bounds (the\n"
    "                        file's third axis is up) and each material's diffuse colour\n"
    "                        and texture; with --png also draw it as the game would, seen\n"
    "                        from the front right and above so that all of it shows, into\n"
    "                        a PNG (looking for pictures next to FILE, then in each DIR;\n"
    "                        without a display it runs under xvfb-run)\n"
    "  street --3ds OUT      write the street as a 3DS scene for other 3D tools: one\n"
    "                        object per part of the street, one material per picture\n"
    "                        (its texture map is the path within the data directory)\n"
    "  --help                show this text\n"
    "\n"
    "Exit status: 0 when all is well, 1 when a file is unusable, 2 on a usage error.\n";

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(USAGE, stdout);
        return INSPECT_OK;
    }
    if (argc >= 2 && std::strcmp(argv[1], "bmp") == 0) return runBmpCommand(argc - 2, argv + 2);
    if (argc >= 2 && std::strcmp(argv[1], "md2") == 0) return runMd2Command(argc - 2, argv + 2);
    if (argc >= 2 && std::strcmp(argv[1], "check") == 0) return runCheckCommand(argc - 2, argv + 2);
    if (argc >= 2 && std::strcmp(argv[1], "3ds") == 0) return runSceneCommand(argc - 2, argv + 2);
    if (argc >= 2 && std::strcmp(argv[1], "street") == 0) return runStreetCommand(argc - 2, argv + 2);
    std::fputs(USAGE, stderr);
    return INSPECT_USAGE;
}
