#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"
#include "world/wind/LiftMap.h"
#include "world/wind/WindField.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <tuple>

namespace {

TEST(LiftMap, TintFollowsTheVerticalSpeedAndSaturatesAtThreeMetresPerSecond) {
    const float full = LiftMap::strongestOpacity, nan = std::numeric_limits<float>::quiet_NaN();
    // speed, red (else blue), opacity
    const std::tuple<float, bool, float> cases[] = {
        {0.0f, true, 0.0f},   {0.3f, true, 0.1f * full}, {1.5f, true, 0.5f * full},
        {3.0f, true, full},   {7.0f, true, full},        {-0.75f, false, 0.25f * full},
        {-3.0f, false, full}, {-30.0f, false, full},     {nan, true, 0.0f}};
    for (const auto& [speed, red, opacity] : cases) {
        const LiftMap::Tint tint = LiftMap::tint(speed);
        EXPECT_NEAR(tint[3], opacity, 1e-6f) << speed;
        if (opacity > 0.0f) {
            EXPECT_EQ(tint[0] > tint[2], red) << speed;
        }
    }
}

TEST(LiftMap, ColumnsTakeTheFieldsVerticalWindAtTheChosenHeight) {
    Terrain terrain;
    synthetic::LandShape shape;
    shape.height = [](float x, float) {
        const float across = (x - 500.0f) / 150.0f;
        return 120.0f * std::exp(-across * across);
    };
    ASSERT_TRUE(synthetic::loadLand(terrain, shape));
    WindField wind(terrain);
    wind.setGrid(20, 12);
    wind.setWind(-std::numbers::pi_v<float> / 2.0f, 9.0f); // from the north's left: along +x
    wind.compute();

    LiftMap map;
    map.setHeight(40.0f);
    map.follow(wind, terrain);
    ASSERT_EQ(map.columns(), 20);
    for (int j = 0; j < 20; j += 3) {
        for (int i = 0; i < 20; ++i) {
            const float x = terrain.box().minX + (i + 0.5f) * wind.dx();
            const float y = terrain.box().minY + (j + 0.5f) * wind.dy();
            const LiftMap::Tint expected = LiftMap::tint(wind.windAt(x, y, 40.0f)[2]);
            const LiftMap::Tint shown = map.columnTint(i, j);
            for (int n = 0; n < 4; ++n)
                ASSERT_NEAR(shown[n], expected[n], 1.0f / 255.0f) << i << "," << j;
        }
    }

    map.setHeight(80.0f); // the same field at another height
    map.follow(wind, terrain);
    const float x = terrain.box().minX + 4.5f * wind.dx(),
                y = terrain.box().minY + 2.5f * wind.dy();
    EXPECT_NEAR(map.columnTint(4, 2)[3], LiftMap::tint(wind.windAt(x, y, 80.0f)[2])[3],
                1.0f / 255.0f);

    wind.setWind(0.0f, 0.0f); // no wind: nothing to tint
    wind.compute();
    map.follow(wind, terrain);
    EXPECT_EQ(map.columns(), 0);
    EXPECT_EQ(map.columnTint(0, 0)[3], 0.0f);
}

} // namespace
