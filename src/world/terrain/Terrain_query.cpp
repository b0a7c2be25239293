// Point location, interpolation and the spot list.
#include "world/terrain/Terrain.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "io/KeyValueFile.h"

namespace {
constexpr float radiansToDegrees = 57.29577951f;
// Spots closer than this (squared, in m²) count as "here".
constexpr float nearSpotDistanceSquared = 100.0f;

// "spot", a number, ".": the keys of the spot blocks.
bool isSpotKey(std::string_view key) {
    if (!key.starts_with("spot")) return false;
    const std::size_t dot = key.find_first_not_of("0123456789", 4);
    return dot > 4 && dot != std::string_view::npos && key[dot] == '.';
}

// The key of an entry line (blanks, key, blanks, "="), or the empty text.
std::string firstWordOfEntry(const std::string& text, std::size_t lineStart) {
    const std::size_t word = text.find_first_not_of(" \t", lineStart);
    if (word == std::string::npos) return {};
    const std::size_t wordEnd = std::min(text.find_first_of(" \t=\n", word), text.size());
    const std::size_t equals = text.find_first_not_of(" \t", wordEnd);
    if (wordEnd == word || equals == std::string::npos || text[equals] != '=') return {};
    return text.substr(word, wordEnd - word);
}

// The entries of the file's "Spot" section that are not spots (a hand-made land
// may carry terrain or scenery keys there), each whole with a value that runs
// over several lines, so that saving the spots keeps them.
std::string otherEntriesOfSpotSection(KeyValueFile& file) {
    if (!file.findSection("Spot")) return {};
    KeyValueFile section;
    section.openText(
        file.text().substr(file.sectionStart(), file.sectionEnd() - file.sectionStart()));
    const std::string& text = section.text();
    std::string kept;
    std::size_t lineEnd = text.find('\n'); // the heading line is written anew
    while (lineEnd != std::string::npos && lineEnd + 1 < text.size()) {
        const std::size_t start = lineEnd + 1;
        lineEnd = text.find('\n', start);
        const std::string key = firstWordOfEntry(text, start);
        if (key.empty() || !section.find(key) || section.entry().lineStart != start) continue;
        // A spot value left open may run over lines the reader also finds as
        // entries of their own; only the spot's own line goes, so those stay.
        if (isSpotKey(key)) continue;
        const std::size_t entryEnd = std::min(section.entry().lineEnd, text.size());
        kept.append(text, start, entryEnd - start).append("\n");
        lineEnd = entryEnd < text.size() ? entryEnd : std::string::npos;
    }
    return kept;
}
} // namespace

// The triangle grown by 1 % about its centroid, in the horizontal plane; points
// on an edge are inside and either winding works.
std::array<float, 6> Terrain::GrownCorners(int32_t triangle) const {
    const auto& t = terrainMesh.triangles[triangle];
    const auto& a = terrainMesh.points[t[0]];
    const auto& b = terrainMesh.points[t[1]];
    const auto& c = terrainMesh.points[t[2]];
    const float gx = (a[0] + b[0] + c[0]) / 3.0f;
    const float gy = (a[1] + b[1] + c[1]) / 3.0f;
    return {gx + 1.01f * (a[0] - gx), gy + 1.01f * (a[1] - gy), gx + 1.01f * (b[0] - gx),
            gy + 1.01f * (b[1] - gy), gx + 1.01f * (c[0] - gx), gy + 1.01f * (c[1] - gy)};
}

// Both grown triangles are convex, so holding the inner one's corners is holding it.
bool Terrain::HoldsGrown(const TriangleNode& outer, const TriangleNode& inner) const {
    const auto& g = inner.grown;
    return InsideGrown(outer, g[0], g[1]) && InsideGrown(outer, g[2], g[3]) &&
           InsideGrown(outer, g[4], g[5]);
}

// A triangle without horizontal area cannot be interpolated, so as a leaf it never
// answers; as an inner node it leaves the decision to its children, which would
// otherwise be out of reach of every query.
bool Terrain::Accepts(const TriangleNode& node, float x, float y) const {
    if (node.triangle < 0) return true;
    if (node.degenerate) return !node.leaf;
    return InsideGrown(node, x, y);
}

