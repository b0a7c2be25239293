#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "io/KeyValueFile.h"
#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"
#include "world/thermals/Thermal.h"
#include "world/thermals/Thermals.h"
#include "world/wind/WindField.h"

namespace {

constexpr float towardsX = -std::numbers::pi_v<float> / 2.0f; // north is +y

class ThermalsOnLand : public ::testing::Test {
  protected:
    void SetUp() override {
        load([](float, float) { return 10.0f; });
    }

    void load(const synthetic::HeightFunction& height) {
        terrain.Clear(); // a loaded terrain would keep its first land
        synthetic::LandShape shape;
        shape.depth = 6;
        shape.height = height;
        ASSERT_TRUE(synthetic::loadLand(terrain, shape));
        wind.compute(); // no wind set: an empty field that answers (0, 0, 0)
    }

    Thermal::Birth birth(float speed, float height, float lifetime) const {
        Thermal::Birth b;
        b.x = 500.0f;
        b.y = 500.0f;
        b.foot = terrain.HeightAt(b.x, b.y) + 2.0f;
        b.radius = 20.0f;
        b.speed = speed;
        b.height = height;
        b.lifetime = lifetime;
        return b;
    }

    // Thermals that are born, reach their top at once and die at their second
    // update of one second.
    void shortLived(Thermals& thermals, int count) {
        Thermals::Ranges r;
        r.altitudeMin = r.altitudeMax = 0.0f;
        r.vitesseMin = r.vitesseMax = 3.0f;
        r.timeMin = r.timeMax = 0.0f;
        thermals.setRanges(r);
        thermals.setMaxCount(count);
        thermals.random().seed(7);
        thermals.update(0.0);
    }

    Terrain terrain;
    WindField wind{terrain};
};

} // namespace

TEST_F(ThermalsOnLand, RisingHeadClimbsOneStepPerUpdateAndStopsAtItsTop) {
    Thermal thermal(birth(5.0f, 100.0f, 1000.0f), terrain, wind);
    const float foot = thermal.points()[0][2];
    EXPECT_FLOAT_EQ(thermal.top(), foot + 100.0f);

    thermal.update(1.0);
    EXPECT_FLOAT_EQ(thermal.points()[thermal.headIndex()][2], foot + 5.0f)
        << "growth must advance one step per update";
    EXPECT_TRUE(thermal.growing());

    int updates = 1;
    while (thermal.growing() && updates < 1000) {
        thermal.update(1.0);
        ++updates;
    }
    const float headZ = thermal.points()[thermal.headIndex()][2];
    EXPECT_EQ(updates, 20);
    EXPECT_GE(headZ, thermal.top());
    EXPECT_LT(headZ, thermal.top() + 5.0f);
    // A point every 30 m of climb: 100 m give the start point and four more.
    EXPECT_EQ(thermal.headIndex(), 4);
    EXPECT_TRUE(thermal.alive());
}

TEST_F(ThermalsOnLand, AirThatCannotMoveNeverHoldsUpAnUpdate) {
    Thermal still(birth(0.0f, 300.0f, 1000.0f), terrain, wind);
    for (int i = 0; i < 100; ++i)
        still.update(0.5);
    EXPECT_TRUE(still.growing());
    EXPECT_EQ(still.headIndex(), 1);
    EXPECT_FLOAT_EQ(still.points()[1][2], still.top()) << "still air is born at its top";
}

TEST_F(ThermalsOnLand, SinkingHeadStopsAtTheGround) {
    Thermal sink(birth(-4.0f, 50.0f, 1000.0f), terrain, wind);
    EXPECT_FLOAT_EQ(sink.points()[0][2], sink.top());
    int updates = 0;
    while (sink.growing() && updates < 1000) {
        sink.update(1.0);
        ++updates;
    }
    EXPECT_EQ(updates, 14); // 52 m above the ground at 4 m/s
    EXPECT_LT(sink.points()[sink.headIndex()][2], terrain.HeightAt(500.0f, 500.0f));
}

