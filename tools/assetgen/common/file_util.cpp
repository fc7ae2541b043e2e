// Directory creation and whole-file writes for the generator.
// Depends on: assetgen.h, POSIX.
#include "tools/assetgen/common/assetgen.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

bool makeDirectories(const std::string& path)
{
    std::string partial;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            if (!partial.empty() && mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) {
                std::fprintf(stderr, "assetgen: cannot create %s: %s\n", partial.c_str(),
                             std::strerror(errno));
                return false;
            }
        }
        if (i < path.size()) partial += path[i];
    }
    return true;
}

bool writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && !makeDirectories(path.substr(0, slash))) return false;
    std::string temp = path + ".tmp";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "assetgen: cannot write %s: %s\n", temp.c_str(), std::strerror(errno));
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        std::remove(temp.c_str());
        return false;
    }
    return true;
}
