#include "world/scenery/RoundHouse.h"

#include <GL/gl.h>
#include <cmath>

#include "world/scenery/PolygonSink.h"

void RoundHouse::ComputeAngles() const {
    for (int k = 0; k <= 12; ++k) {
        const double angle = k * 0.5235987755833333;
        angles[k] = {float(std::cos(angle)), float(std::sin(angle))};
    }
}

void RoundHouse::Build() {
    ComputeAngles();
    CompileFlat();
}

void RoundHouse::Emit(PolygonSink& sink) const {
    ComputeAngles();
    const float zr = z + height - roofHeight;
    auto cornerX = [&](int k) { return x + (angles[k][0] + 1.0f) * width / 2; };
    auto cornerY = [&](int k) { return y + (angles[k][1] + 1.0f) * depth / 2; };
    sink.colour(0.8f, 0.8f, 0.8f);
    sink.begin(GL_QUADS);
    for (int k = 0; k < 12; ++k) {
        sink.vertex(cornerX(k), cornerY(k), zr);
        sink.vertex(cornerX(k + 1), cornerY(k + 1), zr);
        sink.vertex(cornerX(k + 1), cornerY(k + 1), z);
        sink.vertex(cornerX(k), cornerY(k), z);
    }
    sink.end();
    sink.colour(0.8f, 0.3f, 0.3f);
    sink.begin(GL_TRIANGLE_FAN);
    const float cx = x + width / 2, cy = y + depth / 2;
    sink.vertex(cx, cy, z + height);
    for (int k = 0; k <= 12; ++k)
        sink.vertex(cx + (width / 2 + 0.2f) * angles[k][0], cy + (depth / 2 + 0.2f) * angles[k][1],
                    zr);
    sink.end();
}
