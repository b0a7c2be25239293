// Escape and the console key, the pointer sprite and the scene's place in the list.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "platform/Keys.h"

namespace {

class SimulatorKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app.scene = std::make_unique<FakeLayer>("scene");
        app.menu = std::make_unique<FakeLayer>("menu");
        app.console = std::make_unique<FakeLayer>("console");
        app.splash = std::make_unique<FakeLayer>("splash");
        scene().setRect(0, 0, 800, 600);
        menu().setRect(100, 100, 200, 200);
        console().setRect(0, 0, 800, 200);
    }
    FakeLayer& scene() { return static_cast<FakeLayer&>(*app.scene); }
    FakeLayer& menu() { return static_cast<FakeLayer&>(*app.menu); }
    FakeLayer& console() { return static_cast<FakeLayer&>(*app.console); }
    // The menu is up over a built world, the pointer over the scene only.
    void menuOverWorld() {
        app.worldBuilt = true;
        app.pointerX = app.pointerY = 50;
        app.showLayer(app.menu.get(), false, true);
        app.showScene();
    }

    TestApplication app;
};

} // namespace

TEST_F(SimulatorKeysTest, EscapeOverTheSceneOpensTheMenu) {
    menuOverWorld();
    app.menu->closeRequested = true;
    app.update();
    ASSERT_EQ(app.inputLayer(), app.scene.get());
    app.keyDown(Key::Escape);
    EXPECT_EQ(app.inputLayer(), app.menu.get());
    EXPECT_TRUE(app.menu->exclusive);
    EXPECT_EQ(scene().keys, (std::vector<int>{Key::Escape}));
}

TEST_F(SimulatorKeysTest, EscapeClosesTheMenuOnlyOnceAWorldExists) {
    app.showLayer(app.menu.get(), false, true);
    app.showScene();
    app.keyDown(Key::Escape);
    EXPECT_FALSE(app.menu->closeRequested) << "no world: the menu stays";
    app.worldBuilt = true;
    app.pointerX = app.pointerY = 50;
    app.keyDown(Key::Escape);
    EXPECT_TRUE(app.menu->closeRequested);
    app.update();
    EXPECT_FALSE(app.isShown(app.menu.get()));
    EXPECT_EQ(app.inputLayer(), app.scene.get()) << "the pointer is over the scene";
}

TEST_F(SimulatorKeysTest, ALayerThatKeepsEscapeStopsIt) {
    menuOverWorld();
    menu().passKeys = false;
    app.keyDown(Key::Escape);
    EXPECT_FALSE(app.menu->closeRequested);
    EXPECT_EQ(menu().keys, (std::vector<int>{Key::Escape}));
}

TEST_F(SimulatorKeysTest, ConsoleKeyOpensTheConsoleOnceAndEscapeClosesIt) {
    menuOverWorld();
    app.keyDown(Key::Console);
    EXPECT_EQ(app.inputLayer(), app.console.get());
    const std::size_t count = app.layerCount();
    app.keyDown(Key::Console);
    EXPECT_EQ(app.layerCount(), count);
    EXPECT_EQ(menu().keys, (std::vector<int>{Key::Console}));
    EXPECT_EQ(console().keys, (std::vector<int>{Key::Console}));
    app.keyDown(Key::Escape);
    EXPECT_TRUE(app.console->closeRequested);
    app.update();
    EXPECT_EQ(app.inputLayer(), app.menu.get()) << "back to the exclusive menu below";
}

TEST_F(SimulatorKeysTest, PointerSpriteHiddenWhileTheWorldHasTheInput) {
    app.showLayer(app.splash.get(), false, false);
    app.pointerX = app.pointerY = 0;
    app.mouseHover(0, 0);
    EXPECT_EQ(app.inputLayer(), app.splash.get());
    EXPECT_FALSE(app.cursor.shown);
    menuOverWorld();
    EXPECT_TRUE(app.cursor.shown);
    app.splash->closeRequested = true;
    app.menu->closeRequested = true;
    app.update();
    app.update();
    ASSERT_EQ(app.inputLayer(), app.scene.get());
    EXPECT_FALSE(app.cursor.shown);
    app.showLayer(app.console.get(), false, false);
    app.mouseHover(10, 10); // over the console, which lies over the scene
    EXPECT_EQ(app.inputLayer(), app.console.get());
    EXPECT_TRUE(app.cursor.shown);
    app.mouseHover(500, 500);
    EXPECT_FALSE(app.cursor.shown) << "recomputed on every hover";
}

TEST_F(SimulatorKeysTest, TheSceneAlwaysGoesToTheBottom) {
    app.showLayer(app.menu.get(), false, true);
    app.showLayer(app.console.get(), false, false);
    app.showScene();
    app.showScene();
    ASSERT_EQ(app.layerCount(), 3u);
    EXPECT_EQ(app.layerAt(0), app.scene.get());
    EXPECT_EQ(app.layerAt(2), app.console.get());
}

TEST_F(SimulatorKeysTest, ScreenInfoShowsAndClosesTheInfoBar) {
    app.infoBar = std::make_unique<FakeLayer>("info");
    app.showLayer(app.menu.get(), false, true);
    app.applyScreenInfo();
    EXPECT_TRUE(app.isShown(app.infoBar.get()));
    app.applyScreenInfo();
    EXPECT_EQ(app.layerCount(), 2u);
    app.showScreenInfo = false;
    app.applyScreenInfo();
    EXPECT_TRUE(app.infoBar->closeRequested);
}
