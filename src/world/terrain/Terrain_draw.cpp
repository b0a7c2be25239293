// Ground shading and drawing.
#include "world/terrain/Terrain.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <limits>

#include "gfx/Image.h"
#include "gfx/Texture.h"

namespace {
// Lift so that a low sun still shows the ground: none below the horizon, full
// from 0.1 (about 6 degrees) up.
int ambientLift(float sinElevation) {
    float k = 1.0f;
    if (sinElevation < 0.0f)
        k = 0.0f;
    else if (sinElevation <= 0.1f)
        k = 10.0f * sinElevation;
    return std::clamp(static_cast<int>(50.0f * k), 0, 50);
}

// The lowest and highest x where the horizontal line at y, within the
// triangle's height, meets the triangle (corners as x, y pairs).
std::pair<float, float> rowCrossing(const std::array<float, 6>& corners, float y) {
    float low = std::numeric_limits<float>::max(), high = std::numeric_limits<float>::lowest();
    for (int i = 0; i < 6; i += 2) {
        const float ax = corners[i], ay = corners[i + 1];
        const float bx = corners[(i + 2) % 6], by = corners[(i + 3) % 6];
        if ((y < ay && y < by) || (y > ay && y > by)) continue;
        const float x = ay == by ? ax : ax + (y - ay) * (bx - ax) / (by - ay);
        low = std::min({low, x, ay == by ? bx : x});
        high = std::max({high, x, ay == by ? bx : x});
    }
    return {low, high};
}

std::uint8_t shade(std::uint8_t byte, float factor, int lift) {
    const int lit = static_cast<int>(static_cast<float>(byte) * factor) + lift;
    return static_cast<std::uint8_t>(std::min(lit, 255));
}
} // namespace

// Each leaf shades the texels it would answer for, in the order the point
// search tries the leaves: a texel belongs to the first leaf that takes it
// whose every ancestor takes it too, so the normals are those NormalAt gives.
std::unique_ptr<Image> Terrain::ShadedGround(const SunAngles& sun) const {
    if (!ground || !ground->HasPixels()) return nullptr;
    auto shaded = std::make_unique<Image>(*ground);
    const int lift = ambientLift(sun[0]);
    const Vec3 towardsSun{sun[1] * sun[3], sun[1] * sun[2], sun[0]};
    const int width = shaded->Width(), height = shaded->Height();
    // Grey and grey-alpha pictures shade their grey byte, RGB(A) three bytes;
    // the alpha byte keeps its value.
    const int texel = shaded->BytesPerPixel();
    const int colourBytes = texel >= 3 ? 3 : 1;
    std::uint8_t* pixels = shaded->Pixels();
    auto shadeTexel = [&](int column, int row, const Vec3& n) {
        const float d = n[2] * towardsSun[2] + n[1] * towardsSun[1] + n[0] * towardsSun[0];
        const float factor = d < 0.0f ? -d : 0.0f;
        std::uint8_t* pixel = pixels + (static_cast<std::size_t>(row) * width + column) * texel;
        for (int byte = 0; byte < colourBytes; ++byte)
            pixel[byte] = shade(pixel[byte], factor, lift);
    };
    std::vector<std::uint8_t> done(static_cast<std::size_t>(width) * height, 0);
    std::vector<const TriangleNode*> judges;
    for (const TriangleNode* leaf : root.leaves)
        ShadeLeafTexels(*leaf, width, height, done, judges, shadeTexel);
    // Texels no leaf takes have an upright normal, as NormalAt says outside the land.
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            if (!done[static_cast<std::size_t>(row) * width + column])
                shadeTexel(column, row, Vec3{0.0f, 0.0f, 1.0f});
    return shaded;
}

