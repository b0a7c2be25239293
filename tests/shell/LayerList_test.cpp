#include <gtest/gtest.h>

#include "Fakes.h"
#include "platform/Keys.h"
#include "shell/Accessors.h"

namespace {

class LayerListTest : public ::testing::Test {
  protected:
    TestApplication app;
    FakeLayer a{"a", &journal}, b{"b", &journal}, c{"c", &journal};
    std::vector<std::string> journal;

    std::vector<Element*> listed() const {
        std::vector<Element*> all;
        for (std::size_t i = 0; i < app.layerCount(); ++i)
            all.push_back(app.layerAt(i));
        return all;
    }
};

} // namespace

TEST_F(LayerListTest, ClosingLayersLeaveOnePerFrameUpperFirst) {
    app.showLayer(&a, false, false);
    app.showLayer(&b, false, false);
    app.showLayer(&c, false, false);
    b.keepOpen = c.keepOpen = false;
    app.update(); // both ask to close; none leaves yet
    EXPECT_EQ(listed(), (std::vector<Element*>{&a, &b, &c}));
    EXPECT_TRUE(b.closeRequested && c.closeRequested);
    app.update();
    EXPECT_EQ(listed(), (std::vector<Element*>{&a, &b}));
    app.update();
    EXPECT_EQ(listed(), (std::vector<Element*>{&a}));
    EXPECT_EQ(b.updates, 1) << "a layer that asked to close gets no further update";
}

TEST_F(LayerListTest, TopmostLayerHidesDrawingButNotUpdatingBelow) {
    app.showLayer(&a, false, false);
    app.showLayer(&b, true, false);
    app.showLayer(&c, false, false);
    EXPECT_EQ(app.firstDrawn(), 1u);
    app.update();
    app.draw();
    EXPECT_EQ(journal, (std::vector<std::string>{"draw b", "draw c"}));
    EXPECT_EQ(a.updates, 1);
    app.removeLayer(1);
    EXPECT_EQ(app.firstDrawn(), 0u) << "the topmost layer left, everything is drawn again";
}

TEST_F(LayerListTest, ExclusiveLayerKeepsTheInputWhereverThePointerIs) {
    app.showLayer(&a, false, false);
    app.showLayer(&b, false, true);
    EXPECT_EQ(app.inputLayer(), &b);
    EXPECT_FALSE(app.inputFollowsMouse());
    EXPECT_TRUE(b.active);
    EXPECT_FALSE(a.active);
    b.setRect(0, 0, 10, 10);
    const int hitsBefore = a.hitTests;
    app.mouseHover(50, 50);
    EXPECT_EQ(app.inputLayer(), &b);
    EXPECT_FALSE(b.active) << "the exclusive layer is still hit-tested";
    EXPECT_EQ(a.hitTests, hitsBefore);
    app.keyDown('x');
    EXPECT_EQ(b.keys, (std::vector<int>{'x'}));
    EXPECT_TRUE(a.keys.empty());
}

TEST_F(LayerListTest, InputFollowsThePointerOtherwise) {
    a.setRect(0, 0, 200, 200);
    b.setRect(50, 50, 50, 50);
    app.showLayer(&a, false, false);
    app.showLayer(&b, false, false);
    app.mouseHover(60, 60);
    EXPECT_EQ(app.inputLayer(), &b);
    EXPECT_FALSE(a.active);
    app.mouseHover(10, 10);
    EXPECT_EQ(app.inputLayer(), &a);
    EXPECT_FALSE(b.active);
    app.mouseHover(500, 500);
    EXPECT_EQ(app.inputLayer(), nullptr);
    EXPECT_TRUE(app.keyDown('q')) << "no input layer: keys go nowhere";
    app.mouseHover(100, 100); // edges count as inside
    EXPECT_EQ(app.inputLayer(), &b);
    app.leftButtonDown(0, 100, 100);
    app.leftButtonUp(0, 100, 100);
    EXPECT_EQ(b.buttons, (std::vector<bool>{true, false}));
}

