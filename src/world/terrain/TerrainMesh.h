#pragma once

#include <array>
#include <cstdint>
#include <vector>

/*
===============================================================================
TerrainMesh: the ground surface as points and triangles in metres. The order
of a triangle's three point indices matters: it fixes the face normal's side
and the drawing order. Face normals are filled for leaf triangles only and are
not normalised (their length is twice the triangle's area); point normals are
unit length once the owning Terrain has finished its tree.

The bounding box starts inverted (+1e32 minima, -1e32 maxima) so an empty mesh
is recognisable; extents and centre follow from it.
===============================================================================
*/
struct TerrainBox {
    float minX = 1e32f;
    float maxX = -1e32f;
    float minY = 1e32f;
    float maxY = -1e32f;
    float minZ = 1e32f;
    float maxZ = -1e32f;

    bool inverted() const { return minX > maxX || minY > maxY || minZ > maxZ; }
    // Horizontal test, both ends included.
    bool containsXY(float x, float y) const {
        return x >= minX && x <= maxX && y >= minY && y <= maxY;
    }
};

class TerrainMesh {
  public:
    using Vec3 = std::array<float, 3>;
    using Triangle = std::array<int32_t, 3>;

    virtual ~TerrainMesh() = default;

    // Copies the points (x y z each) and triangles (three indices each) and
    // computes the bounding box, extents and centre. False when either is empty.
    bool Build(const float* coordinates, int32_t pointCount, const int32_t* indices,
               int32_t triangleCount);
    void Clear();
    // u, v spread the ground picture once over the bounding box; skipped when
    // the box is inverted on any axis or flat in x or y.
    void ComputeTextureCoordinates();

    int32_t pointCount() const { return static_cast<int32_t>(points.size()); }
    int32_t triangleCount() const { return static_cast<int32_t>(triangles.size()); }

    std::vector<Vec3> points;
    std::vector<Triangle> triangles;
    std::vector<Vec3> pointNormals;
    std::vector<std::array<float, 2>> textureCoordinates;
    TerrainBox box;
    Vec3 extents{0.0f, 0.0f, 0.0f};
    Vec3 centre{0.0f, 0.0f, 0.0f};
};