TEST_F(ThermalsOnLand, TailDiesOnlyWhenItReachesTheHead) {
    Thermal thermal(birth(10.0f, 200.0f, 4.5f), terrain, wind);
    bool tailMovedWhileGrowing = false;
    int updates = 0;
    while (thermal.alive() && updates < 1000) {
        const float tailBefore = thermal.points()[thermal.tailIndex()][2];
        const int tailIndexBefore = thermal.tailIndex();
        thermal.update(1.0);
        ++updates;
        EXPECT_EQ(thermal.alive(), thermal.tailIndex() < thermal.headIndex());
        if (thermal.age() <= thermal.lifetime()) {
            EXPECT_EQ(thermal.tailIndex(), 0);
            EXPECT_FLOAT_EQ(thermal.points()[0][2], tailBefore) << "the tail waits its lifetime";
        } else if (thermal.growing() && (thermal.tailIndex() != tailIndexBefore ||
                                         thermal.points()[thermal.tailIndex()][2] != tailBefore)) {
            tailMovedWhileGrowing = true;
        }
    }
    EXPECT_TRUE(tailMovedWhileGrowing) << "a lifetime ending during growth starts the tail";
    EXPECT_FALSE(thermal.alive());
    EXPECT_EQ(thermal.tailIndex(), thermal.headIndex());
    EXPECT_GT(updates, 20) << "the tail has to climb the whole column";
}

TEST_F(ThermalsOnLand, RisingHeadBlownOffTheLandEndsThere) {
    wind.setWind(towardsX, 20.0f);
    wind.compute();
    Thermal::Birth b = birth(2.0f, 800.0f, 1000.0f);
    b.x = 960.0f;
    Thermal thermal(b, terrain, wind);
    int updates = 0;
    while (thermal.growing() && updates < 100) {
        thermal.update(1.0);
        ++updates;
    }
    const auto& head = thermal.points()[thermal.headIndex()];
    EXPECT_GT(head[0], terrain.box().maxX);
    EXPECT_FLOAT_EQ(thermal.top(), head[2]);
    EXPECT_LT(updates, 10);
}

TEST_F(ThermalsOnLand, WindIsTakenAtTheHeightAboveTheGround) {
    load([](float x, float) {
        const float across = (x - 500.0f) / 150.0f;
        return 100.0f + 150.0f * std::exp(-across * across);
    });
    wind.setWind(towardsX, 10.0f);
    wind.compute();
    Thermal::Birth b = birth(3.0f, 300.0f, 100.0f);
    b.x = 380.0f;
    b.foot = terrain.HeightAt(b.x, b.y) + 2.0f;
    Thermal thermal(b, terrain, wind);
    const auto expected = wind.windAt(b.x, b.y, 2.0f);
    for (int n = 0; n < 3; ++n)
        EXPECT_FLOAT_EQ(thermal.headWind()[n], expected[n]) << n;
    EXPECT_GT(thermal.headWind()[2], 0.5f) << "near the windward ground the air rises";
}

TEST_F(ThermalsOnLand, BirthsStayTenMetresInsideAndHalfTheAirSinks) {
    Thermals thermals(terrain, wind);
    thermals.setMaxCount(4000);
    thermals.random().seed(12345);
    thermals.update(0.0);
    ASSERT_EQ(thermals.list().size(), 4000u);
    const TerrainBox& box = terrain.box();
    const Thermals::Ranges& r = thermals.ranges();
    int sinking = 0;
    for (const auto& t : thermals.list()) {
        const auto& p = t->points()[0];
        EXPECT_GE(p[0], box.minX + 10.0f);
        EXPECT_LE(p[0], box.maxX - 10.0f);
        EXPECT_GE(p[1], box.minY + 10.0f);
        EXPECT_LE(p[1], box.maxY - 10.0f);
        sinking += t->sinking();
        // One draw sets size, strength, height and lifetime together.
        const float share = (t->radius() - r.rayonMin) / (r.rayonMax - r.rayonMin);
        EXPECT_NEAR(std::fabs(t->speed()), r.vitesseMin + (r.vitesseMax - r.vitesseMin) * share,
                    1e-3f);
        EXPECT_NEAR(t->lifetime(), r.timeMin + (r.timeMax - r.timeMin) * share, 1e-2f);
    }
    EXPECT_NEAR(sinking / 4000.0, 0.5, 0.04);
}