const TriangleNode* Terrain::Search(const TriangleNode& node, float x, float y) const {
    if (!Accepts(node, x, y)) return nullptr;
    if (node.leaf) return &node;
    if (node.left != nullptr)
        if (const TriangleNode* found = Search(*node.left, x, y)) return found;
    return node.right != nullptr ? Search(*node.right, x, y) : nullptr;
}

const TriangleNode* Terrain::LocateLeaf(float x, float y) const {
    if (root.left == nullptr) return nullptr;
    return Search(root, x, y);
}

float Terrain::HeightAt(float x, float y) const {
    const TriangleNode* leaf = LocateLeaf(x, y);
    if (leaf == nullptr) return -1.0f;
    const auto w = Weights(*leaf, x, y);
    const auto& t = terrainMesh.triangles[leaf->triangle];
    return w[0] * terrainMesh.points[t[0]][2] + w[1] * terrainMesh.points[t[1]][2] +
           w[2] * terrainMesh.points[t[2]][2];
}

Terrain::Vec3 Terrain::NormalAt(float x, float y) const {
    const TriangleNode* leaf = LocateLeaf(x, y);
    if (leaf == nullptr) return {0.0f, 0.0f, 1.0f};
    return InterpolatedNormal(*leaf, x, y);
}

float Terrain::relief() const {
    const TerrainBox& b = terrainMesh.box;
    return b.inverted() ? 0.0f : b.maxZ - b.minZ;
}

void Terrain::AddSpot(const std::string& spotName, float x, float y, float z, float orientation,
                      float windSpeed, float windDirection) {
    spotList.push_back(Spot{spotName, x, y, z, orientation, windSpeed, windDirection});
}

const Spot* Terrain::FirstSpot() {
    currentSpotIndex = 0;
    return spotList.empty() ? nullptr : &spotList.front();
}

const Spot* Terrain::NextSpot() {
    if (spotList.empty()) return nullptr;
    currentSpotIndex = currentSpotIndex + 1 >= spotList.size() ? 0 : currentSpotIndex + 1;
    return &spotList[currentSpotIndex];
}

const std::string& Terrain::SpotNameNear(float x, float y) const {
    const std::size_t index = spotIndexNear(x, y);
    return index < spotList.size() ? spotList[index].name : noSpotName;
}

void Terrain::SelectSpotNear(float x, float y) {
    const std::size_t index = spotIndexNear(x, y);
    if (index < spotList.size()) currentSpotIndex = index;
}

std::size_t Terrain::spotIndexNear(float x, float y) const {
    for (std::size_t i = 0; i < spotList.size(); ++i) {
        const float dx = spotList[i].x - x;
        const float dy = spotList[i].y - y;
        if (dx * dx + dy * dy < nearSpotDistanceSquared) return i;
    }
    return spotList.size();
}

std::string Terrain::SpotSectionText() const {
    std::string section = "[Spot]\n";
    char line[512];
    for (std::size_t i = 1; i < spotList.size(); ++i) {
        const Spot& s = spotList[i];
        const int n = static_cast<int>(i);
        section += "spot" + std::to_string(n) + ".name = \"" + s.name + "\"\n";
        const std::pair<const char*, float> numbers[] = {
            {"x", s.x},
            {"y", s.y},
            {"z", s.z},
            {"orientation", s.orientation * radiansToDegrees},
            {"wind.speed", s.windSpeed},
            {"wind.dir", s.windDirection * radiansToDegrees}};
        for (const auto& [key, value] : numbers) {
            std::snprintf(line, sizeof line, "spot%d.%s = \"%f\"\n", n, key, value);
            section += line;
        }
        section += "\n";
    }
    return section;
}

void Terrain::WriteSpots(KeyValueFile& file) const {
    file.setSection("Spot", SpotSectionText() + otherEntriesOfSpotSection(file));
}
