#include "world/scenery/TreeScenery.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <vector>

#include "gfx/Texture.h"
#include "world/observer/Observer.h"
#include "world/scenery/PolygonSink.h"

TreeScenery::TreeScenery(float footX, float footY, float footZ, float side, Texture* shared)
    : texture(shared) {
    x = footX;
    y = footY;
    z = footZ;
    width = side;
    // The first tree turns the shared picture's black into transparency.
    if (texture != nullptr && texture->Picture().HasPixels() &&
        texture->Picture().BytesPerPixel() != 4) {
        texture->Picture().AddAlpha(AlphaBlackClear, 0.0f);
        texture->Upload();
    }
    Build();
}

namespace {
// Transparent texels must not write depth, or a tree's empty corners would hide
// whatever stands behind it.
void beginLook(const Texture* texture) {
    glEnable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    if (texture != nullptr) {
        texture->Bind();
    } else { // no picture: a plain dark green square rather than a stray texture
        glDisable(GL_TEXTURE_2D);
        glColor3f(0.15f, 0.3f, 0.1f);
    }
}

void endLook(const Texture* texture) {
    if (texture == nullptr) glEnable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
}

// Turns the quad about z by the facing angle and moves it onto the foot, as the
// matrix of Draw does; begin and end are left to the caller.
class FacingSink : public PolygonSink {
  public:
    FacingSink(PolygonSink& target, float degrees, float footX, float footY, float footZ)
        : out(target), x(footX), y(footY), z(footZ) {
        const float radians = degrees * 0.017453292519943295f;
        cosine = std::cos(radians);
        sine = std::sin(radians);
    }
    void begin(unsigned) override {}
    void end() override {}
    void colour(float r, float g, float b) override { out.colour(r, g, b); }
    void texCoord(float s, float t) override { out.texCoord(s, t); }
    void vertex(float vx, float vy, float vz) override {
        out.vertex(x + vx * cosine - vy * sine, y + vx * sine + vy * cosine, z + vz);
    }

  private:
    PolygonSink& out;
    float x, y, z;
    float cosine = 1.0f, sine = 0.0f;
};
} // namespace

void TreeScenery::Build() {
    ReleaseGl();
    list = GlDisplayList::generate();
    glNewList(list.get(), GL_COMPILE);
    beginLook(texture);
    GlPolygonSink sink;
    Emit(sink);
    endLook(texture);
    glEndList();
}

void TreeScenery::EmitFacing(PolygonSink& sink, float eyeX, float eyeY) const {
    FacingSink facing(sink, FacingAngle(eyeX, eyeY), x, y, z);
    Emit(facing);
}

void TreeScenery::DrawAll(std::span<const TreeScenery* const> trees, const Observer& observer) {
    std::vector<const Texture*> looks; // the distinct textures, in first-use order
    for (const TreeScenery* tree : trees)
        if (std::find(looks.begin(), looks.end(), tree->texture) == looks.end())
            looks.push_back(tree->texture);
    GlPolygonSink sink;
    for (const Texture* look : looks) {
        beginLook(look);
        glBegin(GL_QUADS);
        for (const TreeScenery* tree : trees)
            if (tree->texture == look)
                tree->EmitFacing(sink, observer.positionX(), observer.positionY());
        glEnd();
        endLook(look);
    }
}

void TreeScenery::Emit(PolygonSink& sink) const {
    const float half = width / 2;
    sink.begin(GL_QUADS);
    sink.texCoord(0.0f, 1.0f);
    sink.vertex(-half, 0.0f, 0.0f);
    sink.texCoord(0.0f, 0.0f);
    sink.vertex(-half, 0.0f, width);
    sink.texCoord(1.0f, 0.0f);
    sink.vertex(half, 0.0f, width);
    sink.texCoord(1.0f, 1.0f);
    sink.vertex(half, 0.0f, 0.0f);
    sink.end();
}

float TreeScenery::FacingAngle(float eyeX, float eyeY) const {
    return std::atan2(eyeX - x, y - eyeY) * 57.29577951f;
}

void TreeScenery::Draw(const Observer& observer) const {
    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(FacingAngle(observer.positionX(), observer.positionY()), 0.0f, 0.0f, 1.0f);
    glCallList(list.get());
    glPopMatrix();
}
