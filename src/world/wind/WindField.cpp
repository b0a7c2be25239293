#include "world/wind/WindField.h"

#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string formatFloat(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", value);
    return buffer;
}

// A saved game may hold anything; a value that is not a finite number keeps
// the current one.
float readFinite(KeyValueFile& file, const char* key, float current) {
    const float value = file.getFloat(key, current);
    return std::isfinite(value) ? value : current;
}

int boundedCount(float value, int low, int high) {
    return static_cast<int>(std::clamp(value, static_cast<float>(low), static_cast<float>(high)));
}

constexpr int minColumns = 2, maxColumns = 400;
constexpr int minLayers = 1, maxLayers = 200;
constexpr float drawnHeight = 50.0f;

} // namespace

WindField::WindField(const Terrain& land) : terrain(land) {
    resetDefaults();
}

WindField::~WindField() = default;

void WindField::resetDefaults() {
    gammaValue = -0.008f;
    tinfValue = 296.0f;
    alphaValue = 0.2f;
    terradValue = 5000.0f;
    columnsX = columnsY = 50;
    layers = 20;
    solveKind = Solve::Relax;
    base = {0.0f, 0.0f, 0.0f};
    dirtyFlag = true;
}

void WindField::readParams(KeyValueFile& file) {
    resetDefaults();
    const float gamma = readFinite(file, "wind.gamma", gammaValue);
    const float tinf = readFinite(file, "wind.tinf", tinfValue);
    const float alpha = readFinite(file, "wind.alpha", alphaValue);
    terradValue = readFinite(file, "wind.terrad", terradValue);
    const float columns = readFinite(file, "wind.hdiscret", static_cast<float>(columnsX));
    const float layerCount = readFinite(file, "wind.vdiscret", static_cast<float>(layers));
    setStability(gamma, tinf, alpha);
    columnsX = columnsY = boundedCount(columns, minColumns, maxColumns);
    layers = boundedCount(layerCount, minLayers, maxLayers);
    solveKind = file.getInt("wind.solver", 0) == 1 ? Solve::Exact : Solve::Relax;
}

void WindField::saveParams(KeyValueFile& file) const {
    file.setValue("wind.gamma", formatFloat(gammaValue));
    file.setValue("wind.alpha", formatFloat(alphaValue));
    file.setValue("wind.tinf", formatFloat(tinfValue));
    file.setValue("wind.terrad", formatFloat(terradValue));
    file.setValue("wind.hdiscret", formatFloat(static_cast<float>(columnsX)));
    file.setValue("wind.vdiscret", formatFloat(static_cast<float>(layers)));
    file.setValue("wind.solver", std::to_string(static_cast<int>(solveKind)));
}

void WindField::setSolver(Solve kind) {
    if (kind != solveKind) dirtyFlag = true;
    solveKind = kind;
}

void WindField::setGrid(int columns, int layerCount) {
    columnsX = columnsY = std::clamp(columns, minColumns, maxColumns);
    layers = std::clamp(layerCount, minLayers, maxLayers);
    dirtyFlag = true;
}

void WindField::setStability(float gamma, float tinf, float alpha) {
    // Beyond these the square root, the division by the temperature or the
    // fading share would overflow into infinities and NaN.
    gammaValue = std::clamp(gamma, -1.0f, 1.0f);
    tinfValue = tinf >= 1.0f ? std::min(tinf, 1000.0f) : 296.0f;
    alphaValue = std::clamp(alpha, 0.0f, 1.0f);
    dirtyFlag = true;
}

void WindField::setWind(float direction, float speed) {
    if (!std::isfinite(speed)) speed = 0.0f;
    if (!std::isfinite(direction)) direction = 0.0f;
    speed = std::clamp(speed, 0.0f, 25.0f);
    const float angle = terrain.northDirection() + direction;
    base = {std::cos(angle) * speed, std::sin(angle) * speed, 0.0f};
    dirtyFlag = true;
}

void WindField::freeField() {
    vectors.clear();
    vectors.shrink_to_fit();
    heights.clear();
    ground.clear();
    relaxReport.clear();
    exactReport = ExactSolveReport{};
}

bool WindField::hasExtent() const {
    const TerrainBox& box = terrain.box();
    return !box.inverted() && terrain.extents()[0] > 0.0f && terrain.extents()[1] > 0.0f;
}

std::vector<float> WindField::layerThicknesses() {
    const float relief = terrain.relief();
    std::vector<float> thickness(layers);
    heights.assign(layers, 0.0f);
    float below = 0.0f;
    for (int k = 0; k < layers; ++k) {
        const float share = static_cast<float>(k + 1) / static_cast<float>(layers);
        heights[k] = 2.5f * relief * share * share;
        thickness[k] = heights[k] - below;
        below = heights[k];
    }
    return thickness;
}

