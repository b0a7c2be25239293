#include "world/wind/ExactSolver.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

double dot(const std::vector<double>& a, const std::vector<double>& b) {
    double sum = 0.0;
    for (std::size_t n = 0; n < a.size(); ++n)
        sum += a[n] * b[n];
    return sum;
}

extern "C" {
void dgemm_(const char* transA, const char* transB, const int* m, const int* n, const int* k,
            const double* alpha, const double* a, const int* lda, const double* b, const int* ldb,
            const double* beta, double* c, const int* ldc, std::size_t, std::size_t);
void dsyev_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda, double* w,
            double* work, const int* lwork, int* info, std::size_t, std::size_t);
}

// Row-major C (rows x columns) = op(A) op(B) over depth; BLAS sees the
// transposes, column-major.
void multiplyRowMajor(bool transposeA, bool transposeB, int rows, int columns, int depth,
                      const double* a, int lda, const double* b, int ldb, double* c, int ldc) {
    const char opA = transposeA ? 'T' : 'N', opB = transposeB ? 'T' : 'N';
    const double one = 1.0, zero = 0.0;
    dgemm_(&opB, &opA, &columns, &rows, &depth, &one, b, &ldb, a, &lda, &zero, c, &ldc, 1, 1);
}

// Eigenvectors (as rows) and eigenvalues of D D^T, D the central difference
// along one axis with a cell's own value beyond the edge.
std::vector<double> differenceEigenvectors(int n, std::vector<double>& values) {
    std::vector<double> difference(static_cast<std::size_t>(n) * n, 0.0);
    for (int row = 0; row < n; ++row) {
        difference[row * n + std::min(row + 1, n - 1)] += 1.0;
        difference[row * n + std::max(row - 1, 0)] -= 1.0;
    }
    std::vector<double> product(static_cast<std::size_t>(n) * n, 0.0);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            for (int m = 0; m < n; ++m)
                product[a * n + b] += difference[a * n + m] * difference[b * n + m];
    values.assign(n, 0.0);
    int size = -1, info = 0;
    double query = 0.0;
    dsyev_("V", "U", &n, product.data(), &n, values.data(), &query, &size, &info, 1, 1);
    size = static_cast<int>(query);
    std::vector<double> work(std::max(size, 1));
    dsyev_("V", "U", &n, product.data(), &n, values.data(), work.data(), &size, &info, 1, 1);
    // Column-major eigenvectors read row-major are the rows wanted.
    return product;
}

// A share this small would leave the vertical coupling too weak to hold the
// system away from singular.
constexpr double smallestShare = 0.05;

} // namespace

ExactSolver::ExactSolver(const Grid& grid)
    : nx(grid.nx), ny(grid.ny), nz(grid.nz), perLayer(grid.nx * grid.ny), hx(0.5 / grid.dx),
      hy(0.5 / grid.dy), vertical(true) {
    thickness.assign(grid.thickness.begin(), grid.thickness.end());
    for (double t : thickness)
        if (!(t > 0.0)) vertical = false;
    rowScale.resize(nz);
    for (int k = 0; k < nz; ++k)
        rowScale[k] = vertical ? thickness[k] : 1.0;

    // A boundary's volume is half of each layer it separates.
    mobility.assign(nz + 1, 0.0);
    if (vertical) {
        for (int b = 1; b <= nz; ++b) {
            const double volume = 0.5 * (thickness[b - 1] + (b < nz ? thickness[b] : 0.0));
            const double share =
                std::max(static_cast<double>(grid.verticalShare[b]), smallestShare);
            mobility[b] = share * share / volume;
        }
    }

    std::vector<double> valuesX, valuesY;
    eigenX = differenceEigenvectors(nx, valuesX);
    eigenY = differenceEigenvectors(ny, valuesY);
    modeValue.resize(perLayer);
    for (int b = 0; b < ny; ++b)
        for (int a = 0; a < nx; ++a)
            modeValue[b * nx + a] = hx * hx * valuesX[a] + hy * hy * valuesY[b];
    scratchU.resize(perLayer);
    scratchV.resize(perLayer);
    // D D^T has eigenvalues up to 4 per axis; below this a mode is in its null space.
    singularPivot = 1e-9 * 4.0 * (hx * hx + hy * hy);
}

// The relaxation's divergence, in double precision.
void ExactSolver::divergence(const double* u, const double* v, const double* w, Field& out) const {
    out.resize(static_cast<std::size_t>(perLayer) * nz);
    for (int k = 0; k < nz; ++k) {
        const std::size_t layer = static_cast<std::size_t>(k) * perLayer;
        const double* uk = u + layer;
        const double* vk = v + layer;
        for (int j = 0; j < ny; ++j) {
            const int south = (j > 0 ? j - 1 : j) * nx, north = (j < ny - 1 ? j + 1 : j) * nx;
            for (int i = 0; i < nx; ++i) {
                const int c = j * nx + i;
                const int west = i > 0 ? c - 1 : c, east = i < nx - 1 ? c + 1 : c;
                double d = (uk[east] - uk[west]) * hx + (vk[north + i] - vk[south + i]) * hy;
                if (vertical) d += (w[layer + perLayer + c] - w[layer + c]) / thickness[k];
                out[layer + c] = d;
            }
        }
    }
}

