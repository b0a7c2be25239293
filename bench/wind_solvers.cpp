// The two wind solves side by side: for each sample land of data/lands at the
// default grid (50 x 50 x 20), and for the ridge at 200 x 200 x 40, the time
// of a whole rebuild (lift, top correction, solve), the iterations and the
// largest divergence before and after. The exact solve's divergence is given
// as it measures it (double precision) and as the stored float field gives it.
// Each figure is the best of three runs; the time is the processor time the
// run took (the machine may be shared), with the wall-clock time beside it.
// Run with no arguments.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"
#include "world/wind/WindSolver.h"

namespace {

namespace fs = std::filesystem;

struct Case {
    std::string land;
    int columns;
    int layers;
};

struct Outcome {
    double seconds = 1e30;
    double wallSeconds = 0.0;
    int iterations = 0;
    double before = 0.0;
    double after = 0.0;       // as the solver measures it
    double storedAfter = 0.0; // from the float field
};

double cpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

std::vector<float> thicknesses(float relief, int layers) {
    std::vector<float> thickness(layers);
    float below = 0.0f;
    for (int k = 0; k < layers; ++k) {
        const float share = static_cast<float>(k + 1) / static_cast<float>(layers);
        const float height = 2.5f * relief * share * share;
        thickness[k] = height - below;
        below = height;
    }
    return thickness;
}

WindSolver makeSolver(const Terrain& terrain, const Case& shape) {
    WindSolver::Setup setup;
    setup.nx = setup.ny = shape.columns;
    setup.nz = shape.layers;
    setup.dx = terrain.extents()[0] / shape.columns;
    setup.dy = terrain.extents()[1] / shape.columns;
    // A 9 m/s west wind on a land whose north is +y.
    setup.baseU = 9.0f;
    setup.baseV = 0.0f;
    return WindSolver(setup, thicknesses(terrain.relief(), shape.layers), terrain);
}

Outcome run(const Terrain& terrain, const Case& shape, bool exact) {
    Outcome best;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuSeconds();
        WindSolver solver = makeSolver(terrain, shape);
        solver.initialLift();
        solver.correctTop();
        Outcome outcome;
        if (exact) {
            const ExactSolveReport report = solver.solveExact(1e-7, 2000);
            outcome.iterations = report.iterations;
            outcome.before = report.divergenceBefore;
            outcome.after = report.divergenceAfter;
        } else {
            for (const LayerRelaxation& layer : solver.relax(50, 5e-6f)) {
                outcome.iterations += layer.iterations;
                outcome.before =
                    std::max(outcome.before, static_cast<double>(layer.divergenceBefore));
                outcome.after = std::max(outcome.after, static_cast<double>(layer.divergenceAfter));
            }
        }
        outcome.seconds = cpuSeconds() - cpuStart;
        outcome.wallSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        for (int k = 0; k < shape.layers; ++k)
            outcome.storedAfter =
                std::max(outcome.storedAfter, static_cast<double>(solver.divergence(k)));
        if (outcome.seconds < best.seconds) best = outcome;
    }
    return best;
}

bool loadLand(Terrain& terrain, const fs::path& lands, const std::string& name) {
    KeyValueFile file;
    if (!file.open((lands / name / (name + ".map")).string())) return false;
    terrain.SetName(name);
    return terrain.Load(file);
}

} // namespace

int main() {
    const fs::path lands = fs::path(__FILE__).parent_path().parent_path() / "data" / "lands";
    std::vector<Case> cases;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(lands, error))
        if (entry.is_directory()) cases.push_back({entry.path().filename().string(), 50, 20});
    std::sort(cases.begin(), cases.end(),
              [](const Case& a, const Case& b) { return a.land < b.land; });
    cases.push_back({"ridge", 200, 40});

    std::printf("%-8s %-11s %-6s %9s %9s %10s %11s %11s %11s %9s\n", "land", "grid", "solver",
                "cpu s", "wall s", "iterations", "div before", "div after", "stored", "ratio");
    for (const Case& shape : cases) {
        Terrain terrain;
        if (!loadLand(terrain, lands, shape.land)) {
            std::printf("%-8s cannot be loaded\n", shape.land.c_str());
            continue;
        }
        for (const bool exact : {false, true}) {
            const Outcome o = run(terrain, shape, exact);
            char grid[32];
            std::snprintf(grid, sizeof grid, "%dx%dx%d", shape.columns, shape.columns,
                          shape.layers);
            std::printf("%-8s %-11s %-6s %9.3f %9.3f %10d %11.3e %11.3e %11.3e %9.1e\n",
                        shape.land.c_str(), grid, exact ? "exact" : "relax", o.seconds,
                        o.wallSeconds, o.iterations, o.before, o.after, o.storedAfter,
                        o.before > 0.0 ? o.after / o.before : 0.0);
        }
    }
    return 0;
}
