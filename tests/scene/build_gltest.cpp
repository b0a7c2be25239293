// Building worlds: the progress reports and their order, what a second build
// keeps, switching lands, refusing unsafe land names, writing spots back, the
// wind of the spot a game was saved at, and graphics around a new context.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <AL/al.h>
#include <cstdlib>

#include "audio/Sound.h"
#include "gfx/GlTestWindow.h"
#include "io/KeyValueFile.h"
#include "scene/SceneFixtures.h"
#include "support/ContextState.h"
#include "world/Scene.h"

namespace {

using scenetest::landFilePath;
using scenetest::readFile;
using scenetest::TestLand;
using scenetest::TestScenery;
using scenetest::TestSpot;
using scenetest::WorkingFolder;
using scenetest::writeFile;
using scenetest::writeLand;

class ProgressRecorder : public EventSubscriber {
  public:
    ProgressRecorder() : EventSubscriber(Scene::progressEvent) {}
    void onEvent(EventPublisher*, const Event& event) override {
        const auto* report = reinterpret_cast<const ProgressReport*>(event.payload);
        texts.emplace_back(report->text);
        percents.push_back(report->percent);
    }
    std::vector<std::string> texts;
    std::vector<float> percents;
};

class Counter : public EventSubscriber {
  public:
    explicit Counter(uint32_t types) : EventSubscriber(types) {}
    void onEvent(EventPublisher*, const Event&) override { ++count; }
    int count = 0;
};

TestLand hill() {
    TestLand land;
    land.name = "hill";
    land.spots = {{"launch", 300.0f, 500.0f, 0.0f, 90.0f, 4.0f, 180.0f},
                  {"windy top", 700.0f, 600.0f, 0.0f, -30.0f, 6.0f, 250.0f}};
    TestScenery house;
    house.x = 450.0f;
    house.y = 450.0f;
    house.z = land.groundAt(450.0f);
    TestScenery round = house;
    round.type = 23;
    round.x = 520.0f;
    land.sceneries = {house, round};
    // A scenery without a type is no kind of scenery: it is skipped.
    land.preamble += "decor3.name = \"no type\"\n";
    return land;
}

TestLand vale() {
    TestLand land;
    land.name = "vale";
    land.originX = 5000.0f;
    land.size = 2000.0f;
    land.slope = -0.05f;
    land.spots = {{"meadow", 6000.0f, 1000.0f, 0.0f, 0.0f, 3.0f, 90.0f}};
    land.sceneries = {};
    return land;
}

std::string gameNaming(const std::string& land, float x, float y) {
    return "terrain.name = \"" + land + "\"\nobs.x = \"" + std::to_string(x) + "\"\nobs.y = \"" +
           std::to_string(y) + "\"\nobs.alpha = \"1.0\"\n";
}

using testsupport::applyContextState;

class SceneBuild : public ::testing::Test {
  protected:
    void SetUp() override {
        applyContextState();
        hillPath = writeLand(hill()).string();
        valePath = writeLand(vale()).string();
    }

    void readGame(const std::string& text) {
        KeyValueFile game;
        game.openText(text);
        scene.readParams(game);
    }

    std::vector<std::string> spotNames() {
        std::vector<std::string> names;
        for (const Spot& spot : scene.terrain().spots())
            names.push_back(spot.name);
        return names;
    }

