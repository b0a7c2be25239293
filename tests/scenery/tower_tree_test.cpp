// The lattice tower's ribbons and the tree billboard that faces the eye.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cmath>

#include "scenery/RecordingSink_helpers.h"
#include "world/scenery/Scenery.h"
#include "world/scenery/TowerScenery.h"
#include "world/scenery/TreeScenery.h"

namespace {
void place(TowerScenery& t) {
    t.x = 10;
    t.y = 20;
    t.z = 100;
    t.width = 4;
    t.depth = 4;
    t.height = 30;
}

bool red(const RecordingSink::Vertex& v) {
    return v.colour[0] > 0.7f && v.colour[1] < 0.1f;
}
} // namespace

TEST(Tower, FaceIsFortyEightRibbonsInGreyAndRed) {
    RecordingSink sink;
    TowerScenery t;
    place(t);
    t.Emit(sink);
    ASSERT_EQ(sink.primitives.size(), 48u);
    int redRibbons = 0;
    for (const auto& p : sink.primitives) {
        ASSERT_EQ(p.vertices.size(), 4u);
        redRibbons += red(p.vertices[0]) ? 1 : 0;
    }
    EXPECT_EQ(redRibbons, 4 + 13) << "the post tops and the top section are red";
    EXPECT_TRUE(red(sink.primitives[2].vertices[0]));
    EXPECT_FALSE(red(sink.primitives[4].vertices[0]));
    // Row 1 starts on top of the 1 m block at the face's corner.
    const auto& first = sink.primitives[0].vertices;
    EXPECT_FLOAT_EQ(first[0].at[0], 10.0f);
    EXPECT_FLOAT_EQ(first[0].at[2], 101.0f);
    EXPECT_FLOAT_EQ(first[1].at[0], 10 + 0.26f * 4);
    EXPECT_FLOAT_EQ(first[1].at[1], 20 + 0.26f * 4);
    EXPECT_FLOAT_EQ(first[1].at[2], 101 + 0.24f * 30);
    RecordingSink block, rod; // the block and the rod surround the faces
    t.EmitBlock(block);
    t.EmitRod(rod);
    ASSERT_EQ(block.all().size(), 20u) << "four sides and a top";
    for (const auto& v : block.all())
        EXPECT_TRUE((v.at[2] == 100.0f || v.at[2] == 101.0f) && v.colour[0] == 0.2f);
    ASSERT_EQ(rod.primitives.size(), 2u);
    EXPECT_FLOAT_EQ(rod.primitives[0].vertices[0].at[0], 11.95f);
    EXPECT_FLOAT_EQ(rod.primitives[0].vertices[1].at[2], 101 + 1.14f * 30);
}

TEST(Tower, RibbonsAreAsWideAsAskedAndSquareToTheirLength) {
    RecordingSink sink;
    const float from[3] = {0, 5, 0}, to[3] = {3, 5, 4};
    TowerScenery::Ribbon(sink, false, from, to, 0.5f);
    TowerScenery::Ribbon(sink, true, from, to, -0.5f);
    const auto& flat = sink.primitives[0].vertices;
    const float wx = flat[3].at[0] - flat[0].at[0], wz = flat[3].at[2] - flat[0].at[2];
    EXPECT_NEAR(std::sqrt(wx * wx + wz * wz), 0.5f, 1e-5f);
    EXPECT_NEAR(wx * 3 + wz * 4, 0.0f, 1e-5f) << "across the ribbon's length";
    EXPECT_FLOAT_EQ(flat[3].at[1], 5.0f) << "stays in its x-z plane";
    const auto& side = sink.primitives[1].vertices;
    // In the y-z plane the run along y is 0: the ribbon is offset along y only,
    // by the full width, to the negative side.
    EXPECT_NEAR(side[3].at[1] - side[0].at[1], -0.5f, 1e-5f) << "negative width: other side";
    EXPECT_FLOAT_EQ(side[3].at[0], 0.0f);
}

TEST(Tree, BillboardIsASquarePictureUpThatTurnsToFaceTheEyeFromEverySide) {
    TreeScenery square(0, 0, 0, 0, nullptr); // built later with a real size
    square.width = 6;
    square.height = 10;
    RecordingSink sink;
    square.Emit(sink);
    ASSERT_EQ(sink.all().size(), 4u);
    for (const auto& v : sink.all()) {
        EXPECT_FLOAT_EQ(std::abs(v.at[0]), 3.0f);
        EXPECT_EQ(v.at[1], 0.0f);
        EXPECT_FLOAT_EQ(v.tex[1], v.at[2] == 6.0f ? 0.0f : 1.0f) << "t = 0 along the top";
    }
    TreeScenery tree(100, 200, 0, 0, nullptr);
    for (float bearing = 0.0f; bearing < 6.28f; bearing += 0.5f) {
        const float eyeX = 100 + 50 * std::cos(bearing), eyeY = 200 + 50 * std::sin(bearing);
        const float a = tree.FacingAngle(eyeX, eyeY) * 0.01745329252f;
        // The quad's -y side, turned by a about z.
        const float facingX = std::sin(a), facingY = -std::cos(a);
        EXPECT_NEAR(facingX * (eyeX - 100) + facingY * (eyeY - 200), 50.0f, 1e-2f) << bearing;
    }
}

TEST(Tree, FacingQuadStandsOnTheFootSquareToTheEye) {
    TreeScenery tree(100, 200, 50, 0, nullptr);
    tree.width = 8;
    RecordingSink local;
    tree.Emit(local);
    const auto ownQuad = local.all();
    for (float bearing = 0.25f; bearing < 6.28f; bearing += 0.7f) {
        const float eyeX = 100 + 40 * std::cos(bearing), eyeY = 200 + 40 * std::sin(bearing);
        RecordingSink facing;
        tree.EmitFacing(facing, eyeX, eyeY);
        const auto quad = facing.all();
        ASSERT_EQ(quad.size(), 4u);
        for (std::size_t i = 0; i < quad.size(); ++i) {
            const auto& v = quad[i];
            const auto& own = ownQuad[i];
            const float dx = v.at[0] - 100, dy = v.at[1] - 200;
            EXPECT_NEAR(std::hypot(dx, dy), 4.0f, 1e-4f) << "half the side from the foot";
            EXPECT_FLOAT_EQ(v.at[2], 50 + own.at[2]) << "standing on the foot";
            EXPECT_NEAR(dx * (eyeX - 100) + dy * (eyeY - 200), 0.0f, 1e-2f) << "square to the eye";
            // The picture's left edge (s = 0) stays on the eye's right, as with Draw.
            const float side = (eyeX - 100) * dy - (eyeY - 200) * dx;
            EXPECT_EQ(side < 0.0f, own.tex[0] == 0.0f) << bearing;
            EXPECT_EQ(v.tex, own.tex);
        }
    }
}

TEST(SceneryTypes, LandFileNumbersMakeTheirClasses) {
    EXPECT_NE(dynamic_cast<TowerScenery*>(Scenery::Create(11).get()), nullptr);
    EXPECT_NE(Scenery::Create(21), nullptr);
    EXPECT_NE(Scenery::Create(22), nullptr);
    EXPECT_NE(Scenery::Create(23), nullptr);
    EXPECT_EQ(Scenery::Create(5), nullptr);
    EXPECT_EQ(Scenery::Create(0), nullptr);
    EXPECT_TRUE(Scenery::HasRoof(22));
    EXPECT_FALSE(Scenery::HasRoof(11));
}
