// Saved games: what readParams takes, what saveParams writes and in which
// order, and the bounds that keep a hand-edited file harmless.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "io/KeyValueFile.h"
#include "scene/SceneFixtures.h"
#include "world/Scene.h"

namespace {

using scenetest::keyLine;
using scenetest::readFile;
using scenetest::WorkingFolder;
using scenetest::writeFile;

// The keys of a saved game, group by group, in the order the groups are written.
const std::vector<std::vector<std::string>> savedGameGroups = {
    {"wind.show", "pompes.show", "sound.play"},
    {"date.day", "date.month", "date.year", "date.hour", "date.minute"},
    {"sun.show", "clouds.show", "decors.show", "terrain.name", "clouds.texext", "clouds.altitude",
     "clouds.density", "clouds.blur"},
    {"wind.gamma", "wind.alpha", "wind.tinf", "wind.terrad", "wind.hdiscret", "wind.vdiscret"},
    {"pompe.nbmax", "pompe.rayonmin", "pompe.rayonmax", "pompe.timemin", "pompe.timemax",
     "pompe.altitudemin", "pompe.altitudemax", "pompe.vitessemin", "pompe.vitessemax"},
    {"obs.x", "obs.y", "obs.z", "obs.speed", "obs.fov", "obs.alpha", "obs.beta", "obs.alphaspeed",
     "obs.betaspeed"},
};

// Every key with a value unlike its default, as a user's saved game would hold.
const char* const unusualGame = "wind.show = \"TRUE\"\n"
                                "pompes.show = \"TRUE\"\n"
                                "sound.play = \"TRUE\"\n"
                                "date.day = \"17\"\n"
                                "date.month = \"7\"\n"
                                "date.year = \"2004\"\n"
                                "date.hour = \"15\"\n"
                                "date.minute = \"45\"\n"
                                "sun.show = \"FALSE\"\n"
                                "clouds.show = \"FALSE\"\n"
                                "decors.show = \"FALSE\"\n"
                                "terrain.name = \"ridge\"\n"
                                "clouds.texext = \"900.000000\"\n"
                                "clouds.altitude = \"350.000000\"\n"
                                "clouds.density = \"120.000000\"\n"
                                "clouds.blur = \"0.900000\"\n"
                                "wind.gamma = \"-0.006000\"\n"
                                "wind.alpha = \"0.300000\"\n"
                                "wind.tinf = \"290.000000\"\n"
                                "wind.terrad = \"4000.000000\"\n"
                                "wind.hdiscret = \"40.000000\"\n"
                                "wind.vdiscret = \"16.000000\"\n"
                                "pompe.nbmax = \"35\"\n"
                                "pompe.rayonmin = \"10.000000\"\n"
                                "pompe.rayonmax = \"60.000000\"\n"
                                "pompe.timemin = \"40.000000\"\n"
                                "pompe.timemax = \"200.000000\"\n"
                                "pompe.altitudemin = \"250.000000\"\n"
                                "pompe.altitudemax = \"700.000000\"\n"
                                "pompe.vitessemin = \"0.500000\"\n"
                                "pompe.vitessemax = \"6.000000\"\n"
                                "obs.x = \"420.000000\"\n"
                                "obs.y = \"515.000000\"\n"
                                "obs.z = \"130.000000\"\n"
                                "obs.speed = \"14.000000\"\n"
                                "obs.fov = \"65.000000\"\n"
                                "obs.alpha = \"2.000000\"\n"
                                "obs.beta = \"-0.200000\"\n"
                                "obs.alphaspeed = \"120.000000\"\n"
                                "obs.betaspeed = \"90.000000\"\n";

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
    WorkingFolder folder;
    Scene scene;
};

TEST_F(SavedGame, WrittenAndReadBackRestoresEveryParameter) {
    KeyValueFile source = fromText(unusualGame);
    scene.readParams(source);
    const std::string written = savedText(scene);

    for (const auto& group : savedGameGroups) {
        for (const std::string& key : group) {
            KeyValueFile original = fromText(unusualGame);
            KeyValueFile saved = fromText(written);
            ASSERT_TRUE(saved.find(key)) << key << " is missing from the saved game";
            EXPECT_EQ(saved.getString(key), original.getString(key)) << key;
        }
    }

    Scene again;
    KeyValueFile reread = fromText(written);
    again.readParams(reread);
    EXPECT_EQ(savedText(again), written) << "a second round trip changes nothing";
}

TEST_F(SavedGame, ReadingSetsEveryComponent) {
    KeyValueFile source = fromText(unusualGame);
    scene.readParams(source);

    EXPECT_TRUE(scene.windShown());
    EXPECT_TRUE(scene.thermalsShown());
    EXPECT_TRUE(scene.soundIsOn());
    EXPECT_EQ(scene.sceneDate().month(), 7);
    EXPECT_EQ(scene.sceneDate().hour(), 15);
    EXPECT_FALSE(scene.theLand().showSun);
    EXPECT_FALSE(scene.theLand().showClouds);
    EXPECT_FALSE(scene.theLand().showSceneries);
    EXPECT_EQ(scene.terrain().name(), "ridge");
    EXPECT_FLOAT_EQ(scene.theLand().clouds.Density(), 120.0f);
    EXPECT_EQ(scene.windField().nx(), 40);
    EXPECT_EQ(scene.windField().nz(), 16);
    EXPECT_EQ(scene.thermalSet().nbmax(), 35);
    EXPECT_FLOAT_EQ(scene.theObserver().positionX(), 420.0f);
    EXPECT_FLOAT_EQ(scene.theObserver().fieldOfView(), 65.0f);
    EXPECT_FLOAT_EQ(scene.theObserver().elevation(), -0.2f);
}

