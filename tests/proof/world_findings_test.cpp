// Faults that fuzzing found in computing the world from a saved game.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "io/KeyValueFile.h"
#include "platform/Keys.h"
#include "world/observer/Observer.h"
#include "world/terrain/Terrain.h"

namespace {

// A square of 100 m between heights 10 and 30.
const char* const squareLand =
    "terrain.points = \"0 0 10  100 0 20  100 100 30  0 100 15  50 50 25\"\n"
    "terrain.triangles = \"1 3 0  3 1 2  0 1 4  3 0 4  1 2 4  2 3 4\"\n"
    "terrain.tree = \"-1 0 1 -1  0 2 3 -1  1 4 5 -1  2 -1 -1 0  3 -1 -1 0  4 -1 -1 1  5 -1 -1 "
    "1\"\n";

bool finite(const Observer::Vec3& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

} // namespace

TEST(ObserverFindings, AHugeWalkingSpeedNeverTakesTheEyeToInfinity) {
    KeyValueFile land;
    land.openText(squareLand);
    Terrain terrain;
    ASSERT_TRUE(terrain.Load(land));
    Observer observer(terrain, nullptr);
    observer.placeAfterLoad(nullptr);
    observer.setSpeed(std::numeric_limits<float>::max()); // the largest a saved game holds
    observer.setHeading(0.3f, -1.0f);                     // looking up

    for (int step = 0; step < 40; ++step) {
        observer.moveByKey(Key::Up, 0.1f);
        ASSERT_TRUE(finite(observer.position())) << "after " << step + 1 << " steps up";
    }
    observer.moveByKey(Key::Up, 3.0f); // a step long enough to overflow the distance
    EXPECT_TRUE(finite(observer.position()));
    observer.moveByKey(Key::Down, 0.1f);
    EXPECT_TRUE(finite(observer.position()));
    EXPECT_GE(observer.positionZ(),
              terrain.HeightAt(observer.positionX(), observer.positionY()) + 2.0f);
    EXPECT_TRUE(terrain.containsXY(observer.positionX(), observer.positionY()));
}
