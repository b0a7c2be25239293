#pragma once

#include <span>
#include <vector>

#include "world/wind/ExactSolver.h"

class Terrain;

// How the relaxation of one layer went.
struct LayerRelaxation {
    float divergenceBefore = 0.0f; // largest |divergence| before the first pass
    float divergenceAfter = 0.0f;  // largest |divergence| after the last pass
    int iterations = 0;            // rounds of four passes
};

/*
===============================================================================
WindSolver

The temporary work space of one wind-field computation over a terrain-following
grid of nx * ny columns and nz layers. u and v stand at the layer centres, w at
the nz + 1 layer boundaries (boundary k at height Z_k above the local ground,
Z_0 = 0). The steps, in the order WindField::compute runs them:
  initialLift()   vertical wind from the ground slope, fading with height
                  according to the air's static stability;
  correctTop()    brings w to 0 at the top with a linear correction;
  relax()         per layer, four-pass corrections of u and v until the layer's
                  largest divergence is at most the tolerance or the iteration
                  cap is reached; w is never changed;
  solveExact()    instead of relax(): the smallest weighted change of u, v and
                  w that leaves no divergence (ExactSolver);
  assemble()      (u, v, mean w of the layer's two boundaries) per cell.
A layer of zero thickness (a flat land) has no vertical term in its divergence.
===============================================================================
*/
class WindSolver {
  public:
    struct Setup {
        int nx = 50;
        int ny = 50;
        int nz = 20;
        float dx = 1.0f;
        float dy = 1.0f;
        float gamma = -0.008f;
        float tinf = 296.0f;
        float alpha = 0.2f;
        float baseU = 0.0f;
        float baseV = 0.0f;
    };

    // thickness holds nz values; the ground of every column is taken from the
    // terrain at the column centre (-1 outside its bounding rectangle).
    WindSolver(const Setup& setup, std::span<const float> thickness, const Terrain& terrain);

    void initialLift();
    void correctTop();
    // Computes the divergence of layer k into the one-layer array and returns
    // its largest magnitude.
    float divergence(int k);
    LayerRelaxation relaxLayer(int k, int maxIterations, float tolerance);
    std::vector<LayerRelaxation> relax(int maxIterations, float tolerance);
    ExactSolveReport solveExact(double relativeTolerance, int maxIterations);
    // Per boundary, how freely the exact solve may change w there: 1 in air
    // that is not stable, less where stable air would damp the slope's lift
    // (the fading of initialLift without its floor at the ground).
    std::vector<float> verticalShares() const;
    // Writes nx * ny * nz * 3 floats, cell index k * nx * ny + j * nx + i.
    void assemble(std::vector<float>& vectors) const;
    std::vector<float> takeGround() { return std::move(ground); }

    // Brunt-Vaisala frequency, or -1 when the air is unstable (gamma < -0.01).
    static float bruntVaisala(float gamma, float tinf);
    // Decay rate of the slope lift with height for a column, per metre.
    float decayRate(int column) const;

    int column(int i, int j) const { return j * nx + i; }
    float u(int i, int j, int k) const { return uValues[cell(i, j, k)]; }
    float v(int i, int j, int k) const { return vValues[cell(i, j, k)]; }
    float w(int i, int j, int boundary) const {
        return wValues[boundary * perLayer + column(i, j)];
    }
    float groundAt(int i, int j) const { return ground[column(i, j)]; }
    float level(int boundary) const { return levels[boundary]; }
    float divergenceAt(int i, int j) const { return div[column(i, j)]; }

  private:
    enum class Sweep { EastNorth, WestNorth, EastSouth, WestSouth };

    int cell(int i, int j, int k) const { return k * perLayer + column(i, j); }
    void fillGround(const Terrain& terrain);
    void correctionPass(int k, Sweep sweep);
    void correctColumn(int k, int i, int j);
    float groundLift(int i, int j) const;

    float gamma, tinf, alpha;
    int nx, ny, nz, perLayer;
    float dx, dy;
    std::vector<float> thickness;
    std::vector<float> levels; // Z, nz + 1 boundaries
    std::vector<float> uValues;
    std::vector<float> vValues;
    std::vector<float> wValues; // nz + 1 boundaries
    std::vector<float> div;     // one layer
    std::vector<float> ground;
};
