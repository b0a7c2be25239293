#include "world/wind/WindSolver.h"

#include "world/terrain/Terrain.h"

#include <algorithm>
#include <cmath>

WindSolver::WindSolver(const Setup& setup, std::span<const float> layerThickness,
                       const Terrain& terrain)
    : gamma(setup.gamma), tinf(setup.tinf), alpha(setup.alpha), nx(setup.nx), ny(setup.ny),
      nz(setup.nz), perLayer(setup.nx * setup.ny), dx(setup.dx), dy(setup.dy),
      thickness(layerThickness.begin(), layerThickness.end()) {
    levels.assign(nz + 1, 0.0f);
    for (int k = 0; k < nz; ++k)
        levels[k + 1] = levels[k] + thickness[k];
    const std::size_t cells = static_cast<std::size_t>(perLayer) * nz;
    uValues.assign(cells, setup.baseU);
    vValues.assign(cells, setup.baseV);
    wValues.assign(static_cast<std::size_t>(perLayer) * (nz + 1), 0.0f);
    div.assign(perLayer, 0.0f);
    fillGround(terrain);
}

void WindSolver::fillGround(const Terrain& terrain) {
    const TerrainBox& box = terrain.box();
    ground.assign(perLayer, -1.0f);
    for (int j = 0; j < ny; ++j) {
        for (int i = 0; i < nx; ++i) {
            const float x = box.minX + (i + 0.5f) * dx;
            const float y = box.minY + (j + 0.5f) * dy;
            if (terrain.containsXY(x, y)) ground[column(i, j)] = terrain.HeightAt(x, y);
        }
    }
}

float WindSolver::bruntVaisala(float gamma, float tinf) {
    if (gamma < -0.01f) return -1.0f;
    return std::sqrt((gamma + 0.01f) * 9.8f / tinf);
}

float WindSolver::decayRate(int c) const {
    const float n = bruntVaisala(gamma, tinf);
    if (n <= 0.0f) return 0.004f;
    const std::size_t top = static_cast<std::size_t>(nz - 1) * perLayer + c;
    const float speed = std::hypot(uValues[top], vValues[top]);
    return n / std::max(speed, 1e-6f);
}

float WindSolver::groundLift(int i, int j) const {
    const float own = groundAt(i, j);
    const float west = i > 0 ? groundAt(i - 1, j) : own;
    const float east = i < nx - 1 ? groundAt(i + 1, j) : own;
    const float south = j > 0 ? groundAt(i, j - 1) : own;
    const float north = j < ny - 1 ? groundAt(i, j + 1) : own;
    return u(i, j, 0) * (east - west) * 0.5f / dx + v(i, j, 0) * (north - south) * 0.5f / dy;
}

void WindSolver::initialLift() {
    // Without relief there is no slope to lift the air: cells off the land's
    // triangles hold no ground, and a slope toward them is not a slope.
    if (levels[nz] <= 0.0f) return;
    for (int j = 0; j < ny; ++j) {
        for (int i = 0; i < nx; ++i) {
            const int c = column(i, j);
            const float rate = decayRate(c);
            const float lift = groundLift(i, j);
            wValues[c] = lift;
            for (int k = 1; k <= nz; ++k) {
                const float fade = std::exp(-std::min(rate * levels[k], 50.0f));
                wValues[k * perLayer + c] = lift * ((1.0f - alpha) + alpha * fade);
            }
        }
    }
}

void WindSolver::correctTop() {
    const float top = levels[nz];
    for (int c = 0; c < perLayer; ++c) {
        const float topW = wValues[nz * perLayer + c];
        for (int k = 1; k <= nz; ++k) {
            // Over a flat land every boundary stands at the top height.
            const float share = top > 0.0f ? levels[k] / top : 1.0f;
            wValues[k * perLayer + c] -= share * topW;
        }
    }
}

