#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "wind/SyntheticLand.h"
#include "world/wind/LiftMap.h"
#include "world/wind/WindField.h"
#include "world/wind/WindSolver.h"

namespace {

// With north along +y (the default), this direction makes the wind blow to +x.
constexpr float towardsX = -std::numbers::pi_v<float> / 2.0f;

float ridge(float x, float y) {
    return 20.0f + 120.0f * std::exp(-std::pow((x - 500.0f) / 150.0f, 2.0f)) + 0.02f * y;
}

class WindOnLand : public ::testing::Test {
  protected:
    void load(const synthetic::HeightFunction& height, int depth = 8) {
        terrain.Clear(); // a loaded terrain would keep its first land
        synthetic::LandShape shape;
        shape.depth = depth;
        shape.height = height;
        ASSERT_TRUE(synthetic::loadLand(terrain, shape));
    }
    WindSolver solver(int n, float u, float v, const std::vector<float>& thickness,
                      float gamma = -0.008f) {
        const float d = terrain.extents()[0] / n;
        WindSolver s({n, n, int(thickness.size()), d, d, gamma, 296.0f, 0.2f, u, v}, thickness,
                     terrain);
        s.initialLift();
        return s;
    }
    Terrain terrain;
    WindField field{terrain};
};

// The largest divergence of a layer worked out from the solver's winds: centred
// differences, a column's own value standing in beyond the grid's edge.
float largestDivergence(const WindSolver& s, int n, float d, int k, float thickness) {
    float largest = 0.0f;
    for (int c = 0; c < n * n; ++c) {
        const int i = c % n, j = c / n, e = std::min(i + 1, n - 1), w = std::max(i - 1, 0);
        const int north = std::min(j + 1, n - 1), south = std::max(j - 1, 0);
        const float div = (s.u(e, j, k) - s.u(w, j, k)) / (2 * d) +
                          (s.v(i, north, k) - s.v(i, south, k)) / (2 * d) +
                          (s.w(i, j, k + 1) - s.w(i, j, k)) / thickness;
        largest = std::max(largest, std::fabs(div));
    }
    return largest;
}

} // namespace

// No relief: every layer on the ground, the base wind in every cell, also beside
// cells the land's triangles leave uncovered (an unused point widens the rectangle).
TEST(WindOverFlatLand, KeepsTheBaseWindInEveryCell) {
    for (const char* extraPoint : {"", "1500 1500 10 "}) {
        synthetic::LandShape shape;
        shape.depth = 4;
        shape.height = [](float, float) { return 10.0f; };
        std::string text = synthetic::LandBuilder(shape).text();
        text.insert(text.find("\"\nterrain.triangles"), extraPoint);
        KeyValueFile file;
        file.openText(text);
        Terrain terrain;
        ASSERT_TRUE(terrain.Load(file));
        WindField field(terrain);
        field.setGrid(30, 4);
        field.setWind(0.17f, 8.0f);
        ASSERT_TRUE(field.compute() && !field.empty());
        EXPECT_EQ(field.layerHeights(), std::vector<float>(4, 0.0f));
        for (int n = 0; n < 30 * 30 * 4; ++n) {
            const auto cell = field.cell(n % 30, n / 30 % 30, n / 900);
            ASSERT_EQ(cell[0], field.baseWind()[0]) << n;
            ASSERT_EQ(cell[1], field.baseWind()[1]) << n;
            ASSERT_NEAR(cell[2], 0.0f, 1e-5f) << n; // only interpolation rounding lifts the air
        }
    }
}

TEST_F(WindOnLand, SolverLiftsBySlopeTimesSpeedFadingUpwardAndRelaxesBothAxes) {
    const float slope = 0.1f, stable = WindSolver::bruntVaisala(-0.008f, 296.0f);
    EXPECT_NEAR(stable, std::sqrt(0.002 * 9.8 / 296.0), 1e-6);
    load([slope](float x, float) { return slope * x; });
    const std::pair<float, float> decays[] = {
        {-0.02f, 0.004f}, {-0.01f, 0.004f}, {-0.008f, stable / 6}};
    for (const auto& [gamma, decay] : decays)
        EXPECT_NEAR(solver(10, 6.0f, 0.0f, {1.0f}, gamma).decayRate(6), decay, 1e-7f) << gamma;
    WindSolver s = solver(10, 6.0f, 0.0f, {1.0f, 3.0f, 5.0f, 7.0f});
    EXPECT_NEAR(s.w(4, 5, 0), 6.0f * slope, 1e-4f);
    // Higher up the lift fades towards (1 - alpha) of its ground value.
    EXPECT_LT(s.w(4, 5, 4), s.w(4, 5, 1));
    EXPECT_GT(s.w(4, 5, 4), 0.8f * 6.0f * slope - 1e-4f);
    // At the grid's edge a column stands in for its missing neighbour.
    EXPECT_NEAR(s.w(0, 5, 0), 6.0f * slope * 0.5f, 1e-4f);
    s.correctTop();
    for (int i = 0; i < 10; ++i)
        EXPECT_NEAR(s.w(i, 3, 4), 0.0f, 1e-6f) << i;
    EXPECT_NEAR(s.w(4, 5, 0), 6.0f * slope, 1e-4f) << "the ground value stays";

    // A hill, so that the wind meets slopes along x and along y.
    load([](float x, float y) { return 150.0f * std::exp(-std::hypot(x - 500, y - 450) / 180); });
    const int n = 30;
    WindSolver hill = solver(n, 6.0f, 4.0f, {10.0f, 40.0f, 100.0f});
    hill.correctTop();
    const float d = terrain.extents()[0] / n;
    const float before = largestDivergence(hill, n, d, 0, 10.0f), liftBefore = hill.w(12, 17, 1);
    const LayerRelaxation layer = hill.relaxLayer(0, 50, 5e-6f);
    const float after = largestDivergence(hill, n, d, 0, 10.0f);
    EXPECT_NEAR(layer.divergenceBefore, before, 1e-4f * before);
    EXPECT_NEAR(layer.divergenceAfter, after, 1e-3f * before);
    EXPECT_LT(after, 0.1f * before);
    EXPECT_EQ(hill.w(12, 17, 1), liftBefore) << "the relaxation leaves the vertical wind alone";
}

