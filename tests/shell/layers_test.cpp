#include <gtest/gtest.h>

#include "Fakes.h"
#include "platform/Keys.h"
#include "shell/Accessors.h"

namespace {

class LayerListTest : public ::testing::Test {
  protected:
    TestApplication app;
    FakeLayer a{"a"}, b{"b"}, c{"c"};

    std::vector<Element*> listed() const {
        std::vector<Element*> all;
        for (std::size_t i = 0; i < app.layerCount(); ++i)
            all.push_back(app.layerAt(i));
        return all;
    }
};

} // namespace

// Closing layers leave one a frame, the upper first, updated no more; a topmost layer hides
// the drawing (not the updates) of those below; showing a listed layer moves it to the top.
TEST_F(LayerListTest, ClosingDrawingAndReshowingFollowTheListOrder) {
    app.showLayer(&a, false, false);
    app.showLayer(&b, true, false);
    app.showLayer(&c, false, false);
    EXPECT_EQ(app.firstDrawn(), 1u);
    app.update();
    app.draw();
    EXPECT_EQ(std::tuple(a.draws, b.draws, c.draws, a.updates), std::tuple(0, 1, 1, 1));
    b.keepOpen = c.keepOpen = false;
    app.update(); // both ask to close; none leaves yet
    EXPECT_EQ(listed(), (std::vector<Element*>{&a, &b, &c}));
    EXPECT_TRUE(b.closeRequested && c.closeRequested);
    app.update();
    EXPECT_EQ(listed(), (std::vector<Element*>{&a, &b}));
    app.update();
    EXPECT_EQ(listed(), (std::vector<Element*>{&a}));
    EXPECT_EQ(b.updates, 2) << "a layer that asked to close gets no further update";
    EXPECT_EQ(app.firstDrawn(), 0u) << "the topmost layer left, everything is drawn again";
    app.showLayer(&b, false, false);
    app.showLayer(&a, true, false);
    EXPECT_EQ(listed(), (std::vector<Element*>{&b, &a}));
    EXPECT_TRUE(a.topmost);
    EXPECT_EQ(app.firstDrawn(), 1u);
}

// The input goes to the highest layer under the pointer (edges inside), never below the
// highest exclusive one, which keeps it while no plain layer lies over it.
TEST_F(LayerListTest, InputGoesToTheHighestLayerUnderThePointerDownToAnExclusiveOne) {
    const struct {
        const char* name;
        bool bExclusive, cShown;
        int x, y;
        Element* expected;
    } rows[] = {
        {"over both", false, false, 60, 60, &b},
        {"over the lower", false, false, 10, 10, &a},
        {"on the edge", false, false, 100, 100, &b},
        {"over nothing", false, false, 600, 600, nullptr},
        {"exclusive kept", true, false, 10, 10, &b},
        {"exclusive kept away", true, false, 600, 600, &b},
        {"not below", true, true, 10, 10, nullptr},
        {"over the exclusive", true, true, 60, 60, &b},
        {"over the plain", true, true, 310, 310, &c},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestApplication fresh;
        a.active = b.active = c.active = false;
        a.setRect(0, 0, 500, 500); // the world under the menu
        b.setRect(50, 50, 50, 50);
        c.setRect(300, 300, 50, 50);
        fresh.showLayer(&a, false, false);
        fresh.showLayer(&b, false, row.bExclusive);
        if (row.cShown) fresh.showLayer(&c, false, false);
        EXPECT_EQ(fresh.inputFollowsMouse(), !row.bExclusive || row.cShown);
        const int worldHitTests = a.hitTests;
        fresh.mouseHover(row.x, row.y);
        EXPECT_EQ(fresh.inputLayer(), row.expected);
        EXPECT_TRUE(!row.bExclusive || a.hitTests == worldHitTests) << "the world is never asked";
        EXPECT_EQ(a.active, row.expected == &a);
        EXPECT_EQ(std::pair(c.active, c.hovered), std::pair(row.expected == &c, c.active));
    }
    app.showLayer(&a, false, false);
    app.mouseHover(600, 600);
    EXPECT_TRUE(app.keyDown('q') && app.middleButtonUp(0, 600, 600)) << "no input layer";
    app.mouseHover(60, 60);
    app.keyDown('x');
    app.leftButtonDown(0, 60, 60);
    app.leftButtonUp(0, 60, 60);
    EXPECT_EQ(a.keys, (std::vector<int>{'x'}));
    EXPECT_EQ(a.buttons, (std::vector<bool>{true, false}));
}

