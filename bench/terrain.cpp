// Figures for the terrain: ground height through the triangle tree against a
// scan of every leaf, how the query grows with the number of triangles, and
// loading a 20 MB land file with 1,000 sceneries and a 1024 x 1024 ground
// picture (terrain, spots, sun and shading, sky, sceneries, clouds).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "Bintree.h"
#include "LandMaker.h"
#include "Noise.h"
#include "Painter.h"
#include "TgaWriter.h"
#include "io/KeyValueFile.h"
#include "world/Land.h"
#include "world/sun/SceneDate.h"
#include "world/terrain/Terrain.h"

namespace {
namespace fs = std::filesystem;
constexpr float landSize = 4000.0f;

HeightMap hills(int size) {
    std::vector<float> heights(std::size_t(size) * size);
    for (int r = 0; r < size; ++r)
        for (int c = 0; c < size; ++c)
            heights[std::size_t(r) * size + c] =
                300.0f * fractalNoise(c * 8.0f / size, r * 8.0f / size, 3, 5);
    return HeightMap(size, size, std::move(heights));
}

// A land refined to its finest level: 2 (size - 1)^2 leaves.
std::unique_ptr<Terrain> fullLand(int size) {
    Bintree tree(hills(size));
    tree.refine(-1.0f);
    KeyValueFile file;
    file.openText(landGeometryText(tree, landSize, landSize));
    auto terrain = std::make_unique<Terrain>();
    terrain->Load(file);
    return terrain;
}

Terrain& landWithLeaves(int size) {
    static std::map<int, std::unique_ptr<Terrain>> lands;
    auto& land = lands[size];
    if (!land) land = fullLand(size);
    return *land;
}

// Query points spread over the land, the same for every run.
float queryCoordinate(int i, int axis) {
    return landSize * hashUnit(i, axis, 17);
}

void HeightAtThroughTheTree(benchmark::State& state) {
    const Terrain& terrain = landWithLeaves(int(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(terrain.HeightAt(queryCoordinate(i, 0), queryCoordinate(i, 1)));
        i = (i + 1) & 4095;
    }
    state.counters["leaves"] = double(terrain.leafCount());
    state.counters["queries/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    // How deep the found leaves lie: the descent's length, which grows by two
    // levels for four times the leaves.
    double depth = 0.0;
    for (int q = 0; q < 1000; ++q)
        for (const TriangleNode* n =
                 terrain.LocateLeaf(queryCoordinate(q, 0), queryCoordinate(q, 1));
             n != nullptr && n->triangle >= 0; n = n->parent)
            depth += 1.0;
    state.counters["depth"] = depth / 1000.0;
}
BENCHMARK(HeightAtThroughTheTree)->Arg(17)->Arg(33)->Arg(65)->Arg(129)->Arg(257);

// The same answer found by testing every leaf in turn.
float scanHeight(const Terrain& terrain, float x, float y) {
    const auto& mesh = terrain.mesh();
    for (const TriangleNode* leaf : terrain.treeRoot().leaves) {
        const auto& t = mesh.triangles[leaf->triangle];
        const auto& a = mesh.points[t[0]];
        const auto& b = mesh.points[t[1]];
        const auto& c = mesh.points[t[2]];
        const float d = (b[0] - c[0]) * (a[1] - c[1]) - (a[0] - c[0]) * (b[1] - c[1]);
        const float wb = ((x - c[0]) * (a[1] - c[1]) - (y - c[1]) * (a[0] - c[0])) / d;
        const float wa = ((y - c[1]) * (b[0] - c[0]) - (x - c[0]) * (b[1] - c[1])) / d;
        const float wc = 1.0f - wa - wb;
        if (wa >= 0 && wb >= 0 && wc >= 0) return wa * a[2] + wb * b[2] + wc * c[2];
    }
    return -1.0f;
}

void HeightAtByLinearScan(benchmark::State& state) {
    const Terrain& terrain = landWithLeaves(int(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(scanHeight(terrain, queryCoordinate(i, 0), queryCoordinate(i, 1)));
        i = (i + 1) & 4095;
    }
    state.counters["leaves"] = double(terrain.leafCount());
    state.counters["queries/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(HeightAtByLinearScan)->Arg(33)->Arg(257);

// A land directory of about 20 MB of land file, 1,000 sceneries and a
// 1024 x 1024 ground picture, made once in a temporary folder.
// Removes the land made for the run when the program ends.
struct TemporaryFolder {
    fs::path path;
    ~TemporaryFolder() {
        std::error_code ignored;
        if (!path.empty()) fs::remove_all(path, ignored);
    }
};

fs::path bigLandFolder() {
    static TemporaryFolder made;
    fs::path& folder = made.path;
    if (!folder.empty()) return folder;
    folder = fs::temp_directory_path() / "ventrix-bench-land";
    fs::create_directories(folder / "lands/big");
    Bintree tree(hills(257));
    tree.refine(-1.0f);
    std::string text = "terrain.name = \"big\"\nterrain.texture.ground = \"ground.tga\"\n" +
                       landGeometryText(tree, landSize, landSize);
    std::vector<SceneryEntry> sceneries;
    for (int i = 0; i < 1000; ++i) {
        SceneryEntry d;
        d.type = i % 5 == 0 ? 21 + i % 3 : (i % 50 == 1 ? 11 : 1);
        d.x = queryCoordinate(i, 2);
        d.y = queryCoordinate(i, 3);
        d.z = 10.0f;
        d.width = d.depth = d.height = 10.0f;
        d.roofHeight = 3.0f;
        sceneries.push_back(d);
    }
    std::vector<SpotEntry> spots(20);
    for (int i = 0; i < 20; ++i) {
        spots[i].name = "spot " + std::to_string(i);
        spots[i].x = queryCoordinate(i, 4);
        spots[i].y = queryCoordinate(i, 5);
        spots[i].z = 100.0f;
    }
    text += sceneriesText(sceneries) + spotsText(spots);
    // Comment lines, as hand-made lands carry them, bring the file to 20 MB.
    std::string filler = "\n// survey notes: ";
    filler.append(100, '-');
    filler += "\n";
    while (text.size() < 20u * 1000 * 1000)
        text.insert(text.find("terrain.points"), filler);
    KeyValueFile file;
    file.openText(text);
    file.write((folder / "lands/big/big.map").string());
    LandRecipe recipe;
    recipe.sizeX = recipe.sizeY = landSize;
    writeTga((folder / "lands/big/ground.tga").string(),
             Painter(recipe, hills(65)).paintGround(1024), false);
    std::printf("land file %.1f MB\n", double(fs::file_size(folder / "lands/big/big.map")) / 1e6);
    return folder;
}

void LoadTwentyMegabyteLand(benchmark::State& state) {
    const fs::path folder = bigLandFolder();
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    for (auto _ : state) {
        SceneDate date;
        Land land;
        land.terrain.SetName("big");
        const bool loaded = land.load(date);
        if (!loaded || land.sceneries.size() != 1000)
            state.SkipWithError("the land did not load whole");
        benchmark::DoNotOptimize(land.terrain.leafCount());
    }
    fs::current_path(previous);
    state.counters["MB"] = double(fs::file_size(folder / "lands/big/big.map")) / 1e6;
}
BENCHMARK(LoadTwentyMegabyteLand)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

BENCHMARK_MAIN();
