// Saved games (what readParams takes, what saveParams writes and in which
// order, the bounds that keep a hand-edited file harmless) and spots from the
// scene's side (what addSpot records, how nextSpot moves the observer and
// applies the spot's wind).

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "io/KeyValueFile.h"
#include "scene/SceneFixtures.h"
#include "world/Scene.h"

namespace {

using scenetest::readFile;
using scenetest::writeFile;
using Entries = std::vector<std::pair<const char*, const char*>>;
constexpr float pi = 3.14159265f;

// A user's saved game, every value unlike its default, group by group in the
// order the groups are written.
const std::vector<Entries> savedGameGroups = {
    {{"wind.show", "TRUE"}, {"pompes.show", "TRUE"}, {"sound.play", "TRUE"}},
    {{"date.day", "17"},
     {"date.month", "7"},
     {"date.year", "2004"},
     {"date.hour", "15"},
     {"date.minute", "45"}},
    {{"sun.show", "FALSE"},
     {"clouds.show", "FALSE"},
     {"decors.show", "FALSE"},
     {"terrain.name", "ridge"},
     {"clouds.texext", "900.000000"},
     {"clouds.altitude", "350.000000"},
     {"clouds.density", "120.000000"},
     {"clouds.blur", "0.900000"}},
    {{"wind.gamma", "-0.006000"},
     {"wind.alpha", "0.300000"},
     {"wind.tinf", "290.000000"},
     {"wind.terrad", "4000.000000"},
     {"wind.hdiscret", "40.000000"},
     {"wind.vdiscret", "16.000000"},
     {"wind.speed", "12.500000"},
     {"wind.dir", "200.000000"}},
    {{"pompe.nbmax", "35"},
     {"pompe.rayonmin", "10.000000"},
     {"pompe.rayonmax", "60.000000"},
     {"pompe.timemin", "40.000000"},
     {"pompe.timemax", "200.000000"},
     {"pompe.altitudemin", "250.000000"},
     {"pompe.altitudemax", "700.000000"},
     {"pompe.vitessemin", "0.500000"},
     {"pompe.vitessemax", "6.000000"}},
    {{"obs.x", "420.000000"},
     {"obs.y", "515.000000"},
     {"obs.z", "130.000000"},
     {"obs.speed", "14.000000"},
     {"obs.fov", "65.000000"},
     {"obs.alpha", "2.000000"},
     {"obs.beta", "-0.200000"},
     {"obs.alphaspeed", "120.000000"},
     {"obs.betaspeed", "90.000000"}},
};

KeyValueFile fromText(const std::string& text) {
    KeyValueFile file;
    file.openText(text);
    return file;
}

std::string savedText(Scene& scene) {
    KeyValueFile file;
    scene.saveParams(file);
    return file.text();
}

float angleBetween(float from, float to) {
    return std::remainder(to - from, 2.0f * pi);
}

float windSpeed(const WindField& wind) {
    const auto& w = wind.baseWind();
    return std::sqrt(w[0] * w[0] + w[1] * w[1] + w[2] * w[2]);
}

class SavedGame : public ::testing::Test {
  protected:
    void read(const std::string& text) {
        KeyValueFile file = fromText(text);
        scene.readParams(file);
    }
    std::string unusualGame() {
        std::string text;
        for (const Entries& group : savedGameGroups)
            for (const auto& [key, value] : group)
                text += std::string(key) + " = \"" + value + "\"\n";
        return text;
    }
    scenetest::WorkingFolder folder;
    Scene scene;
};

TEST_F(SavedGame, RoundTripKeepsEveryValueInGroupOrderAndSetsEveryComponent) {
    read(unusualGame());
    const std::string written = savedText(scene);
    KeyValueFile saved = fromText(written);
    std::size_t previous = 0;
    for (const Entries& group : savedGameGroups) {
        for (const auto& [key, value] : group) {
            ASSERT_TRUE(saved.find(key)) << key;
            EXPECT_EQ(saved.value(), value) << key;
            EXPECT_GE(saved.entry().lineStart, previous) << key << " is written too early";
            previous = saved.entry().lineStart;
        }
    }
    EXPECT_TRUE(scene.windShown() && scene.thermalsShown() && scene.soundIsOn());
    EXPECT_EQ(scene.sceneDate().hour(), 15);
    EXPECT_FALSE(scene.theLand().showSun || scene.theLand().showClouds ||
                 scene.theLand().showSceneries);
    EXPECT_EQ(scene.windField().nx(), 40);
    EXPECT_EQ(scene.thermalSet().nbmax(), 35);
    EXPECT_FLOAT_EQ(scene.theObserver().fieldOfView(), 65.0f);
    EXPECT_FLOAT_EQ(scene.theObserver().elevation(), -0.2f);

    // Without the flags: sound, wind and thermals off; sun, clouds and sceneries shown.
    read("terrain.name = \"ridge\"\nobs.x = \"1\"\n");
    EXPECT_FALSE(scene.soundIsOn() || scene.windShown() || scene.thermalsShown());
    EXPECT_TRUE(scene.theLand().showSun && scene.theLand().showClouds &&
                scene.theLand().showSceneries);
}

TEST_F(SavedGame, FilesAreReadAndWrittenWholeAndOnlyASuccessBecomesTheCurrentGame) {
    read(unusualGame());
    const std::string before = savedText(scene);
    writeFile("empty.sav", "");
    EXPECT_FALSE(scene.readSavedGame("empty.sav"));
    EXPECT_FALSE(scene.readSavedGame("absent.sav"));
    EXPECT_EQ(savedText(scene), before) << "the world's parameters are untouched";
    EXPECT_FALSE(scene.writeSavedGame("no/such/folder/game.sav"));
    EXPECT_TRUE(scene.savedGamePath().empty());

    writeFile("old.sav", "// an earlier game\nobs.x = \"1\"\nextra.key = \"kept?\"\n");
    ASSERT_TRUE(scene.writeSavedGame("old.sav"));
    EXPECT_EQ(readFile("old.sav"), before) << "a saved game is written whole";
    EXPECT_EQ(scene.savedGamePath(), "old.sav");
    Scene reader;
    ASSERT_TRUE(reader.readSavedGame("old.sav"));
    EXPECT_EQ(reader.savedGamePath(), "old.sav");
    EXPECT_EQ(savedText(reader), before) << "a second round trip changes nothing";

    std::filesystem::create_directory("taken.sav"); // a folder cannot be replaced by a file
    writeFile("taken.sav/inside", "keep me");
    EXPECT_FALSE(scene.writeSavedGame("taken.sav"));
    EXPECT_EQ(readFile("taken.sav/inside"), "keep me");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 3)
        << "no temporary file is left behind";
}

