// Runs a fuzz target once over each file given (directories: every file in them), without
// libFuzzer: how the normal build replays the seed and regression inputs as a test, and how
// a crashing input is looked at under a debugger.
// Usage: <target>_replay FILE_OR_DIRECTORY...
// Depends on: the target's LLVMFuzzerTestOneInput, the C++ standard library.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

const int EXIT_NOTHING_RUN = 2;

bool replay(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    // Announced first, so that a crash names its input.
    std::fprintf(stderr, "input %s (%zu bytes)\n", file.c_str(), bytes.size());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        fs::path arg = argv[i];
        std::error_code error;
        if (!fs::is_directory(arg, error)) {
            if (!replay(arg)) return 1;
            ++replayed;
            continue;
        }
        std::vector<fs::path> files;
        for (const fs::directory_entry& e : fs::directory_iterator(arg, error))
            if (e.is_regular_file()) files.push_back(e.path());
        std::sort(files.begin(), files.end());
        for (const fs::path& f : files) {
            if (!replay(f)) return 1;
            ++replayed;
        }
    }
    std::printf("%d inputs replayed without a fault\n", replayed);
    return replayed > 0 ? 0 : EXIT_NOTHING_RUN;
}
