// Writes the game's sounds: the menu and game music as MP3, the two effects as WAV.
// Depends on: app/sound_files.h (the file names), common/assetgen.h (file writing), pieces.h (the sounds), encode.h.
#include "app/sound_files.h"
#include "tools/assetgen/common/assetgen.h"
#include "tools/assetgen/sounds/encode.h"
#include "tools/assetgen/sounds/pieces.h"

#include <cstdio>

// ---- Constants ----------------------------------------------------------------------

constexpr int MUSIC_KBPS = 128;

// ---- Internal helpers ---------------------------------------------------------------

namespace {

bool writeMusic(const std::string& outDir, const char* name, const StereoTrack& music)
{
    std::vector<uint8_t> bytes = encodeMp3Stereo(music, SOUND_RATE, MUSIC_KBPS);
    if (bytes.empty()) {
        std::fprintf(stderr, "assetgen: could not encode %s\n", name);
        return false;
    }
    return writeFileBytes(outDir + "/" + name, bytes);
}

bool writeEffect(const std::string& outDir, const char* name, const Track& effect)
{
    return writeFileBytes(outDir + "/" + name, encodeWavMono16(effect, SOUND_RATE));
}

}  // namespace

// ---- Public functions ---------------------------------------------------------------

bool generateSounds(const std::string& outDir)
{
    bool ok = writeEffect(outDir, SCORE_SOUND_FILE, renderFlyerChime());
    ok = writeEffect(outDir, BUMP_SOUND_FILE, renderBump()) && ok;
    ok = writeMusic(outDir, MENU_MUSIC_FILE, renderOrganPiece()) && ok;
    ok = writeMusic(outDir, GAME_MUSIC_FILE, renderSpyLoop()) && ok;
    return ok;
}
