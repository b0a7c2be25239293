#include "commands/FakeHost.h"
#include "commands/TestWorld.h"
#include "platform/Keys.h"
#include "ui/commands/ObserverMoveCommands.h"
#include "ui/commands/SceneCommands.h"
#include "ui/toolkit/WidgetEvents.h"
#include "world/Scene.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace commandtest;

namespace {

class SceneCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        writeSquareLand("square");
        writeFile("start.sav", savedGameText("square", 500, 500));
    }

    // Loads a saved game as the load page does: a type-8 event with the path.
    void loadThroughEvent(LoadSceneCommand& load, const std::string& path) {
        load.onEvent(nullptr, ValueEvent::ofText(CommandEvent::Activate, path.c_str()));
    }

    WorkingFolder folder;
    Scene scene;
    FakeHost host;
};

} // namespace

TEST_F(SceneCommands, LoadBuildsTheGameBehindAProgressBoxAndShowsTheScene) {
    LoadSceneCommand load(nullptr, nullptr, &scene);
    load.useHost(host);
    loadThroughEvent(load, "start.sav");

    ASSERT_TRUE(scene.isLoaded());
    EXPECT_TRUE(scene.theLand().graphicsReady) << "the named land was read";
    EXPECT_EQ(scene.savedGamePath(), "start.sav");
    ASSERT_EQ(host.progressBoxes.size(), 1u);
    EXPECT_EQ(host.progressBoxes[0].text, "Opening file...");
    EXPECT_EQ(host.progressBoxes[0].title, "Loading");
    RecordingBox& box = *host.progressBoxes[0].box;
    EXPECT_GE(box.heard.size(), 4u) << "the box hears every progress report of the build";
    EXPECT_TRUE(box.closeRequested);
    EXPECT_FALSE(scene.isSubscribed(&box)) << "the box stops listening when the build ends";
    EXPECT_EQ(host.sceneShown, 1);
    EXPECT_EQ(host.screenInfoApplied, 1);
    EXPECT_GE(host.framesPresented, 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(SceneCommands, LoadingAFileThatCannotBeReadShowsFileOpenError) {
    writeFile("empty.sav", "");
    LoadSceneCommand load(nullptr, nullptr, &scene);
    load.useHost(host);
    for (const char* path : {"missing.sav", "empty.sav"}) {
        loadThroughEvent(load, path);
        EXPECT_FALSE(scene.isLoaded()) << path;
    }
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "File open error");
    EXPECT_EQ(host.messages[0].title, "Error");
    EXPECT_TRUE(host.progressBoxes.empty());
    EXPECT_EQ(host.sceneShown, 0);
}

TEST_F(SceneCommands, AFailedLoadLeavesTheWorldAsItWas) {
    LoadSceneCommand load(nullptr, nullptr, &scene);
    load.useHost(host);
    loadThroughEvent(load, "start.sav");
    scene.setShowWind(true);
    loadThroughEvent(load, "missing.sav");
    EXPECT_TRUE(scene.isLoaded());
    EXPECT_TRUE(scene.windShown());
    EXPECT_EQ(scene.savedGamePath(), "start.sav");
}

TEST_F(SceneCommands, TheLoadedPathIsTheCommandsOwnCopy) {
    LoadSceneCommand load(nullptr, nullptr, &scene);
    load.useHost(host);
    std::string path = "start.sav";
    load.onEvent(nullptr, ValueEvent::ofText(CommandEvent::Activate, path.c_str()));
    path.assign("overwritten");
    EXPECT_EQ(load.value.text, "start.sav");
}

TEST_F(SceneCommands, CreateBuildsFromTheCurrentParameters) {
    CreateSceneCommand create(nullptr, nullptr, &scene);
    create.useHost(host);
    create.onEvent(nullptr, Event(CommandEvent::Activate));
    EXPECT_TRUE(scene.isLoaded());
    EXPECT_EQ(host.progressBoxes.size(), 1u);
    EXPECT_EQ(host.sceneShown, 1);
    EXPECT_EQ(host.screenInfoApplied, 1);
}

TEST_F(SceneCommands, ChangeSpotWalksThroughTheSpotsBehindANotice) {
    LoadSceneCommand load(nullptr, nullptr, &scene);
    load.useHost(host);
    loadThroughEvent(load, "start.sav");
    ChangeSpotCommand change(nullptr, nullptr, &scene);
    change.useHost(host);
    EXPECT_EQ(change.shortcutKey, Key::Tab);

    change.onKey(Key::Tab);
    const Observer& observer = scene.theObserver();
    const float firstY = observer.positionY();
    change.onKey(Key::Tab);
    EXPECT_NE(observer.positionY(), firstY) << "the second press goes to another spot";
    EXPECT_FALSE(observer.spotName().empty());
    ASSERT_EQ(host.notices.size(), 2u);
    EXPECT_EQ(host.notices[0].text, "Computing parameters");
    EXPECT_EQ(host.notices[0].title, "Waiting...");
    EXPECT_TRUE(host.notices[0].box->closeRequested);
}

TEST_F(SceneCommands, TheConsoleLoadsThePathItIsGiven) {
    LoadSceneCommand load(nullptr, nullptr, &scene);
    load.useHost(host);
    EXPECT_FALSE(load.runFromConsole({}).empty()) << "no path: the console says what is missing";
    EXPECT_FALSE(scene.isLoaded());
    EXPECT_EQ(load.runFromConsole({"start.sav"}), "");
    EXPECT_TRUE(scene.isLoaded());
}

// ---------------------------------------------------------------------------

namespace {

class ObserverMoves : public SceneCommands {
  protected:
    void SetUp() override {
        SceneCommands::SetUp();
        LoadSceneCommand load(nullptr, nullptr, &scene);
        load.useHost(host);
        loadThroughEvent(load, "start.sav");
        ASSERT_TRUE(scene.isLoaded());
        scene.theObserver().setSpeed(10.0f);
    }

    float distanceFrom(const Observer::Vec3& start) {
        const Observer::Vec3 now = scene.theObserver().position();
        return std::hypot(now[0] - start[0], now[1] - start[1]);
    }

    template <class Move> void useClock(Move& move) {
        move.clock = [this] { return clockNow; };
    }

    double clockNow = 100.0;
};

} // namespace

TEST_F(ObserverMoves, EachMoveUsesTheTimeSinceThePreviousReport) {
    ObserverMoveFrontCommand front(nullptr, nullptr, &scene.theObserver());
    useClock(front);
    front.onKey(Key::Up); // the first report after a pause: one capped step
    Observer::Vec3 start = scene.theObserver().position();
    // Thirty reports a second for one second walk the speed's ten metres.
    for (int i = 0; i < 30; ++i) {
        clockNow += 1.0 / 30.0;
        front.onKey(Key::Up);
    }
    EXPECT_NEAR(distanceFrom(start), 10.0f, 0.05f);

    // The same second in ten reports walks as far: speed does not follow the report rate.
    start = scene.theObserver().position();
    for (int i = 0; i < 10; ++i) {
        clockNow += 0.1;
        front.onKey(Key::Up);
    }
    EXPECT_NEAR(distanceFrom(start), 10.0f, 0.05f);
}

TEST_F(ObserverMoves, AStepAfterAPauseIsAtMostATenthOfASecond) {
    ObserverMoveBackCommand back(nullptr, nullptr, &scene.theObserver());
    useClock(back);
    const Observer::Vec3 start = scene.theObserver().position();
    back.onKey(Key::Down);
    EXPECT_NEAR(distanceFrom(start), 1.0f, 0.01f) << "speed 10 for the longest step, 0.1 s";
    clockNow += 60.0;
    const Observer::Vec3 second = scene.theObserver().position();
    back.onKey(Key::Down);
    EXPECT_NEAR(distanceFrom(second), 1.0f, 0.01f);
}

TEST_F(ObserverMoves, TheFourKeysMoveTheirOwnWay) {
    ObserverMoveFrontCommand front(nullptr, nullptr, &scene.theObserver());
    ObserverMoveBackCommand back(nullptr, nullptr, &scene.theObserver());
    ObserverMoveLeftCommand left(nullptr, nullptr, &scene.theObserver());
    ObserverMoveRightCommand right(nullptr, nullptr, &scene.theObserver());
    ObserverMoveCommand* moves[] = {&front, &back, &left, &right};
    for (ObserverMoveCommand* move : moves)
        useClock(*move);

    Observer& observer = scene.theObserver();
    observer.setHeading(0.0f, 0.0f);
    const Observer::Vec3 view = observer.viewDirection();
    struct {
        ObserverMoveCommand* move;
        int key;
        float alongView;
        float across;
    } cases[] = {{&front, Key::Up, 1, 0},
                 {&back, Key::Down, -1, 0},
                 {&left, Key::Left, 0, 1},
                 {&right, Key::Right, 0, -1}};
    for (const auto& test : cases) {
        EXPECT_EQ(test.move->shortcutKey, test.key) << test.move->name;
        EXPECT_FALSE(test.move->onKey('x')) << "another key does not move";
        test.move->onKey(test.key);
        const Observer::Vec3 start = observer.position();
        clockNow += 0.05;
        test.move->onKey(test.key);
        const float dx = observer.positionX() - start[0];
        const float dy = observer.positionY() - start[1];
        // "across" is the view turned a quarter anticlockwise.
        EXPECT_NEAR(dx * view[0] + dy * view[1], 0.5f * test.alongView, 0.01f) << test.move->name;
        EXPECT_NEAR(-dx * view[1] + dy * view[0], 0.5f * test.across, 0.01f) << test.move->name;
    }
}