TEST_F(WindOnLand, OverARidgeAirRisesWindwardSinksLeeAndQueriesHoldAtTheEdges) {
    load(ridge);
    field.setWind(towardsX, 10.0f);
    ASSERT_TRUE(field.compute());
    const auto& z = field.layerHeights();
    ASSERT_EQ(z.size(), 20u);
    EXPECT_FLOAT_EQ(z.back(), 2.5f * terrain.relief()) << "two and a half reliefs";
    for (std::size_t k = 1; k < z.size(); ++k) // thickening as (k + 1)^2
        EXPECT_NEAR(z[k] - z[k - 1], z[0] * float(2 * k + 1), 1e-3f * z.back()) << k;
    for (const LayerRelaxation& layer : field.relaxation()) {
        EXPECT_TRUE(layer.divergenceAfter <= WindField::tolerance ||
                    layer.iterations == WindField::maxIterations);
        EXPECT_LT(layer.divergenceAfter, 0.2f * layer.divergenceBefore);
    }
    const float windward = field.windAt(400.0f, 500.0f, 5.0f)[2];
    EXPECT_GT(windward, 0.5f);
    EXPECT_LT(field.windAt(600.0f, 500.0f, 5.0f)[2], -0.5f);
    EXPECT_LT(std::fabs(field.windAt(400.0f, 500.0f, z.back())[2]), 0.2f * windward)
        << "far above the ridge the vertical wind is brought back towards 0";
    // Point queries use the height above the local ground.
    const auto aboveGround = field.windAt(430.0f, 610.0f, 12.0f);
    EXPECT_EQ(field.windAtPoint(430.0f, 610.0f, terrain.HeightAt(430.0f, 610.0f) + 12.0f),
              aboveGround);
    // Queries reproduce the nodes, blend between them, and hold beyond the edges.
    field.setGrid(20, 10);
    field.setWind(towardsX + 0.4f, 9.0f);
    ASSERT_TRUE(field.compute());
    const TerrainBox& box = terrain.box();
    const float x7 = box.minX + 7.5f * field.dx(), y11 = box.minY + 11.5f * field.dy();
    const struct {
        float x, y, h;
        int i, j, k;
        float tolerance;
    } rows[] = {{x7, y11, z[4], 7, 11, 4, 1e-3f}, // a node's own weight dominates
                {box.minX - 300, box.minY - 50, -5, 0, 0, 0, 1e-6f},
                {box.maxX + 1, box.maxY + 800, z.back() + 500, 19, 19, 9, 1e-6f}};
    for (const auto& row : rows)
        for (int n = 0; n < 3; ++n)
            EXPECT_NEAR(field.windAt(row.x, row.y, row.h)[n], field.cell(row.i, row.j, row.k)[n],
                        row.tolerance)
                << row.i << " " << n;
    const auto edge = field.windAt(box.minX - 100.0f, box.minY + 6.0f * field.dy(), 0.0f);
    for (int n = 0; n < 3; ++n)
        EXPECT_NEAR(edge[n], (field.cell(0, 5, 0)[n] + field.cell(0, 6, 0)[n]) / 2, 1e-5f) << n;
    EXPECT_TRUE(std::isfinite(field.windAt(std::nanf(""), 0.0f, 0.0f)[0]));
}

