#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "io/KeyValueFile.h"
#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"
#include "world/wind/WindField.h"
#include "world/wind/WindSolver.h"

namespace {

constexpr float halfPi = std::numbers::pi_v<float> / 2.0f;

// With north along +y (the default), this direction makes the wind blow to +x.
constexpr float towardsX = -halfPi;

float ridge(float x, float y) {
    const float across = (x - 500.0f) / 150.0f;
    return 20.0f + 120.0f * std::exp(-across * across) + 0.02f * y;
}

class WindOnLand : public ::testing::Test {
  protected:
    void load(const synthetic::HeightFunction& height, int depth = 8) {
        synthetic::LandShape shape;
        shape.depth = depth;
        shape.height = height;
        ASSERT_TRUE(synthetic::loadLand(terrain, shape));
    }
    Terrain terrain;
    WindField field{terrain};
};

float length(const WindField::Vec3& v) {
    return std::hypot(v[0], v[1], v[2]);
}

} // namespace

// No relief: every layer stands on the ground, no term divides by zero, and
// the field is the base wind in every cell, also beside cells that the land's
// triangles leave uncovered (an unused point widens the rectangle).
TEST(WindOverFlatLand, KeepsTheBaseWindInEveryCell) {
    struct Case {
        const char* name;
        float height;
        const char* extraPoint;
        int columns, layers;
        float degrees, speed;
    };
    for (const Case& c : {Case{"covered", 35.0f, "", 50, 20, 17.0f, 7.0f},
                          Case{"partly covered", 10.0f, "1500 1500 10 ", 30, 4, 10.0f, 8.0f}}) {
        SCOPED_TRACE(c.name);
        synthetic::LandShape shape;
        shape.depth = 4;
        shape.height = [&](float, float) { return c.height; };
        std::string text = synthetic::LandBuilder(shape).text();
        text.insert(text.find("\"\nterrain.triangles"), c.extraPoint);
        KeyValueFile file;
        file.openText(text);
        Terrain terrain;
        ASSERT_TRUE(terrain.Load(file));
        ASSERT_EQ(terrain.relief(), 0.0f);
        WindField field(terrain);
        field.setGrid(c.columns, c.layers);
        field.setWind(c.degrees * std::numbers::pi_v<float> / 180.0f, c.speed);
        ASSERT_TRUE(field.compute());
        ASSERT_FALSE(field.empty());
        for (float h : field.layerHeights())
            EXPECT_EQ(h, 0.0f);
        for (const LayerRelaxation& layer : field.relaxation())
            EXPECT_EQ(layer.divergenceBefore, 0.0f);
        const auto base = field.baseWind();
        for (int k = 0; k < field.nz(); ++k)
            for (int j = 0; j < field.ny(); ++j)
                for (int i = 0; i < field.nx(); ++i) {
                    const auto cell = field.cell(i, j, k);
                    ASSERT_EQ(cell[0], base[0]) << i << " " << j << " " << k;
                    ASSERT_EQ(cell[1], base[1]) << i << " " << j << " " << k;
                    // Only the terrain's interpolation rounding may lift the air.
                    ASSERT_NEAR(cell[2], 0.0f, 1e-5f) << i << " " << j << " " << k;
                }
    }
}

TEST_F(WindOnLand, UpSlopeWindLiftsByTheSlopeTimesTheSpeed) {
    const float slope = 0.1f;
    load([slope](float x, float) { return slope * x; });
    WindSolver::Setup setup;
    setup.nx = setup.ny = 10;
    setup.nz = 4;
    setup.dx = setup.dy = terrain.extents()[0] / 10.0f;
    setup.baseU = 6.0f;
    const std::vector<float> thickness{1.0f, 3.0f, 5.0f, 7.0f};
    WindSolver solver(setup, thickness, terrain);
    solver.initialLift();
    EXPECT_NEAR(solver.w(4, 5, 0), 6.0f * slope, 1e-4f);
    // Higher up the lift fades towards (1 - alpha) of its ground value.
    EXPECT_LT(solver.w(4, 5, 4), solver.w(4, 5, 1));
    EXPECT_GT(solver.w(4, 5, 4), 0.8f * 6.0f * slope - 1e-4f);
    // At the grid's edge a column stands in for its missing neighbour.
    EXPECT_NEAR(solver.w(0, 5, 0), 6.0f * slope * 0.5f, 1e-4f);

    solver.correctTop();
    for (int i = 0; i < 10; ++i)
        EXPECT_NEAR(solver.w(i, 3, 4), 0.0f, 1e-6f) << i;
    EXPECT_NEAR(solver.w(4, 5, 0), 6.0f * slope, 1e-4f) << "the ground value stays";
}

