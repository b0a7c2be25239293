// The sample lands as shipped: they load, have no cracks, and carry what a
// flying site needs (spots with different winds, all kinds of sceneries).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "gfx/Image.h"
#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"

namespace {
struct Sample {
    KeyValueFile file;
    Terrain terrain;
};

// Loads from the data folder, as the game does from its working folder.
bool loadSample(Sample& sample, const std::string& name) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(VENTRIX_SOURCE_DIR) / "data");
    sample.terrain.SetName(name);
    const bool loaded =
        sample.file.open("lands/" + name + "/" + name + ".map") && sample.terrain.Load(sample.file);
    std::filesystem::current_path(previous);
    return loaded;
}

std::set<int> sceneryTypes(KeyValueFile& file) {
    std::set<int> types;
    for (int n = 1; file.find("decor" + std::to_string(n) + ".name"); ++n)
        types.insert(file.getInt("decor" + std::to_string(n) + ".type", 0));
    return types;
}

void expectCrackFree(const Terrain& terrain) {
    std::map<std::pair<int, int>, int> edges;
    for (const TriangleNode* leaf : terrain.treeRoot().leaves) {
        const auto& t = terrain.mesh().triangles[leaf->triangle];
        for (int i = 0; i < 3; ++i)
            ++edges[{std::min(t[i], t[(i + 1) % 3]), std::max(t[i], t[(i + 1) % 3])}];
    }
    const TerrainBox& box = terrain.box();
    int interior = 0;
    for (const auto& [edge, count] : edges) {
        const auto& p = terrain.mesh().points[edge.first];
        const auto& q = terrain.mesh().points[edge.second];
        const bool border = (p[0] == q[0] && (p[0] == box.minX || p[0] == box.maxX)) ||
                            (p[1] == q[1] && (p[1] == box.minY || p[1] == box.maxY));
        EXPECT_EQ(count, border ? 1 : 2);
        interior += border ? 0 : 1;
    }
    EXPECT_GT(interior, 0);
}
} // namespace

TEST(SampleLands, RidgeIsASlopeSoaringSiteFacingThePrevailingWind) {
    Sample ridge;
    ASSERT_TRUE(loadSample(ridge, "ridge"));
    expectCrackFree(ridge.terrain);
    const auto& spots = ridge.terrain.spots();
    ASSERT_GE(spots.size(), 5u);
    std::set<std::pair<float, float>> winds;
    for (std::size_t i = 1; i < spots.size(); ++i) {
        winds.insert({spots[i].windSpeed, spots[i].windDirection});
        EXPECT_GE(spots[i].z, ridge.terrain.HeightAt(spots[i].x, spots[i].y) - 0.01f)
            << spots[i].name << " is not under the ground";
    }
    EXPECT_GE(winds.size(), 4u) << "the spots' winds differ";
    // The launch looks west, into the west wind, down a steep face.
    const Spot& launch = spots[1];
    EXPECT_NEAR(launch.windDirection, 1.5707964f, 1e-5f);
    const float drop = launch.z - ridge.terrain.HeightAt(launch.x - 300, launch.y);
    EXPECT_GT(drop, 80.0f) << "the face falls away in front of the launch";
    EXPECT_EQ(sceneryTypes(ridge.file), (std::set<int>{1, 11, 21, 22, 23}));
    ASSERT_NE(ridge.terrain.groundImage(), nullptr);
    EXPECT_EQ(ridge.terrain.groundImage()->Width(), 1024) << "its own ground picture";
}

TEST(SampleLands, FieldIsFlatWithItsOwnGroundPicture) {
    Sample field;
    ASSERT_TRUE(loadSample(field, "field"));
    expectCrackFree(field.terrain);
    EXPECT_LT(field.terrain.relief(), 5.0f);
    EXPECT_GE(field.terrain.spots().size(), 4u);
    EXPECT_TRUE(sceneryTypes(field.file).count(1));
    EXPECT_EQ(field.file.getString("terrain.texture.ground"), "field_ground.tga");
    ASSERT_NE(field.terrain.groundImage(), nullptr);
    EXPECT_EQ(field.terrain.groundImage()->Width(), 1024) << "its own ground picture";
}
