#include "world/scenery/GableHouse.h"

#include <GL/gl.h>

#include "world/scenery/PolygonSink.h"

void GableHouse::Emit(PolygonSink& sink) const {
    const float zr = z + height - roofHeight;
    const float top = z + height;
    const float x1 = x + width, y1 = y + depth, ridgeY = y + depth / 2;
    sink.colour(0.8f, 0.8f, 0.8f);
    sink.begin(GL_QUADS);
    const float walls[4][4][3] = {{{x, y, z}, {x, y, zr}, {x1, y, zr}, {x1, y, z}},
                                  {{x1, y, z}, {x1, y, zr}, {x1, y1, zr}, {x1, y1, z}},
                                  {{x1, y1, z}, {x1, y1, zr}, {x, y1, zr}, {x, y1, z}},
                                  {{x, y1, z}, {x, y1, zr}, {x, y, zr}, {x, y, z}}};
    for (const auto& wall : walls)
        for (const auto& p : wall)
            sink.vertex(p[0], p[1], p[2]);
    sink.end();
    sink.begin(GL_TRIANGLES);
    sink.vertex(x, y1, zr);
    sink.vertex(x, ridgeY, top);
    sink.vertex(x, y, zr);
    sink.vertex(x1, y, zr);
    sink.vertex(x1, ridgeY, top);
    sink.vertex(x1, y1, zr);
    sink.end();
    sink.colour(0.8f, 0.3f, 0.3f);
    sink.begin(GL_QUADS);
    const float o = 0.2f; // the roof overhangs the walls
    sink.vertex(x - o, ridgeY, top);
    sink.vertex(x1 + o, ridgeY, top);
    sink.vertex(x1 + o, y - o, zr);
    sink.vertex(x - o, y - o, zr);
    sink.vertex(x1 + o, ridgeY, top);
    sink.vertex(x - o, ridgeY, top);
    sink.vertex(x - o, y1 + o, zr);
    sink.vertex(x1 + o, y1 + o, zr);
    sink.end();
}
