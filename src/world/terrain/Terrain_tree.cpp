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
// The nodes are laid out once, in the order a query visits them.
bool Terrain::BuildTree(std::span<const int32_t> records) {
    const int32_t count = terrainMesh.triangleCount();
    std::vector<ChildLinks> children(static_cast<std::size_t>(count), ChildLinks{-1, -1});
    std::vector<bool> hasRecord(children.size(), false);
    ChildLinks rootChildren{-1, -1};
    bool rootSeen = false;
    for (std::size_t r = 0; r + 3 < records.size(); r += 4) {
        const int32_t triangle = records[r];
        const ChildLinks links{records[r + 1], records[r + 2]};
        const int32_t parent = records[r + 3];
        if (!validChild(links[0], count) || !validChild(links[1], count)) return false;
        if (triangle < 0) {
            if (rootSeen) return false;
            rootSeen = true;
            rootChildren = links;
            continue;
        }
        if (triangle >= count || hasRecord[triangle] || !validChild(parent, count)) return false;
        hasRecord[triangle] = true;
        children[triangle] = links;
    }
    if (!rootSeen || rootChildren[0] < 0) return false;
    std::size_t reached = 0;
    const std::vector<int32_t> order = DepthFirstOrder(children, rootChildren, reached);
    if (order.empty()) return false;
    std::vector<int32_t> positionOf(children.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        positionOf[order[i]] = static_cast<int32_t>(i);
    nodes.resize(children.size());
    auto node = [&](int32_t triangle) {
        return triangle < 0 ? nullptr : &nodes[positionOf[triangle]];
    };
    for (std::size_t i = 0; i < order.size(); ++i) {
        const int32_t triangle = order[i];
        nodes[i].triangle = triangle;
        nodes[i].left = node(children[triangle][0]);
        nodes[i].right = node(children[triangle][1]);
        nodes[i].degenerate = horizontallyDegenerate(terrainMesh, triangle);
        nodes[i].grown = GrownCorners(triangle);
    }
    root.triangle = -1;
    root.left = node(rootChildren[0]);
    root.right = node(rootChildren[1]);
    if (!CheckTree(hasRecord)) return false;
    FinishTree(reached);
    return true;
}

// The triangles as a query visits them (a node, then its left subtree, then its
// right one), then those the tree never reaches; reached counts the first.
// Empty when a triangle is reached twice: such a tree is malformed, and the
// walk must not loop on it.
std::vector<int32_t> Terrain::DepthFirstOrder(const std::vector<ChildLinks>& children,
                                              const ChildLinks& rootChildren,
                                              std::size_t& reached) {
    std::vector<int32_t> order;
    order.reserve(children.size());
    std::vector<bool> placed(children.size(), false);
    std::vector<int32_t> pending{rootChildren[1], rootChildren[0]};
    while (!pending.empty()) {
        const int32_t triangle = pending.back();
        pending.pop_back();
        if (triangle < 0) continue;
        if (placed[triangle]) return {};
        placed[triangle] = true;
        order.push_back(triangle);
        pending.push_back(children[triangle][1]);
        pending.push_back(children[triangle][0]);
    }
    reached = order.size();
    for (std::size_t t = 0; t < children.size(); ++t)
        if (!placed[t]) order.push_back(static_cast<int32_t>(t));
    return order;
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

// The first reached nodes lie in visit order, left first: a node's subtree is
// the run of nodes after it, so the leaves, listed in that order, give every
// node its leaves as one run of the list.
void Terrain::FinishTree(std::size_t reached) {
    std::vector<std::size_t> leavesBefore(reached);
    leafOrder.reserve(reached / 2 + 1);
    for (std::size_t i = 0; i < reached; ++i) {
        leavesBefore[i] = leafOrder.size();
        nodes[i].leaf = nodes[i].left == nullptr;
        if (nodes[i].leaf) leafOrder.push_back(&nodes[i]);
    }
    const std::span<const TriangleNode* const> all(leafOrder);
    root.leaves = all;
    // Backwards, so that both children have their runs before their parent.
    for (std::size_t i = reached; i-- > 0;) {
        TriangleNode& node = nodes[i];
        std::size_t count = 1;
        if (!node.leaf)
            count = node.left->leaves.size() + (node.right ? node.right->leaves.size() : 0);
        node.leaves = all.subspan(leavesBefore[i], count);
    }
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
