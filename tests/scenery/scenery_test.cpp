// The sceneries' generated polygons: the houses' walls, gables, roofs and
// overhangs, the lattice tower's ribbons, and the tree billboard that faces the eye.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <array>
#include <memory>
#include <vector>

#include "world/scenery/PolygonSink.h"
#include "world/scenery/GableHouse.h"
#include "world/scenery/RoundHouse.h"
#include "world/scenery/Scenery.h"
#include "world/scenery/ShedHouse.h"
#include "world/scenery/TowerScenery.h"
#include "world/scenery/TreeScenery.h"

namespace {
// Keeps every primitive with each vertex's place, colour and picture coordinates.
struct RecordingSink : PolygonSink {
    struct Vertex {
        std::array<float, 3> at, colour;
        std::array<float, 2> tex;
    };
    struct Primitive {
        unsigned mode;
        std::vector<Vertex> vertices;
    };
    void begin(unsigned mode) override { primitives.push_back({mode, {}}); }
    void end() override {}
    void colour(float r, float g, float b) override { current = {r, g, b}; }
    void texCoord(float s, float t) override { tex = {s, t}; }
    void vertex(float x, float y, float z) override {
        if (primitives.empty()) primitives.push_back({0, {}}); // a caller began it for us
        primitives.back().vertices.push_back({{x, y, z}, current, tex});
    }
    std::vector<Vertex> all() const {
        std::vector<Vertex> result;
        for (const Primitive& p : primitives)
            result.insert(result.end(), p.vertices.begin(), p.vertices.end());
        return result;
    }
    std::vector<Primitive> primitives;
    std::array<float, 3> current{1.0f, 1.0f, 1.0f};
    std::array<float, 2> tex{0.0f, 0.0f};
};

RecordingSink emitted(Scenery& s, float x, float y, float z, float w, float d, float h,
                      float roof) {
    s.x = x, s.y = y, s.z = z, s.width = w, s.depth = d, s.height = h, s.roofHeight = roof;
    RecordingSink sink;
    s.Emit(sink);
    for (const auto& v : sink.all())
        for (float c : v.colour)
            EXPECT_TRUE(c >= 0.0f && c <= 1.0f) << "a colour GL can show as given";
    return sink;
}

bool isRoof(const RecordingSink::Vertex& v) {
    return v.colour[1] < 0.5f;
}
} // namespace

