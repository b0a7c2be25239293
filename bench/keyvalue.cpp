// Key lookups in a land-file-sized text: a 19 MB array value followed by 1,000 keys.
#include "io/KeyValueFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int keyCount = 1000;

std::string keyName(int i) {
    return "decor" + std::to_string(i) + ".height";
}

const std::string& landText() {
    static const std::string text = [] {
        std::string t = "// a land file\nterrain.name = \"bench\"\nterrain.points = \"";
        char number[32];
        for (int i = 0; t.size() < 19'000'000; ++i) {
            std::snprintf(number, sizeof number, "%.6f %.6f %.6f\n", i * 0.5, i * 0.25, i * 0.125);
            t += number;
        }
        t += "\"\n";
        for (int i = 0; i < keyCount; ++i)
            t += keyName(i) + " = \"" + std::to_string(i) + "\"\n";
        while (t.size() < 20'000'000)
            t += "// padding to the size of a large land file\n";
        return t;
    }();
    return text;
}

const std::vector<std::string>& keys() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (int i = 0; i < keyCount; ++i)
            n.push_back(keyName(i));
        return n;
    }();
    return names;
}

// Lookups on a file whose index is already built.
void BM_FindThousandKeys(benchmark::State& state) {
    KeyValueFile file;
    file.openText(landText());
    file.find(keys().front());
    for (auto _ : state) {
        for (const std::string& key : keys())
            benchmark::DoNotOptimize(file.find(key));
    }
    state.SetItemsProcessed(state.iterations() * keyCount);
}
BENCHMARK(BM_FindThousandKeys)->Unit(benchmark::kMillisecond);

// What a land load pays: fresh text, first lookup builds the index, then 1,000 reads.
void BM_FreshTextThenThousandKeys(benchmark::State& state) {
    for (auto _ : state) {
        KeyValueFile file;
        file.openText(landText());
        for (const std::string& key : keys())
            benchmark::DoNotOptimize(file.getInt(key, -1));
    }
    state.SetItemsProcessed(state.iterations() * keyCount);
}
BENCHMARK(BM_FreshTextThenThousandKeys)->Unit(benchmark::kMillisecond);

// The same from disk, including reading the 20 MB file.
void BM_OpenFileThenThousandKeys(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "ventrix_bench_land.map").string();
    KeyValueFile source;
    source.openText(landText());
    if (!source.write(path)) {
        state.SkipWithError("cannot write the land file");
        return;
    }
    for (auto _ : state) {
        KeyValueFile file;
        file.open(path);
        for (const std::string& key : keys())
            benchmark::DoNotOptimize(file.getInt(key, -1));
    }
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * keyCount);
}
BENCHMARK(BM_OpenFileThenThousandKeys)->Unit(benchmark::kMillisecond);

// The plain top-down search, for comparison (10 keys per pass: it rescans the array).
void BM_PlainSearchTenKeys(benchmark::State& state) {
    KeyValueFile file;
    file.openText(landText());
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i)
            benchmark::DoNotOptimize(file.findByScan(keys()[i * 100]));
    }
    state.SetItemsProcessed(state.iterations() * 10);
}
BENCHMARK(BM_PlainSearchTenKeys)->Unit(benchmark::kMillisecond);

// Reading the 19 MB array itself.
void BM_ReadLargeFloatArray(benchmark::State& state) {
    KeyValueFile file;
    file.openText(landText());
    for (auto _ : state) {
        const std::vector<float> points = file.getFloatArray("terrain.points", {});
        benchmark::DoNotOptimize(points.data());
        state.counters["numbers"] = static_cast<double>(points.size());
    }
}
BENCHMARK(BM_ReadLargeFloatArray)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
