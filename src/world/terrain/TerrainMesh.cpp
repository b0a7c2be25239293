#include "world/terrain/TerrainMesh.h"

#include <algorithm>

namespace {
// Arrays are sized in whole hundreds, as the land format has always done.
std::size_t roundedCapacity(int32_t count) {
    return (static_cast<std::size_t>(count) / 100 + 1) * 100;
}
} // namespace

bool TerrainMesh::Build(const float* coordinates, int32_t pointCount, const int32_t* indices,
                        int32_t triangleCount) {
    Clear();
    if (coordinates == nullptr || indices == nullptr || pointCount <= 0 || triangleCount <= 0)
        return false;
    points.reserve(roundedCapacity(pointCount));
    for (int32_t i = 0; i < pointCount; ++i)
        points.push_back({coordinates[3 * i], coordinates[3 * i + 1], coordinates[3 * i + 2]});
    triangles.reserve(roundedCapacity(triangleCount));
    for (int32_t i = 0; i < triangleCount; ++i)
        triangles.push_back({indices[3 * i], indices[3 * i + 1], indices[3 * i + 2]});
    for (const Vec3& p : points) {
        box.minX = std::min(box.minX, p[0]);
        box.maxX = std::max(box.maxX, p[0]);
        box.minY = std::min(box.minY, p[1]);
        box.maxY = std::max(box.maxY, p[1]);
        box.minZ = std::min(box.minZ, p[2]);
        box.maxZ = std::max(box.maxZ, p[2]);
    }
    extents = {box.maxX - box.minX, box.maxY - box.minY, box.maxZ - box.minZ};
    centre = {(box.maxX + box.minX) * 0.5f, (box.maxY + box.minY) * 0.5f,
              (box.maxZ + box.minZ) * 0.5f};
    pointNormals.assign(points.size(), Vec3{0.0f, 0.0f, 0.0f});
    textureCoordinates.assign(points.size(), {0.0f, 0.0f});
    return true;
}

void TerrainMesh::Clear() {
    points.clear();
    points.shrink_to_fit();
    triangles.clear();
    triangles.shrink_to_fit();
    pointNormals.clear();
    pointNormals.shrink_to_fit();
    textureCoordinates.clear();
    textureCoordinates.shrink_to_fit();
    box = TerrainBox{};
    extents = {0.0f, 0.0f, 0.0f};
    centre = {0.0f, 0.0f, 0.0f};
}

void TerrainMesh::ComputeTextureCoordinates() {
    if (box.inverted()) return;
    // A land flat along x or y would divide by zero: its picture is not spread on that axis.
    const float width = extents[0];
    const float depth = extents[1];
    textureCoordinates.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const float u = width > 0.0f ? (points[i][0] - box.minX) / width : 0.0f;
        const float v = depth > 0.0f ? (points[i][1] - box.minY) / depth : 0.0f;
        textureCoordinates[i] = {u, v};
    }
}
