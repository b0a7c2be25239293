#pragma once

#include <array>
#include <vector>

#include "world/scenery/PolygonSink.h"

// Keeps every primitive handed to it, with each vertex's colour and texture
// coordinates, so generated geometry can be checked without GL.
class RecordingSink : public PolygonSink {
  public:
    struct Vertex {
        std::array<float, 3> at;
        std::array<float, 3> colour;
        std::array<float, 2> tex;
    };
    struct Primitive {
        unsigned mode;
        std::vector<Vertex> vertices;
    };

    void begin(unsigned mode) override;
    void end() override {}
    void colour(float r, float g, float b) override { current = {r, g, b}; }
    void texCoord(float s, float t) override { tex = {s, t}; }
    void vertex(float x, float y, float z) override;

    std::vector<Vertex> all() const;

    std::vector<Primitive> primitives;

  private:
    std::array<float, 3> current{1.0f, 1.0f, 1.0f};
    std::array<float, 2> tex{0.0f, 0.0f};
};