TEST_F(LayerListTest, NoLayerBelowAnExclusiveOneTakesTheInput) {
    a.setRect(0, 0, 500, 500); // the world under the menu
    b.setRect(0, 0, 100, 100); // an exclusive menu
    c.setRect(300, 300, 50, 50);
    app.showLayer(&a, false, false);
    app.showLayer(&b, false, true);
    app.showLayer(&c, false, false); // a plain layer over the menu lets the pointer decide
    EXPECT_TRUE(app.inputFollowsMouse());
    const int worldHitTests = a.hitTests;
    app.mouseHover(200, 200);
    EXPECT_EQ(app.inputLayer(), nullptr);
    EXPECT_EQ(a.hitTests, worldHitTests);
    EXPECT_FALSE(a.active);
    app.mouseHover(50, 50);
    EXPECT_EQ(app.inputLayer(), &b);
    app.mouseHover(310, 310);
    EXPECT_EQ(app.inputLayer(), &c);
}

TEST_F(LayerListTest, RemovingAnExclusiveBoxGivesTheInputBack) {
    app.showLayer(&a, false, true); // menu
    auto* box = new FakeLayer("box");
    bool deleted = false;
    box->deleted = &deleted;
    box->deleteWhenRemoved = true;
    app.showLayer(box, false, true);
    EXPECT_EQ(app.inputLayer(), box);
    box->closeRequested = true;
    app.update();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(app.inputLayer(), &a);
    EXPECT_FALSE(app.inputFollowsMouse());
    EXPECT_TRUE(a.active);
}

TEST_F(LayerListTest, ShowingAListedLayerMovesItToTheTop) {
    app.showLayer(&a, false, false);
    app.showLayer(&b, false, false);
    app.showLayer(&a, true, false);
    EXPECT_EQ(listed(), (std::vector<Element*>{&b, &a}));
    EXPECT_TRUE(a.topmost);
    EXPECT_EQ(app.firstDrawn(), 1u);
}

namespace {
struct FrameRateCounter : EventSubscriber {
    FrameRateCounter() : EventSubscriber(Application::frameRateEvent) {}
    void onEvent(EventPublisher*, const Event& event) override {
        ++count;
        payload = reinterpret_cast<const float*>(event.payload);
    }
    int count = 0;
    const float* payload = nullptr;
};
} // namespace

TEST_F(LayerListTest, FrameRateIsMeasuredOverTwentyFramesAndPublishedEveryFrame) {
    FrameRateCounter counter;
    app.subscribe(&counter);
    app.timer.start();
    for (int i = 0; i < 19; ++i)
        app.update();
    EXPECT_EQ(counter.count, 19);
    EXPECT_EQ(counter.payload, &app.fps);
    EXPECT_EQ(app.fps, 0.0f);
    app.update();
    ASSERT_GT(app.timer.now, 0.0);
    EXPECT_FLOAT_EQ(app.fps, static_cast<float>(20.0 / app.timer.now));
    EXPECT_FLOAT_EQ(app.fpsTime, static_cast<float>(app.timer.now));
    EXPECT_EQ(app.frameCount, 0u);
    app.unsubscribe(&counter);
}

TEST(Accessors, ReachTheOneApplication) {
    {
        FakeLayer layer("x"); // outlives the application, which still lists it when it ends
        TestApplication app;
        EXPECT_EQ(theApplication(), &app);
        TestApplication second;
        EXPECT_EQ(theApplication(), &app) << "the first application stays the one";
        showLayer(&layer, false, true);
        EXPECT_TRUE(app.isShown(&layer));
        EXPECT_EQ(std::string(text(2)), std::string(app.strings.text(2)));
    }
    EXPECT_EQ(theApplication(), nullptr);
}

// A layer passes on the input it has no use for, so the application can act on it.
TEST(Element, PassesOnTheInputItDoesNotUse) {
    struct Plain : Element {
        void draw() override {}
    } layer;
    EXPECT_TRUE(layer.leftDoubleClick(0, 1, 1));
    EXPECT_TRUE(layer.middleButton(0, 1, 1, true));
    EXPECT_TRUE(layer.middleDoubleClick(0, 1, 1));
    EXPECT_TRUE(layer.rightButton(0, 1, 1, true));
    EXPECT_TRUE(layer.rightDoubleClick(0, 1, 1));
}