TEST(WindStability, UnstableAndNeutralAirUseTheFixedDecay) {
    EXPECT_EQ(WindSolver::bruntVaisala(-0.02f, 296.0f), -1.0f);
    EXPECT_EQ(WindSolver::bruntVaisala(-0.01f, 296.0f), 0.0f);
    const float stable = WindSolver::bruntVaisala(-0.008f, 296.0f);
    EXPECT_NEAR(stable, std::sqrt(0.002 * 9.8 / 296.0), 1e-6);

    Terrain flat;
    synthetic::LandShape shape;
    shape.depth = 2;
    ASSERT_TRUE(synthetic::loadLand(flat, shape));
    const std::vector<float> thickness{1.0f, 1.0f};
    for (float gamma : {-0.02f, -0.01f}) {
        WindSolver::Setup setup{4, 4, 2, 250.0f, 250.0f, gamma, 296.0f, 0.2f, 5.0f, 0.0f};
        EXPECT_EQ(WindSolver(setup, thickness, flat).decayRate(5), 0.004f) << gamma;
    }
    WindSolver::Setup setup{4, 4, 2, 250.0f, 250.0f, -0.008f, 296.0f, 0.2f, 3.0f, 4.0f};
    EXPECT_NEAR(WindSolver(setup, thickness, flat).decayRate(5), stable / 5.0f, 1e-7f);
}

TEST_F(WindOnLand, LayersThickenUpwardToTwoAndAHalfReliefs) {
    load([](float x, float) { return 50.0f + x * 0.1f; }, 4); // relief 100 m
    ASSERT_FLOAT_EQ(terrain.relief(), 100.0f);
    field.setWind(towardsX, 5.0f);
    field.compute();
    const auto& heights = field.layerHeights();
    ASSERT_EQ(heights.size(), 20u);
    EXPECT_FLOAT_EQ(heights.front(), 0.625f);
    EXPECT_FLOAT_EQ(heights.back(), 250.0f);
    for (std::size_t k = 2; k < heights.size(); ++k)
        EXPECT_GT(heights[k] - heights[k - 1], heights[k - 1] - heights[k - 2]);
}

TEST_F(WindOnLand, RelaxationRemovesMostOfTheDivergenceOverARidge) {
    load(ridge);
    field.setWind(towardsX, 10.0f);
    ASSERT_TRUE(field.compute());
    const auto& layers = field.relaxation();
    ASSERT_EQ(layers.size(), static_cast<std::size_t>(field.nz()));
    int relaxed = 0;
    for (std::size_t k = 0; k < layers.size(); ++k) {
        const LayerRelaxation& layer = layers[k];
        EXPECT_TRUE(layer.divergenceAfter <= WindField::tolerance ||
                    layer.iterations == WindField::maxIterations)
            << "layer " << k;
        EXPECT_GT(layer.divergenceBefore, 0.0f) << "layer " << k;
        EXPECT_LT(layer.divergenceAfter, 0.2f * layer.divergenceBefore) << "layer " << k;
        relaxed += layer.iterations > 0;
    }
    EXPECT_GT(relaxed, 0);
}

