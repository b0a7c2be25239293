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
    void load(const synthetic::HeightFunction& height, float originX = 0, float originY = 0) {
        terrain.Clear(); // a loaded terrain would keep its first land
        synthetic::LandShape shape;
        shape.depth = 6;
        shape.height = height;
        shape.originX = originX;
        shape.originY = originY;
        ASSERT_TRUE(synthetic::loadLand(terrain, shape));
        wind.compute(); // no wind set: an empty field that answers (0, 0, 0)
    }
    Thermal::Birth birth(float speed, float height, float lifetime, float x = 500.0f) const {
        return {x, 500.0f, terrain.HeightAt(x, 500.0f) + 2.0f, 20.0f, speed, height, lifetime};
    }
    static int growUpdates(Thermal& thermal) {
        int updates = 0;
        for (; thermal.growing() && updates < 1000; ++updates)
            thermal.update(1.0);
        return updates;
    }
    static float headZ(const Thermal& t) { return t.points()[t.headIndex()][2]; }
    Terrain terrain;
    WindField wind{terrain};
};

} // namespace

// Growth advances one step per update: a rising head stops at its top, a
// sinking one (born at its top) at the ground, still air never holds up.
TEST_F(ThermalsOnLand, HeadsMoveOneStepPerUpdateUntilTopOrGround) {
    Thermal up(birth(5.0f, 100.0f, 1000.0f), terrain, wind);
    const float foot = up.points()[0][2];
    EXPECT_FLOAT_EQ(up.top(), foot + 100.0f);
    up.update(1.0);
    EXPECT_FLOAT_EQ(headZ(up), foot + 5.0f);
    EXPECT_EQ(1 + growUpdates(up), 20);
    EXPECT_GE(headZ(up), up.top());
    EXPECT_LT(headZ(up), up.top() + 5.0f);
    EXPECT_EQ(up.headIndex(), 4) << "a point every 30 m of climb";

    Thermal sink(birth(-4.0f, 50.0f, 1000.0f), terrain, wind);
    EXPECT_FLOAT_EQ(sink.points()[0][2], sink.top());
    EXPECT_EQ(growUpdates(sink), 14) << "52 m above the ground at 4 m/s";
    EXPECT_LT(headZ(sink), terrain.HeightAt(500.0f, 500.0f));

    Thermal still(birth(0.0f, 300.0f, 1000.0f), terrain, wind);
    for (int i = 0; i < 100; ++i)
        still.update(0.5);
    EXPECT_TRUE(still.growing());
    EXPECT_EQ(still.headIndex(), 1);
    EXPECT_FLOAT_EQ(still.points()[1][2], still.top()) << "still air is born at its top";
}

// The tail stays at the foot for the lifetime, then climbs (even while the
// head still grows) until it reaches the head: the thermal is dead.
TEST_F(ThermalsOnLand, TailWaitsItsLifetimeThenClimbsAndDiesAtTheHead) {
    Thermal thermal(birth(10.0f, 200.0f, 4.5f), terrain, wind);
    const auto foot = thermal.points()[0];
    int updates = 0;
    for (; thermal.alive() && updates < 1000; ++updates) {
        thermal.update(1.0);
        EXPECT_EQ(thermal.alive(), thermal.tailIndex() < thermal.headIndex());
        EXPECT_TRUE(updates != 3 || thermal.points()[0] == foot) << "within its lifetime";
        EXPECT_TRUE(updates != 4 || (thermal.points()[0][2] > foot[2] && thermal.growing()))
            << "climbing while the head still grows";
    }
    EXPECT_EQ(thermal.tailIndex(), thermal.headIndex());
    EXPECT_GT(updates, 20) << "the tail has to climb the whole column";
}

TEST_F(ThermalsOnLand, WindAtTheHeightAboveTheGroundBendsAndEndsTheColumn) {
    wind.setWind(towardsX, 20.0f);
    wind.compute();
    Thermal blown(birth(2.0f, 800.0f, 1000.0f, 960.0f), terrain, wind);
    EXPECT_LT(growUpdates(blown), 10);
    const auto& head = blown.points()[blown.headIndex()];
    EXPECT_GT(head[0], terrain.box().maxX) << "a head blown off the land ends there";
    EXPECT_FLOAT_EQ(blown.top(), head[2]);

    load([](float x, float) {
        return 100.0f + 150.0f * std::exp(-std::pow((x - 500.0f) / 150.0f, 2));
    });
    wind.setWind(towardsX, 10.0f);
    wind.compute();
    Thermal thermal(birth(3.0f, 300.0f, 100.0f, 380.0f), terrain, wind);
    const auto expected = wind.windAt(380.0f, 500.0f, 2.0f);
    for (int n = 0; n < 3; ++n)
        EXPECT_FLOAT_EQ(thermal.headWind()[n], expected[n]) << n;
    EXPECT_GT(thermal.headWind()[2], 0.5f) << "near the windward ground the air rises";
    // On the lee side the air sinks faster than a weak thermal climbs: the
    // rising head is held just over the ground, never under it.
    Thermal lee(birth(0.3f, 300.0f, 5.0f, 700.0f), terrain, wind);
    for (int i = 0; i < 30 && lee.alive(); ++i) {
        lee.update(1.0);
        const auto& p = lee.points()[lee.headIndex()];
        EXPECT_TRUE(!terrain.containsXY(p[0], p[1]) || p[2] >= terrain.HeightAt(p[0], p[1])) << i;
    }
}

