#include "world/scenery/TowerScenery.h"

#include <GL/gl.h>
#include <cmath>

#include "world/scenery/PolygonSink.h"

namespace {
// One face of the lattice as fractions of the footprint (width, depth) and of
// the height above the block: the two half-legs, the lower cross bars and
// diagonals, the zig-zag between the legs, the red top section.
struct FaceRibbon {
    bool red;
    float from[3];
    float to[3];
    float width;
};

constexpr FaceRibbon faceRibbons[] = {
    {false, {0.0f, 0.0f, 0.0f}, {0.26f, 0.26f, 0.24f}, 0.10f},
    {false, {0.26f, 0.26f, 0.24f}, {0.395f, 0.395f, 0.82f}, 0.10f},
    {true, {0.395f, 0.395f, 0.82f}, {0.395f, 0.395f, 0.98f}, 0.10f},
    {true, {0.395f, 0.395f, 0.98f}, {0.45f, 0.45f, 1.0f}, 0.10f},
    {false, {1.0f, 0.0f, 0.0f}, {0.74f, 0.26f, 0.24f}, -0.10f},
    {false, {0.74f, 0.26f, 0.24f}, {0.605f, 0.395f, 0.82f}, -0.10f},
    {true, {0.605f, 0.395f, 0.82f}, {0.605f, 0.395f, 0.98f}, -0.10f},
    {true, {0.605f, 0.395f, 0.98f}, {0.55f, 0.45f, 1.0f}, -0.10f},
    {false, {0.13f, 0.13f, 0.12f}, {0.87f, 0.13f, 0.12f}, 0.10f},
    {false, {0.0f, 0.0f, 0.0f}, {0.5f, 0.13f, 0.12f}, 0.10f},
    {false, {1.0f, 0.0f, 0.0f}, {0.5f, 0.13f, 0.12f}, -0.10f},
    {false, {0.26f, 0.26f, 0.24f}, {0.74f, 0.26f, 0.24f}, 0.10f},
    {false, {0.5f, 0.13f, 0.12f}, {0.805f, 0.195f, 0.18f}, -0.10f},
    {false, {0.805f, 0.195f, 0.18f}, {0.5f, 0.26f, 0.24f}, -0.10f},
    {false, {0.5f, 0.13f, 0.12f}, {0.195f, 0.195f, 0.18f}, 0.10f},
    {false, {0.195f, 0.195f, 0.18f}, {0.5f, 0.26f, 0.24f}, 0.10f},
    {false, {0.395f, 0.395f, 0.82f}, {0.605f, 0.395f, 0.82f}, 0.05f},
    {false, {0.74f, 0.26f, 0.24f}, {0.2675f, 0.2675f, 0.2722f}, 0.05f},
    {false, {0.2675f, 0.2675f, 0.2722f}, {0.725f, 0.275f, 0.3044f}, 0.05f},
    {false, {0.725f, 0.275f, 0.3044f}, {0.2825f, 0.2825f, 0.3366f}, 0.05f},
    {false, {0.2825f, 0.2825f, 0.3366f}, {0.71f, 0.29f, 0.3688f}, 0.05f},
    {false, {0.71f, 0.29f, 0.3688f}, {0.2975f, 0.2975f, 0.401f}, 0.05f},
    {false, {0.2975f, 0.2975f, 0.401f}, {0.695f, 0.305f, 0.4332f}, 0.05f},
    {false, {0.695f, 0.305f, 0.4332f}, {0.3125f, 0.3125f, 0.4654f}, 0.05f},
    {false, {0.3125f, 0.3125f, 0.4654f}, {0.68f, 0.32f, 0.4976f}, 0.05f},
    {false, {0.68f, 0.32f, 0.4976f}, {0.3275f, 0.3275f, 0.5298f}, 0.05f},
    {false, {0.3275f, 0.3275f, 0.5298f}, {0.665f, 0.335f, 0.562f}, 0.05f},
    {false, {0.665f, 0.335f, 0.562f}, {0.3425f, 0.3425f, 0.5942f}, 0.05f},
    {false, {0.3425f, 0.3425f, 0.5942f}, {0.65f, 0.35f, 0.6264f}, 0.05f},
    {false, {0.65f, 0.35f, 0.6264f}, {0.3575f, 0.3575f, 0.6586f}, 0.05f},
    {false, {0.3575f, 0.3575f, 0.6586f}, {0.635f, 0.365f, 0.6908f}, 0.05f},
    {false, {0.635f, 0.365f, 0.6908f}, {0.3725f, 0.3725f, 0.723f}, 0.05f},
    {false, {0.3725f, 0.3725f, 0.723f}, {0.62f, 0.38f, 0.7552f}, 0.05f},
    {false, {0.62f, 0.38f, 0.7552f}, {0.3875f, 0.3875f, 0.7874f}, 0.05f},
    {false, {0.3875f, 0.3875f, 0.7874f}, {0.605f, 0.395f, 0.8196f}, 0.05f},
    {true, {0.395f, 0.395f, 0.98f}, {0.605f, 0.395f, 0.98f}, 0.05f},
    {true, {0.605f, 0.395f, 0.82f}, {0.395f, 0.395f, 0.836f}, 0.05f},
    {true, {0.395f, 0.395f, 0.836f}, {0.605f, 0.395f, 0.852f}, 0.05f},
    {true, {0.605f, 0.395f, 0.852f}, {0.395f, 0.395f, 0.868f}, 0.05f},
    {true, {0.395f, 0.395f, 0.868f}, {0.605f, 0.395f, 0.884f}, 0.05f},
    {true, {0.605f, 0.395f, 0.884f}, {0.395f, 0.395f, 0.9f}, 0.05f},
    {true, {0.395f, 0.395f, 0.9f}, {0.605f, 0.395f, 0.916f}, 0.05f},
    {true, {0.605f, 0.395f, 0.916f}, {0.395f, 0.395f, 0.932f}, 0.05f},
    {true, {0.395f, 0.395f, 0.932f}, {0.605f, 0.395f, 0.948f}, 0.05f},
    {true, {0.605f, 0.395f, 0.948f}, {0.395f, 0.395f, 0.964f}, 0.05f},
    {true, {0.395f, 0.395f, 0.964f}, {0.605f, 0.395f, 0.98f}, 0.05f},
    {true, {0.45f, 0.45f, 1.0f}, {0.55f, 0.45f, 1.0f}, 0.05f},
    {true, {0.605f, 0.395f, 0.98f}, {0.45f, 0.45f, 1.0f}, 0.05f},
};
} // namespace