// The divergence of a layer worked out from the solver's winds: centred
// differences, a column's own value standing in beyond the grid's edge.
float largestDivergence(const WindSolver& s, int n, float d, int k, float thickness) {
    float largest = 0.0f;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            const int e = std::min(i + 1, n - 1), w = std::max(i - 1, 0);
            const int north = std::min(j + 1, n - 1), south = std::max(j - 1, 0);
            const float div = (s.u(e, j, k) - s.u(w, j, k)) / (2 * d) +
                              (s.v(i, north, k) - s.v(i, south, k)) / (2 * d) +
                              (s.w(i, j, k + 1) - s.w(i, j, k)) / thickness;
            largest = std::max(largest, std::fabs(div));
        }
    }
    return largest;
}

TEST_F(WindOnLand, RelaxationRemovesTheDivergenceAlongBothAxes) {
    // A hill, so that the wind meets slopes along x and along y.
    load([](float x, float y) {
        const float r2 = ((x - 500) * (x - 500) + (y - 450) * (y - 450)) / (180.0f * 180.0f);
        return 150.0f * std::exp(-r2);
    });
    const int n = 30;
    WindSolver::Setup setup;
    setup.nx = setup.ny = n;
    setup.nz = 3;
    setup.dx = setup.dy = terrain.extents()[0] / n;
    setup.baseU = 6.0f;
    setup.baseV = 4.0f;
    const std::vector<float> thickness{10.0f, 40.0f, 100.0f};
    WindSolver solver(setup, thickness, terrain);
    solver.initialLift();
    solver.correctTop();
    const float before = largestDivergence(solver, n, setup.dx, 0, thickness[0]);
    const float liftBefore = solver.w(12, 17, 1);
    const LayerRelaxation layer = solver.relaxLayer(0, 50, 5e-6f);
    const float after = largestDivergence(solver, n, setup.dx, 0, thickness[0]);
    EXPECT_NEAR(layer.divergenceBefore, before, 1e-4f * before);
    EXPECT_NEAR(layer.divergenceAfter, after, 1e-3f * before);
    EXPECT_LT(after, 0.1f * before);
    // The relaxation leaves the vertical wind alone.
    EXPECT_EQ(solver.w(12, 17, 1), liftBefore);
}

TEST(WindOnSampleLand, RidgeFieldIsRelaxedAndLiftsAtTheLaunch) {
    Terrain terrain;
    KeyValueFile land;
    ASSERT_TRUE(land.open(std::string(VENTRIX_SOURCE_DIR) + "/data/lands/ridge/ridge.map"));
    terrain.SetName("ridge");
    ASSERT_TRUE(terrain.Load(land));
    WindField field(terrain);
    // The launch's west wind, 7 m/s: a spot stores where the wind comes from.
    const float fromWest = halfPi;
    field.setWind(fromWest + std::numbers::pi_v<float>, 7.0f);
    ASSERT_TRUE(field.compute());
    EXPECT_NEAR(field.baseWind()[0], 7.0f, 1e-4f);
    for (std::size_t k = 0; k < field.relaxation().size(); ++k) {
        const LayerRelaxation& layer = field.relaxation()[k];
        EXPECT_TRUE(layer.divergenceAfter <= WindField::tolerance ||
                    layer.iterations == WindField::maxIterations)
            << "layer " << k;
        EXPECT_LT(layer.divergenceAfter, 0.1f * layer.divergenceBefore) << "layer " << k;
    }
    const Spot* launch = nullptr;
    for (const Spot& spot : terrain.spots())
        if (spot.name == "Ridge launch") launch = &spot;
    ASSERT_NE(launch, nullptr);
    EXPECT_GT(field.windAt(launch->x, launch->y, 2.0f)[2], 0.3f) << "the west face lifts the air";
}

TEST_F(WindOnLand, AirRisesOnTheWindwardSlopeAndSinksInTheLee) {
    load(ridge);
    field.setWind(towardsX, 10.0f);
    field.compute();
    const float y = 500.0f;
    const float windward = field.windAt(400.0f, y, 5.0f)[2];
    const float lee = field.windAt(600.0f, y, 5.0f)[2];
    EXPECT_GT(windward, 0.5f);
    EXPECT_LT(lee, -0.5f);
    // Far above the ridge the vertical wind has been brought back towards 0.
    EXPECT_LT(std::fabs(field.windAt(400.0f, y, field.layerHeights().back())[2]), 0.2f * windward);
}

