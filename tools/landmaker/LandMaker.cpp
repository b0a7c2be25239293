#include "LandMaker.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>

#include "GeoLand.h"
#include "Horizon.h"
#include "Noise.h"
#include "Painter.h"
#include "TgaWriter.h"
#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"

namespace {
constexpr int largestGrid = 4097;

void appendEntry(std::string& text, const std::string& key, const std::string& value) {
    text += key;
    text += " = \"";
    text += value;
    text += "\"\n";
}

// Lowest ground under the four corners of a footprint, so that nothing floats.
float footprintGround(const Terrain& terrain, float x, float y, float width, float depth) {
    float lowest = std::numeric_limits<float>::max();
    for (float dx : {0.0f, width})
        for (float dy : {0.0f, depth}) {
            const float h = terrain.HeightAt(x + dx, y + dy);
            if (h != -1.0f) lowest = std::min(lowest, h);
        }
    return lowest == std::numeric_limits<float>::max() ? 0.0f : lowest;
}

SceneryEntry treeAt(const Terrain& terrain, float x, float y, float size) {
    SceneryEntry tree;
    tree.name = "tree";
    tree.type = 1;
    tree.x = x;
    tree.y = y;
    // Sunk a little so the foot of the billboard never hangs over a slope.
    tree.z = std::max(terrain.HeightAt(x, y), 0.0f) - 0.4f;
    tree.width = size;
    tree.height = size;
    tree.depth = size;
    return tree;
}
} // namespace

int gridSizeFor(int width, int height, int requested) {
    const int wanted = requested > 0 ? requested : std::max(width, height);
    int size = 3;
    while (size < wanted && size < largestGrid)
        size = (size - 1) * 2 + 1;
    return size;
}

