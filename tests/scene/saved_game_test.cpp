// Saved games: what readParams takes, what saveParams writes and in which
// order, and the bounds that keep a hand-edited file harmless.

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

// A user's saved game, every value unlike its default, group by group in the
// order the groups are written.
const std::vector<Entries> savedGameGroups = {
    {{"wind.show", "TRUE"}, {"pompes.show", "TRUE"}, {"sound.play", "TRUE"}},
    {{"date.day", "17"}, {"date.month", "7"}, {"date.year", "2004"}, {"date.hour", "15"},
     {"date.minute", "45"}},
    {{"sun.show", "FALSE"}, {"clouds.show", "FALSE"}, {"decors.show", "FALSE"},
     {"terrain.name", "ridge"}, {"clouds.texext", "900.000000"},
     {"clouds.altitude", "350.000000"}, {"clouds.density", "120.000000"},
     {"clouds.blur", "0.900000"}},
    {{"wind.gamma", "-0.006000"}, {"wind.alpha", "0.300000"}, {"wind.tinf", "290.000000"},
     {"wind.terrad", "4000.000000"}, {"wind.hdiscret", "40.000000"},
     {"wind.vdiscret", "16.000000"}},
    {{"pompe.nbmax", "35"}, {"pompe.rayonmin", "10.000000"}, {"pompe.rayonmax", "60.000000"},
     {"pompe.timemin", "40.000000"}, {"pompe.timemax", "200.000000"},
     {"pompe.altitudemin", "250.000000"}, {"pompe.altitudemax", "700.000000"},
     {"pompe.vitessemin", "0.500000"}, {"pompe.vitessemax", "6.000000"}},
    {{"obs.x", "420.000000"}, {"obs.y", "515.000000"}, {"obs.z", "130.000000"},
     {"obs.speed", "14.000000"}, {"obs.fov", "65.000000"}, {"obs.alpha", "2.000000"},
     {"obs.beta", "-0.200000"}, {"obs.alphaspeed", "120.000000"},
     {"obs.betaspeed", "90.000000"}},
};

std::string unusualGame() {
    std::string text;
    for (const Entries& group : savedGameGroups)
        for (const auto& [key, value] : group)
            text += std::string(key) + " = \"" + value + "\"\n";
    return text;
}

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

class SavedGame : public ::testing::Test {
  protected:
    void read(const std::string& text) {
        KeyValueFile file = fromText(text);
        scene.readParams(file);
    }
    scenetest::WorkingFolder folder;
    Scene scene;
};

TEST_F(SavedGame, RoundTripKeepsEveryValueInGroupOrder) {
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
    Scene again;
    KeyValueFile reread = fromText(written);
    again.readParams(reread);
    EXPECT_EQ(savedText(again), written) << "a second round trip changes nothing";
}

TEST_F(SavedGame, ReadingSetsEveryComponentAndMissingFlagsTakeTheirDefaults) {
    read(unusualGame());
    EXPECT_TRUE(scene.windShown() && scene.thermalsShown() && scene.soundIsOn());
    EXPECT_EQ(scene.sceneDate().month(), 7);
    EXPECT_EQ(scene.sceneDate().hour(), 15);
    EXPECT_FALSE(scene.theLand().showSun || scene.theLand().showClouds ||
                 scene.theLand().showSceneries);
    EXPECT_EQ(scene.terrain().name(), "ridge");
    EXPECT_FLOAT_EQ(scene.theLand().clouds.Density(), 120.0f);
    EXPECT_EQ(scene.windField().nx(), 40);
    EXPECT_EQ(scene.windField().nz(), 16);
    EXPECT_EQ(scene.thermalSet().nbmax(), 35);
    EXPECT_FLOAT_EQ(scene.theObserver().positionX(), 420.0f);
    EXPECT_FLOAT_EQ(scene.theObserver().fieldOfView(), 65.0f);
    EXPECT_FLOAT_EQ(scene.theObserver().elevation(), -0.2f);

    // Without the flags: sound, wind and thermals off; sun, clouds and sceneries shown.
    read("terrain.name = \"ridge\"\nobs.x = \"1\"\n");
    EXPECT_FALSE(scene.soundIsOn() || scene.windShown() || scene.thermalsShown());
    EXPECT_TRUE(scene.theLand().showSun && scene.theLand().showClouds &&
                scene.theLand().showSceneries);
}

TEST_F(SavedGame, FilesAreReadAndWrittenWholeAndBecomeTheCurrentGame) {
    read(unusualGame());
    const std::string before = savedText(scene);
    writeFile("empty.sav", "");
    EXPECT_FALSE(scene.readSavedGame("empty.sav"));
    EXPECT_FALSE(scene.readSavedGame("absent.sav"));
    EXPECT_EQ(savedText(scene), before) << "the world's parameters are untouched";
    EXPECT_TRUE(scene.savedGamePath().empty());

    writeFile("old.sav", "// an earlier game\nobs.x = \"1\"\nextra.key = \"kept?\"\n");
    ASSERT_TRUE(scene.writeSavedGame("old.sav"));
    EXPECT_EQ(readFile("old.sav"), before) << "a saved game is written whole";
    EXPECT_EQ(scene.savedGamePath(), "old.sav");

    Scene reader;
    ASSERT_TRUE(reader.readSavedGame("old.sav"));
    EXPECT_EQ(reader.savedGamePath(), "old.sav");
    EXPECT_EQ(reader.terrain().name(), "ridge");
}

TEST_F(SavedGame, AFailedWriteIsReportedAndLosesNothing) {
    EXPECT_FALSE(scene.writeSavedGame("no/such/folder/game.sav"));
    EXPECT_TRUE(scene.savedGamePath().empty()) << "a failed save does not become the current file";

    // A folder where the game should go: it cannot be replaced by a file.
    std::filesystem::create_directory("taken.sav");
    writeFile("taken.sav/inside", "keep me");
    EXPECT_FALSE(scene.writeSavedGame("taken.sav"));
    EXPECT_EQ(readFile("taken.sav/inside"), "keep me");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1)
        << "no temporary file is left behind";

    std::filesystem::create_directory("locked");
    writeFile("locked/game.sav", "obs.x = \"1\"\n");
    std::filesystem::permissions("locked", std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_exec);
    if (access("locked", W_OK) == 0) return; // a user who may write anywhere
    EXPECT_FALSE(scene.writeSavedGame("locked/game.sav"));
    EXPECT_EQ(readFile("locked/game.sav"), "obs.x = \"1\"\n");
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
    EXPECT_TRUE(std::isfinite(observer.tanHalfField()));
    EXPECT_GT(observer.tanHalfField(), 0.0f);
    EXPECT_LE(std::fabs(observer.azimuth()), 1000.0f)
        << "an angle the float turn arithmetic can hold";
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

} // namespace
