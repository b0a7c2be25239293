// Input over the scene: keys are published to the menu and left to the
// application; pointer motion turns the observer, never with a jump when the
// scene (re)gains the input.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "world/Scene.h"

namespace {

class Recorder : public EventSubscriber {
  public:
    explicit Recorder(uint32_t wanted) : EventSubscriber(wanted) {}
    void onEvent(EventPublisher*, const Event& event) override {
        types.push_back(event.type);
        payloads.push_back(event.payload);
    }
    std::vector<uint32_t> types;
    std::vector<uintptr_t> payloads;
};

TEST(SceneKeys, KeyDownsArePublishedAndEveryInputIsLeftToTheApplication) {
    Scene scene;
    EXPECT_FALSE(scene.isLoaded());
    EXPECT_FALSE(scene.update(0.02)) << "an unbuilt scene asks to leave the layer list";
    Recorder menu(Scene::keyEvent);
    Recorder other(0xFF); // hears progress and similar, not keys
    scene.subscribe(&menu);
    scene.subscribe(&other);
    EXPECT_TRUE(scene.keyDown('v'));
    EXPECT_TRUE(scene.keyDown(27)) << "Escape must still reach the application";
    EXPECT_TRUE(scene.keyUp('v'));
    EXPECT_TRUE(scene.leftButton(0, 10, 10, true));
    EXPECT_TRUE(scene.rightButton(0, 10, 10, false));
    EXPECT_TRUE(scene.middleDoubleClick(0, 10, 10));
    EXPECT_EQ(menu.types, (std::vector<uint32_t>{Scene::keyEvent, Scene::keyEvent}))
        << "key ups are not published";
    EXPECT_EQ(menu.payloads, (std::vector<uintptr_t>{'v', 27}));
    EXPECT_TRUE(other.types.empty());
}

// A motion is (x, y); a step may first do something else to the scene. The
// turn is the azimuth change since the first step, at 80 pixels per radian:
// right turns clockwise, down lowers the view.
struct Step {
    std::function<void(Scene&)> before;
    int x, y;
    float turn, elevation;
};

TEST(ScenePointer, MotionTurnsByItsDeltasButNeverJumpsWhenTheSceneGainsTheInput) {
    const auto nothing = [](Scene&) {};
    const auto regain = [](Scene& s) { s.setActive(false), s.setActive(true); };
    const auto activeAgain = [](Scene& s) { s.setActive(true); };
    const auto leaveAndComeBack = [](Scene& s) {
        s.setRect(0, 0, 800, 600);
        EXPECT_FALSE(s.hitTest(900, 100));
        EXPECT_TRUE(s.hitTest(500, 500));
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"first motion only records, from (-1, -1)", {{nothing, 400, 300, 0.0f, 0.0f}}},
        {"deltas",
         {{nothing, 400, 300, 0, 0},
          {nothing, 440, 300, -0.5f, 0},
          {nothing, 440, 316, -0.5f, -0.2f},
          {nothing, 400, 316, 0, -0.2f}}},
        {"regained input",
         {{activeAgain, 100, 100, 0, 0},
          {nothing, 120, 100, -0.25f, 0},
          {regain, 700, 500, -0.25f, 0},
          {nothing, 708, 500, -0.35f, 0}}},
        {"pointer back over the scene",
         {{nothing, 100, 100, 0, 0},
          {nothing, 110, 100, -0.125f, 0},
          {leaveAndComeBack, 500, 500, -0.125f, 0}}},
        {"made active while holding the input",
         {{activeAgain, 100, 100, 0, 0}, {activeAgain, 116, 100, -0.2f, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scene scene;
        const float start = scene.theObserver().azimuth();
        for (const Step& step : c.steps) {
            step.before(scene);
            EXPECT_FALSE(scene.mouseMove(step.x, step.y)) << "the scene uses the motion";
            const float turn =
                std::remainder(scene.theObserver().azimuth() - start, 2.0f * 3.14159265f);
            EXPECT_NEAR(turn, step.turn, 1e-4f) << step.x << "," << step.y;
            EXPECT_NEAR(scene.theObserver().elevation(), step.elevation, 1e-5f);
        }
    }
}

} // namespace