    GlTestWindow window{320, 240};
    WorkingFolder folder;
    std::string hillPath;
    std::string valePath;
    Scene scene;
};

TEST_F(SceneBuild, ReportsItsProgressInOrderAndEndsLoadedWithOrWithoutTheLand) {
    ProgressRecorder progress;
    scene.subscribe(&progress);
    scene.setRect(10, 10, 50, 50); // the build takes the whole client area instead
    readGame(gameNaming("hill", 500.0f, 400.0f));
    EXPECT_TRUE(scene.build());
    EXPECT_EQ(progress.texts,
              (std::vector<std::string>{"Loading land...", "Computing wind...",
                                        "Computing thermals...", "Load completed"}));
    EXPECT_EQ(progress.percents, (std::vector<float>{5.0f, 60.0f, 85.0f, 100.0f}));
    EXPECT_TRUE(scene.isLoaded() && scene.theLand().graphicsReady);
    EXPECT_EQ(scene.thermalSet().livingCount(), scene.thermalSet().nbmax());
    const Observer& observer = scene.theObserver();
    EXPECT_FLOAT_EQ(observer.positionX(), 500.0f) << "the saved place lies inside the land";
    EXPECT_NEAR(observer.positionZ(), hill().groundAt(500.0f) + 2.0f, 1e-3f);
    EXPECT_TRUE(scene.hitTest(0, 0)) << "the scene fills the client area from its corner";

    Scene lost;
    lost.subscribe(&progress);
    KeyValueFile game;
    game.openText(gameNaming("nowhere", 500.0f, 400.0f));
    lost.readParams(game);
    EXPECT_TRUE(lost.build());
    EXPECT_EQ(progress.percents.back(), 100.0f);
    EXPECT_TRUE(lost.isLoaded());
    EXPECT_FALSE(lost.theLand().graphicsReady);
    EXPECT_TRUE(lost.terrain().spots().empty());
    EXPECT_TRUE(lost.update(0.05));
    EXPECT_FALSE(lost.saveLandSpots()) << "no land loaded, nothing to write";
    EXPECT_FALSE(std::filesystem::exists(landFilePath("nowhere")));
}

TEST_F(SceneBuild, ASecondBuildKeepsTheLandAndAGameNamingAnotherLandLoadsThatLand) {
    readGame(gameNaming("hill", 500.0f, 400.0f));
    scene.build();
    ASSERT_EQ(scene.theLand().sceneries.size(), 2u);
    ASSERT_TRUE(scene.addSpot("added"));
    const std::string hillText = readFile(hillPath);
    std::filesystem::remove(hillPath); // the files are not read again
    scene.build();
    EXPECT_FALSE(scene.terrain().justLoaded());
    EXPECT_EQ(spotNames(),
              (std::vector<std::string>{"Land center", "launch", "windy top", "added"}));
    EXPECT_EQ(scene.theLand().sceneries.size(), 2u);
    EXPECT_TRUE(scene.theLand().graphicsReady);

    writeFile(hillPath, hillText);
    readGame(gameNaming("vale", 6000.0f, 1200.0f));
    scene.build();
    EXPECT_TRUE(scene.terrain().justLoaded());
    EXPECT_FLOAT_EQ(scene.terrain().box().minX, 5000.0f);
    EXPECT_EQ(spotNames(), (std::vector<std::string>{"Land center", "meadow"}));
    EXPECT_TRUE(scene.theLand().sceneries.empty()) << "the hill's houses are gone";
    EXPECT_FLOAT_EQ(scene.theObserver().positionX(), 6000.0f);

    readGame(gameNaming("hill", 500.0f, 400.0f));
    scene.build();
    EXPECT_EQ(spotNames(), (std::vector<std::string>{"Land center", "launch", "windy top"}))
        << "the spot added but never saved is not in the hill's file";
    EXPECT_EQ(scene.theLand().sceneries.size(), 2u);
}

TEST_F(SceneBuild, SavingSpotsChangesOnlyTheSpotSectionOfTheLandsOwnFile) {
    readGame(gameNaming("hill", 500.0f, 400.0f));
    scene.build();
    const std::string before = readFile(hillPath);
    ASSERT_TRUE(scene.addSpot("new launch"));
    ASSERT_TRUE(scene.saveLandSpots());

    const std::string after = readFile(hillPath);
    const std::size_t section = before.find("[Spot]");
    ASSERT_NE(section, std::string::npos);
    EXPECT_EQ(after.substr(0, section), before.substr(0, section))
        << "everything before the spot section stays as it was";
    EXPECT_NE(after.find("spot3.name = \"new launch\""), std::string::npos);
    EXPECT_NE(after.find("spot1.name = \"launch\""), std::string::npos);

    // A game naming another land, read but not built yet: the spots are the
    // hill's and go to the hill's file, never to the vale's.
    const std::string valeBefore = readFile(valePath);
    readGame(gameNaming("vale", 6000.0f, 1200.0f));
    ASSERT_TRUE(scene.addSpot("still on hill"));
    scene.saveLandSpots();
    EXPECT_EQ(readFile(valePath), valeBefore);
    EXPECT_NE(readFile(hillPath).find("still on hill"), std::string::npos);
}

TEST_F(SceneBuild, LandNamesThatLeaveTheLandsFolderOrHoldControlsAreRefused) {
    const std::string absolute = (folder.path() / "elsewhere").string();
    const std::vector<std::string> names = {"../outside",    "..",         "hill/../outside",
                                            "../lands/hill", "lands/hill", absolute,
                                            "back\\slash",   "tab\tname",  "del\x7fname"};
    // Plant a good land wherever a plain path join would lead each name.
    std::vector<std::filesystem::path> planted;
    const std::string landText = scenetest::landFileText(hill());
    for (const std::string& name : names) {
        const std::filesystem::path target =
            std::filesystem::path(landFilePath(name)).lexically_normal();
        if (target.is_absolute() || *target.begin() == "..") continue;
        std::filesystem::create_directories(folder.path() / target.parent_path());
        writeFile(target, landText);
        planted.push_back(target);
    }
    ASSERT_GE(planted.size(), 4u);

    for (const std::string& name : names) {
        Scene fresh;
        KeyValueFile game;
        game.openText(gameNaming(name, 500.0f, 400.0f));
        fresh.readParams(game);
        fresh.build();
        EXPECT_FALSE(fresh.theLand().graphicsReady) << name;
        EXPECT_TRUE(fresh.terrain().spots().empty()) << name;
        fresh.terrain().AddSpot("intruder", 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
        EXPECT_FALSE(fresh.saveLandSpots()) << name;
    }
    for (const auto& target : planted)
        EXPECT_EQ(readFile(target), landText) << target << " was written";

    // After a loaded land, an unsafe name leaves no way out either.
    readGame(gameNaming("hill", 500.0f, 400.0f));
    scene.build();
    readGame(gameNaming("../hill", 500.0f, 400.0f));
    scene.build();
    EXPECT_FALSE(scene.theLand().graphicsReady);
    EXPECT_FALSE(scene.saveLandSpots());
}

float baseSpeed(const WindField& wind) {
    return std::hypot(wind.baseWind()[0], wind.baseWind()[1]);
}

TEST_F(SceneBuild, AGameSavedAtASpotComesBackWithItsWindAndElsewhereWithout) {
    Counter headings(Observer::azimuthEvent | Observer::elevationEvent);
    scene.theObserver().subscribe(&headings);
    readGame(gameNaming("hill", 703.0f, 596.0f)); // 5 m from "windy top"
    scene.build();
    const WindField& wind = scene.windField();
    const auto& w = wind.baseWind();
    EXPECT_NEAR(baseSpeed(wind), 6.0f, 1e-4f);
    const float north = scene.terrain().northDirection();
    const float expected = north + 250.0f * 0.01745329252f + 3.14159265f;
    EXPECT_NEAR(std::remainder(std::atan2(w[1], w[0]) - expected, 6.2831853f), 0.0f, 1e-4f);
    EXPECT_FALSE(wind.empty()) << "the field is computed for that wind";
    EXPECT_EQ(scene.theObserver().spotName(), "windy top");
    EXPECT_GT(headings.count, 0) << "the info bar gets the heading at placement";
    EXPECT_GT(scene.theObserver().windProbe().speed(), 0.0f);
    ASSERT_TRUE(wind.changed());

    scene.build(); // at the same spot
    EXPECT_FALSE(wind.changed()) << "the field was computed again for the same wind";
    EXPECT_FALSE(scene.thermalSet().changed());
    EXPECT_NEAR(baseSpeed(wind), 6.0f, 1e-4f);

    // The same speed from another direction is another wind: the rebuild puts
    // the spot's wind back.
    scene.windField().setWind(1.0f, 6.0f);
    scene.build();
    EXPECT_NEAR(std::remainder(std::atan2(w[1], w[0]) - expected, 6.2831853f), 0.0f, 1e-4f);

    Scene away;
    KeyValueFile game;
    game.openText(gameNaming("hill", 710.5f, 600.0f)); // just over 10 m from "windy top"
    away.readParams(game);
    away.build();
    EXPECT_FLOAT_EQ(baseSpeed(away.windField()), 0.0f);
    EXPECT_TRUE(away.windField().empty());
    // A game's own wind applies at the next build, once: a wind set later stays.
    game.openText(gameNaming("hill", 500.0f, 400.0f) + "wind.speed = \"3\"\nwind.dir = \"90\"\n");
    away.readParams(game);
    away.build();
    EXPECT_NEAR(baseSpeed(away.windField()), 3.0f, 1e-4f);
    EXPECT_NEAR(away.windFromDegrees(), 90.0f, 1e-3f) << "read back from the field";
    away.windField().setWind(1.0f, 6.0f);
    away.build();
    EXPECT_NEAR(baseSpeed(away.windField()), 6.0f, 1e-4f);
    away.setWindFrom(4.0f, 0.0f);
    away.build();
    EXPECT_EQ(away.windFromDegrees(), 0.0f) << "from the north, never 360";

    // A game saved in the band kept clear along the land's edges comes back
    // at the land's centre, so a spot in that band gives no wind.
    for (const auto& [x, y] :
         {std::pair{20.0f, 500.0f}, {500.0f, 20.0f}, {985.0f, 500.0f}, {500.0f, 985.0f}}) {
        away.terrain().AddSpot("edge", x, y, 0.0f, 0.0f, 5.0f, 0.0f);
        game.openText(gameNaming("hill", x, y));
        away.readParams(game);
        away.build();
        EXPECT_FLOAT_EQ(baseSpeed(away.windField()), 0.0f) << x << ", " << y;
    }
}

TEST_F(SceneBuild, UpdateAgesTheThermalsAndDriftsTheCloudsWithTheWindOnlyWhenShown) {
    readGame(gameNaming("hill", 703.0f, 596.0f));
    scene.build();
    const CloudLayer& clouds = scene.theLand().clouds;
    const float s0 = clouds.S0();
    const float windX = scene.windField().baseWind()[0];
    ASSERT_NE(windX, 0.0f);
    std::vector<float> ages;
    for (const auto& thermal : scene.thermalSet().list())
        ages.push_back(thermal->age());
    EXPECT_TRUE(scene.update(2.0));
    EXPECT_NEAR(clouds.S0() - s0, -windX * 2.0f / (2.0f * clouds.Radius()), 1e-5f);
    int aged = 0;
    for (std::size_t i = 0; i < ages.size(); ++i)
        aged += std::fabs(scene.thermalSet().list()[i]->age() - ages[i] - 2.0f) < 1e-3f;
    EXPECT_GT(aged, 0) << "the thermals live on with the scene";

    scene.setShowClouds(false);
    const float still = clouds.S0();
    scene.update(2.0);
    EXPECT_FLOAT_EQ(clouds.S0(), still);
    EXPECT_EQ(scene.thermalSet().livingCount(), scene.thermalSet().nbmax());
}

// A second build reloads the same sound: the source stays on its buffer.
TEST_F(SceneBuild, TheSoundStartsWithTheWorldStaysOnItsBufferAndFollowsTheSwitch) {
    writeFile("alsoft.conf", "[general]\ndrivers=null\n");
    setenv("ALSOFT_CONF", (folder.path() / "alsoft.conf").c_str(), 1);
    if (!OpenAudio()) GTEST_SKIP() << "no audio device";
    {
        Scene sounding;
        KeyValueFile game;
        game.openText(gameNaming("hill", 500.0f, 400.0f) + "sound.play = \"TRUE\"\n");
        sounding.readParams(game);
        sounding.build();
        SoundSource& source = sounding.theObserver().ambientSource();
        const unsigned int buffer = sounding.soundBuffer().Name();
        for (int build = 0; build < 2; ++build, sounding.build()) {
            EXPECT_EQ(source.Buffer(), &sounding.soundBuffer());
            EXPECT_EQ(sounding.soundBuffer().Name(), buffer);
            EXPECT_TRUE(source.IsLooping() && source.IsPlaying()) << "sound.play starts it";
        }
        sounding.setSound(false);
        EXPECT_FALSE(sounding.soundIsOn() || source.IsPlaying());
        sounding.setSound(true);
        EXPECT_TRUE(source.IsPlaying());
    }
    CloseAudio();
}

std::vector<std::uint8_t> drawFrame(Scene& scene, const GlTestWindow& window) {
    glViewport(0, 0, window.width, window.height);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene.draw();
    return window.readPixels();
}

TEST_F(SceneBuild, DrawsSkyAboveGroundSurvivesANewContextAndDrawsNothingWithoutLand) {
    readGame(gameNaming("hill", 300.0f, 500.0f) + "obs.beta = \"0.15\"\n");
    scene.build();
    scene.setRect(0, 0, window.width, window.height);
    const std::vector<std::uint8_t> first = drawFrame(scene, window);
    const PixelView view{first, window.width};
    const auto* top = view.at(window.width / 2, window.height - 5);
    const auto* bottom = view.at(window.width / 2, 5);
    EXPECT_GT(top[0] + top[1] + top[2], 0) << "the sky box is drawn";
    EXPECT_NE(std::vector<int>(top, top + 3), std::vector<int>(bottom, bottom + 3))
        << "the ground below differs from the sky above";

    scene.releaseGraphics();
    window.recreate();
    applyContextState();
    scene.restoreGraphics();
    const std::vector<std::uint8_t> again = drawFrame(scene, window);
    int differing = 0;
    for (std::size_t i = 0; i < first.size(); ++i)
        differing += std::abs(first[i] - again[i]) > 8;
    EXPECT_LT(differing, static_cast<int>(first.size() / 100))
        << "the same picture after the context was re-created";

    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    const float t = scene.theObserver().tanHalfField();
    // glFrustum: m[0] = near / right, m[5] = near / top with near 1.
    EXPECT_NEAR(projection[0], 1.0f / t, 1e-4f);
    EXPECT_NEAR(projection[5], 1.0f / (t * window.height / window.width), 1e-4f);

    readGame(gameNaming("gone", 300.0f, 500.0f)); // another land, missing
    scene.build();
    const std::vector<std::uint8_t> frame = drawFrame(scene, window);
    EXPECT_EQ(std::count(frame.begin(), frame.end(), 0), static_cast<long>(frame.size()))
        << "no sky, clouds or ground of the land that was there before";
}

} // namespace