TEST_F(ThermalsOnLand, DeadThermalsLeaveOnePerUpdate) {
    Thermals thermals(terrain, wind);
    shortLived(thermals, 5);
    thermals.update(1.0); // heads stop
    thermals.update(1.0); // tails catch up: all die while counted as living
    ASSERT_EQ(thermals.list().size(), 5u);
    ASSERT_EQ(thermals.livingCount(), 0);

    thermals.setMaxCount(0);
    for (int left = 4; left >= 0; --left) {
        const Thermal* last = thermals.list().back().get();
        thermals.update(1.0);
        EXPECT_EQ(thermals.list().size(), static_cast<std::size_t>(left));
        if (left > 0) EXPECT_NE(thermals.list().back().get(), last) << "the latest dead goes first";
    }
}

TEST_F(ThermalsOnLand, LivingCountIsToppedUpToTheTarget) {
    Thermals thermals(terrain, wind);
    shortLived(thermals, 5);
    thermals.update(1.0);
    thermals.update(1.0);
    thermals.update(1.0); // one dead leaves, five new are born
    EXPECT_EQ(thermals.livingCount(), 5);
    EXPECT_EQ(thermals.list().size(), 9u);

    thermals.setMaxCount(12);
    thermals.update(0.01);
    EXPECT_EQ(thermals.livingCount(), 12);

    Thermals none(terrain, wind);
    none.setMaxCount(0);
    ASSERT_TRUE(none.compute());
    none.update(1.0);
    EXPECT_TRUE(none.list().empty());
}

TEST_F(ThermalsOnLand, ComputeRebuildsOnlyWhenSomethingChanged) {
    Thermals thermals(terrain, wind);
    ASSERT_TRUE(thermals.compute());
    EXPECT_TRUE(thermals.changed());
    EXPECT_EQ(thermals.livingCount(), 20);
    const Thermal* first = thermals.list().front().get();

    KeyValueFile none;
    ASSERT_TRUE(terrain.Load(none)); // clears just-loaded
    wind.compute();                  // clean: changed is cleared
    thermals.compute();
    EXPECT_FALSE(thermals.changed());
    EXPECT_EQ(thermals.list().front().get(), first);

    wind.setWind(towardsX, 6.0f);
    wind.compute();
    thermals.compute();
    EXPECT_TRUE(thermals.changed());
    EXPECT_EQ(thermals.livingCount(), 20);
}

TEST(ThermalsParams, RoundTripAndBounds) {
    Terrain terrain;
    WindField wind(terrain);
    Thermals thermals(terrain, wind);
    Thermals::Ranges r;
    r.rayonMin = 3.0f;
    r.rayonMax = 33.0f;
    r.timeMax = 120.0f;
    r.vitesseMin = 1.5f;
    r.altitudeMax = 1200.0f;
    thermals.setRanges(r);
    thermals.setMaxCount(42);
    KeyValueFile file;
    thermals.saveParams(file);
    EXPECT_EQ(file.getString("pompe.nbmax"), "42");
    EXPECT_EQ(file.getString("pompe.rayonmin"), "3.000000");

    Thermals back(terrain, wind);
    back.readParams(file);
    EXPECT_EQ(back.nbmax(), 42);
    EXPECT_FLOAT_EQ(back.ranges().rayonMin, 3.0f);
    EXPECT_FLOAT_EQ(back.ranges().rayonMax, 33.0f);
    EXPECT_FLOAT_EQ(back.ranges().timeMax, 120.0f);
    EXPECT_FLOAT_EQ(back.ranges().vitesseMin, 1.5f);
    EXPECT_FLOAT_EQ(back.ranges().altitudeMax, 1200.0f);

    file.openText("pompe.nbmax = \"-4\"\npompe.rayonmin = \"-3\"\npompe.timemin = \"500\"\n"
                  "pompe.vitessemax = \"1e39\"\npompe.rayonmax = \"1e39\"\n");
    back.readParams(file);
    EXPECT_EQ(back.nbmax(), 0);
    EXPECT_FLOAT_EQ(back.ranges().rayonMin, 0.0f);
    EXPECT_FLOAT_EQ(back.ranges().timeMin, 500.0f);
    EXPECT_GE(back.ranges().timeMax, back.ranges().timeMin);
    EXPECT_LE(back.ranges().vitesseMax, 1e7f);
    EXPECT_TRUE(std::isfinite(back.ranges().rayonMax * back.ranges().rayonMax));
    file.openText("pompe.nbmax = \"5e9\"\n");
    back.readParams(file);
    EXPECT_EQ(back.nbmax(), Thermals::maxCount);
}
