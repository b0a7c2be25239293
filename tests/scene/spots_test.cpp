// Spots from the scene's side: what addSpot records, and how nextSpot moves
// the observer and applies the spot's wind.

#include <gtest/gtest.h>

#include <cmath>

#include "io/KeyValueFile.h"
#include "scene/SceneFixtures.h"
#include "world/Scene.h"

namespace {

using scenetest::TestLand;
using scenetest::TestSpot;

constexpr float pi = 3.14159265f;

float angleBetween(float from, float to) {
    return std::remainder(to - from, 2.0f * pi);
}

float windSpeed(const WindField& wind) {
    const auto& w = wind.baseWind();
    return std::sqrt(w[0] * w[0] + w[1] * w[1] + w[2] * w[2]);
}

// A scene whose terrain is loaded straight from a land file's text (no GL),
// with the observer standing where a saved game puts it.
class SceneSpots : public ::testing::Test {
  protected:
    void SetUp() override {
        land.northDegrees = 60.0f;
        land.spots = {
            {"calm", 300.0f, 300.0f, 0.0f, 45.0f, 0.0f, 0.0f},
            {"windy", 700.0f, 600.0f, 0.0f, -30.0f, 6.0f, 250.0f},
        };
        KeyValueFile landFile;
        landFile.openText(scenetest::landFileText(land));
        ASSERT_TRUE(scene.terrain().Load(landFile));
        standAt(500.0f, 400.0f);
    }

    void standAt(float x, float y) {
        KeyValueFile game;
        game.openText("obs.x = \"" + std::to_string(x) + "\"\nobs.y = \"" + std::to_string(y) +
                      "\"\nobs.alpha = \"2.5\"\n");
        scene.readParams(game);
        scene.theObserver().placeAfterLoad(nullptr);
    }

    float north() { return scene.terrain().northDirection(); }

    TestLand land;
    Scene scene;
};

TEST_F(SceneSpots, AddSpotRecordsPlaceGroundHeadingAndWind) {
    scene.windField().setWind(1.0f, 8.0f);
    ASSERT_TRUE(scene.addSpot("ridge top"));

    const Spot& spot = scene.terrain().spots().back();
    const Observer& observer = scene.theObserver();
    EXPECT_EQ(spot.name, "ridge top");
    EXPECT_FLOAT_EQ(spot.x, 500.0f);
    EXPECT_FLOAT_EQ(spot.y, 400.0f);
    EXPECT_NEAR(spot.z, land.groundAt(500.0f), 1e-3f) << "ground height, not the eye's";
    EXPECT_NEAR(angleBetween(spot.orientation, observer.azimuth() - north()), 0.0f, 1e-5f);
    EXPECT_NEAR(spot.windSpeed, 8.0f, 1e-5f);
    // The spot keeps where the wind comes from: opposite to where it blows.
    EXPECT_NEAR(angleBetween(spot.windDirection, 1.0f - pi), 0.0f, 1e-5f);
}

TEST_F(SceneSpots, AddSpotRefusesNamesALandFileCannotHoldAndWorksWithoutALand) {
    const std::size_t before = scene.terrain().spots().size();
    for (const char* name : {"", "say \"hi\"", "a // b", "[Spot]", "two\nlines"}) {
        EXPECT_FALSE(scene.addSpot(name)) << name;
    }
    EXPECT_EQ(scene.terrain().spots().size(), before);
    EXPECT_TRUE(scene.addSpot("Col de l'Aigle (east)"));

    Scene empty; // without a land: no ground
    ASSERT_TRUE(empty.addSpot("nowhere"));
    EXPECT_FLOAT_EQ(empty.terrain().spots().back().z, -1.0f);
}

TEST_F(SceneSpots, FirstNextSpotAfterALoadAtASpotLeavesIt) {
    standAt(303.0f, 296.0f); // a game saved 5 m from "calm"
    scene.nextSpot();
    EXPECT_EQ(scene.theObserver().spotName(), "windy");
    standAt(700.0f, 600.0f); // the last spot: on to the first
    scene.nextSpot();
    EXPECT_EQ(scene.theObserver().spotName(), "Land center");
}

TEST_F(SceneSpots, NextSpotMovesAndTurnsTheObserverAndAppliesADifferentWind) {
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
    EXPECT_FALSE(wind.dirty()) << "the field was rebuilt for the new wind";
    EXPECT_FALSE(wind.empty());
    const float shownSpeed = scene.theObserver().windProbe().speed();
    EXPECT_GT(shownSpeed, 0.0f) << "the observer's wind reading follows the new field";
}

TEST_F(SceneSpots, NextSpotKeepsTheFieldWhenTheWindIsTheSame) {
    scene.nextSpot();
    scene.nextSpot();                         // "windy": its wind applies
    ASSERT_TRUE(scene.addSpot("windy copy")); // recorded with exactly the current wind
    WindField& wind = scene.windField();
    wind.setGrid(30, 10); // marks the field dirty: only a rebuild clears that
    ASSERT_TRUE(wind.dirty());

    scene.nextSpot();
    EXPECT_EQ(scene.theObserver().spotName(), "windy copy");
    EXPECT_TRUE(wind.dirty()) << "the field was rebuilt although the wind is the same";
    EXPECT_NEAR(windSpeed(wind), 6.0f, 1e-5f);

    scene.nextSpot(); // the land centre has no wind: a different one
    EXPECT_EQ(scene.theObserver().spotName(), "Land center");
    EXPECT_FALSE(wind.dirty());
    EXPECT_FLOAT_EQ(windSpeed(wind), 0.0f);
}

} // namespace

namespace {

// A hand-written land file may leave out a scenery's measures: they are 0.
TEST(SceneLandFile, SceneryKeysLeftOutAreZero) {
    Scene scene;
    KeyValueFile file;
    file.openText("decor1.name = \"barn\"\ndecor1.type = \"21\"\ndecor1.x = \"5\"\n");
    scene.theLand().readSceneries(file);
    ASSERT_EQ(scene.theLand().sceneries.size(), 1u);
    const Scenery& barn = *scene.theLand().sceneries[0];
    EXPECT_EQ(barn.x, 5.0f);
    for (float measure : {barn.y, barn.z, barn.width, barn.depth, barn.height, barn.roofHeight,
                          barn.rx, barn.ry, barn.rz})
        EXPECT_EQ(measure, 0.0f);
}

} // namespace