TEST_F(SavedGame, LinesComeInGroupOrder) {
    KeyValueFile source = fromText(unusualGame);
    scene.readParams(source);
    const std::string written = savedText(scene);

    std::size_t previousGroupEnd = 0;
    for (std::size_t g = 0; g < savedGameGroups.size(); ++g) {
        std::size_t groupEnd = 0;
        for (const std::string& key : savedGameGroups[g]) {
            const std::size_t line = keyLine(written, key);
            ASSERT_NE(line, std::string::npos) << key;
            EXPECT_GE(line, previousGroupEnd) << key << " stands before a line of an earlier group";
            groupEnd = std::max(groupEnd, line);
        }
        previousGroupEnd = groupEnd;
    }
    EXPECT_LT(keyLine(written, "wind.show"), keyLine(written, "pompes.show"));
    EXPECT_LT(keyLine(written, "pompes.show"), keyLine(written, "sound.play"));
    EXPECT_LT(keyLine(written, "decors.show"), keyLine(written, "terrain.name"));
}

TEST_F(SavedGame, MissingShowFlagsTakeTheirDefaults) {
    KeyValueFile first = fromText(unusualGame);
    scene.readParams(first);
    ASSERT_TRUE(scene.soundIsOn());
    ASSERT_FALSE(scene.theLand().showSun);

    // A game without the flags: sound, wind and thermals off; sun, clouds and sceneries shown.
    KeyValueFile bare = fromText("terrain.name = \"ridge\"\nobs.x = \"1\"\n");
    scene.readParams(bare);
    EXPECT_FALSE(scene.soundIsOn());
    EXPECT_FALSE(scene.windShown());
    EXPECT_FALSE(scene.thermalsShown());
    EXPECT_TRUE(scene.theLand().showSun);
    EXPECT_TRUE(scene.theLand().showClouds);
    EXPECT_TRUE(scene.theLand().showSceneries);
}

TEST_F(SavedGame, AnEmptyOrMissingFileIsNotRead) {
    KeyValueFile first = fromText(unusualGame);
    scene.readParams(first);
    const std::string before = savedText(scene);

    writeFile("empty.sav", "");
    EXPECT_FALSE(scene.readSavedGame("empty.sav"));
    EXPECT_FALSE(scene.readSavedGame("absent.sav"));
    EXPECT_EQ(savedText(scene), before) << "the world's parameters are untouched";
    EXPECT_TRUE(scene.savedGamePath().empty());
}

TEST_F(SavedGame, AGameReadFromAFileBecomesTheCurrentFile) {
    writeFile("mine.sav", unusualGame);
    ASSERT_TRUE(scene.readSavedGame("mine.sav"));
    EXPECT_EQ(scene.savedGamePath(), "mine.sav");
    EXPECT_EQ(scene.terrain().name(), "ridge");
}

TEST_F(SavedGame, WritingAGameReplacesTheOldFileWholeAndRemembersIt) {
    writeFile("old.sav", "// an earlier game\nobs.x = \"1\"\nextra.key = \"kept?\"\n");
    KeyValueFile source = fromText(unusualGame);
    scene.readParams(source);

    ASSERT_TRUE(scene.writeSavedGame("old.sav"));
    EXPECT_EQ(readFile("old.sav"), savedText(scene)) << "a saved game is written whole";
    EXPECT_EQ(scene.savedGamePath(), "old.sav");
}

TEST_F(SavedGame, AFailedWriteIsReportedAndLosesNothing) {
    EXPECT_FALSE(scene.writeSavedGame("no/such/folder/game.sav"));
    EXPECT_TRUE(scene.savedGamePath().empty()) << "a failed save does not become the current file";

    // A folder where the game should go: it cannot be replaced by a file.
    std::filesystem::create_directory("taken.sav");
    writeFile("taken.sav/inside", "keep me");
    EXPECT_FALSE(scene.writeSavedGame("taken.sav"));
    EXPECT_EQ(readFile("taken.sav/inside"), "keep me");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."),
                            std::filesystem::directory_iterator()),
              1)
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
    KeyValueFile hostile = fromText("obs.fov = \"0\"\n"
                                    "obs.alphaspeed = \"0\"\n"
                                    "obs.betaspeed = \"-40\"\n"
                                    "obs.speed = \"-5\"\n"
                                    "obs.alpha = \"1e30\"\n"
                                    "obs.beta = \"7\"\n"
                                    "wind.hdiscret = \"1e9\"\n"
                                    "wind.vdiscret = \"0\"\n"
                                    "pompe.nbmax = \"1e12\"\n"
                                    "pompe.rayonmin = \"90\"\n"
                                    "pompe.rayonmax = \"-4\"\n"
                                    "date.month = \"13\"\n"
                                    "date.hour = \"99\"\n");
    scene.readParams(hostile);

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

    KeyValueFile tooWide = fromText("obs.fov = \"500\"\n");
    scene.readParams(tooWide);
    EXPECT_LE(scene.theObserver().fieldOfView(), 179.0f);
}

} // namespace
