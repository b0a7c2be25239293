// The sky box's geometry: a ceiling 1000 m over the highest ground, walls on
// the land's edges reaching 20 m past them, pictures the right way up.
#include <gtest/gtest.h>

#include <algorithm>

#include "scenery/RecordingSink_helpers.h"
#include "world/sky/SkyBox.h"

namespace {
// x 0..1000, y 0..500, z 100..300 as (max x, min x, max y, min y, max z, min z).
const SkyBox::Box landBox{1000, 0, 500, 0, 300, 100};
} // namespace

TEST(SkyBoxGeometry, CeilingSpansTheLandWithItsMargin) {
    SkyBox sky;
    sky.UpdateBox(landBox);
    RecordingSink sink;
    sky.EmitCeiling(sink);
    const auto corners = sink.all();
    ASSERT_EQ(corners.size(), 4u);
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const auto& v : corners) {
        EXPECT_EQ(v.at[2], 1300.0f);
        minX = std::min(minX, v.at[0]);
        maxX = std::max(maxX, v.at[0]);
        minY = std::min(minY, v.at[1]);
        maxY = std::max(maxY, v.at[1]);
        // The picture's first row runs along the south edge, its first column along the east.
        EXPECT_EQ(v.tex[1], v.at[1] < 0 ? 0.0f : 1.0f);
        EXPECT_EQ(v.tex[0], v.at[0] > 500 ? 0.0f : 1.0f);
    }
    EXPECT_EQ(minX, -20.0f);
    EXPECT_EQ(maxX, 1020.0f);
    EXPECT_EQ(minY, -20.0f);
    EXPECT_EQ(maxY, 520.0f);
}

TEST(SkyBoxGeometry, WallsStandOnTheEdgesWithTheirTopAtTheFirstRow) {
    SkyBox sky;
    sky.UpdateBox(landBox);
    RecordingSink sink;
    sky.EmitWalls(sink);
    const auto corners = sink.all();
    ASSERT_EQ(corners.size(), 16u);
    for (std::size_t wall = 0; wall < 4; ++wall) {
        int onEdge = 0;
        for (std::size_t i = 4 * wall; i < 4 * wall + 4; ++i) {
            const auto& v = corners[i];
            EXPECT_TRUE(v.at[2] == 80.0f || v.at[2] == 1320.0f);
            EXPECT_EQ(v.tex[1], v.at[2] == 1320.0f ? 0.0f : 1.0f) << "t = 0 at the top";
            onEdge += (v.at[0] == 0 || v.at[0] == 1000) && (wall % 2 == 1) ? 1 : 0;
            onEdge += (v.at[1] == 0 || v.at[1] == 500) && (wall % 2 == 0) ? 1 : 0;
        }
        EXPECT_EQ(onEdge, 4) << "wall " << wall << " stands on the land's edge";
    }
    EXPECT_EQ(corners[0].at[0], -20.0f);
    EXPECT_EQ(corners[2].at[0], 1020.0f);
    EXPECT_EQ(corners[4].at[1], 520.0f);
}