double ExactSolver::largestDivergence(const Field& scaled) const {
    double largest = 0.0;
    for (int k = 0; k < nz; ++k) {
        const double* row = scaled.data() + static_cast<std::size_t>(k) * perLayer;
        double layerLargest = 0.0;
        for (int c = 0; c < perLayer; ++c)
            layerLargest = std::max(layerLargest, std::fabs(row[c]));
        largest = std::max(largest, layerLargest / rowScale[k]);
    }
    return largest;
}

// D^T of one layer's multipliers: what each u and v receives from the rows
// whose divergence it enters (a column's own value at the grid's edge).
void ExactSolver::horizontalTranspose(const double* p, double* gu, double* gv) const {
    for (int j = 0; j < ny; ++j) {
        const double* row = p + j * nx;
        double* out = gu + j * nx;
        out[0] = -row[0] - row[1];
        for (int i = 1; i < nx - 1; ++i)
            out[i] = row[i - 1] - row[i + 1];
        out[nx - 1] = row[nx - 2] + row[nx - 1];
    }
    for (int i = 0; i < nx; ++i) {
        gv[i] = -p[i] - p[nx + i];
        gv[(ny - 1) * nx + i] = p[(ny - 2) * nx + i] + p[(ny - 1) * nx + i];
    }
    for (int j = 1; j < ny - 1; ++j)
        for (int i = 0; i < nx; ++i)
            gv[j * nx + i] = p[(j - 1) * nx + i] - p[(j + 1) * nx + i];
}

// out = D M D^T p, rows scaled by the layer's volume.
void ExactSolver::multiply(const Field& p, Field& out) {
    double* gu = scratchU.data();
    double* gv = scratchV.data();
    const double hx2 = hx * hx, hy2 = hy * hy;
    for (int k = 0; k < nz; ++k) {
        const std::size_t layer = static_cast<std::size_t>(k) * perLayer;
        const double* pk = p.data() + layer;
        double* yk = out.data() + layer;
        horizontalTranspose(pk, gu, gv);
        const double scale = rowScale[k];
        for (int j = 0; j < ny; ++j) {
            const int south = (j > 0 ? j - 1 : j) * nx, north = (j < ny - 1 ? j + 1 : j) * nx;
            for (int i = 0; i < nx; ++i) {
                const int c = j * nx + i;
                const int west = i > 0 ? c - 1 : c, east = i < nx - 1 ? c + 1 : c;
                yk[c] =
                    scale * (hx2 * (gu[east] - gu[west]) + hy2 * (gv[north + i] - gv[south + i]));
            }
        }
        if (!vertical) continue;
        const double below = mobility[k], above = mobility[k + 1];
        const double* pBelow = k > 0 ? pk - perLayer : nullptr;
        const double* pAbove = k + 1 < nz ? pk + perLayer : nullptr;
        for (int c = 0; c < perLayer; ++c) {
            double sum = (below + above) * pk[c];
            if (pBelow) sum -= below * pBelow[c];
            if (pAbove) sum -= above * pAbove[c];
            yk[c] += sum;
        }
    }
}

// Row-major C = op(A) * op(B), C being rows x columns and the inner size depth.
void ExactSolver::transformLayers(const Field& in, Field& out, bool toModes) {
    Field& between = factors;
    const int rows = nz * ny;
    if (toModes) {
        multiplyRowMajor(false, true, rows, nx, nx, in.data(), nx, eigenX.data(), nx,
                         between.data(), nx);
        for (int k = 0; k < nz; ++k) {
            const std::size_t layer = static_cast<std::size_t>(k) * perLayer;
            multiplyRowMajor(false, false, ny, nx, ny, eigenY.data(), ny, between.data() + layer,
                             nx, out.data() + layer, nx);
        }
    } else {
        for (int k = 0; k < nz; ++k) {
            const std::size_t layer = static_cast<std::size_t>(k) * perLayer;
            multiplyRowMajor(true, false, ny, nx, ny, eigenY.data(), ny, in.data() + layer, nx,
                             between.data() + layer, nx);
        }
        multiplyRowMajor(false, false, rows, nx, nx, between.data(), nx, eigenX.data(), nx,
                         out.data(), nx);
    }
}

