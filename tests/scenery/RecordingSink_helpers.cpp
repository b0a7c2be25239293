#include "scenery/RecordingSink_helpers.h"

void RecordingSink::begin(unsigned mode) {
    primitives.push_back({mode, {}});
}

void RecordingSink::vertex(float x, float y, float z) {
    if (primitives.empty()) primitives.push_back({0, {}});
    primitives.back().vertices.push_back({{x, y, z}, current, tex});
}

std::vector<RecordingSink::Vertex> RecordingSink::all() const {
    std::vector<Vertex> result;
    for (const Primitive& p : primitives)
        result.insert(result.end(), p.vertices.begin(), p.vertices.end());
    return result;
}
