// File encoders for the generated sounds: 16-bit PCM WAVE and MP3 through libmp3lame.
// Depends on: encode.h, libmp3lame.
#include "tools/assetgen/sounds/encode.h"

#include "world/little_endian.h"

#include <lame.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

// ---- Constants ----------------------------------------------------------------------

constexpr int WAV_HEADER_BYTES = 44;
constexpr int PCM_FORMAT_TAG = 1;
constexpr int BITS_PER_SAMPLE = 16;
constexpr int ENCODE_BLOCK = 8192;   // samples per channel handed to the encoder at once
constexpr int LAME_QUALITY = 2;      // 0 best .. 9 fastest
constexpr int LAME_FLUSH_BYTES = 7200;

// ---- Internal helpers ---------------------------------------------------------------

namespace {

using littleEndian::put16;
using littleEndian::put32;

void putTag(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

int16_t toPcm16(float v)
{
    double scaled = std::round(std::clamp(static_cast<double>(v), -1.0, 1.0) * 32767.0);
    return static_cast<int16_t>(scaled);
}

}  // namespace

// ---- Public functions ---------------------------------------------------------------

std::vector<uint8_t> encodeWavMono16(const Track& samples, int sampleRate)
{
    const uint32_t blockAlign = BITS_PER_SAMPLE / 8;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * blockAlign;
    std::vector<uint8_t> out;
    out.reserve(WAV_HEADER_BYTES + dataBytes);
    putTag(out, "RIFF");
    put32(out, WAV_HEADER_BYTES - 8 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, PCM_FORMAT_TAG);
    put16(out, 1);
    put32(out, static_cast<uint32_t>(sampleRate));
    put32(out, static_cast<uint32_t>(sampleRate) * blockAlign);
    put16(out, blockAlign);
    put16(out, BITS_PER_SAMPLE);
    putTag(out, "data");
    put32(out, dataBytes);
    for (float v : samples) put16(out, static_cast<uint16_t>(toPcm16(v)));
    return out;
}

std::vector<uint8_t> encodeMp3Stereo(const StereoTrack& mix, int sampleRate, int kbps)
{
    const size_t frames = std::min(mix.left.size(), mix.right.size());
    lame_global_flags* lame = lame_init();
    if (!lame) {
        std::fprintf(stderr, "assetgen: the MP3 encoder could not start\n");
        return {};
    }
    lame_set_in_samplerate(lame, sampleRate);
    lame_set_out_samplerate(lame, sampleRate);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_brate(lame, kbps);
    lame_set_quality(lame, LAME_QUALITY);
    lame_set_bWriteVbrTag(lame, 1);
    lame_set_write_id3tag_automatic(lame, 0);
    if (lame_init_params(lame) < 0) {
        std::fprintf(stderr, "assetgen: the MP3 encoder refused its settings\n");
        lame_close(lame);
        return {};
    }

    std::vector<uint8_t> out;
    std::vector<unsigned char> chunk(static_cast<size_t>(ENCODE_BLOCK) * 5 / 4 + LAME_FLUSH_BYTES);
    bool ok = true;
    for (size_t at = 0; at < frames && ok; at += ENCODE_BLOCK) {
        int count = static_cast<int>(std::min<size_t>(ENCODE_BLOCK, frames - at));
        int written = lame_encode_buffer_ieee_float(lame, mix.left.data() + at,
                                                    mix.right.data() + at, count, chunk.data(),
                                                    static_cast<int>(chunk.size()));
        ok = written >= 0;
        if (ok) out.insert(out.end(), chunk.begin(), chunk.begin() + written);
    }
    if (ok) {
        int written = lame_encode_flush(lame, chunk.data(), static_cast<int>(chunk.size()));
        ok = written >= 0;
        if (ok) out.insert(out.end(), chunk.begin(), chunk.begin() + written);
    }
    if (ok) {
        // The encoder left a blank first frame; the finished info frame replaces it.
        size_t tagBytes = lame_get_lametag_frame(lame, chunk.data(), chunk.size());
        ok = tagBytes > 0 && tagBytes <= chunk.size() && tagBytes <= out.size();
        if (ok) std::copy(chunk.begin(), chunk.begin() + static_cast<long>(tagBytes), out.begin());
    }
    lame_close(lame);
    if (!ok) {
        std::fprintf(stderr, "assetgen: MP3 encoding failed\n");
        return {};
    }
    return out;
}
