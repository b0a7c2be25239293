// The sample lands as shipped: they load, have no cracks, and carry what a
// flying site needs (spots with different winds, sceneries, their own ground).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "gfx/Image.h"
#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"

TEST(SampleLands, LoadCrackFreeWithSpotsSceneriesAndTheirOwnGround) {
    const struct {
        const char* name;
        float minRelief, maxRelief;
        std::size_t spots, winds;
        std::set<int> types;
    } samples[] = {{"ridge", 80.0f, 1e6f, 5, 4, {1, 11, 21, 22, 23}},
                   {"field", 0.0f, 5.0f, 4, 1, {1}}};
    const auto previous = std::filesystem::current_path();
    for (const auto& s : samples) {
        SCOPED_TRACE(s.name);
        // Loaded from the data folder, as the game does from its working folder.
        std::filesystem::current_path(std::filesystem::path(VENTRIX_SOURCE_DIR) / "data");
        KeyValueFile file;
        Terrain terrain;
        terrain.SetName(s.name);
        const std::string name = s.name;
        const bool loaded = file.open("lands/" + name + "/" + name + ".map") && terrain.Load(file);
        std::filesystem::current_path(previous);
        ASSERT_TRUE(loaded);
        std::map<std::pair<int, int>, int> edges;
        for (const TriangleNode* leaf : terrain.treeRoot().leaves) {
            const auto& t = terrain.mesh().triangles[leaf->triangle];
            for (int i = 0; i < 3; ++i)
                ++edges[{std::min(t[i], t[(i + 1) % 3]), std::max(t[i], t[(i + 1) % 3])}];
        }
        const TerrainBox& box = terrain.box();
        for (const auto& [edge, count] : edges) {
            const auto &p = terrain.mesh().points[edge.first],
                       &q = terrain.mesh().points[edge.second];
            const bool border = (p[0] == q[0] && (p[0] == box.minX || p[0] == box.maxX)) ||
                                (p[1] == q[1] && (p[1] == box.minY || p[1] == box.maxY));
            ASSERT_EQ(count, border ? 1 : 2);
        }
        EXPECT_GE(terrain.relief(), s.minRelief);
        EXPECT_LE(terrain.relief(), s.maxRelief);
        const auto& spots = terrain.spots();
        ASSERT_GE(spots.size(), s.spots);
        std::set<std::pair<float, float>> winds;
        for (std::size_t i = 1; i < spots.size(); ++i) {
            winds.insert({spots[i].windSpeed, spots[i].windDirection});
            EXPECT_GE(spots[i].z, terrain.HeightAt(spots[i].x, spots[i].y) - 0.01f)
                << spots[i].name << " is not under the ground";
        }
        EXPECT_GE(winds.size(), s.winds) << "the spots' winds differ";
        std::set<int> types;
        for (int n = 1; file.find("decor" + std::to_string(n) + ".name"); ++n)
            types.insert(file.getInt("decor" + std::to_string(n) + ".type", 0));
        EXPECT_TRUE(std::includes(types.begin(), types.end(), s.types.begin(), s.types.end()));
        ASSERT_NE(terrain.groundImage(), nullptr);
        EXPECT_EQ(terrain.groundImage()->Width(), 1024) << "its own ground picture";
    }
}
