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

} // namespace

TEST(TerrainSpots, LandCentreComesFirstThenTheFileSpotsWithDefaults) {
    Terrain terrain;
    EXPECT_EQ(terrain.FirstSpot(), nullptr) << "no spot before a load";
    EXPECT_EQ(terrain.NextSpot(), nullptr);
    ASSERT_TRUE(load(terrain, fourLeafLand().text() + "terrain.northdir = \"30\"\n" + spotLines));
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
    EXPECT_EQ(spots[2].windDirection, 0.0f);

    terrain.Clear();
    ASSERT_TRUE(load(terrain, twoTriangleLand().text() +
                                  "spot1.name = \"A\"\nspot2.name = \"\"\n"
                                  "spot3.name = \"C\"\nspot5.name = \"E\"\n"));
    ASSERT_EQ(terrain.spots().size(), 4u) << "an empty name does not end the list, a gap does";
    EXPECT_EQ(terrain.spots()[3].name, "C");
}

TEST(TerrainSpots, NextSpotWrapsFirstSpotRewindsAndNearMeansUnderTenMetres) {
    Terrain terrain;
    ASSERT_TRUE(load(terrain, twoTriangleLand().text()));
    ASSERT_NE(terrain.FirstSpot(), nullptr);
    const std::string first = terrain.FirstSpot()->name;
    EXPECT_EQ(terrain.NextSpot()->name, first) << "only the centre spot: it comes again";
    terrain.AddSpot("here", 20, 20, 0, 0, 0, 0);
    terrain.AddSpot("there", 40, 20, 0, 0, 0, 0);
    terrain.AddSpot("close by", 25, 20, 0, 0, 0, 0);
    EXPECT_EQ(terrain.NextSpot()->name, "here");
    EXPECT_EQ(terrain.NextSpot()->name, "there");
    terrain.NextSpot();
    EXPECT_EQ(terrain.NextSpot()->name, first);
    terrain.NextSpot();
    EXPECT_EQ(terrain.FirstSpot()->name, first);
    EXPECT_EQ(terrain.currentSpot(), 0u);
    const std::pair<float, const char*> near[] = {
        {26.0f, "close by"}, {30.0f, ""}, {29.99f, "here"}};
    for (const auto& [y, name] : near)
        EXPECT_EQ(terrain.SpotNameNear(y == 26.0f ? 30.0f : 20.0f, y), name) << y;
    EXPECT_EQ(terrain.SpotNameNear(22.0f, 20.0f), "here") << "first in list order";
    EXPECT_EQ(terrain.SpotNameNear(30.5f, 20.0f), "there");
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
    EXPECT_NE(terrain.SpotSectionText().find("spot3.name = \"Edge\"\nspot3.x = \"10.000000\"\n"
                                             "spot3.y = \"20.500000\"\nspot3.z = \"3.000000\"\n"
                                             "spot3.orientation = \"28.647890\"\n"
                                             "spot3.wind.speed = \"6.000000\"\n"
                                             "spot3.wind.dir = \"57.295780\"\n\n"),
              std::string::npos);
    EXPECT_EQ(terrain.SpotSectionText().rfind("[Spot]\nspot1.name = \"Launch\"\n", 0), 0u)
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
        const Spot &a = terrain.spots()[i], &b = reread.spots()[i];
        EXPECT_EQ(a.name, b.name);
        for (auto field : {&Spot::x, &Spot::y, &Spot::z, &Spot::orientation, &Spot::windSpeed,
                           &Spot::windDirection})
            EXPECT_NEAR(a.*field, b.*field, 1e-5f) << a.name;
    }
}

TEST(TerrainSpots, NameIsTakenFromTheSceneFileAndWrittenBack) {
    Terrain terrain;
    KeyValueFile scene;
    scene.openText("terrain.name = \"ridge\"\n");
    terrain.SetName(scene);
    EXPECT_EQ(terrain.name(), "ridge");
    scene.openText("");
    terrain.SetName(scene);
    EXPECT_EQ(terrain.name(), "");
    terrain.SetName("field");
    terrain.WriteName(scene);
    EXPECT_EQ(scene.getString("terrain.name"), "field");
}
