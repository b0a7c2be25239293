// Ground shading and drawing.
#include "world/terrain/Terrain.h"

#include <GL/gl.h>
#include <algorithm>

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

std::uint8_t shade(std::uint8_t byte, float factor, int lift) {
    const int lit = static_cast<int>(static_cast<float>(byte) * factor) + lift;
    return static_cast<std::uint8_t>(std::min(lit, 255));
}
} // namespace

std::unique_ptr<Image> Terrain::ShadedGround(const SunAngles& sun) const {
    if (!ground || !ground->HasPixels()) return nullptr;
    auto shaded = std::make_unique<Image>(*ground);
    const int width = shaded->Width();
    const int height = shaded->Height();
    const int texel = shaded->BytesPerPixel();
    // Grey and grey-alpha pictures shade their grey byte, RGB(A) three bytes;
    // the alpha byte keeps its value.
    const int colourBytes = texel >= 3 ? 3 : 1;
    const int lift = ambientLift(sun[0]);
    const float towardsY = sun[1] * sun[2];
    const float towardsX = sun[1] * sun[3];
    const TerrainBox& b = terrainMesh.box;
    std::uint8_t* pixel = shaded->Pixels();
    for (int row = 0; row < height; ++row) {
        const float y = (row + 0.5f) * terrainMesh.extents[1] / height + b.minY;
        for (int column = 0; column < width; ++column, pixel += texel) {
            const float x = (column + 0.5f) * terrainMesh.extents[0] / width + b.minX;
            const Vec3 n = NormalAt(x, y);
            const float d = n[2] * sun[0] + n[1] * towardsY + n[0] * towardsX;
            const float factor = d < 0.0f ? -d : 0.0f;
            for (int byte = 0; byte < colourBytes; ++byte)
                pixel[byte] = shade(pixel[byte], factor, lift);
        }
    }
    return shaded;
}

void Terrain::ShadeGround(const SunAngles& sun) {
    std::unique_ptr<Image> shaded = ShadedGround(sun);
    if (shaded) texture->SetImage(shaded.get());
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
