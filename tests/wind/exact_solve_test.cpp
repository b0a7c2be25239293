#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"
#include "world/wind/WindSolver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int columns = 24;
constexpr int layers = 10;
constexpr float windSpeed = 8.0f; // along +x

// One triangle over half of its bounding square: the other half has no ground.
std::string halfCoveredLand(float rise) {
    return "terrain.northdir = \"90\"\nterrain.points = \"0 0 0 1000 0 0 0 1000 " +
           std::to_string(rise) +
           "\"\nterrain.triangles = \"0 2 1\"\nterrain.tree = \"-1 0 -1 -1 0 -1 -1 -1\"\n";
}

struct LandCase {
    const char* name;
    synthetic::HeightFunction height; // or, when null, the half-covered land rising by rise
    float rise = 0.0f;
};

const LandCase lands[] = {
    {"flat", [](float, float) { return 40.0f; }},
    {"ridge", [](float x, float) { return 100.0f * std::exp(-std::pow((x - 500) / 120, 2)); }},
    {"bowl",
     [](float x, float y) { return 0.0002f * ((x - 500) * (x - 500) + (y - 500) * (y - 500)); }},
    {"partly_covered", nullptr, 150.0f},
    {"zero_relief_partly_covered", nullptr, 0.0f},
};

void loadCase(Terrain& terrain, const LandCase& land) {
    synthetic::LandShape shape;
    shape.height = land.height;
    KeyValueFile file;
    file.openText(halfCoveredLand(land.rise));
    ASSERT_TRUE(land.height ? synthetic::loadLand(terrain, shape) : terrain.Load(file));
}

std::vector<float> thicknesses(float relief) {
    std::vector<float> thickness(layers); // the field's: 2.5 relief ((k + 1)^2 - k^2) / nz^2
    for (int k = 0; k < layers; ++k)
        thickness[k] = 2.5f * relief * static_cast<float>(2 * k + 1) / (layers * layers);
    return thickness;
}

WindSolver makeSolver(const Terrain& terrain, float gamma = -0.008f, float alpha = 0.2f) {
    const float cell = terrain.extents()[0] / columns;
    const WindSolver::Setup setup{columns, columns, layers, cell,     cell,
                                  gamma,   296.0f,  alpha,  windSpeed};
    WindSolver solver(setup, thicknesses(terrain.relief()), terrain);
    solver.initialLift();
    solver.correctTop();
    return solver;
}

class ExactSolveOnLand : public ::testing::TestWithParam<LandCase> {};

TEST_P(ExactSolveOnLand, LeavesNoDivergenceAndKeepsFlatAirAsItWas) {
    Terrain terrain;
    loadCase(terrain, GetParam());
    WindSolver solver = makeSolver(terrain);
    const ExactSolveReport report = solver.solveExact(1e-7, 100);

    EXPECT_LE(report.divergenceAfter, 1e-6 * report.divergenceBefore);
    EXPECT_LE(report.iterations, 5) << "the preconditioner is the system's exact inverse";
    for (int k = 0; k < layers; ++k) {
        // What the stored floats keep is bounded by their rounding.
        EXPECT_LE(solver.divergence(k), 1e-4 * report.divergenceBefore + 1e-6);
        for (int c = 0; c < columns * columns && terrain.relief() == 0.0f; ++c) {
            ASSERT_EQ(solver.u(c % columns, c / columns, k), windSpeed);
            ASSERT_EQ(solver.v(c % columns, c / columns, k), 0.0f);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Lands, ExactSolveOnLand, ::testing::ValuesIn(lands),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ExactSolve, TerrainSymmetricAboutTheWindGivesAMirroredField) {
    Terrain terrain;
    synthetic::LandShape shape;
    // Linear on every triangle of the synthetic mesh (its kinks lie on the
    // mesh's lines), so the ground the solver samples is mirrored exactly.
    shape.height = [](float x, float y) {
        return 60.0f * std::max(0.0f, 1.0f - std::fabs(x - 437.5f) / 250.0f) +
               0.1f * std::fabs(y - 500.0f);
    };
    ASSERT_TRUE(synthetic::loadLand(terrain, shape));
    WindSolver solver = makeSolver(terrain);
    solver.solveExact(1e-7, 100);
    for (int k = 0; k < layers; ++k)
        for (int c = 0; c < columns * columns / 2; ++c) {
            const int i = c % columns, j = c / columns, mirror = columns - 1 - j;
            ASSERT_NEAR(solver.u(i, j, k), solver.u(i, mirror, k), 1e-4f);
            ASSERT_NEAR(solver.v(i, j, k), -solver.v(i, mirror, k), 1e-4f);
            ASSERT_NEAR(solver.w(i, j, k + 1), solver.w(i, mirror, k + 1), 1e-4f);
        }
}

// Random hills and stabilities: the bound always holds, and stable air takes
// less of the change in w than unstable air does.
TEST(ExactSolve, SeededHillsHoldTheBoundAndStableAirMovesWLess) {
    std::mt19937 random(20261206u);
    std::uniform_real_distribution<float> place(150.0f, 850.0f), size(60.0f, 250.0f),
        rise(10.0f, 200.0f);
    for (int trial = 0; trial < 6; ++trial) {
        const float cx = place(random), cy = place(random), r = size(random), h = rise(random);
        Terrain terrain;
        synthetic::LandShape shape;
        shape.height = [=](float x, float y) {
            return h * std::exp(-std::hypot(x - cx, y - cy) / r);
        };
        ASSERT_TRUE(synthetic::loadLand(terrain, shape));

        double verticalShare[2];
        const float gammas[2] = {0.02f, -0.02f}; // stable, unstable
        for (int n = 0; n < 2; ++n) {
            WindSolver solver = makeSolver(terrain, gammas[n], 1.0f);
            WindSolver before = makeSolver(terrain, gammas[n], 1.0f);
            const ExactSolveReport report = solver.solveExact(1e-7, 100);
            ASSERT_LE(report.divergenceAfter, 1e-6 * report.divergenceBefore) << "trial " << trial;
            double horizontal = 0.0, vertical = 0.0;
            for (int k = 0; k < layers; ++k)
                for (int c = 0; c < columns * columns; ++c) {
                    const int i = c % columns, j = c / columns;
                    horizontal += std::pow(solver.u(i, j, k) - before.u(i, j, k), 2) +
                                  std::pow(solver.v(i, j, k) - before.v(i, j, k), 2);
                    vertical += std::pow(solver.w(i, j, k + 1) - before.w(i, j, k + 1), 2);
                }
            verticalShare[n] = vertical / (vertical + horizontal);
        }
        EXPECT_LT(verticalShare[0], verticalShare[1]) << "trial " << trial;
    }
}

} // namespace