TEST_F(WindOnLand, SpeedIsClampedNoWindIsEmptyAndOnlyChangesRebuild) {
    const WindField::Vec3 still{0, 0, 0};
    Terrain unloaded; // a land without extent gives an empty field
    WindField none(unloaded);
    none.setWind(0.0f, 10.0f);
    EXPECT_TRUE(none.compute() && none.empty());
    KeyValueFile line; // every point on x = 0: the land has no width
    line.openText(
        "terrain.points = \"0 0 0 0 100 5 0 200 10 0 300 12\"\nterrain.triangles = \"0 1 2 1 2 "
        "3\"\nterrain.tree = \"0 -1 -1 -1 1 -1 -1 -1 -1 0 1 -1\"\n");
    ASSERT_TRUE(unloaded.Load(line));
    EXPECT_TRUE(none.compute() && none.empty());
    load(ridge, 4);
    field.setWind(0.0f, 30.0f);
    const auto base = field.baseWind();
    EXPECT_FLOAT_EQ(std::hypot(base[0], base[1]), 25.0f);
    EXPECT_NEAR(base[0], 0.0f, 1e-5f) << "north is +y: direction 0 blows to +y";
    field.setWind(1.0f, -3.0f);
    EXPECT_EQ(field.baseWind(), still);
    ASSERT_TRUE(field.compute());
    EXPECT_TRUE(field.changed() && field.empty());
    EXPECT_EQ(field.windAt(500.0f, 500.0f, 10.0f), still);

    field.setWind(towardsX, 8.0f);
    field.compute();
    const auto before = field.cell(3, 4, 2);
    KeyValueFile nothing;
    ASSERT_TRUE(terrain.Load(nothing)); // loaded already: clears just-loaded
    field.compute();
    EXPECT_FALSE(field.changed());
    field.setWind(towardsX, 4.0f);
    field.compute();
    EXPECT_TRUE(field.changed());
    EXPECT_NE(field.cell(3, 4, 2), before);
}

// Parameters round-trip, fill in defaults and are held within bounds; every
// reading asks for a rebuild.
TEST(WindParams, RoundTripDefaultsAndBounds) {
    Terrain terrain;
    WindField field(terrain), back(terrain);
    field.setGrid(37, 12);
    field.setStability(-0.006f, 290.0f, 0.35f);
    field.setSolver(WindField::Solve::Exact);
    KeyValueFile file, saved;
    field.saveParams(file);
    const struct {
        const char* text;
        int nx, nz;
        float gamma, tinf, alpha;
    } rows[] = {{"", 50, 20, -0.008f, 296.0f, 0.2f},
                {"wind.hdiscret = \"1\"\nwind.vdiscret = \"0\"\nwind.tinf = \"0\"\n", 2, 1, -0.008f,
                 296.0f, 0.2f},
                {"wind.hdiscret = \"1e5\"\nwind.vdiscret = \"1e9\"\nwind.gamma = \"1e39\"\n"
                 "wind.alpha = \"7\"\nwind.tinf = \"5000\"\n",
                 400, 200, 1.0f, 1000.0f, 1.0f},
                {"wind.hdiscret = \"12.9\"\nwind.gamma = \"-3\"\nwind.alpha = \"-1\"\n"
                 "wind.tinf = \"1\"\n",
                 12, 20, -1.0f, 1.0f, 0.0f}};
    for (const auto& row : rows) {
        KeyValueFile in;
        in.openText(row.text);
        back.compute();
        ASSERT_FALSE(back.dirty());
        back.readParams(in);
        EXPECT_TRUE(back.dirty());
        EXPECT_EQ(std::make_tuple(back.nx(), back.ny(), back.nz(), back.gamma(), back.tinf(),
                                  back.alpha()),
                  std::make_tuple(row.nx, row.nx, row.nz, row.gamma, row.tinf, row.alpha))
            << row.text;
    }
    back.readParams(file);
    back.saveParams(saved);
    EXPECT_EQ(saved.text(), file.text());
    EXPECT_TRUE(file.find("wind.terrad") && back.solverKind() == WindField::Solve::Exact);
    back.compute();
    back.setSolver(WindField::Solve::Relax);
    EXPECT_TRUE(back.dirty()) << "another solver asks for a rebuild";
}

TEST(LiftMap, TintFollowsTheVerticalSpeedAndSaturatesAtThreeMetresPerSecond) {
    const float full = LiftMap::strongestOpacity, nan = std::numeric_limits<float>::quiet_NaN();
    // speed and opacity; rising air shows red, sinking air blue
    const std::pair<float, float> cases[] = {
        {0.0f, 0.0f}, {0.3f, 0.1f * full},    {1.5f, 0.5f * full}, {3.0f, full},
        {7.0f, full}, {-0.75f, 0.25f * full}, {-30.0f, full},      {nan, 0.0f}};
    for (const auto& [speed, opacity] : cases) {
        const LiftMap::Tint tint = LiftMap::tint(speed);
        EXPECT_NEAR(tint[3], opacity, 1e-6f) << speed;
        EXPECT_TRUE(opacity == 0.0f || (tint[0] > tint[2]) == (speed > 0)) << speed;
    }
}
