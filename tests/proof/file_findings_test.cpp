// A fault that fuzzing found in reading saved games: a speed they may hold.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "io/KeyValueFile.h"
#include "platform/Keys.h"
#include "world/observer/Observer.h"
#include "world/terrain/Terrain.h"

TEST(ObserverFindings, AHugeWalkingSpeedNeverTakesTheEyeToInfinity) {
    KeyValueFile land;
    land.openText("terrain.points = \"0 0 10  100 0 20  100 100 30  0 100 15\"\n"
                  "terrain.triangles = \"1 3 0  3 1 2\"\nterrain.tree = \"-1 0 1 -1  0 -1 -1 -1  1 "
                  "-1 -1 -1\"\n");
    Terrain terrain;
    ASSERT_TRUE(terrain.Load(land));
    Observer observer(terrain, nullptr);
    observer.placeAfterLoad(nullptr);
    observer.setSpeed(std::numeric_limits<float>::max()); // the largest a saved game holds
    observer.setHeading(0.3f, -1.0f);                     // looking up
    const auto finite = [&] {
        return std::isfinite(observer.position()[0] + observer.position()[1] +
                             observer.position()[2]);
    };
    for (int step = 0; step < 40; ++step) {
        observer.moveByKey(Key::Up, 0.1f);
        ASSERT_TRUE(finite()) << "after " << step + 1 << " steps up";
    }
    observer.moveByKey(Key::Up, 3.0f); // a step long enough to overflow the distance
    observer.moveByKey(Key::Down, 0.1f);
    EXPECT_TRUE(finite());
    EXPECT_GE(observer.positionZ(),
              terrain.HeightAt(observer.positionX(), observer.positionY()) + 2.0f);
    EXPECT_TRUE(terrain.containsXY(observer.positionX(), observer.positionY()));
}
