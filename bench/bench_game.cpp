// Benchmarks of one frame's game logic, the per-frame collision pass and of picture and model
// decoding at start-up.
// Run: build/bench_game [--benchmark_filter=...]; KERB_DATA_DIR points at the generated data.
#include "app/play_step.h"
#include "app/game_state.h"
#include "characters/character_step.h"
#include "characters/md2_model.h"
#include "characters/roster.h"
#include "platform/file_read.h"
#include "player/camera.h"
#include "player/collision.h"
#include "world/bmp_image.h"
#include "world/street_table.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

SceneVertices benchScene;

std::string dataPath(const char* relative)
{
    const char* dir = std::getenv("KERB_DATA_DIR");
    return std::string(dir ? dir : "build/data") + "/" + relative;
}

// One collision pass over all 222 quads, from a spot where the ground and a column are cut.
void BM_CollisionPass(benchmark::State& state)
{
    if (benchScene.count == 0) recordStreetTable(benchScene);
    for (auto _ : state) {
        Camera cam{};
        placeCamera(cam, -2.0f, 2.0f, -79.0f, -20.0f, 2.0f, -79.0f, 0, 1, 0);
        resolveSceneCollision(cam, benchScene.vertices, benchScene.count);
        benchmark::DoNotOptimize(cam.position);
    }
    state.SetItemsProcessed(state.iterations() * STREET_QUAD_COUNT);
}
BENCHMARK(BM_CollisionPass);

// Decoding one generated picture from memory (the menu page is the largest).
void BM_DecodePicture(benchmark::State& state)
{
    std::vector<uint8_t> bytes;
    std::string message;
    if (!readBmpFile(dataPath("textures/menu0.bmp").c_str(), &bytes, &message)) {
        state.SkipWithError("set KERB_DATA_DIR to the generated data");
        return;
    }
    for (auto _ : state) {
        RgbImage image{};
        if (decodeBmpImage(bytes.data(), bytes.size(), &image, nullptr) == nullptr)
            std::free(image.pixels);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)bytes.size());
}
BENCHMARK(BM_DecodePicture);

// Decoding one generated model from memory, as each of the 49 loads at start-up does.
void BM_DecodeModel(benchmark::State& state)
{
    FileReadResult file = readFile(dataPath("models/civi.md2").c_str());
    if (file.error != FileReadError::None) {
        state.SkipWithError("set KERB_DATA_DIR to the generated data");
        return;
    }
    Md2Loader loader;
    for (auto _ : state) {
        Md2Model model{};
        if (loader.decode(file.bytes.data(), file.bytes.size(), model) != nullptr) {
            state.SkipWithError("the generated model is refused");
            return;
        }
        benchmark::DoNotOptimize(model.frames.data());
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)file.bytes.size());
}
BENCHMARK(BM_DecodeModel);

// The 49 passers-by loaded and placed as at start-up; false when their models are missing.
bool loadRosterOnce()
{
    static bool loaded = false;
    if (loaded) return true;
    const char* dir = std::getenv("KERB_DATA_DIR");
    std::string cwd(4096, '\0');
    if (!getcwd(&cwd[0], cwd.size()) || chdir(dir ? dir : "build/data") != 0) return false;
    for (Character& c : roster) {
        int k = (int)(c.kind - characterKinds);
        if (!characterLoaders[k].load(c.model, c.kind->modelFile)) return false;
    }
    placeAllCharacters();
    loaded = chdir(cwd.c_str()) == 0;
    return loaded;
}

// One play frame's logic without GL, in the frame's order: the player's walk, the 49
// passers-by's steps in roster order, the collision pass over the street's 222 quads. The
// player walks down the street, as in bench/run's scripted walk, and the clock advances 10 ms
// a frame.
void BM_FrameLogic(benchmark::State& state)
{
    if (!loadRosterOnce()) {
        state.SkipWithError("set KERB_DATA_DIR to the generated data");
        return;
    }
    if (benchScene.count == 0) recordStreetTable(benchScene);
    const float FRAME_SECONDS = 0.01f;
    const uint32_t FRAME_MS = 10;
    placeCamera(playerCamera, START_POSITION.x, START_POSITION.y, START_POSITION.z,
                START_VIEW.x, START_VIEW.y, START_VIEW.z, START_UP.x, START_UP.y, START_UP.z);
    gameState.menuMode = false;
    gameState.forwardAxis = 1;
    gameState.frameTime = FRAME_SECONDS;
    uint32_t clockMs = 0;
    for (auto _ : state) {
        movePlayer();
        for (Character& c : roster) {
            CharacterDraw draw = stepCharacter(c, playerCamera, gameState, clockMs);
            benchmark::DoNotOptimize(draw);
        }
        gameState.flyerClick = false;
        resolveSceneCollision(playerCamera, benchScene.vertices, benchScene.count);
        benchmark::DoNotOptimize(playerCamera.position);
        clockMs += FRAME_MS;
    }
}
BENCHMARK(BM_FrameLogic);

}  // namespace

BENCHMARK_MAIN();