template <class ShadeTexel>
void Terrain::ShadeLeafTexels(const TriangleNode& leaf, int width, int height,
                              std::vector<std::uint8_t>& done,
                              std::vector<const TriangleNode*>& judges,
                              const ShadeTexel& shadeTexel) const {
    if (leaf.degenerate) return;
    // Ancestors whose grown triangle holds this one's take every point it takes.
    judges.clear();
    for (const TriangleNode* up = leaf.parent; up != nullptr; up = up->parent)
        if (up->triangle >= 0 && !up->degenerate && !HoldsGrown(*up, leaf)) judges.push_back(up);
    const TerrainBox& b = terrainMesh.box;
    const auto& g = leaf.grown;
    const float toColumn = width / terrainMesh.extents[0], toRow = height / terrainMesh.extents[1];
    auto range = [](float low, float high, float scale, float origin, int count) {
        const int first = static_cast<int>(std::floor((low - origin) * scale - 0.5f)) - 1;
        const int last = static_cast<int>(std::ceil((high - origin) * scale - 0.5f)) + 1;
        return std::pair{std::max(first, 0), std::min(last, count - 1)};
    };
    const float bottom = std::min({g[1], g[3], g[5]}), top = std::max({g[1], g[3], g[5]});
    const auto [firstRow, lastRow] = range(bottom, top, toRow, b.minY, height);
    for (int row = firstRow; row <= lastRow; ++row) {
        // The texel centres exactly as NormalAt was asked for them.
        const float y = (row + 0.5f) * terrainMesh.extents[1] / height + b.minY;
        // Only the texels about where the row crosses the triangle: the point test decides.
        const auto [left, right] = rowCrossing(g, std::clamp(y, bottom, top));
        const auto [firstColumn, lastColumn] = range(left, right, toColumn, b.minX, width);
        for (int column = firstColumn; column <= lastColumn; ++column) {
            std::uint8_t& taken = done[static_cast<std::size_t>(row) * width + column];
            if (taken) continue;
            const float x = (column + 0.5f) * terrainMesh.extents[0] / width + b.minX;
            if (!InsideGrown(leaf, x, y)) continue;
            if (std::any_of(judges.begin(), judges.end(),
                            [&](const TriangleNode* up) { return !InsideGrown(*up, x, y); }))
                continue;
            taken = 1;
            shadeTexel(column, row, InterpolatedNormal(leaf, x, y));
        }
    }
}

void Terrain::ShadeGround(const SunAngles& sun) {
    // Shaded again from the ground picture when a new context needs it, not kept.
    texture->Load([this, sun](Image& out) {
        std::unique_ptr<Image> shaded = ShadedGround(sun);
        if (shaded) out = std::move(*shaded);
        return shaded != nullptr;
    });
}

int Terrain::SideMask(const TriangleNode& node, const Plane& plane) const {
    if (node.triangle < 0) return 1;
    int mask = 0;
    const auto& t = terrainMesh.triangles[node.triangle];
    for (int corner = 0; corner < 3; ++corner) {
        const auto& p = terrainMesh.points[t[corner]];
        if (plane[0] * p[0] + plane[1] * p[1] + plane[2] * p[2] + plane[3] > 0.0f)
            mask |= 1 << corner;
    }
    return mask;
}

// A subtree wholly inside both planes is sent as its leaf list at once; one
// with every point outside either plane is skipped. The right child is
// handled in the loop rather than by recursion.
void Terrain::VisitNode(const TriangleNode* node, int maskA, const Plane& planeA,
                        const Plane& planeB, const LeafListVisitor& visitor) const {
    if (maskA == 0) return;
    for (;;) {
        const int maskB = SideMask(*node, planeB);
        if (maskB == 0) return;
        if (maskA + maskB == 14 || node->leaf) {
            visitor(node->leaves);
            return;
        }
        if (node->left != nullptr)
            VisitNode(node->left, SideMask(*node->left, planeA), planeA, planeB, visitor);
        node = node->right;
        if (node == nullptr) return;
        maskA = SideMask(*node, planeA);
        if (maskA == 0) return;
    }
}

void Terrain::VisitVisible(const Plane& planeA, const Plane& planeB,
                           const LeafListVisitor& visitor) const {
    if (root.left == nullptr) return;
    VisitNode(&root, SideMask(root, planeA), planeA, planeB, visitor);
}

void Terrain::Draw(const Plane& planeA, const Plane& planeB) {
    if (root.left == nullptr) return;
    texture->Bind();
    const auto& mesh = terrainMesh;
    glBegin(GL_TRIANGLES);
    VisitVisible(planeA, planeB, [&mesh](std::span<const TriangleNode* const> leaves) {
        for (const TriangleNode* leaf : leaves)
            for (int32_t index : mesh.triangles[leaf->triangle]) {
                glTexCoord2f(mesh.textureCoordinates[index][0], mesh.textureCoordinates[index][1]);
                glVertex3f(mesh.points[index][0], mesh.points[index][1], mesh.points[index][2]);
            }
    });
    glEnd();
}

void Terrain::ReleaseGl() {
    texture->ReleaseGl();
}

void Terrain::RestoreGl() {
    texture->RestoreGl();
}