// Over many seeded births on a land away from the origin: born inside the land
// less 10 m, about half sinking, one draw setting size, strength and lifetime,
// and a first step moving by the air (and its own speed upwards) times the step.
TEST_F(ThermalsOnLand, SeededBirthsStayInsideDriftWithTheWindAndHalfSink) {
    load([](float x, float y) { return 50.0f + 0.02f * x - 0.01f * y; }, 2000.0f, -3000.0f);
    wind.setWind(0.7f, 6.0f);
    wind.compute();
    Thermals thermals(terrain, wind);
    const TerrainBox& box = terrain.box();
    const Thermals::Ranges& r = thermals.ranges();
    int sinking = 0, count = 0;
    thermals.setMaxCount(50);
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        thermals.clear();
        thermals.random().seed(seed);
        thermals.update(0.0);
        std::vector<Thermal::Vec3> births, airs;
        for (const auto& t : thermals.list()) {
            const auto& p = t->points()[0];
            ASSERT_TRUE(p[0] >= box.minX + 10 && p[0] <= box.maxX - 10 && p[1] >= box.minY + 10 &&
                        p[1] <= box.maxY - 10)
                << p[0] << ", " << p[1];
            sinking += t->sinking();
            const float share = (t->radius() - r.rayonMin) / (r.rayonMax - r.rayonMin);
            ASSERT_NEAR(std::fabs(t->speed()), r.vitesseMin + (r.vitesseMax - r.vitesseMin) * share,
                        1e-3f);
            ASSERT_NEAR(t->lifetime(), r.timeMin + (r.timeMax - r.timeMin) * share, 1e-2f);
            births.push_back(t->points()[t->headIndex()]);
            airs.push_back(t->headWind());
        }
        thermals.update(0.5);
        for (std::size_t i = 0; i < births.size(); ++i, ++count) {
            const Thermal& t = *thermals.list()[i];
            const auto& head = t.points()[t.headIndex()];
            // Up or down by the air's own climb and the thermal's, unless held over the ground.
            const bool held = head[2] < terrain.HeightAt(head[0], head[1]) + 0.02f;
            for (int axis = 0; axis < 3 - held; ++axis)
                ASSERT_NEAR(head[axis] - births[i][axis],
                            (airs[i][axis] + (axis == 2 ? t.speed() : 0.0f)) * 0.5f, 1e-3f)
                    << "seed " << seed << " axis " << axis;
        }
    }
    EXPECT_EQ(count, 40 * 50);
    EXPECT_NEAR(sinking / 2000.0, 0.5, 0.05);
    EXPECT_GT(std::fabs(wind.baseWind()[1]), 1.0f) << "the drift is checked on a real y wind";
}

TEST_F(ThermalsOnLand, TheDeadLeaveOnePerUpdateAndTheLivingAreToppedUp) {
    Thermals thermals(terrain, wind);
    Thermals::Ranges r; // born at their top at once, dead at their second update
    r.altitudeMin = r.altitudeMax = r.timeMin = r.timeMax = 0.0f;
    r.vitesseMin = r.vitesseMax = 3.0f;
    thermals.setRanges(r);
    thermals.setMaxCount(5);
    thermals.random().seed(7);
    for (double dt : {0.0, 1.0, 1.0})
        thermals.update(dt);
    ASSERT_EQ(thermals.list().size(), 5u);
    ASSERT_EQ(thermals.livingCount(), 0);
    const Thermal* last = thermals.list().back().get();
    thermals.update(1.0); // the latest dead leaves, five new are born
    EXPECT_EQ(thermals.livingCount(), 5);
    EXPECT_EQ(thermals.list().size(), 9u);
    EXPECT_NE(thermals.list()[3].get(), last);
    thermals.setMaxCount(0);
    ASSERT_TRUE(thermals.compute());
    EXPECT_TRUE(thermals.list().empty());
}

TEST_F(ThermalsOnLand, ComputeRebuildsUnagedAndOnlyWhenSomethingChanged) {
    Thermals thermals(terrain, wind);
    ASSERT_TRUE(thermals.compute());
    EXPECT_TRUE(thermals.changed());
    EXPECT_EQ(thermals.livingCount(), 20);
    for (const auto& t : thermals.list())
        EXPECT_EQ(t->age(), 0.0f) << "a new population has not lived yet";
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
}

// Saved values come back; hand-edited ones are bounded (counts 0 to the
// maximum, ranges 0 to 1e7 with the minimum not above the maximum).
TEST(ThermalsParams, RoundTripAndBounds) {
    Terrain terrain;
    WindField wind(terrain);
    Thermals thermals(terrain, wind), back(terrain, wind);
    thermals.setRanges({3.0f, 33.0f, 10.0f, 120.0f, 1.5f, 5.0f, 100.0f, 1200.0f});
    thermals.setMaxCount(42);
    KeyValueFile file;
    thermals.saveParams(file);
    const auto& b = back.ranges();
    const auto all = [&b, &back] {
        return std::vector<float>({float(back.nbmax()), b.rayonMin, b.rayonMax, b.timeMin,
                                   b.timeMax, b.vitesseMin, b.vitesseMax, b.altitudeMin,
                                   b.altitudeMax});
    };
    const std::pair<std::string, std::vector<float>> rows[] = {
        {file.text(), {42, 3, 33, 10, 120, 1.5f, 5, 100, 1200}},
        {"pompe.nbmax = \"-4\"\npompe.rayonmin = \"-3\"\npompe.timemin = \"500\"\n"
         "pompe.vitessemax = \"1e39\"\npompe.rayonmax = \"1e9\"\n",
         {0, 0, 1e7f, 500, 500, 0.2f, 1e7f, 300, 800}},
        {"pompe.nbmax = \"5e9\"\npompe.altitudemin = \"900\"\n",
         {Thermals::maxCount, 8, 50, 30, 300, 0.2f, 8, 900, 900}},
    };
    for (const auto& [text, expected] : rows) {
        file.openText(text);
        back.readParams(file);
        EXPECT_EQ(all(), expected) << text;
    }
}