void TowerScenery::Ribbon(PolygonSink& sink, bool alongY, const float p0[3], const float p1[3],
                          float ribbonWidth) {
    const int axis = alongY ? 1 : 0;
    const float run = p1[axis] - p0[axis], rise = p1[2] - p0[2];
    const float length = std::sqrt(run * run + rise * rise);
    if (length <= 0.0f) return;
    const float k = ribbonWidth / length;
    float q1[3] = {p1[0], p1[1], p1[2] - k * run};
    float q0[3] = {p0[0], p0[1], p0[2] - k * run};
    q1[axis] += k * rise;
    q0[axis] += k * rise;
    sink.begin(GL_QUADS);
    sink.vertex(p0[0], p0[1], p0[2]);
    sink.vertex(p1[0], p1[1], p1[2]);
    sink.vertex(q1[0], q1[1], q1[2]);
    sink.vertex(q0[0], q0[1], q0[2]);
    sink.end();
}

void TowerScenery::Emit(PolygonSink& sink) const {
    bool colourSet = false, red = false;
    for (const FaceRibbon& r : faceRibbons) {
        if (!colourSet || r.red != red) {
            red = r.red;
            colourSet = true;
            if (red)
                sink.colour(0.8f, 0.0f, 0.0f);
            else
                sink.colour(0.4f, 0.4f, 0.4f);
        }
        const float p0[3] = {x + r.from[0] * width, y + r.from[1] * depth,
                             z + 1.0f + r.from[2] * height};
        const float p1[3] = {x + r.to[0] * width, y + r.to[1] * depth, z + 1.0f + r.to[2] * height};
        Ribbon(sink, false, p0, p1, r.width);
    }
}

void TowerScenery::EmitBlock(PolygonSink& sink) const {
    const float x1 = x + width, y1 = y + depth, top = z + 1.0f;
    sink.colour(0.2f, 0.2f, 0.2f);
    sink.begin(GL_QUADS);
    const float faces[5][4][3] = {{{x, y, z}, {x1, y, z}, {x1, y, top}, {x, y, top}},
                                  {{x1, y, z}, {x1, y1, z}, {x1, y1, top}, {x1, y, top}},
                                  {{x1, y1, z}, {x, y1, z}, {x, y1, top}, {x1, y1, top}},
                                  {{x, y1, z}, {x, y, z}, {x, y, top}, {x, y1, top}},
                                  {{x, y, top}, {x1, y, top}, {x1, y1, top}, {x, y1, top}}};
    for (const auto& face : faces)
        for (const auto& p : face)
            sink.vertex(p[0], p[1], p[2]);
    sink.end();
}

void TowerScenery::EmitRod(PolygonSink& sink) const {
    const float cx = x + width / 2, cy = y + depth / 2;
    const float from[3] = {cx - 0.05f, cy - 0.05f, z + 1.0f + 0.98f * height};
    const float to[3] = {cx + 0.05f, cy + 0.05f, z + 1.0f + 1.14f * height};
    sink.colour(0.8f, 0.8f, 0.8f);
    Ribbon(sink, true, from, to, 0.1f);
    Ribbon(sink, false, from, to, 0.1f);
}

void TowerScenery::Draw(const Observer&) const {
    glPushMatrix();
    glRotatef(rx, 1.0f, 0.0f, 0.0f);
    glRotatef(ry, 0.0f, 1.0f, 0.0f);
    glRotatef(rz, 0.0f, 0.0f, 1.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    GlPolygonSink sink;
    EmitBlock(sink);
    glCallList(list.get());
    // The other three faces: the one face turned about the tower's axis.
    const float cx = x + width / 2, cy = y + depth / 2;
    glPushMatrix();
    glTranslatef(cx, cy, 0.0f);
    for (float angle : {90.0f, 180.0f, -90.0f}) {
        glPushMatrix();
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
        glTranslatef(-cx, -cy, 0.0f);
        glCallList(list.get());
        glPopMatrix();
    }
    glPopMatrix();
    EmitRod(sink);
    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_CULL_FACE);
    glPopMatrix();
}
