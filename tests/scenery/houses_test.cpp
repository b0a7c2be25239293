// The houses' generated polygons: walls, gables, roofs and their overhangs.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

#include "scenery/RecordingSink_helpers.h"
#include "world/scenery/GableHouse.h"
#include "world/scenery/RoundHouse.h"
#include "world/scenery/ShedHouse.h"

namespace {
void place(Scenery& house, float height, float roof) {
    house.x = 100;
    house.y = 200;
    house.z = 50;
    house.width = 10;
    house.depth = 6;
    house.height = height;
    house.roofHeight = roof;
}

bool isRoof(const RecordingSink::Vertex& v) {
    return v.colour[1] < 0.5f;
}

float highest(const std::vector<RecordingSink::Vertex>& vertices, bool roof) {
    float top = -1e9f;
    for (const auto& v : vertices)
        if (isRoof(v) == roof) top = std::max(top, v.at[2]);
    return top;
}
} // namespace

TEST(Houses, GableHouseHasWallsToTheEavesAndARidgeAlongItsMiddle) {
    RecordingSink sink;
    GableHouse house;
    place(house, 6, 2);
    house.Emit(sink);
    ASSERT_EQ(sink.primitives.size(), 3u);
    EXPECT_EQ(sink.primitives[0].mode, unsigned(GL_QUADS));
    EXPECT_EQ(sink.primitives[0].vertices.size(), 16u);
    EXPECT_EQ(sink.primitives[1].mode, unsigned(GL_TRIANGLES));
    EXPECT_EQ(sink.primitives[2].vertices.size(), 8u);
    for (const auto& v : sink.primitives[0].vertices) {
        EXPECT_TRUE(v.at[2] == 50.0f || v.at[2] == 54.0f) << "walls 4 m high";
        EXPECT_FALSE(isRoof(v));
    }
    float minY = 1e9f, maxY = -1e9f, minX = 1e9f, maxX = -1e9f;
    for (const auto& v : sink.primitives[2].vertices) {
        EXPECT_TRUE(isRoof(v));
        if (v.at[2] == 56.0f)
            EXPECT_FLOAT_EQ(v.at[1], 203.0f) << "the ridge runs along the middle of the depth";
        else
            EXPECT_FLOAT_EQ(v.at[2], 54.0f);
        minX = std::min(minX, v.at[0]);
        maxX = std::max(maxX, v.at[0]);
        minY = std::min(minY, v.at[1]);
        maxY = std::max(maxY, v.at[1]);
    }
    EXPECT_FLOAT_EQ(minX, 99.8f);
    EXPECT_FLOAT_EQ(maxX, 110.2f);
    EXPECT_FLOAT_EQ(minY, 199.8f);
    EXPECT_FLOAT_EQ(maxY, 206.2f);
    EXPECT_FLOAT_EQ(highest(sink.all(), false), 56.0f) << "the gables reach the ridge";
}

TEST(Houses, ShedRoofRisesFromTheEavesToTheBackWall) {
    RecordingSink sink;
    ShedHouse house;
    place(house, 5, 1.5f);
    house.Emit(sink);
    ASSERT_EQ(sink.primitives.size(), 2u);
    const auto& roof = sink.primitives[1].vertices;
    ASSERT_EQ(roof.size(), 4u);
    for (const auto& v : roof) {
        if (v.at[1] == 206.0f)
            EXPECT_FLOAT_EQ(v.at[2], 55.0f) << "high side at y + depth, no overhang";
        else {
            EXPECT_FLOAT_EQ(v.at[1], 199.8f);
            EXPECT_FLOAT_EQ(v.at[2], 53.5f) << "eaves at the low side, 0.2 m out";
        }
    }
    for (const auto& v : sink.primitives[0].vertices) {
        if (v.at[1] == 200.0f) {
            EXPECT_LE(v.at[2], 53.5f) << "the front wall stops at the eaves";
        }
    }
}

TEST(Houses, RoundHouseStandsOnTheInscribedEllipse) {
    RecordingSink sink;
    RoundHouse house;
    place(house, 7, 3);
    house.Emit(sink);
    ASSERT_EQ(sink.primitives.size(), 2u);
    const auto& walls = sink.primitives[0].vertices;
    ASSERT_EQ(walls.size(), 48u) << "twelve wall quads";
    for (int k = 0; k < 12; ++k) {
        const float a = k * 30.0f * 0.01745329252f;
        EXPECT_NEAR(walls[4 * k].at[0], 100 + (std::cos(a) + 1) * 5, 1e-4f) << k;
        EXPECT_NEAR(walls[4 * k].at[1], 200 + (std::sin(a) + 1) * 3, 1e-4f) << k;
        EXPECT_FLOAT_EQ(walls[4 * k].at[2], 54.0f);
        EXPECT_FLOAT_EQ(walls[4 * k + 2].at[2], 50.0f);
    }
    const auto& cone = sink.primitives[1];
    EXPECT_EQ(cone.mode, unsigned(GL_TRIANGLE_FAN));
    ASSERT_EQ(cone.vertices.size(), 14u);
    EXPECT_FLOAT_EQ(cone.vertices[0].at[2], 57.0f);
    EXPECT_FLOAT_EQ(cone.vertices[1].at[0], 105 + 5.2f) << "overhang of 0.2 m";
    EXPECT_NEAR(cone.vertices[4].at[1], 203 + 3.2f, 1e-4f);
    EXPECT_NEAR(house.corners()[3][0], 0.0f, 1e-6f);
    EXPECT_NEAR(house.corners()[3][1], 1.0f, 1e-6f);
}
