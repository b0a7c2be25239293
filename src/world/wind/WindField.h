#pragma once

#include <array>
#include <memory>
#include <vector>

#include "world/wind/WindSolver.h"

class KeyValueFile;
class Terrain;

/*
===============================================================================
WindField

The air motion over the current land: one uniform wind (setWind) turned by
compute() into a terrain-following field of nx * nx columns over the land's
bounding rectangle and nz layers, each layer standing at a height above the
local ground (thin near the ground, the top 2.5 times the land's relief up).
Air rises where the wind blows up a slope and sinks on lee slopes, the effect
fading with height as the air's stability says; the horizontal wind is then
relaxed layer by layer until each layer is nearly free of divergence, or
(solver Exact) changed as little as possible to leave no divergence at all.

No wind, or a land without extent, gives an empty field: windAt answers
(0, 0, 0) and draw draws nothing. Saved values are kept within bounds
(columns 2 to 400, layers 1 to 200, a positive reference temperature).
The terrain is not owned and must outlive the field.
===============================================================================
*/
class WindField {
  public:
    // Saved as "wind.solver": 0 relaxation (the default), 1 exact.
    enum class Solve { Relax = 0, Exact = 1 };
    using Vec3 = std::array<float, 3>;
    using Plane = std::array<float, 4>;

    static constexpr int maxIterations = 50;
    static constexpr float tolerance = 5e-6f;
    static constexpr double exactTolerance = 1e-7; // of the divergence before
    static constexpr int exactIterationCap = 2000;

    explicit WindField(const Terrain& terrain);
    ~WindField();
    WindField(const WindField&) = delete;
    WindField& operator=(const WindField&) = delete;

    void resetDefaults();
    void readParams(KeyValueFile& file);
    void saveParams(KeyValueFile& file) const;

    // direction: angle of the wind vector from the land's north direction
    // (radians); speed is clamped to 0 ... 25 m/s.
    void setWind(float direction, float speed);
    // Rebuilds the field when the wind changed or the terrain was just loaded.
    bool compute();

    // Wind at (x, y) and height h above the local ground.
    const Vec3& windAt(float x, float y, float h);
    // Wind at (x, y) and absolute height z: the height above the ground there
    // (-1 outside the land) is what the field is queried with.
    const Vec3& windAtPoint(float x, float y, float z);

    // Arrows of the low layers (up to 50 m) inside both of the observer's side
    // planes, foot blue and head red, each scale * (u, v, w) long.
    void draw(const Plane& left, const Plane& right, float scale) const;

    const Vec3& baseWind() const { return base; }
    bool changed() const { return changedFlag; }
    bool dirty() const { return dirtyFlag; }
    bool empty() const { return vectors.empty(); }
    int nx() const { return columnsX; }
    int ny() const { return columnsY; }
    int nz() const { return layers; }
    float dx() const { return cellX; }
    float dy() const { return cellY; }
    float gamma() const { return gammaValue; }
    float tinf() const { return tinfValue; }
    float alpha() const { return alphaValue; }
    float terrad() const { return terradValue; }
    const std::vector<float>& layerHeights() const { return heights; }
    const std::vector<float>& groundHeights() const { return ground; }
    // The computed vector of a cell; the field must not be empty.
    Vec3 cell(int i, int j, int k) const;
    // How each layer's relaxation went in the last rebuild.
    const std::vector<LayerRelaxation>& relaxation() const { return relaxReport; }
    // How the exact solve went in the last rebuild (zeros after a relaxation).
    const ExactSolveReport& exactSolve() const { return exactReport; }
    Solve solverKind() const { return solveKind; }
    void setSolver(Solve kind);
    // Counts the rebuilds, so that what is drawn from the field knows when to follow.
    unsigned generation() const { return rebuilds; }

    void setGrid(int columns, int layerCount);
    void setStability(float gamma, float tinf, float alpha);

  private:
    void freeField();
    bool hasExtent() const;
    std::vector<float> layerThicknesses();
    void bracket(float value, float start, float step, int count, int& lower, int& upper) const;
    int layerBracket(float h, int& upper) const;

    const Terrain& terrain;
    std::vector<float> vectors;
    Vec3 base{0.0f, 0.0f, 0.0f};
    Vec3 lastQuery{0.0f, 0.0f, 0.0f};
    std::unique_ptr<WindSolver> solver;
    float gammaValue = -0.008f;
    float tinfValue = 296.0f;
    float alphaValue = 0.2f;
    float terradValue = 5000.0f;
    int columnsX = 50;
    int columnsY = 50;
    int layers = 20;
    int perLayer = 2500;
    float cellX = 0.0f;
    float cellY = 0.0f;
    float originX = 0.0f; // the land's lower corner when the field was built
    float originY = 0.0f;
    std::vector<float> heights;
    std::vector<float> ground;
    std::vector<LayerRelaxation> relaxReport;
    ExactSolveReport exactReport;
    Solve solveKind = Solve::Relax;
    unsigned rebuilds = 0;
    bool dirtyFlag = true;
    bool changedFlag = false;
};
