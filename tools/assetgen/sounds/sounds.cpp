// Writes the game's sounds: the menu and game music as MP3, the two effects as WAV.
// Depends on: common/assetgen.h (file writing), pieces.h (the sounds), encode.h.
#include "tools/assetgen/common/assetgen.h"
#include "tools/assetgen/sounds/encode.h"
#include "tools/assetgen/sounds/pieces.h"

#include <cstdio>

// ---- Constants ----------------------------------------------------------------------

constexpr const char* kMenuMusicFile = "audio/Organ4U.mp3";
constexpr const char* kGameMusicFile = "audio/NotBond.mp3";
constexpr const char* kScoreEffectFile = "audio/powerup.wav";
constexpr const char* kBumpEffectFile = "audio/rempl.wav";
constexpr int kMusicKbps = 128;

// ---- Internal helpers ---------------------------------------------------------------

namespace {

bool writeMusic(const std::string& outDir, const char* name, const StereoTrack& music)
{
    std::vector<uint8_t> bytes = encodeMp3Stereo(music, kSoundRate, kMusicKbps);
    if (bytes.empty()) {
        std::fprintf(stderr, "assetgen: could not encode %s\n", name);
        return false;
    }
    return writeFileBytes(outDir + "/" + name, bytes);
}

bool writeEffect(const std::string& outDir, const char* name, const Track& effect)
{
    return writeFileBytes(outDir + "/" + name, encodeWavMono16(effect, kSoundRate));
}

}  // namespace

// ---- Public functions ---------------------------------------------------------------

bool generateSounds(const std::string& outDir)
{
    bool ok = writeEffect(outDir, kScoreEffectFile, renderFlyerChime());
    ok = writeEffect(outDir, kBumpEffectFile, renderBump()) && ok;
    ok = writeMusic(outDir, kMenuMusicFile, renderOrganPiece()) && ok;
    ok = writeMusic(outDir, kGameMusicFile, renderSpyLoop()) && ok;
    return ok;
}