bool WindField::compute() {
    if (!dirtyFlag && !terrain.justLoaded()) {
        changedFlag = false;
        return true;
    }
    freeField();
    dirtyFlag = true;
    perLayer = columnsX * columnsY;
    if ((base[0] == 0.0f && base[1] == 0.0f) || !hasExtent()) {
        ++rebuilds;
        changedFlag = true;
        dirtyFlag = false;
        return true;
    }
    cellX = terrain.extents()[0] / columnsX;
    cellY = terrain.extents()[1] / columnsY;
    originX = terrain.box().minX;
    originY = terrain.box().minY;
    const std::vector<float> thickness = layerThicknesses();

    WindSolver::Setup setup{columnsX,   columnsY,  layers,     cellX,   cellY,
                            gammaValue, tinfValue, alphaValue, base[0], base[1]};
    solver = std::make_unique<WindSolver>(setup, thickness, terrain);
    solver->initialLift();
    solver->correctTop();
    if (solveKind == Solve::Exact)
        exactReport = solver->solveExact(exactTolerance, exactIterationCap);
    else
        relaxReport = solver->relax(maxIterations, tolerance);
    solver->assemble(vectors);
    ground = solver->takeGround();
    solver.reset();

    changedFlag = true;
    dirtyFlag = false;
    ++rebuilds;
    return true;
}

WindField::Vec3 WindField::cell(int i, int j, int k) const {
    const std::size_t index = (static_cast<std::size_t>(k) * perLayer + j * columnsX + i) * 3;
    return {vectors[index], vectors[index + 1], vectors[index + 2]};
}

void WindField::bracket(float value, float start, float step, int count, int& lower,
                        int& upper) const {
    const float end = start + step * count;
    if (value <= start + step * 0.5f) {
        lower = upper = 0;
    } else if (value >= end - step * 0.5f) {
        lower = upper = count - 1;
    } else {
        lower =
            std::clamp(static_cast<int>(std::floor((value - start) / step - 0.5f)), 0, count - 1);
        upper = std::min(lower + 1, count - 1);
    }
}

int WindField::layerBracket(float h, int& upper) const {
    if (h <= heights.front()) {
        upper = 0;
        return 0;
    }
    if (h >= heights.back()) {
        upper = layers - 1;
        return upper;
    }
    upper = 1;
    while (upper < layers - 1 && h > heights[upper])
        ++upper;
    return upper - 1;
}

const WindField::Vec3& WindField::windAt(float x, float y, float h) {
    lastQuery = {0.0f, 0.0f, 0.0f};
    if (vectors.empty() || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(h))
        return lastQuery;
    int i[2], j[2], k[2];
    bracket(x, originX, cellX, columnsX, i[0], i[1]);
    bracket(y, originY, cellY, columnsY, j[0], j[1]);
    k[0] = layerBracket(h, k[1]);

    double sum[3] = {0.0, 0.0, 0.0};
    double weights = 0.0;
    for (int a = 0; a < 2; ++a) {
        for (int b = 0; b < 2; ++b) {
            for (int c = 0; c < 2; ++c) {
                const float ddx = originX + (i[a] + 0.5f) * cellX - x;
                const float ddy = originY + (j[b] + 0.5f) * cellY - y;
                const float ddz = heights[k[c]] - h;
                const double weight = 1.0 / std::max(ddx * ddx + ddy * ddy + ddz * ddz, 0.001f);
                const Vec3 node = cell(i[a], j[b], k[c]);
                for (int n = 0; n < 3; ++n)
                    sum[n] += weight * node[n];
                weights += weight;
            }
        }
    }
    for (int n = 0; n < 3; ++n)
        lastQuery[n] = static_cast<float>(sum[n] / weights);
    return lastQuery;
}

const WindField::Vec3& WindField::windAtPoint(float x, float y, float z) {
    const float groundHeight = terrain.containsXY(x, y) ? terrain.HeightAt(x, y) : -1.0f;
    return windAt(x, y, z - groundHeight);
}

void WindField::draw(const Plane& left, const Plane& right, float scale) const {
    if (vectors.empty()) return;
    int drawnLayers = 1;
    while (drawnLayers < layers && heights[drawnLayers] <= drawnHeight)
        ++drawnLayers;

    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    for (int j = 0; j < columnsY; ++j) {
        for (int i = 0; i < columnsX; ++i) {
            const float x = originX + (i + 0.5f) * cellX;
            const float y = originY + (j + 0.5f) * cellY;
            const float g = ground[j * columnsX + i];
            for (int k = 0; k < drawnLayers; ++k) {
                const float z = g + heights[k];
                const float sideLeft = left[0] * x + left[1] * y + left[2] * z + left[3];
                const float sideRight = right[0] * x + right[1] * y + right[2] * z + right[3];
                if (sideLeft < 0.0f || sideRight <= 0.0f) continue;
                const Vec3 wind = cell(i, j, k);
                glColor3f(0.0f, 0.0f, 1.0f);
                glVertex3f(x, y, z);
                glColor3f(1.0f, 0.0f, 0.0f);
                glVertex3f(x + scale * wind[0], y + scale * wind[1], z + scale * wind[2]);
            }
        }
    }
    glEnd();
    glEnable(GL_TEXTURE_2D);
}