float WindSolver::divergence(int k) {
    const float hx = 0.5f / dx, hy = 0.5f / dy;
    const float* wBelow = &wValues[static_cast<std::size_t>(k) * perLayer];
    const float* wAbove = wBelow + perLayer;
    const bool hasThickness = thickness[k] > 0.0f;
    float largest = 0.0f;
    for (int j = 0; j < ny; ++j) {
        for (int i = 0; i < nx; ++i) {
            const int c = column(i, j);
            const float uE = u(i < nx - 1 ? i + 1 : i, j, k), uW = u(i > 0 ? i - 1 : i, j, k);
            const float vN = v(i, j < ny - 1 ? j + 1 : j, k), vS = v(i, j > 0 ? j - 1 : j, k);
            float d = (uE - uW) * hx + (vN - vS) * hy;
            if (hasThickness) d += (wAbove[c] - wBelow[c]) / thickness[k];
            div[c] = d;
            largest = std::max(largest, std::fabs(d));
        }
    }
    return largest;
}

void WindSolver::correctColumn(int k, int i, int j) {
    const float d = div[column(i, j)];
    const float a = -0.5f * dx * d, b = -0.5f * dy * d;
    if (i > 0) uValues[cell(i - 1, j, k)] -= a;
    if (i < nx - 1) uValues[cell(i + 1, j, k)] += a;
    if (j > 0) vValues[cell(i, j - 1, k)] -= b;
    if (j < ny - 1) vValues[cell(i, j + 1, k)] += b;
}

void WindSolver::correctionPass(int k, Sweep sweep) {
    const bool eastward = sweep == Sweep::EastNorth || sweep == Sweep::EastSouth;
    const bool northward = sweep == Sweep::EastNorth || sweep == Sweep::WestNorth;
    for (int row = 0; row < ny; ++row) {
        const int j = northward ? row : ny - 1 - row;
        for (int step = 0; step < nx; ++step)
            correctColumn(k, eastward ? step : nx - 1 - step, j);
    }
}

LayerRelaxation WindSolver::relaxLayer(int k, int maxIterations, float tolerance) {
    LayerRelaxation result;
    float largest = divergence(k);
    result.divergenceBefore = largest;
    static constexpr Sweep sweeps[] = {Sweep::EastNorth, Sweep::WestNorth, Sweep::EastSouth,
                                       Sweep::WestSouth};
    while (result.iterations < maxIterations && largest > tolerance) {
        // The divergence array is refreshed only between passes, so within a
        // pass the column order cannot change the outcome.
        for (Sweep sweep : sweeps) {
            correctionPass(k, sweep);
            largest = divergence(k);
        }
        ++result.iterations;
    }
    result.divergenceAfter = largest;
    return result;
}

std::vector<LayerRelaxation> WindSolver::relax(int maxIterations, float tolerance) {
    std::vector<LayerRelaxation> layers;
    layers.reserve(nz);
    for (int k = 0; k < nz; ++k)
        layers.push_back(relaxLayer(k, maxIterations, tolerance));
    return layers;
}

std::vector<float> WindSolver::verticalShares() const {
    std::vector<float> shares(nz + 1, 1.0f);
    const float n = bruntVaisala(gamma, tinf);
    if (n <= 0.0f) return shares;
    const float rate = decayRate(0);
    for (int b = 1; b <= nz; ++b)
        shares[b] = (1.0f - alpha) + alpha * std::exp(-std::min(rate * levels[b], 50.0f));
    return shares;
}

ExactSolveReport WindSolver::solveExact(double relativeTolerance, int maxIterations) {
    const std::vector<float> shares = verticalShares();
    const ExactSolver::Grid grid{nx, ny, nz, dx, dy, thickness, shares};
    ExactSolver exact(grid);
    return exact.solve(uValues, vValues, wValues, relativeTolerance, maxIterations);
}

void WindSolver::assemble(std::vector<float>& vectors) const {
    vectors.resize(static_cast<std::size_t>(perLayer) * nz * 3);
    for (int k = 0; k < nz; ++k) {
        for (int c = 0; c < perLayer; ++c) {
            const std::size_t index = static_cast<std::size_t>(k) * perLayer + c;
            float* out = &vectors[index * 3];
            out[0] = uValues[index];
            out[1] = vValues[index];
            out[2] = (wValues[index] + wValues[index + perLayer]) * 0.5f;
        }
    }
}
