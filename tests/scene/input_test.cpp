// Pointer motion over the scene turns the observer, never with a jump when the
// scene (re)gains the input.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "world/Scene.h"

namespace {

// Each step may first do something to the scene, then moves the pointer to
// (x, y); the turn is the azimuth change since the first step, at 80 pixels
// per radian: right turns clockwise, down lowers the view.
TEST(ScenePointer, MotionTurnsByItsDeltasButNeverJumpsWhenTheSceneGainsTheInput) {
    enum Before { nothing, regain, activeAgain, leaveAndComeBack };
    using Step = std::tuple<Before, int, int, float, float>; // then x, y, turn, elevation
    const std::pair<const char*, std::vector<Step>> cases[] = {
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
    };
    for (const auto& [name, steps] : cases) {
        SCOPED_TRACE(name);
        Scene scene;
        const float start = scene.theObserver().azimuth();
        for (const auto& [before, x, y, turn, elevation] : steps) {
            if (before == regain) scene.setActive(false);
            if (before == regain || before == activeAgain) scene.setActive(true);
            if (before == leaveAndComeBack) {
                scene.setRect(0, 0, 800, 600);
                EXPECT_FALSE(scene.hitTest(900, 100));
                EXPECT_TRUE(scene.hitTest(500, 500));
            }
            EXPECT_FALSE(scene.mouseMove(x, y)) << "the scene uses the motion";
            const float turned = std::remainder(scene.theObserver().azimuth() - start, 6.2831853f);
            EXPECT_NEAR(turned, turn, 1e-4f) << x << "," << y;
            EXPECT_NEAR(scene.theObserver().elevation(), elevation, 1e-5f);
        }
    }
}

} // namespace
