#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "world/terrain/Spot.h"
#include "world/terrain/TerrainMesh.h"
#include "world/terrain/TriangleNode.h"

class Image;
class KeyValueFile;
class Texture;

/*
===============================================================================
Terrain: one land's ground. Loads the land file (points, triangles, triangle
tree, geographic placing, spots, ground picture), answers ground height and
normal anywhere over the land, keeps the spot list, bakes the sun's shading
into the ground texture and draws the ground with a two-plane cull.

A terrain reads its land file only at its first successful Load (or after
Clear): later Loads only clear the just-loaded flag, which the sun, wind,
thermals and clouds test to decide whether to rebuild for a new land.

Queries outside the land: HeightAt gives -1, NormalAt gives (0, 0, 1). The
search descends the tree (each triangle grown by 1 % about its centroid, left
child first), so it costs about the depth of the tree, not the triangle count.

Malformed trees (indices out of range, no or two root records, nodes reached
without a record or twice, cycles, children outside their parent) and
non-finite coordinates make Load fail; nothing is kept. Triangles with no
horizontal area never answer a query, so no query gives NaN.

Angles are radians in memory and degrees in the file. Vectors are (x, y, z);
planes are (a, b, c, d) with a point inside when a x + b y + c z + d > 0.
===============================================================================
*/
class Terrain {
  public:
    using Vec3 = std::array<float, 3>;
    using Plane = std::array<float, 4>;
    // The sun's sine and cosine of elevation, then sine and cosine of its
    // horizontal direction from +x towards +y: (s1 s3, s1 s2, s0) points at it.
    using SunAngles = std::array<float, 4>;
    using LeafListVisitor = std::function<void(std::span<const TriangleNode* const>)>;

    Terrain();
    virtual ~Terrain();
    Terrain(const Terrain&) = delete;
    Terrain& operator=(const Terrain&) = delete;

    // The land's name from "terrain.name" of a scene or saved-game file (empty
    // when absent). Does not force a reload.
    void SetName(KeyValueFile& file);
    void SetName(const std::string& landName);
    void WriteName(KeyValueFile& file) const;

    // Reads the land file when a load is needed; see the banner.
    bool Load(KeyValueFile& landFile);
    void Clear();

    float HeightAt(float x, float y) const;
    Vec3 NormalAt(float x, float y) const;
    // The leaf that holds (x, y), or null outside the land.
    const TriangleNode* LocateLeaf(float x, float y) const;

    void AddSpot(const std::string& spotName, float x, float y, float z, float orientation,
                 float windSpeed, float windDirection);
    // Both return null while the terrain has no spot.
    const Spot* FirstSpot();
    const Spot* NextSpot();
    // Name of the first spot closer than 10 m horizontally, else the empty name.
    const std::string& SpotNameNear(float x, float y) const;
    // Makes the first spot closer than 10 m the current one, so that NextSpot goes on
    // to the spot after it; the current spot stays when none is that close.
    void SelectSpotNear(float x, float y);
    // Replaces the land file's "Spot" section with every spot after the
    // land-centre one, keeping the section's entries that are not spots; the
    // caller writes the file.
    void WriteSpots(KeyValueFile& file) const;
    std::string SpotSectionText() const;

    // The ground picture shaded for the sun, same size and bytes per texel as
    // the unshaded one (null without a ground picture).
    std::unique_ptr<Image> ShadedGround(const SunAngles& sun) const;
    // Hands the shaded picture to the ground texture (creates its GL name).
    void ShadeGround(const SunAngles& sun);

    void Draw(const Plane& planeA, const Plane& planeB);
    // The cull of Draw without drawing: the visitor gets each leaf list that
    // Draw would send, in drawing order.
    void VisitVisible(const Plane& planeA, const Plane& planeB,
                      const LeafListVisitor& visitor) const;

    void ReleaseGl();
    void RestoreGl();

    const std::string& name() const { return landName; }
    const TerrainMesh& mesh() const { return terrainMesh; }
    const TerrainBox& box() const { return terrainMesh.box; }
    const Vec3& extents() const { return terrainMesh.extents; }
    const Vec3& centre() const { return terrainMesh.centre; }
    // Highest minus lowest ground point; 0 before a load.
    float relief() const;
    // Within the bounding box horizontally, both ends included.
    bool containsXY(float x, float y) const { return terrainMesh.box.containsXY(x, y); }

    float northDirection() const { return north; }
    float longitude() const { return longitudeRadians; }
    float latitude() const { return latitudeRadians; }
    int32_t baseTimeZone() const { return timeZone; }
    bool justLoaded() const { return loadedNow; }
    bool needsLoad() const { return loadNeeded; }

    const std::vector<Spot>& spots() const { return spotList; }
    std::size_t currentSpot() const { return currentSpotIndex; }
    const TriangleNode& treeRoot() const { return root; }
    std::size_t leafCount() const { return leafOrder.size(); }
    const Image* groundImage() const { return ground.get(); }
    Texture& groundTexture() { return *texture; }

