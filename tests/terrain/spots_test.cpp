// The spot list: reading, walking, naming and writing back into the land file.
#include <gtest/gtest.h>

#include "io/KeyValueFile.h"
#include "shell/Accessors.h"
#include "terrain/LandText_helpers.h"
#include "world/terrain/Terrain.h"

namespace {
const char* spotLines = "[Spot]\n"
                        "spot1.name = \"Launch\"\n"
                        "spot1.x = \"20\"\nspot1.y = \"30\"\nspot1.z = \"12.5\"\n"
                        "spot1.orientation = \"90\"\nspot1.wind.speed = \"7\"\n"
                        "spot1.wind.dir = \"180\"\n"
                        "spot2.name = \"Bare\"\n";

bool load(Terrain& terrain, const std::string& text) {
    KeyValueFile file;
    file.openText(text);
    return terrain.Load(file);
}
} // namespace

TEST(TerrainSpots, NoSpotBeforeALoad) {
    Terrain terrain;
    EXPECT_EQ(terrain.FirstSpot(), nullptr);
    EXPECT_EQ(terrain.NextSpot(), nullptr);
    EXPECT_EQ(terrain.SpotNameNear(0.0f, 0.0f), "");
}

TEST(TerrainSpots, LandCentreComesFirstThenTheFileSpotsWithDefaults) {
    LandText land = fourLeafLand();
    land.extra = std::string("terrain.northdir = \"30\"\n") + spotLines;
    Terrain terrain;
    ASSERT_TRUE(load(terrain, land.text()));
    const auto& spots = terrain.spots();
    ASSERT_EQ(spots.size(), 3u);
    EXPECT_STREQ(spots[0].name.c_str(), text(11));
    EXPECT_EQ(spots[0].x, 50.0f);
    EXPECT_EQ(spots[0].y, 50.0f);
    EXPECT_EQ(spots[0].z, 0.0f);
    EXPECT_FLOAT_EQ(spots[0].orientation, terrain.northDirection());
    EXPECT_EQ(spots[1].name, "Launch");
    EXPECT_EQ(spots[1].z, 12.5f);
    EXPECT_NEAR(spots[1].orientation, 1.5707964f, 1e-6f);
    EXPECT_EQ(spots[1].windSpeed, 7.0f);
    EXPECT_NEAR(spots[1].windDirection, 3.1415927f, 1e-6f);
    // Missing keys: x and y at the box centre, the rest 0.
    EXPECT_EQ(spots[2].x, 50.0f);
    EXPECT_EQ(spots[2].y, 50.0f);
    EXPECT_EQ(spots[2].windSpeed, 0.0f);
}

TEST(TerrainSpots, AnEmptyNameDoesNotEndTheList) {
    LandText land = twoTriangleLand();
    land.extra = "spot1.name = \"A\"\nspot2.name = \"\"\nspot3.name = \"C\"\nspot5.name = \"E\"\n";
    Terrain terrain;
    ASSERT_TRUE(load(terrain, land.text()));
    ASSERT_EQ(terrain.spots().size(), 4u) << "numbering stops at the first missing key only";
    EXPECT_EQ(terrain.spots()[2].name, "");
    EXPECT_EQ(terrain.spots()[3].name, "C");
}

TEST(TerrainSpots, NextSpotWrapsAndFirstSpotRewinds) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, twoTriangleLand().text()));
    const Spot* first = terrain.FirstSpot();
    ASSERT_NE(first, nullptr);
    const std::string centre = first->name;
    EXPECT_EQ(terrain.NextSpot(), first) << "only the centre spot: it comes again";
    EXPECT_EQ(terrain.NextSpot(), first);
    terrain.AddSpot("one", 1, 1, 0, 0, 0, 0);
    terrain.AddSpot("two", 2, 2, 0, 0, 0, 0);
    EXPECT_EQ(terrain.NextSpot()->name, "one");
    EXPECT_EQ(terrain.NextSpot()->name, "two");
    EXPECT_EQ(terrain.NextSpot()->name, centre);
    terrain.NextSpot();
    EXPECT_EQ(terrain.FirstSpot()->name, centre);
    EXPECT_EQ(terrain.currentSpot(), 0u);
}

