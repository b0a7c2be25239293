// Fuzz target: the land loader. The input is a land file's text. A terrain
// either refuses it or gives a tree whose leaves are all drawn once, whose
// height and normal queries are finite, and whose spots survive being written
// into the file's "Spot" section and read back.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "FuzzChecks.h"
#include "io/KeyValueFile.h"
#include "platform/FatalError.h"
#include "world/Scene.h"
#include "world/terrain/Terrain.h"

namespace {

constexpr std::size_t maxLeavesChecked = 256;
constexpr float moderate = 1e30f;

bool close(float a, float b, float absolute, float relative) {
    return std::fabs(a - b) <= absolute + relative * std::fabs(a);
}

bool boxIsFinite(const Terrain& terrain) {
    const TerrainBox& b = terrain.box();
    return allFinite({b.minX, b.maxX, b.minY, b.maxY, b.minZ, b.maxZ}) &&
           allFinite(terrain.extents()) && allFinite(terrain.centre());
}

void checkQueriesOverTheBox(const Terrain& terrain) {
    const TerrainBox& b = terrain.box();
    for (int i = -1; i <= 5; ++i) {
        for (int j = -1; j <= 5; ++j) {
            const float x = b.minX + (b.maxX - b.minX) * static_cast<float>(i) / 4.0f;
            const float y = b.minY + (b.maxY - b.minY) * static_cast<float>(j) / 4.0f;
            const float h = terrain.HeightAt(x, y);
            fuzzRequire(std::isfinite(h), "HeightAt is finite");
            fuzzRequire(allFinite(terrain.NormalAt(x, y)), "NormalAt is finite");
            fuzzRequire(terrain.LocateLeaf(x, y) != nullptr || h == -1.0f,
                        "a point without a leaf has height -1");
        }
    }
}

// Every leaf that has an area holds its own centroid, so the search finds a leaf there.
void checkLeavesAreFound(const Terrain& terrain) {
    const TerrainMesh& mesh = terrain.mesh();
    std::size_t checked = 0;
    for (const TriangleNode* leaf : terrain.treeRoot().leaves) {
        if (++checked > maxLeavesChecked) break;
        if (leaf->degenerate) continue;
        const auto& t = mesh.triangles[static_cast<std::size_t>(leaf->triangle)];
        const auto& a = mesh.points[static_cast<std::size_t>(t[0])];
        const auto& b = mesh.points[static_cast<std::size_t>(t[1])];
        const auto& c = mesh.points[static_cast<std::size_t>(t[2])];
        const float x = (a[0] + b[0] + c[0]) / 3.0f;
        const float y = (a[1] + b[1] + c[1]) / 3.0f;
        fuzzRequire(terrain.LocateLeaf(x, y) != nullptr, "a leaf's centroid lies on the land");
        fuzzRequire(std::isfinite(terrain.HeightAt(x, y)), "height at a centroid is finite");
    }
}

// With planes that hold every point, the cull sends every leaf exactly once.
void checkDrawingSendsEveryLeafOnce(const Terrain& terrain) {
    const Terrain::Plane everywhere{0.0f, 0.0f, 0.0f, 1.0f};
    std::unordered_map<const TriangleNode*, int> seen;
    std::size_t sent = 0;
    terrain.VisitVisible(everywhere, everywhere, [&](std::span<const TriangleNode* const> leaves) {
        for (const TriangleNode* leaf : leaves) {
            fuzzRequire(leaf->isLeaf(), "only leaves are drawn");
            ++seen[leaf];
            ++sent;
        }
    });
    fuzzRequire(sent == terrain.leafCount(), "every leaf is drawn");
    fuzzRequire(seen.size() == sent, "no leaf is drawn twice");
}

bool spotsRoundTrip(const std::vector<Spot>& spots) {
    for (const Spot& s : spots) {
        if (!Scene::spotNameStorable(s.name)) return false;
        for (float v : {s.x, s.y, s.z, s.orientation, s.windSpeed, s.windDirection})
            if (!(std::fabs(v) < moderate)) return false;
    }
    return true;
}

// Whether every entry of the saved spots is found inside the "Spot" section,
// rather than an older entry of the same key elsewhere in the file.
bool spotEntriesInSection(KeyValueFile& file, std::size_t spotCount) {
    if (!file.findSection("Spot")) return false;
    const std::size_t start = file.sectionStart(), end = file.sectionEnd();
    static const char* const fields[] = {"name",        "x",          "y",       "z",
                                         "orientation", "wind.speed", "wind.dir"};
    for (std::size_t number = 1; number < spotCount; ++number) {
        for (const char* field : fields) {
            const std::string key = "spot" + std::to_string(number) + "." + field;
            if (!file.find(key) || file.entry().lineStart < start || file.entry().lineStart >= end)
                return false;
        }
    }
    return !file.find("spot" + std::to_string(spotCount) + ".name"); // no stray next spot
}

void checkSpotsSurviveSaving(Terrain& terrain, KeyValueFile& landFile) {
    terrain.AddSpot("Added", terrain.centre()[0], terrain.centre()[1], 12.5f, 0.5f, 7.0f, 3.0f);
    if (!spotsRoundTrip(terrain.spots())) return;
    KeyValueFile saved = landFile;
    terrain.WriteSpots(saved);
    // Spot entries outside the section come first in the file and are what is read.
    if (!spotEntriesInSection(saved, terrain.spots().size())) return;
    Terrain reread;
    fuzzRequire(reread.Load(saved), "a land file with its spots saved loads again");
    const std::vector<Spot>& before = terrain.spots();
    const std::vector<Spot>& after = reread.spots();
    fuzzRequire(after.size() == before.size(), "saved spots read back as many");
    for (std::size_t i = 1; i < before.size(); ++i) {
        fuzzRequire(after[i].name == before[i].name, "spot names survive saving");
        fuzzRequire(close(before[i].x, after[i].x, 1e-5f, 1e-6f) &&
                        close(before[i].y, after[i].y, 1e-5f, 1e-6f) &&
                        close(before[i].z, after[i].z, 1e-5f, 1e-6f),
                    "spot positions survive saving");
        fuzzRequire(close(before[i].orientation, after[i].orientation, 1e-4f, 1e-5f) &&
                        close(before[i].windSpeed, after[i].windSpeed, 1e-5f, 1e-6f) &&
                        close(before[i].windDirection, after[i].windDirection, 1e-4f, 1e-5f),
                    "spot angles and wind survive saving");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    KeyValueFile landFile;
    landFile.openText(inputText(data, size));
    Terrain terrain;
    bool loaded = false;
    try {
        loaded = terrain.Load(landFile);
    } catch (const FatalError&) {
        return 0; // a ground picture that cannot be decoded ends the program by design
    }
    if (!loaded) {
        fuzzRequire(terrain.needsLoad() && terrain.leafCount() == 0,
                    "a refused land keeps nothing");
        fuzzRequire(terrain.FirstSpot() == nullptr, "a refused land has no spot");
        return 0;
    }
    fuzzRequire(terrain.justLoaded() && !terrain.needsLoad(), "a loaded land says so");
    fuzzRequire(terrain.leafCount() > 0, "a loaded land has leaves");
    fuzzRequire(!terrain.spots().empty(), "a loaded land has its centre spot");
    checkDrawingSendsEveryLeafOnce(terrain);
    checkLeavesAreFound(terrain);
    if (boxIsFinite(terrain)) checkQueriesOverTheBox(terrain);
    checkSpotsSurviveSaving(terrain, landFile);
    fuzzRequire(terrain.Load(landFile) && !terrain.justLoaded(), "a second load changes nothing");
    return 0;
}