  private:
    // Index of the first spot closer than 10 m, or the spot count when none is.
    std::size_t spotIndexNear(float x, float y) const;
    void ResetDefaults();
    bool ReadGeometry(KeyValueFile& landFile);
    // A triangle's left and right children in the land file's tree (-1 for none).
    using ChildLinks = std::array<int32_t, 2>;
    bool BuildTree(std::span<const int32_t> records);
    static std::vector<int32_t> DepthFirstOrder(const std::vector<ChildLinks>& children,
                                                const ChildLinks& rootChildren,
                                                std::size_t& reached);
    bool CheckTree(const std::vector<bool>& hasRecord);
    bool ChildInsideParent(const TriangleNode& child, const TriangleNode& parent) const;
    void FinishTree(std::size_t reached);
    void ComputeNormals();
    void ReadSpots(KeyValueFile& landFile);
    void ReadGroundPicture(KeyValueFile& landFile);

    std::array<float, 6> GrownCorners(int32_t triangle) const;
    static bool InsideGrown(const TriangleNode& node, float x, float y);
    bool HoldsGrown(const TriangleNode& outer, const TriangleNode& inner) const;
    Vec3 InterpolatedNormal(const TriangleNode& leaf, float x, float y) const;
    // judges is scratch room, kept between leaves so that no leaf allocates.
    template <class ShadeTexel>
    void ShadeLeafTexels(const TriangleNode& leaf, int width, int height,
                         std::vector<std::uint8_t>& done, std::vector<const TriangleNode*>& judges,
                         const ShadeTexel& shadeTexel) const;
    bool Accepts(const TriangleNode& node, float x, float y) const;
    const TriangleNode* Search(const TriangleNode& node, float x, float y) const;
    std::array<float, 3> Weights(const TriangleNode& leaf, float x, float y) const;
    int SideMask(const TriangleNode& node, const Plane& plane) const;
    void VisitNode(const TriangleNode* node, int maskA, const Plane& planeA, const Plane& planeB,
                   const LeafListVisitor& visitor) const;

    std::string landName;
    float north = 1.5707964f;
    float longitudeRadians = 0.0f;
    float latitudeRadians = 0.0f;
    int32_t timeZone = 1;
    TerrainMesh terrainMesh;
    TriangleNode root;
    std::vector<TriangleNode> nodes; // one per triangle, in depth-first order
    std::vector<const TriangleNode*> leafOrder;
    std::vector<Spot> spotList;
    std::size_t currentSpotIndex = 0;
    std::unique_ptr<Image> ground;
    std::unique_ptr<Texture> texture;
    std::string noSpotName;
    bool loadNeeded = true;
    bool loadedNow = false;
};

// Inline: the shading asks these for every texel of the ground picture.
inline bool Terrain::InsideGrown(const TriangleNode& node, float x, float y) {
    const auto& g = node.grown;
    const float ax = g[0], ay = g[1], bx = g[2], by = g[3], cx = g[4], cy = g[5];
    const float eBC = (cy - by) * (x - bx) - (cx - bx) * (y - by);
    const float eAB = (by - ay) * (x - ax) - (bx - ax) * (y - ay);
    const float eCA = (ay - cy) * (x - cx) - (ax - cx) * (y - cy);
    return eBC * eAB >= 0.0f && eCA * eAB >= 0.0f && eCA * eBC >= 0.0f;
}

inline std::array<float, 3> Terrain::Weights(const TriangleNode& leaf, float x, float y) const {
    const auto& t = terrainMesh.triangles[leaf.triangle];
    const auto& a = terrainMesh.points[t[0]];
    const auto& b = terrainMesh.points[t[1]];
    const auto& c = terrainMesh.points[t[2]];
    const float d = (b[0] - c[0]) * (a[1] - c[1]) - (a[0] - c[0]) * (b[1] - c[1]);
    const float wB = ((x - c[0]) * (a[1] - c[1]) - (y - c[1]) * (a[0] - c[0])) / d;
    const float wA = ((y - c[1]) * (b[0] - c[0]) - (x - c[0]) * (b[1] - c[1])) / d;
    return {wA, wB, 1.0f - wA - wB};
}

inline Terrain::Vec3 Terrain::InterpolatedNormal(const TriangleNode& leaf, float x, float y) const {
    const auto w = Weights(leaf, x, y);
    const auto& t = terrainMesh.triangles[leaf.triangle];
    Vec3 n{0.0f, 0.0f, 0.0f};
    for (int corner = 0; corner < 3; ++corner)
        for (int axis = 0; axis < 3; ++axis)
            n[axis] += w[corner] * terrainMesh.pointNormals[t[corner]][axis];
    return n;
}
