// Figures for the air: the wind field's rebuild at the default and a fine
// grid, the cloud picture's generation, and one frame of 1,000 thermals.
// The wind runs on a sample land of data/lands, or on a synthetic ridge
// when there is none.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "io/KeyValueFile.h"
#include "wind/SyntheticLand.h"
#include "world/clouds/NoiseTexture.h"
#include "world/terrain/Terrain.h"
#include "world/thermals/Thermals.h"
#include "world/wind/WindField.h"

namespace {

namespace fs = std::filesystem;

float ridge(float x, float y) {
    const float across = (x - 1000.0f - 200.0f * std::sin(y * 0.002f)) / 300.0f;
    return 50.0f + 250.0f * std::exp(-across * across) + 0.01f * y;
}

// The ridge sample when it is there (the most relief), else the first land
// directory whose land file loads.
bool loadSampleLand(Terrain& terrain, std::string& name) {
    const fs::path lands = fs::path(__FILE__).parent_path().parent_path() / "data" / "lands";
    std::vector<std::string> names{"ridge"};
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(lands, error))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    for (const std::string& candidate : names) {
        KeyValueFile land;
        if (!land.open((lands / candidate / (candidate + ".map")).string())) continue;
        terrain.SetName(candidate);
        if (terrain.Load(land)) {
            name = candidate;
            return true;
        }
    }
    return false;
}

Terrain& benchLand(std::string& name) {
    static Terrain terrain;
    static std::string loaded;
    static bool ready = false;
    if (!ready) {
        ready = true;
        if (!loadSampleLand(terrain, loaded)) {
            synthetic::LandShape shape;
            shape.size = 2000.0f;
            shape.depth = 10;
            shape.height = ridge;
            synthetic::loadLand(terrain, shape);
            loaded = "synthetic ridge";
        }
    }
    name = loaded;
    return terrain;
}

void windCompute(benchmark::State& state) {
    std::string name;
    Terrain& terrain = benchLand(name);
    WindField field(terrain);
    field.setGrid(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    int iterations = 0;
    for (auto _ : state) {
        field.setWind(-std::numbers::pi_v<float> / 2.0f, 10.0f);
        field.compute();
        benchmark::DoNotOptimize(field.cell(1, 1, 1));
    }
    for (const LayerRelaxation& layer : field.relaxation())
        iterations += layer.iterations;
    state.SetLabel(name);
    state.counters["cells"] = static_cast<double>(field.nx()) * field.ny() * field.nz();
    state.counters["relax rounds"] = iterations;
}
BENCHMARK(windCompute)
    ->Args({50, 20})
    ->Args({100, 20})
    ->Args({200, 40})
    ->Unit(benchmark::kMillisecond);

void cloudPicture(benchmark::State& state) {
    const NoiseTexture texture(12345u);
    for (auto _ : state) {
        Image picture = texture.cloudPicture(0, 256, 160.0f, 0.98f, 0.0f);
        benchmark::DoNotOptimize(picture.Pixels());
    }
    state.counters["texels"] = 65536;
}
BENCHMARK(cloudPicture)->Unit(benchmark::kMillisecond);

void thermalsUpdate(benchmark::State& state) {
    std::string name;
    Terrain& terrain = benchLand(name);
    WindField field(terrain);
    field.setWind(-std::numbers::pi_v<float> / 2.0f, 6.0f);
    field.compute();
    Thermals thermals(terrain, field);
    thermals.setMaxCount(static_cast<int>(state.range(0)));
    thermals.random().seed(42);
    thermals.update(0.0);
    // Let the population age so heads, tails and deaths all take place.
    for (int frame = 0; frame < 600; ++frame)
        thermals.update(0.5);
    for (auto _ : state)
        thermals.update(1.0 / 60.0);
    state.SetLabel(name);
    state.counters["thermals"] = static_cast<double>(thermals.list().size());
}
BENCHMARK(thermalsUpdate)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