// A hand-edited game must not be able to divide by zero, give NaN or exhaust memory.
TEST_F(SavedGame, HarmfulValuesAreKeptWithinBounds) {
    read("obs.fov = \"0\"\nobs.alphaspeed = \"0\"\nobs.betaspeed = \"-40\"\nobs.speed = \"-5\"\n"
         "obs.alpha = \"1e30\"\nobs.beta = \"7\"\nwind.hdiscret = \"1e9\"\n"
         "wind.vdiscret = \"0\"\npompe.nbmax = \"1e12\"\npompe.rayonmin = \"90\"\n"
         "pompe.rayonmax = \"-4\"\ndate.month = \"13\"\ndate.hour = \"99\"\n");
    const Observer& observer = scene.theObserver();
    EXPECT_GE(observer.fieldOfView(), 1.0f);
    EXPECT_GE(observer.azimuthPixelsPerRadian(), 1.0f);
    EXPECT_GE(observer.elevationPixelsPerRadian(), 1.0f);
    EXPECT_GE(observer.movementSpeed(), 0.0f);
    EXPECT_TRUE(std::isfinite(observer.tanHalfField()) && observer.tanHalfField() > 0.0f);
    EXPECT_LE(std::fabs(observer.azimuth()), 1000.0f) << "an angle float arithmetic can turn";
    EXPECT_LE(std::fabs(observer.elevation()), 1.5707964f);
    EXPECT_EQ(scene.sceneDate().month(), 12);
    EXPECT_EQ(scene.sceneDate().hour(), 23);
    EXPECT_LE(scene.windField().nx(), 400);
    EXPECT_GE(scene.windField().nz(), 1);
    EXPECT_LE(scene.thermalSet().nbmax(), 10000);
    const Thermals::Ranges& ranges = scene.thermalSet().ranges();
    EXPECT_GE(ranges.rayonMin, 0.0f);
    EXPECT_LE(ranges.rayonMin, ranges.rayonMax);
    read("obs.fov = \"500\"\n");
    EXPECT_LE(scene.theObserver().fieldOfView(), 179.0f);
}

// A scene whose terrain is loaded straight from a land file's text (no GL),
// with the observer standing where a saved game puts it.
class SceneSpots : public SavedGame {
  protected:
    void SetUp() override {
        land.northDegrees = 60.0f;
        land.spots = {{"calm", 300.0f, 300.0f, 0.0f, 45.0f, 0.0f, 0.0f},
                      {"windy", 700.0f, 600.0f, 0.0f, -30.0f, 6.0f, 250.0f}};
        KeyValueFile landFile = fromText(scenetest::landFileText(land));
        ASSERT_TRUE(scene.terrain().Load(landFile));
        standAt(500.0f, 400.0f);
    }
    void standAt(float x, float y) {
        read("obs.x = \"" + std::to_string(x) + "\"\nobs.y = \"" + std::to_string(y) +
             "\"\nobs.alpha = \"2.5\"\n");
        scene.theObserver().placeAfterLoad(nullptr);
    }
    float north() { return scene.terrain().northDirection(); }
    scenetest::TestLand land;
};