std::string formatNumber(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string formatNumber(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string horizonPictureName(const LandRecipe& recipe) {
    return std::filesystem::path(recipe.skyline).stem().string() + "-horizon.tga";
}

std::string landHeaderText(const LandRecipe& recipe) {
    std::string text = "// Land \"" + recipe.name + "\", made by landmaker from its side file.\n";
    appendEntry(text, "terrain.name", recipe.name);
    // A place on the globe is kept to the full precision of its degrees.
    const bool placed = !recipe.dem.empty();
    appendEntry(text, "terrain.longitud",
                placed ? formatNumber(recipe.longitude) : formatNumber(float(recipe.longitude)));
    appendEntry(text, "terrain.latitud",
                placed ? formatNumber(recipe.latitude) : formatNumber(float(recipe.latitude)));
    appendEntry(text, "terrain.northdir", formatNumber(recipe.northDirection));
    appendEntry(text, "terrain.basetimezone", std::to_string(recipe.baseTimeZone));
    appendEntry(text, "terrain.texture.ground", recipe.ground);
    appendEntry(text, "terrain.texture.sky", recipe.sky);
    appendEntry(text, "terrain.texture.skyline", recipe.skyline);
    if (!recipe.horizonPicture.empty())
        appendEntry(text, "terrain.texture.horizon", recipe.horizonPicture);
    return text;
}

std::string landGeometryText(const Bintree& tree, float sizeX, float sizeY) {
    const auto& nodes = tree.nodes();
    const int32_t size = tree.size();
    const HeightMap& grid = tree.grid();
    // Number the grid vertices in order of first use.
    std::vector<int32_t> pointOf(std::size_t(size) * size, -1);
    std::vector<int32_t> vertices;
    for (const auto& node : nodes)
        for (int32_t v : node.corner)
            if (pointOf[v] < 0) {
                pointOf[v] = int32_t(vertices.size());
                vertices.push_back(v);
            }
    const float cellX = sizeX / float(size - 1);
    const float cellY = sizeY / float(size - 1);
    auto worldX = [&](int32_t v) { return float(v % size) * cellX; };
    auto worldY = [&](int32_t v) { return float(size - 1 - v / size) * cellY; };

    std::string text = "terrain.points = \"";
    for (int32_t v : vertices)
        text += "\n" + formatNumber(worldX(v)) + " " + formatNumber(worldY(v)) + " " +
                formatNumber(grid.at(v % size, v / size));
    text += "\"\nterrain.triangles = \"";
    for (const auto& node : nodes) {
        auto c = node.corner;
        const float cross = (worldX(c[1]) - worldX(c[0])) * (worldY(c[2]) - worldY(c[0])) -
                            (worldX(c[2]) - worldX(c[0])) * (worldY(c[1]) - worldY(c[0]));
        if (cross > 0.0f) // anticlockwise: turn it over
            std::swap(c[1], c[2]);
        text += "\n" + std::to_string(pointOf[c[0]]) + " " + std::to_string(pointOf[c[1]]) + " " +
                std::to_string(pointOf[c[2]]);
    }
    // The root's record names the two halves of the square, then one record per triangle.
    text += "\"\nterrain.tree = \"\n-1 0 1 -1";
    for (std::size_t i = 0; i < nodes.size(); ++i)
        text += "\n" + std::to_string(i) + " " + std::to_string(nodes[i].leftChild) + " " +
                std::to_string(nodes[i].rightChild) + " " + std::to_string(nodes[i].parent);
    text += "\"\n";
    return text;
}

std::vector<SpotEntry> placeSpots(const LandRecipe& recipe, const Terrain& terrain) {
    std::vector<SpotEntry> spots = recipe.spots;
    for (SpotEntry& spot : spots)
        if (!spot.z) spot.z = std::max(terrain.HeightAt(spot.x, spot.y), 0.0f);
    return spots;
}

std::vector<SceneryEntry> placeSceneries(const LandRecipe& recipe, const Terrain& terrain,
                                         const Painter& painter) {
    std::vector<SceneryEntry> placed;
    for (SceneryEntry entry : recipe.sceneries) {
        if (!entry.z)
            entry.z =
                entry.type == 1
                    ? std::max(terrain.HeightAt(entry.x, entry.y), 0.0f) - 0.4f
                    : footprintGround(terrain, entry.x, entry.y, entry.width, entry.depth) - 0.2f;
        placed.push_back(entry);
    }
    const uint32_t seed = uint32_t(recipe.seed) * 7919u;
    for (std::size_t i = 0; i < recipe.forests.size(); ++i) {
        const Forest& forest = recipe.forests[i];
        int planted = 0;
        // Random points in the wood's circle, kept where the painted wood is.
        for (int attempt = 0; planted < forest.trees && attempt < forest.trees * 40; ++attempt) {
            const float angle = 6.2831853f * hashUnit(int32_t(i), attempt * 2, seed);
            const float reach =
                1.5f * forest.radius * std::sqrt(hashUnit(int32_t(i), attempt * 2 + 1, seed));
            const float x = forest.x + reach * std::cos(angle);
            const float y = forest.y + reach * std::sin(angle);
            if (!terrain.containsXY(x, y) || !painter.inForest(forest, i, x, y)) continue;
            const float size =
                forest.treeSize * (0.75f + 0.5f * hashUnit(attempt, int32_t(i), seed + 1));
            placed.push_back(treeAt(terrain, x, y, size));
            ++planted;
        }
    }
    for (std::size_t i = 0; i < recipe.treeLines.size(); ++i) {
        const TreeLine& line = recipe.treeLines[i];
        for (int k = 0; k < line.trees; ++k) {
            const float t = line.trees > 1 ? float(k) / float(line.trees - 1) : 0.5f;
            const float jitter = 2.0f * (hashUnit(int32_t(i), k, seed + 2) - 0.5f);
            const float x = line.x0 + (line.x1 - line.x0) * t + jitter;
            const float y = line.y0 + (line.y1 - line.y0) * t - jitter;
            const float size = line.treeSize * (0.8f + 0.4f * hashUnit(k, int32_t(i), seed + 3));
            if (terrain.containsXY(x, y)) placed.push_back(treeAt(terrain, x, y, size));
        }
    }
    return placed;
}

std::string sceneriesText(const std::vector<SceneryEntry>& sceneries) {
    std::string text = "\n[Decor]\n";
    int number = 0;
    for (const SceneryEntry& d : sceneries) {
        const std::string key = "decor" + std::to_string(++number) + ".";
        appendEntry(text, key + "name", d.name.empty() ? "decor" : d.name);
        appendEntry(text, key + "type", std::to_string(d.type));
        appendEntry(text, key + "x", formatNumber(d.x));
        appendEntry(text, key + "y", formatNumber(d.y));
        appendEntry(text, key + "z", formatNumber(d.z.value_or(0.0f)));
        if (d.rx != 0.0f || d.ry != 0.0f || d.rz != 0.0f) {
            appendEntry(text, key + "rx", formatNumber(d.rx));
            appendEntry(text, key + "ry", formatNumber(d.ry));
            appendEntry(text, key + "rz", formatNumber(d.rz));
        }
        appendEntry(text, key + "height", formatNumber(d.height));
        appendEntry(text, key + "width", formatNumber(d.width));
        appendEntry(text, key + "depth", formatNumber(d.depth));
        if (d.type >= 21 && d.type <= 23)
            appendEntry(text, key + "roofheight", formatNumber(d.roofHeight));
    }
    return text;
}

std::string spotsText(const std::vector<SpotEntry>& spots) {
    std::string text = "\n[Spot]\n";
    char value[64];
    int number = 0;
    for (const SpotEntry& s : spots) {
        const std::string key = "spot" + std::to_string(++number) + ".";
        appendEntry(text, key + "name", s.name);
        const std::pair<const char*, float> numbers[] = {{"x", s.x},
                                                         {"y", s.y},
                                                         {"z", s.z.value_or(0.0f)},
                                                         {"orientation", s.orientation},
                                                         {"wind.speed", s.windSpeed},
                                                         {"wind.dir", s.windDirection}};
        // The same form the game writes when it saves spots.
        for (const auto& [field, amount] : numbers) {
            std::snprintf(value, sizeof value, "%f", amount);
            appendEntry(text, key + field, value);
        }
        text += "\n";
    }
    return text;
}

std::string makeLandText(const LandRecipe& recipe, const HeightMap& heights,
                         MadeLandSummary& summary, std::string& error) {
    const int size = gridSizeFor(heights.width(), heights.height(), recipe.grid);
    Bintree tree(heights.resampled(size));
    tree.refine(recipe.tolerance);
    std::string text = landHeaderText(recipe) + landGeometryText(tree, recipe.sizeX, recipe.sizeY);

    Terrain terrain;
    terrain.SetName(recipe.name);
    KeyValueFile geometry;
    geometry.openText(text);
    if (!terrain.Load(geometry)) {
        error = "the triangulated land does not load";
        return {};
    }
    const Painter painter(recipe, heights);
    const auto sceneries = placeSceneries(recipe, terrain, painter);
    const auto spots = placeSpots(recipe, terrain);
    text += sceneriesText(sceneries) + spotsText(spots);

    summary.gridSize = size;
    summary.points = std::size_t(terrain.mesh().pointCount());
    summary.triangles = tree.nodes().size();
    summary.leaves = tree.leafCount();
    summary.sceneries = sceneries.size();
    summary.spots = spots.size();
    summary.fileBytes = text.size();
    const TerrainBox& box = terrain.box();
    summary.box = {box.minX, box.maxX, box.minY, box.maxY, box.minZ, box.maxZ};
    summary.centreHeight = terrain.HeightAt(recipe.sizeX * 0.5f, recipe.sizeY * 0.5f);
    return text;
}

namespace {
bool paintHorizon(const LandRecipe& recipe, const GeoLand& geo, const MadeLandSummary& summary,
                  RgbPicture& picture, std::string& error) {
    Horizon horizon;
    if (!horizon.read(geo.elevation(), geo.frame(), recipe.horizon, error)) return false;
    WallBox box;
    box.minX = summary.box[0];
    box.maxX = summary.box[1];
    box.minY = summary.box[2];
    box.maxY = summary.box[3];
    box.minZ = summary.box[4];
    box.maxZ = summary.box[5];
    box.eyeX = recipe.sizeX * 0.5f;
    box.eyeY = recipe.sizeY * 0.5f;
    box.eyeZ = summary.centreHeight + 2.0f;
    const int wallWidth = recipe.skylineSize;
    picture = horizon.paint(box, wallWidth, wallWidth / 2, unsigned(recipe.seed));
    return true;
}
} // namespace

bool makeLand(const LandRecipe& sideFile, MadeLandSummary& summary, std::string& error) {
    namespace fs = std::filesystem;
    LandRecipe recipe = sideFile;
    const fs::path folder(recipe.folder.empty() ? "." : recipe.folder);
    GeoLand geo;
    HeightMap plain;
    if (!recipe.dem.empty() ? !geo.place(recipe, summary.notes, error)
                            : !plain.load((folder / recipe.heightMap).string(), recipe.minHeight,
                                          recipe.maxHeight, error))
        return false;
    const HeightMap& heights = recipe.dem.empty() ? plain : geo.heights();
    if (geo.georeferenced() && recipe.skylineSize > 0 && !recipe.skyline.empty())
        recipe.horizonPicture = horizonPictureName(recipe);
    const std::string text = makeLandText(recipe, heights, summary, error);
    if (text.empty()) return false;
    // Every picture is made before any file is written, so a failure leaves nothing behind.
    struct Output {
        std::string file;
        RgbPicture picture;
        bool topFirst;
    };
    std::vector<Output> outputs;
    const Painter painter(recipe, heights);
    if (recipe.groundSize > 0 && !recipe.ground.empty()) {
        outputs.push_back({recipe.ground, painter.paintGround(recipe.groundSize), false});
        if (!recipe.photo.empty() &&
            !geo.drapePhoto(recipe, outputs.back().picture, summary.notes, error))
            return false;
    }
    if (recipe.skySize > 0 && !recipe.sky.empty())
        outputs.push_back({recipe.sky, painter.paintSky(recipe.skySize), false});
    // The walls reach from 20 m under the lowest ground to 1,020 m over the
    // highest; the hills rise a little over the highest ground.
    const float wall = recipe.maxHeight - recipe.minHeight + 1040.0f;
    const float hills = (recipe.maxHeight - recipe.minHeight) * 0.45f + 60.0f;
    const int skylineSize = recipe.skylineSize;
    if (skylineSize > 0 && !recipe.skyline.empty())
        outputs.push_back({recipe.skyline,
                           painter.paintSkyline(skylineSize, skylineSize / 2, hills / wall), true});
    if (!recipe.horizonPicture.empty()) {
        outputs.push_back({recipe.horizonPicture, {}, true});
        if (!paintHorizon(recipe, geo, summary, outputs.back().picture, error)) return false;
    }
    for (const Output& output : outputs) {
        const std::string path = (folder / output.file).string();
        if (!writeTga(path, output.picture, output.topFirst)) {
            error = "cannot write " + path;
            return false;
        }
    }
    KeyValueFile land;
    land.openText(text);
    const std::string landPath = (folder / (recipe.name + ".map")).string();
    if (!land.write(landPath)) {
        error = "cannot write " + landPath;
        return false;
    }
    return true;
}