// Inverts the system: into horizontal modes, one tridiagonal solve over the
// layers per mode (all modes of a layer at once), back from the modes.
void ExactSolver::precondition(const Field& r, Field& out) {
    const std::size_t cells = static_cast<std::size_t>(perLayer) * nz;
    modes.resize(cells);
    factors.resize(cells);
    transformLayers(r, modes, true);
    for (int k = 0; k < nz; ++k) {
        const std::size_t layer = static_cast<std::size_t>(k) * perLayer;
        const double diagonal = mobility[k] + mobility[k + 1];
        const double lower = k > 0 ? -mobility[k] : 0.0;
        const double upper = k + 1 < nz ? -mobility[k + 1] : 0.0;
        for (int c = 0; c < perLayer; ++c) {
            const double previousFactor = k > 0 ? factors[layer - perLayer + c] : 0.0;
            const double previous = k > 0 ? modes[layer - perLayer + c] : 0.0;
            const double pivot = modeValue[c] * rowScale[k] + diagonal - lower * previousFactor;
            // Only a land without relief has a singular mode; its part of the
            // divergence is zero.
            if (!vertical && std::fabs(pivot) < singularPivot) {
                factors[layer + c] = 0.0;
                modes[layer + c] = 0.0;
                continue;
            }
            factors[layer + c] = upper / pivot;
            modes[layer + c] = (modes[layer + c] - lower * previous) / pivot;
        }
    }
    for (int k = nz - 2; k >= 0; --k) {
        const std::size_t layer = static_cast<std::size_t>(k) * perLayer;
        for (int c = 0; c < perLayer; ++c)
            modes[layer + c] -= factors[layer + c] * modes[layer + perLayer + c];
    }
    transformLayers(modes, out, false);
}

// u, v, w += -M D^T lambda.
void ExactSolver::applyChange(const Field& lambda, Field& u, Field& v, Field& w) {
    double* gu = scratchU.data();
    double* gv = scratchV.data();
    for (int k = 0; k < nz; ++k) {
        const std::size_t layer = static_cast<std::size_t>(k) * perLayer;
        horizontalTranspose(lambda.data() + layer, gu, gv);
        for (int c = 0; c < perLayer; ++c) {
            u[layer + c] -= hx * gu[c];
            v[layer + c] -= hy * gv[c];
        }
    }
    if (!vertical) return;
    for (int b = 1; b <= nz; ++b) {
        const std::size_t boundary = static_cast<std::size_t>(b) * perLayer;
        const double* below = lambda.data() + boundary - perLayer;
        const double* above = b < nz ? lambda.data() + boundary : nullptr;
        for (int c = 0; c < perLayer; ++c)
            w[boundary + c] -= mobility[b] * (below[c] - (above ? above[c] : 0.0));
    }
}

ExactSolveReport ExactSolver::solve(std::span<float> u, std::span<float> v, std::span<float> w,
                                    double relativeTolerance, int maxIterations) {
    const std::size_t cells = static_cast<std::size_t>(perLayer) * nz;
    Field uD(u.begin(), u.end()), vD(v.begin(), v.end()), wD(w.begin(), w.end());
    Field r;
    divergence(uD.data(), vD.data(), wD.data(), r);
    for (int k = 0; k < nz; ++k)
        for (int c = 0; c < perLayer; ++c)
            r[static_cast<std::size_t>(k) * perLayer + c] *= rowScale[k];

    ExactSolveReport report;
    report.divergenceBefore = largestDivergence(r);
    const double goal = relativeTolerance * report.divergenceBefore;
    Field lambda(cells, 0.0), z(cells), p(cells), q(cells);
    double largest = report.divergenceBefore;
    if (largest > goal) {
        precondition(r, z);
        p = z;
        double rz = dot(r, z);
        while (report.iterations < maxIterations && largest > goal) {
            multiply(p, q);
            const double step = rz / dot(p, q);
            for (std::size_t n = 0; n < cells; ++n) {
                lambda[n] += step * p[n];
                r[n] -= step * q[n];
            }
            ++report.iterations;
            largest = largestDivergence(r);
            if (largest <= goal) break;
            precondition(r, z);
            const double rzNext = dot(r, z);
            const double keep = rzNext / rz;
            rz = rzNext;
            for (std::size_t n = 0; n < cells; ++n)
                p[n] = z[n] + keep * p[n];
        }
        applyChange(lambda, uD, vD, wD);
    }
    // The recursive residual may drift from the field's: measure the field.
    divergence(uD.data(), vD.data(), wD.data(), r);
    report.divergenceAfter = 0.0;
    for (double d : r)
        report.divergenceAfter = std::max(report.divergenceAfter, std::fabs(d));
    report.converged = report.divergenceAfter <= goal;
    std::copy(uD.begin(), uD.end(), u.begin());
    std::copy(vD.begin(), vD.end(), v.begin());
    std::copy(wD.begin(), wD.end(), w.begin());
    return report;
}
