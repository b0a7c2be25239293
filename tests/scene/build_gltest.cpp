// Building worlds: progress, what a second build keeps, switching lands, unsafe
// land names, spots written back, the wind of a spot, graphics and a new context.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "gfx/GlTestWindow.h"
#include "io/KeyValueFile.h"
#include "scene/SceneLand.h"
#include "support/ContextState.h"
#include "world/Scene.h"

namespace {

using scenetest::gameAt;
using scenetest::readFile;
using scenetest::TestLand;
using scenetest::writeFile;

class Recorder : public EventSubscriber {
  public:
    // Without types it hears the scene's progress; event types are per publisher.
    explicit Recorder(uint32_t types = 0)
        : EventSubscriber(types ? types : Scene::progressEvent), progress(types == 0) {}
    void onEvent(EventPublisher*, const Event& event) override {
        ++count;
        if (!progress) return;
        const auto* report = reinterpret_cast<const ProgressReport*>(event.payload);
        reports.emplace_back(report->text, report->percent);
    }
    bool progress;
    int count = 0;
    std::vector<std::pair<std::string, float>> reports;
};

TestLand hill() {
    TestLand land;
    land.spots = {{"launch", 300, 500, 90, 4, 180}, {"windy top", 700, 600, -30, 6, 250}};
    land.houses = {{21, 450.0f}, {23, 520.0f}};
    // No kind of scenery: skipped; measures left out are 0; nothing after a gap is read.
    land.text += "decor3.name = \"no type\"\ndecor4.name = \"barn\"\ndecor4.type = \"21\"\n"
                 "decor4.x = \"5\"\ndecor6.name = \"c\"\ndecor6.type = \"22\"\n";
    return land;
}

TestLand vale() {
    TestLand land;
    land.name = "vale";
    land.originX = 5000.0f;
    land.size = 2000.0f;
    land.spots = {{"meadow", 6000, 1000, 0, 3, 90}};
    return land;
}

float baseSpeed(const WindField& wind) {
    return std::hypot(wind.baseWind()[0], wind.baseWind()[1]);
}

class SceneBuild : public ::testing::Test {
  protected:
    void SetUp() override {
        testsupport::applyContextState();
        hillPath = hill().write();
        valePath = vale().write();
    }
    Scene& build(const std::string& game, Scene& into) {
        KeyValueFile file;
        file.openText(game);
        into.readParams(file);
        into.build();
        return into;
    }
    Scene& build(const std::string& game) { return build(game, scene); }
    std::pair<std::size_t, std::string> spots() {
        return {scene.terrain().spots().size(), scene.terrain().spots().back().name};
    }
    GlTestWindow window{320, 240};
    scenetest::WorkingFolder folder;
    std::filesystem::path hillPath, valePath;
    Scene scene;
};

TEST_F(SceneBuild, ReportsItsProgressInOrderAndEndsLoadedWithOrWithoutTheLand) {
    Recorder progress;
    scene.subscribe(&progress);
    scene.setRect(10, 10, 50, 50); // the build takes the whole client area instead
    build(gameAt("hill", 500.0f, 400.0f));
    EXPECT_EQ(progress.reports,
              (std::vector<std::pair<std::string, float>>{{"Loading land...", 5.0f},
                                                          {"Computing wind...", 60.0f},
                                                          {"Computing thermals...", 85.0f},
                                                          {"Load completed", 100.0f}}));
    EXPECT_TRUE(scene.isLoaded() && scene.theLand().graphicsReady);
    EXPECT_EQ(scene.thermalSet().livingCount(), scene.thermalSet().nbmax());
    EXPECT_TRUE(scene.hitTest(0, 0)) << "the scene fills the client area from its corner";

    Scene lost;
    lost.subscribe(&progress);
    build(gameAt("nowhere", 500.0f, 400.0f), lost);
    EXPECT_TRUE(lost.isLoaded() && lost.update(0.05) && !lost.theLand().graphicsReady);
    EXPECT_FALSE(lost.saveLandSpots()) << "no land loaded, nothing to write";
}

// A second build keeps the land (its file is not read again); a game naming
// another land loads that one; spots are saved to the loaded land's own file,
// where only the spot section changes.
TEST_F(SceneBuild, ASecondBuildKeepsTheLandAndSpotsAreSavedToItsOwnFile) {
    build(gameAt("hill", 500.0f, 400.0f));
    ASSERT_TRUE(scene.addSpot("added"));
    const std::string hillText = readFile(hillPath);
    std::filesystem::remove(hillPath);
    scene.build();
    EXPECT_FALSE(scene.terrain().justLoaded());
    EXPECT_EQ(spots(), std::pair(std::size_t(4), std::string("added")));
    ASSERT_EQ(scene.theLand().sceneries.size(), 3u);
    const Scenery& barn = *scene.theLand().sceneries.back();
    EXPECT_EQ(
        (std::vector{barn.x, barn.y, barn.z, barn.width, barn.depth, barn.height, barn.roofHeight}),
        (std::vector<float>{5, 0, 0, 0, 0, 0, 0}));

    writeFile(hillPath, hillText);
    build(gameAt("vale", 6000.0f, 1200.0f));
    EXPECT_FLOAT_EQ(scene.terrain().box().minX, 5000.0f);
    EXPECT_EQ(spots(), std::pair(std::size_t(2), std::string("meadow")));
    EXPECT_TRUE(scene.theLand().sceneries.empty()) << "the hill's houses are gone";

    build(gameAt("hill", 500.0f, 400.0f));
    EXPECT_EQ(spots().first, 3u) << "the spot added but never saved is gone";
    ASSERT_TRUE(scene.addSpot("new launch"));
    // A game naming another land, read but not built yet: the spots are still the hill's.
    const std::string valeText = readFile(valePath);
    KeyValueFile game;
    game.openText(gameAt("vale", 6000.0f, 1200.0f));
    scene.readParams(game);
    ASSERT_TRUE(scene.saveLandSpots());
    EXPECT_EQ(readFile(valePath), valeText);
    const std::string after = readFile(hillPath);
    const std::size_t section = hillText.find("[Spot]");
    EXPECT_EQ(after.substr(0, section), hillText.substr(0, section)) << "the rest stays as it was";
    EXPECT_NE(after.find("spot3.name = \"new launch\""), std::string::npos);
}

TEST_F(SceneBuild, LandNamesThatLeaveTheLandsFolderOrHoldControlsAreRefused) {
    const std::vector<std::string> names = {
        "../outside",    "..",         "hill/../outside",
        "../lands/hill", "lands/hill", (folder.path() / "elsewhere").string(),
        "back\\slash",   "tab\tname",  "del\x7fname"};
    // Plant a good land wherever a plain path join would lead each name.
    std::vector<std::filesystem::path> planted;
    const std::string landText = hill().fileText();
    for (const std::string& name : names) {
        const auto target =
            std::filesystem::path("lands/" + name + "/" + name + ".map").lexically_normal();
        if (target.is_absolute() || *target.begin() == "..") continue;
        std::filesystem::create_directories(folder.path() / target.parent_path());
        writeFile(target, landText);
        planted.push_back(target);
    }
    ASSERT_GE(planted.size(), 4u);
    for (const std::string& name : names) {
        Scene fresh;
        build(gameAt(name, 500.0f, 400.0f), fresh);
        EXPECT_FALSE(fresh.theLand().graphicsReady) << name;
        EXPECT_TRUE(fresh.terrain().spots().empty()) << name;
        fresh.terrain().AddSpot("intruder", 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
        EXPECT_FALSE(fresh.saveLandSpots()) << name;
    }
    for (const auto& target : planted)
        EXPECT_EQ(readFile(target), landText) << target << " was written";
}

// The wind a build applies: the spot's when the game was saved within 10 m of
// it (away from the band along the edges), else the game's own, else none.
TEST_F(SceneBuild, AGameSavedAtASpotComesBackWithItsWindAndElsewhereWithout) {
    Recorder headings(Observer::azimuthEvent | Observer::elevationEvent);
    scene.theObserver().subscribe(&headings);
    build(gameAt("hill", 703.0f, 596.0f)); // 5 m from "windy top"
    EXPECT_GT(headings.count, 0) << "the info bar gets the heading at placement";
    const WindField& wind = scene.windField();
    const auto& w = wind.baseWind();
    const float expected = scene.terrain().northDirection() + 250.0f * 0.01745329252f + 3.14159265f;
    const auto expectSpotWind = [&] {
        EXPECT_NEAR(baseSpeed(wind), 6.0f, 1e-4f);
        EXPECT_NEAR(std::remainder(std::atan2(w[1], w[0]) - expected, 6.2831853f), 0.0f, 1e-4f);
    };
    expectSpotWind();
    EXPECT_FALSE(wind.empty()) << "the field is computed for that wind";
    EXPECT_EQ(scene.theObserver().spotName(), "windy top");
    // Each update ages the thermals and drifts the clouds with that wind.
    const CloudLayer& clouds = scene.theLand().clouds;
    const float s0 = clouds.S0(), age = scene.thermalSet().list().front()->age();
    EXPECT_TRUE(scene.update(2.0));
    EXPECT_NEAR(clouds.S0() - s0, -w[0] * 2.0f / (2.0f * clouds.Radius()), 1e-5f);
    EXPECT_NEAR(scene.thermalSet().list().front()->age(), age + 2.0f, 1e-3f);
    ASSERT_TRUE(wind.changed());
    scene.build(); // at the same spot
    EXPECT_FALSE(wind.changed()) << "the field was computed again for the same wind";
    // The same speed from another direction is another wind: the rebuild puts
    // the spot's wind back.
    scene.windField().setWind(1.0f, 6.0f);
    scene.build();
    expectSpotWind();

    Scene away;
    build(gameAt("hill", 710.5f, 600.0f), away); // just over 10 m from "windy top"
    EXPECT_FLOAT_EQ(baseSpeed(away.windField()), 0.0f);
    EXPECT_TRUE(away.windField().empty());
    build(gameAt("hill", 500.0f, 400.0f) + "wind.speed = \"3\"\nwind.dir = \"90\"\n", away);
    EXPECT_NEAR(away.windFromDegrees(), 90.0f, 1e-3f) << "the game's own wind, read back";
    away.windField().setWind(1.0f, 6.0f);
    away.build();
    EXPECT_NEAR(baseSpeed(away.windField()), 6.0f, 1e-4f) << "the game's wind applies once";
    for (const auto& [x, y] :
         {std::pair{20.0f, 500.0f}, {500.0f, 20.0f}, {985.0f, 500.0f}, {500.0f, 985.0f}}) {
        away.terrain().AddSpot("edge", x, y, 0.0f, 0.0f, 5.0f, 0.0f); // in the edge band
        build(gameAt("hill", x, y), away);
        EXPECT_FLOAT_EQ(baseSpeed(away.windField()), 0.0f) << x << ", " << y << ": at the centre";
    }
}

TEST_F(SceneBuild, DrawsSkyAboveGroundSurvivesANewContextAndDrawsNothingWithoutLand) {
    const auto drawFrame = [this] {
        glViewport(0, 0, window.width, window.height);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.draw();
        return window.readPixels();
    };
    glClearColor(0, 0, 0, 1);
    build(gameAt("hill", 300.0f, 500.0f) + "obs.beta = \"0.15\"\n");
    scene.setRect(0, 0, window.width, window.height);
    const std::vector<std::uint8_t> first = drawFrame();
    const auto* top = PixelView{first, window.width}.at(window.width / 2, window.height - 5);
    EXPECT_FALSE(std::equal(top, top + 3, &first[window.width * 15])) << "sky over the ground";

    scene.releaseGraphics();
    window.recreate();
    testsupport::applyContextState();
    scene.restoreGraphics();
    const std::vector<std::uint8_t> again = drawFrame();
    int differing = 0;
    for (std::size_t i = 0; i < first.size(); ++i)
        differing += std::abs(first[i] - again[i]) > 8;
    EXPECT_LT(differing, static_cast<int>(first.size() / 100)) << "the same picture again";
    // A new date moves the sun, also after a build that kept the date; the lift map's tint
    // follows the wind.
    scene.build();
    const auto januarySun = scene.theLand().sun.direction();
    scene.setDayAndMonth(21, 6);
    EXPECT_LT(scene.theLand().sun.direction()[2] * januarySun[2], 0.0f) << "across the sky";
    scene.setLiftHeight(20.0f);
    scene.setWindFrom(8.0f, 90.0f);
    const std::uint8_t tinted = drawFrame()[window.width * 15];
    scene.setWindFrom(8.0f, 270.0f);
    EXPECT_NE(drawFrame()[window.width * 15], tinted);
    EXPECT_NEAR(scene.windFromDegrees(), 270.0f, 1e-3f);
    build(gameAt("gone", 300.0f, 500.0f)); // another land, missing: nothing of the old one
    const std::vector<std::uint8_t> frame = drawFrame();
    EXPECT_EQ(std::count(frame.begin(), frame.end(), 0), static_cast<long>(frame.size()));
}

} // namespace