TEST(TerrainSpots, NearMeansCloserThanTenMetres) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, twoTriangleLand().text()));
    terrain.AddSpot("here", 20, 20, 0, 0, 0, 0);
    terrain.AddSpot("there", 40, 20, 0, 0, 0, 0);
    terrain.AddSpot("close by", 25, 20, 0, 0, 0, 0);
    EXPECT_EQ(terrain.SpotNameNear(30.0f, 26.0f), "close by");
    EXPECT_EQ(terrain.SpotNameNear(20.0f, 30.0f), "") << "exactly 10 m";
    EXPECT_EQ(terrain.SpotNameNear(20.0f, 29.99f), "here");
    EXPECT_EQ(terrain.SpotNameNear(22.0f, 20.0f), "here") << "first in list order";
    EXPECT_EQ(terrain.SpotNameNear(30.5f, 20.0f), "there");
}

TEST(TerrainSpots, WrittenSectionHasTheExactFormAndSkipsTheCentre) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, twoTriangleLand().text()));
    terrain.AddSpot("Edge", 10.0f, 20.5f, 3.0f, 0.5f, 6.0f, 1.0f);
    terrain.AddSpot("Top", 70.0f, 80.0f, 30.0f, 0.0f, 0.0f, 0.0f);
    const std::string expected = "[Spot]\n"
                                 "spot1.name = \"Edge\"\n"
                                 "spot1.x = \"10.000000\"\n"
                                 "spot1.y = \"20.500000\"\n"
                                 "spot1.z = \"3.000000\"\n"
                                 "spot1.orientation = \"28.647890\"\n"
                                 "spot1.wind.speed = \"6.000000\"\n"
                                 "spot1.wind.dir = \"57.295780\"\n"
                                 "\n"
                                 "spot2.name = \"Top\"\n"
                                 "spot2.x = \"70.000000\"\n"
                                 "spot2.y = \"80.000000\"\n"
                                 "spot2.z = \"30.000000\"\n"
                                 "spot2.orientation = \"0.000000\"\n"
                                 "spot2.wind.speed = \"0.000000\"\n"
                                 "spot2.wind.dir = \"0.000000\"\n"
                                 "\n";
    EXPECT_EQ(terrain.SpotSectionText(), expected);
}

TEST(TerrainSpots, SavingReplacesOnlyTheSpotSectionAndReadsBackTheSameList) {
    LandText land = fourLeafLand();
    const std::string before = "// my land\nterrain.northdir = \"90\" // north is +y\n";
    const std::string after = "\n[Decor]\ndecor1.name = \"kept\"\n";
    land.extra = before + std::string(spotLines) + after;
    KeyValueFile file;
    file.openText(land.text());
    Terrain terrain;
    ASSERT_TRUE(terrain.Load(file));
    terrain.AddSpot("New one", 33.0f, 44.0f, 5.0f, -0.25f, 4.5f, 2.0f);
    terrain.WriteSpots(file);

    const std::string& saved = file.text();
    const std::string geometry = land.text().substr(0, land.text().find("[Spot]"));
    EXPECT_EQ(saved.substr(0, geometry.size()), geometry) << "lines before the section stay";
    EXPECT_EQ(saved.substr(saved.size() - after.size() + 1), after.substr(1))
        << "the next section stays";
    EXPECT_EQ(saved.find("spot4."), std::string::npos);

    Terrain reread;
    KeyValueFile again;
    again.openText(saved);
    ASSERT_TRUE(reread.Load(again));
    ASSERT_EQ(reread.spots().size(), terrain.spots().size());
    for (std::size_t i = 1; i < terrain.spots().size(); ++i) {
        const Spot& a = terrain.spots()[i];
        const Spot& b = reread.spots()[i];
        EXPECT_EQ(a.name, b.name);
        EXPECT_NEAR(a.x, b.x, 1e-5f);
        EXPECT_NEAR(a.y, b.y, 1e-5f);
        EXPECT_NEAR(a.z, b.z, 1e-5f);
        EXPECT_NEAR(a.orientation, b.orientation, 1e-5f);
        EXPECT_NEAR(a.windSpeed, b.windSpeed, 1e-5f);
        EXPECT_NEAR(a.windDirection, b.windDirection, 1e-5f);
    }
}

TEST(TerrainSpots, NameIsTakenFromTheSceneFileAndWrittenBack) {
    Terrain terrain;
    KeyValueFile scene;
    scene.openText("terrain.name = \"ridge\"\n");
    terrain.SetName(scene);
    EXPECT_EQ(terrain.name(), "ridge");
    KeyValueFile other;
    other.openText("");
    terrain.SetName(other);
    EXPECT_EQ(terrain.name(), "");
    terrain.SetName("field");
    terrain.WriteName(other);
    EXPECT_EQ(other.getString("terrain.name"), "field");
}