TEST_F(WindOnLand, SpeedIsClampedAndNoWindLeavesAnEmptyField) {
    load(ridge, 4);
    field.setWind(0.0f, 30.0f);
    EXPECT_FLOAT_EQ(std::hypot(field.baseWind()[0], field.baseWind()[1]), 25.0f);
    // North is +y, so direction 0 blows towards +y.
    EXPECT_NEAR(field.baseWind()[0], 0.0f, 1e-5f);
    EXPECT_EQ(field.baseWind()[2], 0.0f);

    field.setWind(1.0f, -3.0f);
    EXPECT_EQ(field.baseWind()[0], 0.0f);
    EXPECT_EQ(field.baseWind()[1], 0.0f);
    ASSERT_TRUE(field.compute());
    EXPECT_TRUE(field.changed());
    EXPECT_TRUE(field.empty());
    EXPECT_EQ(length(field.windAt(500.0f, 500.0f, 10.0f)), 0.0f);
}

TEST_F(WindOnLand, RebuildsOnlyWhenTheWindOrTheLandChanged) {
    load(ridge, 4);
    field.setWind(towardsX, 8.0f);
    field.compute();
    const auto before = field.cell(3, 4, 2);

    KeyValueFile none;
    ASSERT_TRUE(terrain.Load(none)); // loaded already: clears just-loaded
    field.compute();
    EXPECT_FALSE(field.changed());
    EXPECT_EQ(field.cell(3, 4, 2), before);

    field.setWind(towardsX, 4.0f);
    field.compute();
    EXPECT_TRUE(field.changed());
    EXPECT_NE(field.cell(3, 4, 2), before);
    EXPECT_NEAR(field.baseWind()[0], 4.0f, 1e-5f);
}

TEST_F(WindOnLand, QueriesReproduceTheNodesAndHoldAtTheEdges) {
    load(ridge);
    field.setGrid(20, 10);
    field.setWind(towardsX + 0.4f, 9.0f);
    ASSERT_TRUE(field.compute());
    const TerrainBox& box = terrain.box();
    const auto& z = field.layerHeights();
    const float dx = field.dx(), dy = field.dy();
    auto centreX = [&](int i) { return box.minX + (i + 0.5f) * dx; };
    auto centreY = [&](int j) { return box.minY + (j + 0.5f) * dy; };

    // At a node the node's own weight dominates the seven others.
    const auto node = field.cell(7, 11, 4);
    const auto atNode = field.windAt(centreX(7), centreY(11), z[4]);
    for (int n = 0; n < 3; ++n)
        EXPECT_NEAR(atNode[n], node[n], 1e-3f) << n;

    // Below the first layer and beyond both lower edges: the corner cell alone.
    const auto corner = field.cell(0, 0, 0);
    const auto below = field.windAt(box.minX - 300.0f, box.minY - 50.0f, -5.0f);
    for (int n = 0; n < 3; ++n)
        EXPECT_FLOAT_EQ(below[n], corner[n]) << n;

    // Above the top layer beyond both upper edges: the opposite corner cell.
    const auto top = field.cell(19, 19, 9);
    const auto above = field.windAt(box.maxX + 1.0f, box.maxY + 800.0f, z.back() + 500.0f);
    for (int n = 0; n < 3; ++n)
        EXPECT_FLOAT_EQ(above[n], top[n]) << n;

    // Beyond one edge only: a blend of the two edge columns around y.
    const float y = (centreY(5) + centreY(6)) * 0.5f;
    const auto edge = field.windAt(box.minX - 100.0f, y, 0.0f);
    const auto a = field.cell(0, 5, 0), b = field.cell(0, 6, 0);
    for (int n = 0; n < 3; ++n) {
        EXPECT_GE(edge[n], std::min(a[n], b[n]) - 1e-5f) << n;
        EXPECT_LE(edge[n], std::max(a[n], b[n]) + 1e-5f) << n;
    }
    EXPECT_TRUE(std::isfinite(field.windAt(std::nanf(""), 0.0f, 0.0f)[0]));
}

