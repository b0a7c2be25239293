#pragma once

#include <span>
#include <vector>

// How an exact solve went. Divergences are the largest magnitude over all
// cells, in 1/s, computed in double precision on the field before it is
// rounded back to floats.
struct ExactSolveReport {
    double divergenceBefore = 0.0;
    double divergenceAfter = 0.0;
    int iterations = 0;
    bool converged = false;
};

/*
===============================================================================
ExactSolver

Makes the smallest weighted change to a terrain-following wind field that
brings its discrete divergence to zero in every cell, with the divergence the
relaxation uses: central differences of u and v (a column's own value standing
in beyond the grid's edge) plus the difference of w across the layer over its
thickness. u and v change in every cell, w at every layer boundary but the
ground (boundary 0), so air may leave through the top.

The change minimises sum(volume * (du^2 + dv^2)) + sum(volume * dw^2 / share^2)
over the cells and boundaries, share being given per boundary: the smaller the
share, the more a vertical change costs. With the constraint's multiplier
lambda (one per cell), the change is -M D^T lambda and (D M D^T) lambda = the
divergence, a symmetric positive definite system solved by conjugate gradients.
Every column has the same layers, so the system separates: it is H (x) S +
I (x) T, H the horizontal operator of one layer, S the layers' volumes and T
the vertical coupling of a column. The preconditioner inverts it exactly:
H's eigenvectors (LAPACK) turn each layer into independent horizontal modes,
and each mode's layers form one tridiagonal system. The iterations only mop
up rounding; their count stays at one or two on any grid.

A field without vertical extent (every thickness 0, a land without relief)
has no vertical term, as in the relaxation.
===============================================================================
*/
class ExactSolver {
  public:
    struct Grid {
        int nx = 2;
        int ny = 2;
        int nz = 1;
        float dx = 1.0f;
        float dy = 1.0f;
        std::span<const float> thickness;     // nz layers
        std::span<const float> verticalShare; // nz + 1 boundaries; [0] unused
    };

    explicit ExactSolver(const Grid& grid);

    // u and v: nz * nx * ny values, w: (nz + 1) * nx * ny, index
    // level * nx * ny + j * nx + i. Stops when the largest divergence is at
    // most relativeTolerance times its value before, or after maxIterations.
    ExactSolveReport solve(std::span<float> u, std::span<float> v, std::span<float> w,
                           double relativeTolerance, int maxIterations);

  private:
    using Field = std::vector<double>;

    void divergence(const double* u, const double* v, const double* w, Field& out) const;
    double largestDivergence(const Field& scaled) const;
    void multiply(const Field& p, Field& out);
    void precondition(const Field& r, Field& out);
    void transformLayers(const Field& in, Field& out, bool toModes);
    void horizontalTranspose(const double* p, double* gu, double* gv) const;
    void applyChange(const Field& lambda, Field& u, Field& v, Field& w);

    int nx, ny, nz, perLayer;
    double hx, hy;
    bool vertical;
    double singularPivot = 0.0;
    std::vector<double> rowScale; // layer volume (thickness, 1 without relief)
    std::vector<double> thickness;
    std::vector<double> mobility; // per boundary, share^2 / volume; 0 at the ground
    std::vector<double> eigenX;   // rows: eigenvectors of the x operator
    std::vector<double> eigenY;
    std::vector<double> modeValue; // per horizontal mode, eigenvalue of H
    Field scratchU, scratchV;      // one layer
    Field modes, factors;          // whole field, for the preconditioner
};
