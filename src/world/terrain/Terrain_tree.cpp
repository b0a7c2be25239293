// Building, checking and finishing the triangle tree of a land.
#include "world/terrain/Terrain.h"

#include <cmath>
#include <utility>

namespace {
// Deeper than any land a height map can give; bounds the recursion of queries.
constexpr int maximumTreeDepth = 512;

bool validChild(int32_t index, int32_t count) {
    return index == -1 || (index >= 0 && index < count);
}

// A triangle whose horizontal projection has (almost) no area cannot be interpolated.
bool horizontallyDegenerate(const TerrainMesh& mesh, int32_t triangle) {
    const auto& t = mesh.triangles[triangle];
    const auto& a = mesh.points[t[0]];
    const auto& b = mesh.points[t[1]];
    const auto& c = mesh.points[t[2]];
    const double d = double(b[0] - c[0]) * (a[1] - c[1]) - double(a[0] - c[0]) * (b[1] - c[1]);
    double longest = 0.0;
    for (auto [p, q] : {std::pair{&a, &b}, {&b, &c}, {&c, &a}}) {
        const double dx = (*p)[0] - (*q)[0];
        const double dy = (*p)[1] - (*q)[1];
        longest = std::max(longest, dx * dx + dy * dy);
    }
    return std::abs(d) <= 1e-7 * longest;
}
} // namespace

// Records are (triangle, left, right, parent); a negative triangle is the root's record.
bool Terrain::BuildTree(std::span<const int32_t> records) {
    const int32_t count = terrainMesh.triangleCount();
    nodes.assign(static_cast<std::size_t>(count), TriangleNode{});
    std::vector<bool> hasRecord(nodes.size(), false);
    bool rootSeen = false;
    for (std::size_t r = 0; r + 3 < records.size(); r += 4) {
        const int32_t triangle = records[r];
        const int32_t left = records[r + 1];
        const int32_t right = records[r + 2];
        const int32_t parent = records[r + 3];
        if (!validChild(left, count) || !validChild(right, count)) return false;
        TriangleNode* owner = &root;
        if (triangle < 0) {
            if (rootSeen) return false;
            rootSeen = true;
        } else {
            if (triangle >= count || hasRecord[triangle] || !validChild(parent, count))
                return false;
            hasRecord[triangle] = true;
            owner = &nodes[triangle];
            owner->parent = parent < 0 ? &root : &nodes[parent];
        }
        owner->left = left < 0 ? nullptr : &nodes[left];
        owner->right = right < 0 ? nullptr : &nodes[right];
    }
    for (int32_t i = 0; i < count; ++i) {
        nodes[i].triangle = i;
        nodes[i].degenerate = horizontallyDegenerate(terrainMesh, i);
        nodes[i].grown = GrownCorners(i);
    }
    root.triangle = -1;
    if (!rootSeen || root.left == nullptr || !CheckTree(hasRecord)) return false;
    OrderNodesDepthFirst();
    return true;
}

