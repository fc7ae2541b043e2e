// Benchmarks of the per-frame collision pass and of picture decoding at start-up.
// Run: build/bench_game [--benchmark_filter=...]; DATA_DIR env points at generated data.
#include "player/camera.h"
#include "player/collision.h"
#include "world/bmp_image.h"
#include "world/street_table.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

SceneVertices benchScene;

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
    const char* dir = std::getenv("KERB_DATA_DIR");
    std::string path = std::string(dir ? dir : "build/data") + "/textures/menu0.bmp";
    FileBytes bytes{};
    if (readFileBytes(path.c_str(), &bytes) != nullptr) {
        state.SkipWithError("set KERB_DATA_DIR to the generated data");
        return;
    }
    for (auto _ : state) {
        RgbImage image{};
        if (decodeBmpImage(bytes.data, bytes.size, &image, nullptr) == nullptr) std::free(image.pixels);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)bytes.size);
    freeFileBytes(&bytes);
}
BENCHMARK(BM_DecodePicture);

}  // namespace

BENCHMARK_MAIN();