// Every house on (100, 200, 50), 10 x 6: walls up to the eaves, the roof
// above them, overhanging by 0.2 m where it ends in eaves.
TEST(Houses, WallsReachTheEavesAndRoofsOverhangThem) {
    GableHouse gable;
    auto sink = emitted(gable, 100, 200, 50, 10, 6, 6, 2);
    ASSERT_EQ(sink.primitives.size(), 3u);
    for (const auto& v : sink.primitives[0].vertices)
        EXPECT_TRUE((v.at[2] == 50.0f || v.at[2] == 54.0f) && !isRoof(v)) << "walls 4 m high";
    float box[4] = {1e9f, -1e9f, 1e9f, -1e9f};
    for (const auto& v : sink.primitives[2].vertices) {
        EXPECT_TRUE(isRoof(v));
        EXPECT_EQ(v.at[2], v.at[1] == 203.0f ? 56.0f : 54.0f) << "the ridge along the middle";
        box[0] = std::min(box[0], v.at[0]), box[1] = std::max(box[1], v.at[0]);
        box[2] = std::min(box[2], v.at[1]), box[3] = std::max(box[3], v.at[1]);
    }
    EXPECT_EQ(std::vector<float>(box, box + 4),
              (std::vector<float>{99.8f, 110.2f, 199.8f, 206.2f}));
    for (const auto& v : sink.primitives[1].vertices)
        EXPECT_EQ(v.at[2], v.at[1] == 203.0f ? 56.0f : 54.0f) << "the gables reach the ridge";

    ShedHouse shed;
    sink = emitted(shed, 100, 200, 50, 10, 6, 5, 1.5f);
    ASSERT_EQ(sink.primitives.size(), 2u);
    ASSERT_EQ(sink.primitives[1].vertices.size(), 4u);
    for (const auto& v : sink.primitives[1].vertices) // high at the back, eaves 0.2 m out in front
        EXPECT_EQ(v.at[2], v.at[1] == 206.0f ? 55.0f : v.at[1] == 199.8f ? 53.5f : -1.0f);
    for (const auto& v : sink.primitives[0].vertices)
        EXPECT_LE(v.at[2], v.at[1] == 200.0f ? 53.5f : 55.0f)
            << "the front wall stops at the eaves";

    RoundHouse round;
    sink = emitted(round, 100, 200, 50, 10, 6, 7, 3);
    ASSERT_EQ(sink.primitives.size(), 2u);
    const auto& walls = sink.primitives[0].vertices;
    ASSERT_EQ(walls.size(), 48u) << "twelve wall quads";
    for (int k = 0; k < 12; ++k) { // on the inscribed ellipse, each joining the next
        const float a = k * 30.0f * 0.01745329252f;
        EXPECT_NEAR(walls[4 * k].at[0], 100 + (std::cos(a) + 1) * 5, 1e-4f) << k;
        EXPECT_NEAR(walls[4 * k].at[1], 200 + (std::sin(a) + 1) * 3, 1e-4f) << k;
        EXPECT_EQ(walls[4 * k].at[2], 54.0f);
        EXPECT_EQ(walls[4 * k + 2].at[2], 50.0f);
        const auto& next = walls[4 * ((k + 1) % 12)].at;
        EXPECT_NEAR(walls[4 * k + 1].at[0], next[0], 1e-4f) << k;
        EXPECT_NEAR(walls[4 * k + 2].at[1], next[1], 1e-4f) << k;
    }
    const auto& cone = sink.primitives[1];
    EXPECT_EQ(cone.mode, unsigned(GL_TRIANGLE_FAN));
    ASSERT_EQ(cone.vertices.size(), 14u);
    EXPECT_EQ(cone.vertices[0].at[2], 57.0f);
    EXPECT_FLOAT_EQ(cone.vertices[1].at[0], 105 + 5.2f) << "overhang of 0.2 m";
}

// One face of the tower on a 4 x 4 base at (10, 20, 100), 30 m over its 1 m
// block: every ribbon end lies on a leg (at the leg's inset for its height) or
// midway between the legs, and runs along the face's own slope.
TEST(Tower, RibbonsJoinTheLegsAndTheMiddleAndTheTopIsRed) {
    TowerScenery tower;
    const auto sink = emitted(tower, 10, 20, 100, 4, 4, 30, 0);
    ASSERT_EQ(sink.primitives.size(), 48u);
    // The leg's inset: straight from the corner up to 0.82 of the height, then
    // up to the top section and in to the cap.
    const auto inset = [](float h) {
        return h <= 0.24f   ? h * 0.26f / 0.24f
               : h <= 0.82f ? 0.26f + (h - 0.24f) * 0.135f / 0.58f
               : h <= 0.98f ? 0.395f
                            : 0.395f + (h - 0.98f) * 0.055f / 0.02f;
    };
    int redRibbons = 0;
    for (const auto& p : sink.primitives) {
        ASSERT_EQ(p.vertices.size(), 4u);
        const bool red = p.vertices[0].colour[0] > 0.7f && p.vertices[0].colour[1] < 0.1f;
        redRibbons += red;
        const float upper = (std::max(p.vertices[0].at[2], p.vertices[1].at[2]) - 101) / 30;
        EXPECT_EQ(red, upper > 0.82f + 1e-4f) << "red above the bar at 0.82 of the height";
        for (int end = 0; end < 2; ++end) {
            const auto& at = p.vertices[end].at;
            const float fx = (at[0] - 10) / 4, fy = (at[1] - 20) / 4, h = (at[2] - 101) / 30;
            SCOPED_TRACE(testing::Message() << fx << ", " << fy << ", " << h);
            ASSERT_TRUE(h >= -1e-5f && h <= 1.0f + 1e-5f);
            EXPECT_NEAR(fy, inset(h), 2e-3f);
            EXPECT_TRUE(std::fabs(fx - fy) < 2e-3f || std::fabs(fx - 1 + fy) < 2e-3f ||
                        std::fabs(fx - 0.5f) < 1e-5f);
        }
        const float across = std::hypot(p.vertices[3].at[0] - p.vertices[0].at[0],
                                        p.vertices[3].at[2] - p.vertices[0].at[2]);
        EXPECT_TRUE(std::fabs(across - 0.1f) < 1e-4f || std::fabs(across - 0.05f) < 1e-4f);
    }
    EXPECT_EQ(redRibbons, 4 + 13) << "the post tops and the top section are red";
    RecordingSink block, rod; // the block and the rod surround the faces
    tower.EmitBlock(block);
    tower.EmitRod(rod);
    ASSERT_EQ(block.all().size(), 20u) << "four sides and a top";
    for (const auto& v : block.all())
        EXPECT_TRUE((v.at[2] == 100.0f || v.at[2] == 101.0f) && v.colour[0] == 0.2f);
    ASSERT_EQ(rod.primitives.size(), 2u);
    EXPECT_FLOAT_EQ(rod.primitives[0].vertices[0].at[0], 11.95f);
    EXPECT_EQ(rod.primitives[0].vertices[1].at,
              (std::array<float, 3>{12.05f, 22.05f, 101 + 1.14f * 30}));
}

