#pragma once

#include <array>
#include <cstdint>
#include <span>

/*
===============================================================================
TriangleNode: one node of the terrain's triangle tree. Every triangle of the
mesh has one node; the root carries no triangle (-1). A node without a left
child is a leaf: leaves are the triangles that carry the surface, inner nodes
only serve point location and culling. Children lie inside their parent.

leaves lists every leaf below the node (the node itself for a leaf), left
subtree before right subtree. It is a view into one array owned by the
Terrain, so the lists of all nodes together cost one pointer per leaf.
===============================================================================
*/
class TriangleNode {
  public:
    bool isLeaf() const { return leaf; }

    int32_t triangle = -1;
    bool leaf = false;
    // A leaf whose horizontal projection has no area never accepts a point; such
    // an inner node leaves the decision to its children.
    bool degenerate = false;
    TriangleNode* parent = nullptr;
    TriangleNode* left = nullptr;
    TriangleNode* right = nullptr;
    // The triangle's corners (x, y) grown by 1 % about its centroid, kept so
    // that a point test reads nothing but the node.
    std::array<float, 6> grown{};
    std::span<const TriangleNode* const> leaves;
};
