#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"
#include "world/wind/LiftMap.h"
#include "world/wind/WindField.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

TEST(LiftMap, TintFollowsTheVerticalSpeedAndSaturatesAtThreeMetresPerSecond) {
    const float full = LiftMap::strongestOpacity, nan = std::numeric_limits<float>::quiet_NaN();
    // speed and opacity; rising air shows red, sinking air blue
    const std::pair<float, float> cases[] = {
        {0.0f, 0.0f},  {0.3f, 0.1f * full}, {1.5f, 0.5f * full},
        {3.0f, full},  {7.0f, full},        {-0.75f, 0.25f * full},
        {-3.0f, full}, {-30.0f, full},      {nan, 0.0f}};
    for (const auto& [speed, opacity] : cases) {
        const LiftMap::Tint tint = LiftMap::tint(speed);
        EXPECT_NEAR(tint[3], opacity, 1e-6f) << speed;
        EXPECT_TRUE(opacity == 0.0f || (tint[0] > tint[2]) == (speed > 0)) << speed;
    }
}

TEST(LiftMap, ColumnsTakeTheFieldsVerticalWindAtTheChosenHeight) {
    Terrain terrain;
    synthetic::LandShape shape;
    shape.height = [](float x, float) { return 120.0f * std::exp(-std::pow((x - 500) / 150, 2)); };
    ASSERT_TRUE(synthetic::loadLand(terrain, shape));
    WindField wind(terrain);
    wind.setGrid(20, 12);
    wind.setWind(-std::numbers::pi_v<float> / 2.0f, 9.0f); // along +x
    wind.compute();
    LiftMap map;
    for (float height : {40.0f, 80.0f}) {
        map.setHeight(height);
        map.follow(wind, terrain);
        ASSERT_EQ(map.columns(), 20);
        for (int c = 0; c < 400; ++c) {
            const float x = terrain.box().minX + (c % 20 + 0.5f) * wind.dx();
            const float y = terrain.box().minY + (c / 20 + 0.5f) * wind.dy();
            const LiftMap::Tint expected = LiftMap::tint(wind.windAt(x, y, height)[2]);
            for (int n = 0; n < 4; ++n)
                ASSERT_NEAR(map.columnTint(c % 20, c / 20)[n], expected[n], 1.0f / 255) << c;
        }
    }
    wind.setWind(0.0f, 0.0f); // no wind: nothing to tint
    wind.compute();
    map.follow(wind, terrain);
    EXPECT_EQ(map.columns(), 0);
    EXPECT_EQ(map.columnTint(0, 0)[3], 0.0f);
}