// The billboard is a square picture standing up, t = 0 along its top; turned
// to the eye, it stands on the foot, half its side either way, square to the
// eye, with the picture's left edge (s = 0) on the eye's right.
TEST(Tree, BillboardIsASquarePictureUpThatTurnsToFaceTheEyeFromEverySide) {
    TreeScenery tree(100, 200, 50, 8, nullptr);
    RecordingSink local;
    tree.Emit(local);
    const auto own = local.all();
    ASSERT_EQ(own.size(), 4u);
    for (const auto& v : own) {
        EXPECT_EQ(std::abs(v.at[0]), 4.0f);
        EXPECT_EQ(v.at[1], 0.0f);
        EXPECT_TRUE(v.at[2] == 0.0f || v.at[2] == 8.0f);
        EXPECT_EQ(v.tex[1], v.at[2] == 8.0f ? 0.0f : 1.0f) << "t = 0 along the top";
        EXPECT_EQ(v.tex[0], v.at[0] > 0 ? 1.0f : 0.0f);
    }
    for (float bearing = 0.25f; bearing < 6.28f; bearing += 0.5f) {
        SCOPED_TRACE(bearing);
        const float eyeX = 100 + 40 * std::cos(bearing), eyeY = 200 + 40 * std::sin(bearing);
        const float a = tree.FacingAngle(eyeX, eyeY) * 0.01745329252f;
        // The quad's -y side, turned by a about z, faces the eye.
        EXPECT_NEAR(std::sin(a) * (eyeX - 100) - std::cos(a) * (eyeY - 200), 40.0f, 1e-2f);
        RecordingSink facing;
        tree.EmitFacing(facing, eyeX, eyeY);
        const auto quad = facing.all();
        ASSERT_EQ(quad.size(), 4u);
        for (std::size_t i = 0; i < quad.size(); ++i) {
            const float dx = quad[i].at[0] - 100, dy = quad[i].at[1] - 200;
            EXPECT_NEAR(std::hypot(dx, dy), 4.0f, 1e-4f);
            EXPECT_FLOAT_EQ(quad[i].at[2], 50 + own[i].at[2]);
            EXPECT_NEAR(dx * (eyeX - 100) + dy * (eyeY - 200), 0.0f, 1e-2f);
            EXPECT_EQ((eyeX - 100) * dy - (eyeY - 200) * dx < 0.0f, own[i].tex[0] == 0.0f);
            EXPECT_EQ(quad[i].tex, own[i].tex);
        }
    }
}