// Lays the nodes out in the order a query visits them (a node, then its left
// subtree), so that a descent reads memory that lies close together.
void Terrain::OrderNodesDepthFirst() {
    std::vector<TriangleNode*> order;
    order.reserve(nodes.size());
    std::vector<bool> placed(nodes.size(), false);
    std::vector<TriangleNode*> pending{root.right, root.left};
    while (!pending.empty()) {
        TriangleNode* node = pending.back();
        pending.pop_back();
        if (node == nullptr) continue;
        order.push_back(node);
        placed[node->triangle] = true;
        pending.push_back(node->right);
        pending.push_back(node->left);
    }
    for (TriangleNode& node : nodes)
        if (!placed[node.triangle]) order.push_back(&node);
    std::vector<std::size_t> positionOf(nodes.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        positionOf[order[i]->triangle] = i;
    std::vector<TriangleNode> sorted;
    sorted.reserve(nodes.size());
    for (const TriangleNode* node : order)
        sorted.push_back(*node);
    auto moved = [&](TriangleNode* old) -> TriangleNode* {
        if (old == nullptr || old == &root) return old;
        return &sorted[positionOf[old->triangle]];
    };
    for (TriangleNode& node : sorted) {
        node.parent = moved(node.parent);
        node.left = moved(node.left);
        node.right = moved(node.right);
    }
    root.left = moved(root.left);
    root.right = moved(root.right);
    nodes = std::move(sorted);
}

// Walks the tree from the root: every node must have its own record, be reached
// once (no cycle, no shared child), have a left child when it has a right one, be
// no deeper than any real land and lie inside its parent. Parents are set from
// the walk, so a record's parent field cannot contradict the child links.
// A parent without area holds nothing, so its children must lie inside the
// nearest ancestor that has one: queries pass a flat node on to its children.
bool Terrain::CheckTree(const std::vector<bool>& hasRecord) {
    struct Visit {
        TriangleNode* node;
        int depth;
        const TriangleNode* bound; // nearest ancestor with area, null for the root
    };
    std::vector<bool> reached(nodes.size(), false);
    std::vector<Visit> pending;
    for (TriangleNode* top : {root.left, root.right})
        if (top != nullptr) pending.push_back({top, 1, nullptr});
    while (!pending.empty()) {
        const Visit visit = pending.back();
        pending.pop_back();
        TriangleNode* node = visit.node;
        const int32_t t = node->triangle;
        if (reached[t] || !hasRecord[t] || visit.depth > maximumTreeDepth) return false;
        reached[t] = true;
        if (node->left == nullptr && node->right != nullptr) return false;
        const TriangleNode* bound = node->degenerate ? visit.bound : node;
        for (TriangleNode* child : {node->left, node->right}) {
            if (child == nullptr) continue;
            if (bound != nullptr && !ChildInsideParent(*child, *bound)) return false;
            child->parent = node;
            pending.push_back({child, visit.depth + 1, bound});
        }
    }
    if (root.left != nullptr) root.left->parent = &root;
    if (root.right != nullptr) root.right->parent = &root;
    return true;
}

bool Terrain::ChildInsideParent(const TriangleNode& child, const TriangleNode& parent) const {
    for (int32_t index : terrainMesh.triangles[child.triangle]) {
        const auto& p = terrainMesh.points[index];
        if (!InsideGrown(parent, p[0], p[1])) return false;
    }
    return true;
}

void Terrain::FinishTree() {
    // Pre-order walk, left first: leaves come out in leaf-list order and every
    // node's leaves form one run of that order.
    std::vector<std::pair<std::size_t, std::size_t>> runs(nodes.size() + 1, {0, 0});
    std::vector<std::pair<TriangleNode*, bool>> pending{{&root, false}};
    std::vector<std::size_t> runStart(nodes.size() + 1, 0);
    auto slot = [](const TriangleNode* node) { return std::size_t(node->triangle + 1); };
    while (!pending.empty()) {
        auto [node, done] = pending.back();
        pending.pop_back();
        if (done) {
            runs[slot(node)] = {runStart[slot(node)], leafOrder.size() - runStart[slot(node)]};
            continue;
        }
        runStart[slot(node)] = leafOrder.size();
        node->leaf = node->triangle >= 0 && node->left == nullptr;
        if (node->leaf) {
            leafOrder.push_back(node);
            runs[slot(node)] = {runStart[slot(node)], 1};
            continue;
        }
        pending.push_back({node, true});
        if (node->right != nullptr) pending.push_back({node->right, false});
        if (node->left != nullptr) pending.push_back({node->left, false});
    }
    const std::span<const TriangleNode* const> all(leafOrder);
    root.leaves = all.subspan(runs[0].first, runs[0].second);
    for (TriangleNode& node : nodes)
        node.leaves = all.subspan(runs[slot(&node)].first, runs[slot(&node)].second);
    ComputeNormals();
    terrainMesh.ComputeTextureCoordinates();
}

void Terrain::ComputeNormals() {
    auto& mesh = terrainMesh;
    for (const TriangleNode* leaf : leafOrder) {
        const auto& t = mesh.triangles[leaf->triangle];
        const auto& a = mesh.points[t[0]];
        const auto& b = mesh.points[t[1]];
        const auto& c = mesh.points[t[2]];
        const Vec3 ab{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const Vec3 ac{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const Vec3 face{ab[1] * ac[2] - ab[2] * ac[1], ab[2] * ac[0] - ab[0] * ac[2],
                        ab[0] * ac[1] - ab[1] * ac[0]};
        mesh.faceNormals[leaf->triangle] = face;
        for (int32_t index : t)
            for (int axis = 0; axis < 3; ++axis)
                mesh.pointNormals[index][axis] += face[axis];
    }
    for (Vec3& n : mesh.pointNormals) {
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        // A point no leaf uses has no surface around it: give it a level normal.
        if (length > 0.0f && std::isfinite(length))
            n = {n[0] / length, n[1] / length, n[2] / length};
        else
            n = {0.0f, 0.0f, 1.0f};
    }
}
