// Saved games (what readParams takes, what saveParams writes and in which
// order, the bounds that keep a hand-edited file harmless) and spots from the
// scene's side (what addSpot records, how nextSpot moves the observer and
// applies the spot's wind).

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>

#include "io/KeyValueFile.h"
#include "scene/SceneLand.h"
#include "world/Scene.h"

namespace {

using scenetest::readFile;
using scenetest::writeFile;
constexpr float pi = 3.14159265f;

// A user's saved game, every value unlike its default, in the order it is
// written: the flags, the date, the land, the wind, the thermals, the eye.
const std::string unusualGame = [] {
    const char* groups[] = {
        "wind.show TRUE pompes.show TRUE sound.play TRUE",
        "date.day 17 date.month 7 date.year 2004 date.hour 15 date.minute 45",
        "sun.show FALSE clouds.show FALSE decors.show FALSE terrain.name ridge",
        "clouds.texext 900. clouds.altitude 350. clouds.density 120. clouds.blur 0.9",
        "wind.gamma -0.006 wind.alpha 0.3 wind.tinf 290. wind.terrad 4000. wind.hdiscret 40.",
        "wind.vdiscret 16. wind.solver 1 wind.speed 12.5 wind.dir 200. pompe.nbmax 35",
        "pompe.rayonmin 10. pompe.rayonmax 60. pompe.timemin 40. pompe.timemax 200.",
        "pompe.altitudemin 250. pompe.altitudemax 700. pompe.vitessemin 0.5 pompe.vitessemax 6.",
        "obs.x 420. obs.y 515. obs.z 130. obs.speed 14. obs.fov 65. obs.alpha 2. obs.beta -0.2",
        "obs.alphaspeed 120. obs.betaspeed 90."};
    std::string text; // real numbers as %f writes them, the rest as they stand
    for (const char* group : groups) {
        std::istringstream words(group);
        for (std::string key, value; words >> key >> value;) {
            if (value.find('.') != std::string::npos) value = std::to_string(std::stod(value));
            text += key + " = \"" + value + "\"\n";
        }
    }
    return text;
}();

std::string savedText(Scene& scene) {
    KeyValueFile file;
    scene.saveParams(file);
    return file.text();
}

float angleBetween(float from, float to) {
    return std::remainder(to - from, 2.0f * pi);
}

class SavedGame : public ::testing::Test {
  protected:
    void read(const std::string& text) {
        KeyValueFile file;
        file.openText(text);
        scene.readParams(file);
    }
    scenetest::WorkingFolder folder;
    Scene scene;
};

// Every value read is written back in order; failed reads leave them; a write is whole.
TEST_F(SavedGame, RoundTripKeepsEveryValueAndOnlyASuccessBecomesTheCurrentGame) {
    read(unusualGame);
    writeFile("empty.sav", "");
    EXPECT_FALSE(scene.readSavedGame("empty.sav"));
    EXPECT_FALSE(scene.readSavedGame("absent.sav"));
    EXPECT_EQ(savedText(scene), unusualGame);
    EXPECT_FALSE(scene.writeSavedGame("no/such/folder/game.sav"));
    EXPECT_TRUE(scene.savedGamePath().empty());

    writeFile("old.sav", "// an earlier game\nobs.x = \"1\"\nextra.key = \"kept?\"\n");
    ASSERT_TRUE(scene.writeSavedGame("old.sav"));
    EXPECT_EQ(readFile("old.sav"), unusualGame) << "a saved game is written whole";
    EXPECT_EQ(scene.savedGamePath(), "old.sav");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2)
        << "no temporary file is left behind";

    // Without the flags: sound, wind and thermals off; sun, clouds and sceneries shown.
    read("terrain.name = \"ridge\"\nobs.x = \"1\"\n");
    EXPECT_FALSE(scene.soundIsOn() || scene.windShown() || scene.thermalsShown());
    EXPECT_TRUE(scene.theLand().showSun && scene.theLand().showClouds &&
                scene.theLand().showSceneries);
}

