// kerbrunner-manual FILE: writes the game's manual page (roff) to FILE, from the same tables
// as the game's --help. The build runs it to make kerbrunner.6.
// kerbrunner-manual --from-help NAME SECTION SUMMARY HELPFILE FILE: writes the manual page of
// a tool from its --help text (the build makes kerbrunner-assets.1 this way).
// Depends on: app/options.h.
#include "app/options.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

const char* const USAGE =
    "usage: %s FILE\n"
    "       %s --from-help NAME SECTION SUMMARY HELPFILE FILE\n"
    "Writes the manual page of Kerb Runner, or of a tool from its --help text, to FILE.\n";

bool writePage(const char* path, const std::string& page)
{
    std::FILE* f = std::fopen(path, "wb");
    if (!f) {
        std::perror(path);
        return false;
    }
    bool ok = std::fwrite(page.data(), 1, page.size(), f) == page.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok) std::fprintf(stderr, "%s: could not be written\n", path);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && argv[1][0] != '-') return writePage(argv[1], manualPage(KERB_VERSION)) ? 0 : 1;
    if (argc == 7 && std::strcmp(argv[1], "--from-help") == 0) {
        std::ifstream in(argv[5], std::ios::binary);
        std::stringstream help;
        help << in.rdbuf();
        if (!in || help.str().empty()) {
            std::fprintf(stderr, "%s: no help text to read\n", argv[5]);
            return 1;
        }
        std::string page = manualPageFromHelp(help.str(), argv[2], argv[3], argv[4], KERB_VERSION);
        return writePage(argv[6], page) ? 0 : 1;
    }
    std::fprintf(stderr, USAGE, argv[0], argv[0]);
    return 2;
}
