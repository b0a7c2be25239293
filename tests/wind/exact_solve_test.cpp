#include "wind/SyntheticLand.h"
#include "world/terrain/Terrain.h"
#include "world/wind/WindSolver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int columns = 24, layers = 10;
constexpr float windSpeed = 8.0f; // along +x

WindSolver solved(const Terrain& terrain, float gamma, ExactSolveReport* report = nullptr) {
    const float cell = terrain.extents()[0] / columns;
    std::vector<float> thickness(layers); // the field's: 2.5 relief ((k + 1)^2 - k^2) / nz^2
    for (int k = 0; k < layers; ++k)
        thickness[k] = 2.5f * terrain.relief() * float(2 * k + 1) / (layers * layers);
    WindSolver solver({columns, columns, layers, cell, cell, gamma, 296.0f, 1.0f, windSpeed},
                      thickness, terrain);
    solver.initialLift();
    solver.correctTop();
    if (report) *report = solver.solveExact(1e-7, 100);
    return solver;
}

} // namespace

// Over flat, shaped, half-covered and seeded random lands the solve leaves no
// divergence, keeps flat air as it was, and stable air takes less of the
// change in w than unstable air does.
TEST(ExactSolve, LeavesNoDivergenceKeepsFlatAirAndStableAirMovesWLess) {
    std::mt19937 random(20261206u);
    std::uniform_real_distribution<float> place(150.0f, 850.0f), size(60.0f, 250.0f),
        rise(10.0f, 200.0f);
    for (int land = 0; land < 10; ++land) {
        SCOPED_TRACE(land);
        Terrain terrain;
        if (land < 2) { // one triangle over half of its square: the other half has no ground
            KeyValueFile file;
            file.openText("terrain.points = \"0 0 0 1000 0 0 0 1000 " + std::to_string(land * 150) +
                          "\"\nterrain.triangles = \"0 2 1\"\n"
                          "terrain.tree = \"-1 0 -1 -1 0 -1 -1 -1\"\n");
            ASSERT_TRUE(terrain.Load(file));
        } else {
            const float cx = place(random), cy = place(random), r = size(random), h = rise(random);
            synthetic::LandShape shape;
            shape.height = [=](float x, float y) {
                return land == 2 ? 40.0f : h * std::exp(-std::hypot(x - cx, y - cy) / r);
            };
            ASSERT_TRUE(synthetic::loadLand(terrain, shape));
        }
        double verticalShare[2];
        const float gammas[2] = {0.02f, -0.02f}; // stable, unstable
        for (int n = 0; n < 2; ++n) {
            ExactSolveReport report;
            WindSolver solver = solved(terrain, gammas[n], &report),
                       before = solved(terrain, gammas[n]);
            ASSERT_LE(report.divergenceAfter, 1e-6 * report.divergenceBefore);
            EXPECT_LE(report.iterations, 5) << "the preconditioner is the system's exact inverse";
            for (int k = 0; k < layers;
                 ++k) // what the stored floats keep is bounded by their rounding
                EXPECT_LE(solver.divergence(k), 1e-4 * report.divergenceBefore + 1e-6);
            double horizontal = 0.0, vertical = 0.0;
            for (int c = 0; c < columns * columns * layers; ++c) {
                const int i = c % columns, j = c / columns % columns, k = c / columns / columns;
                ASSERT_TRUE(terrain.relief() > 0.0f ||
                            (solver.u(i, j, k) == windSpeed && solver.v(i, j, k) == 0.0f));
                horizontal += std::pow(solver.u(i, j, k) - before.u(i, j, k), 2) +
                              std::pow(solver.v(i, j, k) - before.v(i, j, k), 2);
                vertical += std::pow(solver.w(i, j, k + 1) - before.w(i, j, k + 1), 2);
            }
            verticalShare[n] = vertical / (vertical + horizontal);
        }
        EXPECT_TRUE(land <= 2 || verticalShare[0] < verticalShare[1]);
    }
}