TEST_F(SceneSpots, AddSpotRecordsPlaceGroundHeadingAndWindAndRefusesUnsafeNames) {
    scene.windField().setWind(1.0f, 8.0f);
    const std::size_t before = scene.terrain().spots().size();
    for (const char* name : {"", "say \"hi\"", "a // b", "[Spot]", "two\nlines"})
        EXPECT_FALSE(scene.addSpot(name)) << name;
    EXPECT_EQ(scene.terrain().spots().size(), before);
    ASSERT_TRUE(scene.addSpot("Col de l'Aigle (east)"));
    const Spot& spot = scene.terrain().spots().back();
    EXPECT_EQ(spot.name, "Col de l'Aigle (east)");
    EXPECT_FLOAT_EQ(spot.x, 500.0f);
    EXPECT_FLOAT_EQ(spot.y, 400.0f);
    EXPECT_NEAR(spot.z, land.groundAt(500.0f), 1e-3f) << "ground height, not the eye's";
    EXPECT_NEAR(angleBetween(spot.orientation, scene.theObserver().azimuth() - north()), 0, 1e-5f);
    EXPECT_NEAR(spot.windSpeed, 8.0f, 1e-5f);
    // The spot keeps where the wind comes from: opposite to where it blows.
    EXPECT_NEAR(angleBetween(spot.windDirection, 1.0f - pi), 0.0f, 1e-5f);

    Scene empty; // without a land: no ground
    ASSERT_TRUE(empty.addSpot("nowhere"));
    EXPECT_FLOAT_EQ(empty.terrain().spots().back().z, -1.0f);
}

TEST_F(SceneSpots, NextSpotLeavesTheSpotAGameWasSavedAtAndWrapsAround) {
    standAt(303.0f, 296.0f); // a game saved 5 m from "calm"
    scene.nextSpot();
    EXPECT_EQ(scene.theObserver().spotName(), "windy");
    standAt(700.0f, 600.0f); // the last spot: on to the first
    scene.nextSpot();
    EXPECT_EQ(scene.theObserver().spotName(), "Land center");
}

TEST_F(SceneSpots, NextSpotMovesTheObserverAndRebuildsTheWindOnlyWhenItDiffers) {
    scene.nextSpot(); // "calm", after the land-centre spot
    const Observer& observer = scene.theObserver();
    EXPECT_EQ(observer.spotName(), "calm");
    EXPECT_FLOAT_EQ(observer.positionX(), 300.0f);
    EXPECT_FLOAT_EQ(observer.positionY(), 300.0f);
    EXPECT_NEAR(observer.positionZ(), land.groundAt(300.0f) + 2.0f, 1e-3f);
    EXPECT_NEAR(angleBetween(observer.azimuth(), north() + 45.0f * pi / 180.0f), 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(observer.elevation(), 0.0f);

    scene.nextSpot(); // "windy": a different wind
    WindField& wind = scene.windField();
    EXPECT_NEAR(windSpeed(wind), 6.0f, 1e-5f);
    const float blowsTowards = std::atan2(wind.baseWind()[1], wind.baseWind()[0]);
    EXPECT_NEAR(angleBetween(blowsTowards, north() + 250.0f * pi / 180.0f + pi), 0.0f, 1e-5f);
    EXPECT_FALSE(wind.dirty() || wind.empty()) << "the field was rebuilt for the new wind";
    EXPECT_GT(observer.windProbe().speed(), 0.0f) << "the wind reading follows the new field";

    ASSERT_TRUE(scene.addSpot("windy copy")); // recorded with exactly the current wind
    wind.setGrid(30, 10);                     // marks the field dirty: only a rebuild clears that
    scene.nextSpot();
    EXPECT_EQ(observer.spotName(), "windy copy");
    EXPECT_TRUE(wind.dirty()) << "the field was rebuilt although the wind is the same";
    scene.nextSpot(); // the land centre has no wind: a different one
    EXPECT_FALSE(wind.dirty());
    EXPECT_FLOAT_EQ(windSpeed(wind), 0.0f);
}

// A hand-written land file may leave out a scenery's measures: they are 0.
TEST(SceneLandFile, SceneryKeysLeftOutAreZero) {
    Scene scene;
    KeyValueFile file =
        fromText("decor1.name = \"barn\"\ndecor1.type = \"21\"\ndecor1.x = \"5\"\n");
    scene.theLand().readSceneries(file);
    ASSERT_EQ(scene.theLand().sceneries.size(), 1u);
    const Scenery& barn = *scene.theLand().sceneries[0];
    EXPECT_EQ(barn.x, 5.0f);
    for (float measure : {barn.y, barn.z, barn.width, barn.depth, barn.height, barn.roofHeight,
                          barn.rx, barn.ry, barn.rz})
        EXPECT_EQ(measure, 0.0f);
}

} // namespace
