#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "HeightMap.h"

/*
===============================================================================
Bintree: the triangle tree of a land made from a square height grid of
2^k + 1 samples a side. Two right triangles cover the square (the diagonal is
their shared hypotenuse); a triangle splits at the middle of its hypotenuse
into two halves, recursively.

refine splits every triangle whose plane misses a grid sample inside it by
more than the tolerance (metres). A split first splits the neighbour across
the hypotenuse down to the same level and then splits both together, so the
leaves never form a T-junction: every interior leaf edge is shared by
exactly two leaves. Triangles whose hypotenuse has no sample in its middle
(the finest level) are never split.

Corners are grid vertex numbers, row * size + column, row 0 north.
===============================================================================
*/
class Bintree {
  public:
    struct Node {
        // apex at the right angle; left and right as seen from the apex.
        std::array<int32_t, 3> corner{};
        int32_t leftChild = -1;
        int32_t rightChild = -1;
        int32_t parent = -1;
        int32_t leftNeighbour = -1;
        int32_t rightNeighbour = -1;
        int32_t baseNeighbour = -1;
        bool isLeaf() const { return leftChild < 0; }
    };

    // The grid must be square with 2^k + 1 samples a side, k >= 1.
    explicit Bintree(HeightMap grid);
    static bool suitable(const HeightMap& grid);

    void refine(float tolerance);
    // Largest vertical distance between the triangle's plane and a grid sample in it.
    float error(int32_t node) const;
    bool canSplit(int32_t node) const;
    void split(int32_t node);

    const std::vector<Node>& nodes() const { return tree; }
    int32_t size() const { return gridSize; }
    std::size_t leafCount() const;
    const HeightMap& grid() const { return heights; }

  private:
    int32_t allocate(const std::array<int32_t, 3>& corner, int32_t parent);
    void splitOne(int32_t node);
    void replaceNeighbour(int32_t neighbour, int32_t from, int32_t to);

    HeightMap heights; // its own copy: the tree is queried long after it is built
    int32_t gridSize = 0;
    std::vector<Node> tree;
    std::vector<int32_t> created; // nodes made since the refine queue last looked
};
