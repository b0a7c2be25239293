// The spot list: reading, walking, naming and writing back into the land file.
#include <gtest/gtest.h>

#include "io/KeyValueFile.h"
#include "shell/Accessors.h"
#include "terrain/LandText_helpers.h"
#include "world/terrain/Terrain.h"

namespace {

const std::string spotLines = "[Spot]\nspot1.name = \"Launch\"\n"
                              "spot1.x = \"20\"\nspot1.y = \"30\"\nspot1.z = \"12.5\"\n"
                              "spot1.orientation = \"90\"\nspot1.wind.speed = \"7\"\n"
                              "spot1.wind.dir = \"180\"\nspot2.name = \"Bare\"\n";

bool load(Terrain& terrain, const std::string& text) {
    KeyValueFile file;
    file.openText(text);
    return terrain.Load(file);
}

std::vector<float> numbers(const Spot& s) {
    return {s.x, s.y, s.z, s.orientation, s.windSpeed, s.windDirection};
}

} // namespace

// The land's centre comes first, then the file's spots; missing keys put x and
// y at the centre and the rest at 0; an empty name does not end the list, a gap does.
TEST(TerrainSpots, LandCentreComesFirstThenTheFileSpotsWithDefaults) {
    Terrain terrain;
    EXPECT_TRUE(terrain.FirstSpot() == nullptr && terrain.NextSpot() == nullptr) << "before a load";
    ASSERT_TRUE(load(terrain, fourLeafLand().text() + "terrain.northdir = \"30\"\n" + spotLines));
    const auto& spots = terrain.spots();
    ASSERT_EQ(spots.size(), 3u);
    EXPECT_STREQ(spots[0].name.c_str(), text(11));
    const float degree = 0.01745329252f;
    const std::vector<float> expected[] = {{50, 50, 0, 30 * degree, 0, 0},
                                           {20, 30, 12.5f, 90 * degree, 7, 180 * degree},
                                           {50, 50, 0, 0, 0, 0}};
    for (int n = 0; n < 3; ++n)
        for (int k = 0; k < 6; ++k)
            EXPECT_NEAR(numbers(spots[n])[k], expected[n][k], 1e-5f) << n << " " << k;
    terrain.Clear();
    ASSERT_TRUE(load(terrain, twoTriangleLand().text() +
                                  "spot1.name = \"A\"\nspot2.name = \"\"\n"
                                  "spot3.name = \"C\"\nspot5.name = \"E\"\n"));
    ASSERT_EQ(terrain.spots().size(), 4u);
    EXPECT_EQ(terrain.spots()[3].name, "C");
}

// NextSpot wraps, FirstSpot rewinds, and a spot is near under ten metres, first in list order.
TEST(TerrainSpots, NextSpotWrapsFirstSpotRewindsAndNearMeansUnderTenMetres) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, twoTriangleLand().text()));
    const std::string first = terrain.FirstSpot()->name;
    EXPECT_EQ(terrain.NextSpot()->name, first) << "only the centre spot: it comes again";
    terrain.AddSpot("here", 20, 20, 0, 0, 0, 0);
    terrain.AddSpot("there", 40, 20, 0, 0, 0, 0);
    terrain.AddSpot("close by", 25, 20, 0, 0, 0, 0);
    for (const char* name : {"here", "there", "close by", first.c_str(), "here"})
        EXPECT_EQ(terrain.NextSpot()->name, name);
    EXPECT_EQ(terrain.FirstSpot()->name, first);
    EXPECT_EQ(terrain.currentSpot(), 0u);
    const std::tuple<float, float, const char*> near[] = {{30, 26, "close by"},
                                                          {20, 30, ""},
                                                          {20, 29.99f, "here"},
                                                          {22, 20, "here"},
                                                          {30.5f, 20, "there"}};
    for (const auto& [x, y, name] : near)
        EXPECT_EQ(terrain.SpotNameNear(x, y), name) << x << " " << y;
}

TEST(TerrainSpots, SavingWritesTheExactSectionInPlaceAndReadsBackTheSameList) {
    const std::string before = "// my land\nterrain.northdir = \"90\" // north is +y\n";
    const std::string after = "\n[Decor]\ndecor1.name = \"kept\"\n";
    const std::string text = fourLeafLand().text() + before + spotLines + after;
    KeyValueFile file;
    file.openText(text);
    Terrain terrain;
    ASSERT_TRUE(terrain.Load(file));
    terrain.AddSpot("Edge", 10.0f, 20.5f, 3.0f, 0.5f, 6.0f, 1.0f);
    const std::string section = terrain.SpotSectionText();
    EXPECT_NE(section.find("spot3.name = \"Edge\"\nspot3.x = \"10.000000\"\n"), std::string::npos);
    EXPECT_NE(section.find("spot3.orientation = \"28.647890\"\n"), std::string::npos) << "degrees";
    EXPECT_EQ(section.rfind("[Spot]\nspot1.name = \"Launch\"\n", 0), 0u)
        << "the centre is not written";
    terrain.WriteSpots(file);
    const std::string& saved = file.text();
    EXPECT_EQ(saved.substr(0, text.find("[Spot]")), text.substr(0, text.find("[Spot]")));
    EXPECT_EQ(saved.substr(saved.size() - after.size() + 1), after.substr(1));
    EXPECT_EQ(saved.find("spot4."), std::string::npos);
    Terrain reread;
    ASSERT_TRUE(load(reread, saved));
    ASSERT_EQ(reread.spots().size(), terrain.spots().size());
    for (std::size_t i = 1; i < terrain.spots().size(); ++i) {
        EXPECT_EQ(reread.spots()[i].name, terrain.spots()[i].name);
        for (int k = 0; k < 6; ++k)
            EXPECT_NEAR(numbers(reread.spots()[i])[k], numbers(terrain.spots()[i])[k], 1e-5f);
    }
}
