#include "Bintree.h"

#include <algorithm>
#include <cmath>
#include <deque>

bool Bintree::suitable(const HeightMap& grid) {
    const int n = grid.width() - 1;
    return grid.width() == grid.height() && n >= 2 && (n & (n - 1)) == 0;
}

Bintree::Bintree(HeightMap grid) : heights(std::move(grid)), gridSize(heights.width()) {
    const int32_t last = gridSize - 1;
    const int32_t northWest = 0;
    const int32_t northEast = last;
    const int32_t southWest = last * gridSize;
    const int32_t southEast = last * gridSize + last;
    // Both halves share the diagonal from north-west to south-east as hypotenuse.
    const int32_t a = allocate({northEast, northWest, southEast}, -1);
    const int32_t b = allocate({southWest, southEast, northWest}, -1);
    tree[a].baseNeighbour = b;
    tree[b].baseNeighbour = a;
}

int32_t Bintree::allocate(const std::array<int32_t, 3>& corner, int32_t parent) {
    Node node;
    node.corner = corner;
    node.parent = parent;
    tree.push_back(node);
    created.push_back(int32_t(tree.size() - 1));
    return int32_t(tree.size() - 1);
}

bool Bintree::canSplit(int32_t node) const {
    const auto& c = tree[node].corner;
    const int32_t l = c[1], r = c[2];
    return (l % gridSize + r % gridSize) % 2 == 0 && (l / gridSize + r / gridSize) % 2 == 0;
}

void Bintree::replaceNeighbour(int32_t neighbour, int32_t from, int32_t to) {
    if (neighbour < 0) return;
    Node& n = tree[neighbour];
    if (n.baseNeighbour == from)
        n.baseNeighbour = to;
    else if (n.leftNeighbour == from)
        n.leftNeighbour = to;
    else if (n.rightNeighbour == from)
        n.rightNeighbour = to;
}

void Bintree::splitOne(int32_t node) {
    const auto corner = tree[node].corner;
    const int32_t l = corner[1], r = corner[2];
    const int32_t middle =
        ((l / gridSize + r / gridSize) / 2) * gridSize + (l % gridSize + r % gridSize) / 2;
    const int32_t leftChild = allocate({middle, corner[0], l}, node);
    const int32_t rightChild = allocate({middle, r, corner[0]}, node);
    Node& n = tree[node];
    n.leftChild = leftChild;
    n.rightChild = rightChild;
    tree[leftChild].baseNeighbour = n.leftNeighbour;
    tree[leftChild].leftNeighbour = rightChild;
    tree[rightChild].baseNeighbour = n.rightNeighbour;
    tree[rightChild].rightNeighbour = leftChild;
    replaceNeighbour(n.leftNeighbour, node, leftChild);
    replaceNeighbour(n.rightNeighbour, node, rightChild);
}

// Splits a triangle together with its base neighbour (a diamond), forcing the
// neighbour's own ancestors to split first when it is coarser.
void Bintree::split(int32_t node) {
    if (!tree[node].isLeaf() || !canSplit(node)) return;
    int32_t base = tree[node].baseNeighbour;
    if (base >= 0 && tree[base].baseNeighbour != node) {
        split(base);
        base = tree[node].baseNeighbour;
    }
    splitOne(node);
    if (base < 0) {
        tree[tree[node].leftChild].rightNeighbour = -1;
        tree[tree[node].rightChild].leftNeighbour = -1;
        return;
    }
    if (tree[base].isLeaf()) splitOne(base);
    const Node& n = tree[node];
    const Node& b = tree[base];
    tree[n.leftChild].rightNeighbour = b.rightChild;
    tree[n.rightChild].leftNeighbour = b.leftChild;
    tree[b.leftChild].rightNeighbour = n.rightChild;
    tree[b.rightChild].leftNeighbour = n.leftChild;
}

float Bintree::error(int32_t node) const {
    const auto& c = tree[node].corner;
    int64_t x[3], y[3];
    double z[3];
    for (int i = 0; i < 3; ++i) {
        x[i] = c[i] % gridSize;
        y[i] = c[i] / gridSize;
        z[i] = heights.at(int(x[i]), int(y[i]));
    }
    const int64_t area = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
    if (area == 0) return 0.0f;
    double worst = 0.0;
    const int64_t minX = std::min({x[0], x[1], x[2]}), maxX = std::max({x[0], x[1], x[2]});
    const int64_t minY = std::min({y[0], y[1], y[2]}), maxY = std::max({y[0], y[1], y[2]});
    for (int64_t py = minY; py <= maxY; ++py)
        for (int64_t px = minX; px <= maxX; ++px) {
            // Exact integer barycentric weights (times the doubled area).
            const int64_t w0 = (x[1] - px) * (y[2] - py) - (x[2] - px) * (y[1] - py);
            const int64_t w1 = (x[2] - px) * (y[0] - py) - (x[0] - px) * (y[2] - py);
            const int64_t w2 = area - w0 - w1;
            const bool inside =
                area > 0 ? (w0 >= 0 && w1 >= 0 && w2 >= 0) : (w0 <= 0 && w1 <= 0 && w2 <= 0);
            if (!inside) continue;
            const double plane = (w0 * z[0] + w1 * z[1] + w2 * z[2]) / double(area);
            worst = std::max(worst, std::abs(plane - heights.at(int(px), int(py))));
        }
    return float(worst);
}

void Bintree::refine(float tolerance) {
    std::deque<int32_t> pending;
    auto takeCreated = [&] {
        pending.insert(pending.end(), created.begin(), created.end());
        created.clear();
    };
    takeCreated();
    while (!pending.empty()) {
        const int32_t node = pending.front();
        pending.pop_front();
        // Every triangle is judged once, also those made by forced splits.
        if (tree[node].isLeaf() && canSplit(node) && error(node) > tolerance) split(node);
        takeCreated();
    }
}

std::size_t Bintree::leafCount() const {
    return std::size_t(
        std::count_if(tree.begin(), tree.end(), [](const Node& n) { return n.isLeaf(); }));
}
