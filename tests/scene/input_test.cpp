// Input over the scene: keys are published to the menu and left to the
// application; pointer motion turns the observer, never with a jump when the
// scene (re)gains the input.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "world/Scene.h"

namespace {

class Recorder : public EventSubscriber {
  public:
    explicit Recorder(uint32_t mask) : EventSubscriber(mask) {}
    void onEvent(EventPublisher*, const Event& event) override {
        types.push_back(event.type);
        payloads.push_back(event.payload);
    }
    std::vector<uint32_t> types;
    std::vector<uintptr_t> payloads;
};

// Signed difference of two headings, in (-pi, pi].
float turnBetween(float from, float to) {
    return std::remainder(to - from, 2.0f * 3.14159265f);
}

TEST(SceneKeys, EveryKeyDownIsPublishedAndLeftToTheApplication) {
    Scene scene;
    Recorder menu(Scene::keyEvent);
    Recorder other(0xFF); // hears progress and similar, not keys
    scene.subscribe(&menu);
    scene.subscribe(&other);

    EXPECT_TRUE(scene.keyDown('v'));
    EXPECT_TRUE(scene.keyDown(27)) << "Escape must still reach the application";
    EXPECT_TRUE(scene.keyUp('v'));

    ASSERT_EQ(menu.types.size(), 2u) << "key ups are not published";
    EXPECT_EQ(menu.types[0], Scene::keyEvent);
    EXPECT_EQ(menu.payloads[0], static_cast<uintptr_t>('v'));
    EXPECT_EQ(menu.payloads[1], 27u);
    EXPECT_TRUE(other.types.empty());
}

TEST(SceneKeys, ButtonsAreLeftToOthers) {
    Scene scene;
    EXPECT_TRUE(scene.leftButton(0, 10, 10, true));
    EXPECT_TRUE(scene.rightButton(0, 10, 10, false));
    EXPECT_TRUE(scene.middleDoubleClick(0, 10, 10));
}

class ScenePointer : public ::testing::Test {
  protected:
    float azimuth() const { return scene.theObserver().azimuth(); }
    float elevation() const { return scene.theObserver().elevation(); }

    Scene scene;
};

TEST_F(ScenePointer, TheFirstMotionOnlyRecordsThePointer) {
    const float before = azimuth();
    EXPECT_FALSE(scene.mouseMove(400, 300)) << "the scene uses the motion";
    EXPECT_FLOAT_EQ(turnBetween(before, azimuth()), 0.0f)
        << "no turn by the distance from (-1, -1)";
    EXPECT_FLOAT_EQ(elevation(), 0.0f);
}

TEST_F(ScenePointer, MotionTurnsByThePointerDeltas) {
    scene.mouseMove(400, 300);
    const float before = azimuth();
    // 80 pixels per radian by default: right turns clockwise, up raises the view.
    scene.mouseMove(440, 300);
    EXPECT_NEAR(turnBetween(before, azimuth()), -0.5f, 1e-4f);
    scene.mouseMove(440, 316);
    EXPECT_NEAR(elevation(), -0.2f, 1e-5f);
    scene.mouseMove(400, 316);
    EXPECT_NEAR(turnBetween(before, azimuth()), 0.0f, 1e-4f);
}

TEST_F(ScenePointer, RegainingTheInputOnlyRecordsTheNextMotion) {
    scene.setActive(true);
    scene.mouseMove(100, 100);
    scene.mouseMove(120, 100);
    const float afterTurn = azimuth();

    // A box or the menu takes the input; the pointer wanders meanwhile.
    scene.setActive(false);
    scene.setActive(true);
    scene.mouseMove(700, 500);
    EXPECT_FLOAT_EQ(turnBetween(afterTurn, azimuth()), 0.0f);

    scene.mouseMove(708, 500);
    EXPECT_NEAR(turnBetween(afterTurn, azimuth()), -0.1f, 1e-4f) << "later motion turns again";
}

TEST_F(ScenePointer, ThePointerComingBackOverTheSceneOnlyRecords) {
    scene.setRect(0, 0, 800, 600);
    ASSERT_TRUE(scene.hitTest(100, 100));
    scene.mouseMove(100, 100);
    scene.mouseMove(110, 100);
    const float afterTurn = azimuth();

    EXPECT_FALSE(scene.hitTest(900, 100));
    EXPECT_TRUE(scene.hitTest(500, 500));
    scene.mouseMove(500, 500);
    EXPECT_FLOAT_EQ(turnBetween(afterTurn, azimuth()), 0.0f);
}

TEST_F(ScenePointer, BeingMadeActiveAgainWhileHoldingTheInputKeepsTurning) {
    scene.setActive(true);
    scene.mouseMove(100, 100);
    const float before = azimuth();
    scene.setActive(true);
    scene.mouseMove(116, 100);
    EXPECT_NEAR(turnBetween(before, azimuth()), -0.2f, 1e-4f);
}

TEST(SceneLifecycle, BeforeABuildTheSceneNeitherUpdatesNorDraws) {
    Scene scene;
    EXPECT_FALSE(scene.isLoaded());
    EXPECT_FALSE(scene.update(0.02)) << "an unbuilt scene asks to leave the layer list";
}

} // namespace