TEST_F(LayerListTest, RemovingAnExclusiveBoxDeletesItAndGivesTheInputBack) {
    app.showLayer(&a, false, true); // menu
    auto* box = new FakeLayer("box");
    bool deleted = false;
    box->deleted = &deleted;
    box->deleteWhenRemoved = true;
    app.showLayer(box, false, true);
    EXPECT_EQ(std::pair(app.inputLayer(), a.active), std::pair((Element*)box, false));
    box->closeRequested = true;
    app.update();
    EXPECT_EQ(std::tuple(deleted, app.inputLayer(), app.inputFollowsMouse(), a.active),
              std::tuple(true, (Element*)&a, false, true));
}

// The frame rate is measured over twenty frames; a plain layer stays open, passing input on.
TEST_F(LayerListTest, FrameRateOverTwentyFramesAndPlainLayers) {
    app.timer.start();
    for (int i = 0; i < 20; ++i)
        app.update();
    EXPECT_FLOAT_EQ(app.fps, static_cast<float>(20.0 / app.timer.now));
    struct Plain : Element {
        void draw() override {}
    } layer;
    EXPECT_TRUE(layer.update(0) && layer.leftDoubleClick(0, 1, 1) &&
                layer.middleButton(0, 1, 1, true) && layer.middleDoubleClick(0, 1, 1) &&
                layer.rightButton(0, 1, 1, true) && layer.rightDoubleClick(0, 1, 1));
}

TEST(Accessors, ReachTheFirstApplication) {
    {
        FakeLayer layer("x"); // outlives the application, which still lists it when it ends
        TestApplication app;
        TestApplication second;
        EXPECT_EQ(theApplication(), &app);
        showLayer(&layer, false, true);
        EXPECT_TRUE(app.isShown(&layer) && text(2) == app.strings.text(2));
    }
    EXPECT_EQ(theApplication(), nullptr);
}

namespace {

class SimulatorKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app.scene = std::make_unique<FakeLayer>("scene", 800);
        app.menu = std::make_unique<FakeLayer>("menu");
        app.console = std::make_unique<FakeLayer>("console");
        menu().setRect(100, 100, 200, 200);
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

// Escape closes the menu once a world exists (unless the menu keeps it); over the scene, opens it.
TEST_F(SimulatorKeysTest, EscapeTogglesTheMenuOverAWorld) {
    app.showLayer(app.menu.get(), false, true);
    app.showScene();
    app.showScene();
    ASSERT_EQ(app.layerCount(), 2u);
    EXPECT_EQ(app.layerAt(0), app.scene.get()) << "the scene always goes to the bottom";
    app.keyDown(Key::Escape);
    EXPECT_FALSE(app.menu->closeRequested) << "no world: the menu stays";
    app.worldBuilt = true;
    app.pointerX = app.pointerY = 50;
    menu().passKeys = false;
    app.keyDown(Key::Escape);
    EXPECT_FALSE(app.menu->closeRequested) << "the menu kept the key";
    menu().passKeys = true;
    app.keyDown(Key::Escape);
    EXPECT_TRUE(app.menu->closeRequested);
    app.update();
    EXPECT_FALSE(app.isShown(app.menu.get()));
    EXPECT_EQ(app.inputLayer(), app.scene.get()) << "the pointer is over the scene";
    app.keyDown(Key::Escape);
    EXPECT_EQ(app.inputLayer(), app.menu.get());
    EXPECT_EQ(scene().keys, (std::vector<int>{Key::Escape}));
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
    // A press that moved the input types nothing into what it opened; the next one does.
    app.keyDown('v');
    app.showLayer(app.console.get(), false, true);
    app.characterTyped('v');
    app.keyDown('w');
    app.characterTyped('w');
    EXPECT_EQ(menu().typed + "|" + console().typed, "|w");
}

// The pointer sprite shows except while the scene has the input, recomputed on every hover.
TEST_F(SimulatorKeysTest, PointerSpriteHiddenWhileTheWorldHasTheInput) {
    menuOverWorld();
    EXPECT_TRUE(app.cursor.shown);
    app.menu->closeRequested = true;
    app.update();
    ASSERT_EQ(app.inputLayer(), app.scene.get());
    EXPECT_FALSE(app.cursor.shown);
    app.showLayer(app.console.get(), false, false);
    app.mouseHover(10, 10); // over the console, which lies over the scene
    EXPECT_TRUE(app.cursor.shown);
    app.mouseHover(500, 500);
    EXPECT_FALSE(app.cursor.shown);
}