TEST_F(WindOnLand, PointQueriesUseTheHeightAboveTheLocalGround) {
    load(ridge);
    field.setWind(towardsX, 10.0f);
    field.compute();
    const float x = 430.0f, y = 610.0f;
    const float ground = terrain.HeightAt(x, y);
    ASSERT_GT(ground, 50.0f);
    const auto aboveGround = field.windAt(x, y, 12.0f);
    const auto atPoint = field.windAtPoint(x, y, ground + 12.0f);
    for (int n = 0; n < 3; ++n)
        EXPECT_FLOAT_EQ(atPoint[n], aboveGround[n]) << n;
    EXPECT_NE(field.windAt(x, y, ground + 12.0f)[2], aboveGround[2]);
}

TEST(WindWithoutLand, ALandWithoutExtentGivesAnEmptyField) {
    Terrain unloaded;
    WindField field(unloaded);
    field.setWind(0.0f, 10.0f);
    ASSERT_TRUE(field.compute());
    EXPECT_TRUE(field.empty());
    EXPECT_EQ(length(field.windAt(0.0f, 0.0f, 0.0f)), 0.0f);

    Terrain line;
    KeyValueFile file;
    // Every point on x = 0: the land has no width.
    file.openText("terrain.points = \"0 0 0 0 100 5 0 200 10 0 300 12\"\n"
                  "terrain.triangles = \"0 1 2 1 2 3\"\n"
                  "terrain.tree = \"0 -1 -1 -1 1 -1 -1 -1 -1 0 1 -1\"\n");
    ASSERT_TRUE(line.Load(file));
    ASSERT_EQ(line.extents()[0], 0.0f);
    WindField thin(line);
    thin.setWind(0.0f, 10.0f);
    ASSERT_TRUE(thin.compute());
    EXPECT_TRUE(thin.empty());
    EXPECT_EQ(length(thin.windAt(0.0f, 150.0f, 3.0f)), 0.0f);
}

TEST(WindParams, RoundTripAndBounds) {
    Terrain terrain;
    WindField field(terrain);
    field.setGrid(37, 12);
    field.setStability(-0.006f, 290.0f, 0.35f);
    KeyValueFile file;
    field.saveParams(file);
    EXPECT_EQ(file.getString("wind.hdiscret"), "37.000000");

    WindField back(terrain);
    back.readParams(file);
    EXPECT_EQ(back.nx(), 37);
    EXPECT_EQ(back.ny(), 37);
    EXPECT_EQ(back.nz(), 12);
    EXPECT_FLOAT_EQ(back.gamma(), -0.006f);
    EXPECT_FLOAT_EQ(back.tinf(), 290.0f);
    EXPECT_FLOAT_EQ(back.alpha(), 0.35f);
    EXPECT_FLOAT_EQ(back.terrad(), 5000.0f);

    file.openText("wind.hdiscret = \"1\"\nwind.vdiscret = \"0\"\nwind.tinf = \"0\"\n");
    back.readParams(file);
    EXPECT_EQ(back.nx(), 2);
    EXPECT_EQ(back.nz(), 1);
    EXPECT_GT(back.tinf(), 0.0f);
    file.openText("wind.hdiscret = \"100000\"\nwind.vdiscret = \"1e9\"\nwind.gamma = \"1e39\"\n"
                  "wind.alpha = \"7\"\n");
    back.readParams(file);
    EXPECT_EQ(back.nx(), 400);
    EXPECT_EQ(back.nz(), 200);
    EXPECT_LE(back.gamma(), 1.0f);
    EXPECT_LE(back.alpha(), 1.0f);
    file.openText("wind.hdiscret = \"12.9\"\n");
    back.readParams(file);
    EXPECT_EQ(back.nx(), 12) << "counts are truncated";
    EXPECT_TRUE(back.dirty());
}