// A hand-edited game must not be able to divide by zero or give NaN (the wind's grid and
// the date keep their own bounds).
TEST_F(SavedGame, HarmfulValuesAreKeptWithinBounds) {
    for (const char* fov : {"0", "500"}) {
        read(std::string("obs.fov = \"") + fov +
             "\"\nobs.alphaspeed = \"0\"\nobs.speed = \"-5\"\n" +
             "obs.betaspeed = \"-40\"\nobs.alpha = \"1e30\"\nobs.beta = \"7\"\n");
        const Observer& eye = scene.theObserver();
        EXPECT_EQ(eye.fieldOfView(), fov[0] == '0' ? 1.0f : 179.0f);
        EXPECT_TRUE(std::isfinite(eye.tanHalfField()) && eye.tanHalfField() > 0.0f);
        EXPECT_GE(std::min(eye.azimuthPixelsPerRadian(), eye.elevationPixelsPerRadian()), 1.0f);
        EXPECT_GE(eye.movementSpeed(), 0.0f);
        EXPECT_LE(std::fabs(eye.azimuth()), 1000.0f) << "an angle float arithmetic can turn";
        EXPECT_LE(std::fabs(eye.elevation()), 1.5707964f);
    }
}

// A scene whose terrain is loaded straight from a land file's text (no GL),
// with the observer standing where a saved game puts it.
class SceneSpots : public SavedGame {
  protected:
    void SetUp() override {
        land.northDegrees = 60.0f;
        land.spots = {{"calm", 300, 300, 45, 0, 0}, {"windy", 700, 600, -30, 6, 250}};
        KeyValueFile landFile;
        landFile.openText(land.fileText());
        ASSERT_TRUE(scene.terrain().Load(landFile));
        standAt(500.0f, 400.0f);
    }
    void standAt(float x, float y) {
        read(scenetest::gameAt("", x, y) + "obs.beta = \"0.3\"\n");
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
    EXPECT_EQ(std::pair(spot.x, spot.y), std::pair(500.0f, 400.0f));
    EXPECT_NEAR(spot.z, land.groundAt(500.0f), 1e-3f) << "ground height, not the eye's";
    EXPECT_NEAR(angleBetween(spot.orientation, scene.theObserver().azimuth() - north()), 0, 1e-5f);
    EXPECT_NEAR(spot.windSpeed, 8.0f, 1e-5f);
    // The spot keeps where the wind comes from: opposite to where it blows.
    EXPECT_NEAR(angleBetween(spot.windDirection, 1.0f - pi), 0.0f, 1e-5f);
}

TEST_F(SceneSpots, NextSpotMovesTheObserverAndRebuildsTheWindOnlyWhenItDiffers) {
    standAt(303.0f, 296.0f); // a game saved 5 m from "calm": the next is "windy"
    scene.nextSpot();
    EXPECT_EQ(scene.theObserver().spotName(), "windy");
    scene.nextSpot(); // the last spot: on to the first
    EXPECT_EQ(scene.theObserver().spotName(), "Land center");
    scene.nextSpot();
    const Observer& observer = scene.theObserver();
    EXPECT_EQ(observer.spotName(), "calm");
    EXPECT_EQ(std::pair(observer.positionX(), observer.positionY()), std::pair(300.0f, 300.0f));
    EXPECT_NEAR(angleBetween(observer.azimuth(), north() + 45.0f * pi / 180.0f), 0.0f, 1e-5f);
    EXPECT_EQ(observer.elevation(), 0.0f) << "level at a spot";

    scene.nextSpot(); // "windy": a different wind
    WindField& wind = scene.windField();
    const auto& w = wind.baseWind();
    EXPECT_NEAR(std::hypot(w[0], w[1], w[2]), 6.0f, 1e-5f);
    EXPECT_NEAR(angleBetween(std::atan2(w[1], w[0]), north() + 250.0f * pi / 180.0f + pi), 0.0f,
                1e-5f);
    EXPECT_FALSE(wind.dirty() || wind.empty()) << "the field was rebuilt for the new wind";

    ASSERT_TRUE(scene.addSpot("windy copy")); // recorded with exactly the current wind
    wind.setGrid(30, 10);                     // marks the field dirty: only a rebuild clears that
    scene.nextSpot();
    EXPECT_EQ(observer.spotName(), "windy copy");
    EXPECT_TRUE(wind.dirty()) << "the field was rebuilt although the wind is the same";
    scene.nextSpot(); // the land centre has no wind: a different one
    EXPECT_FALSE(wind.dirty());
    EXPECT_FLOAT_EQ(std::hypot(w[0], w[1], w[2]), 0.0f);
}

} // namespace
