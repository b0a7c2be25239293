#include "world/scenery/TreeScenery.h"

#include <GL/gl.h>
#include <cmath>

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

void TreeScenery::Build() {
    ReleaseGl();
    list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glEnable(GL_BLEND);
    // Transparent texels must not write depth, or a tree's empty corners would
    // hide whatever stands behind it.
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    if (texture != nullptr) {
        texture->Bind();
    } else { // no picture: a plain dark green square rather than a stray texture
        glDisable(GL_TEXTURE_2D);
        glColor3f(0.15f, 0.3f, 0.1f);
    }
    GlPolygonSink sink;
    Emit(sink);
    if (texture == nullptr) glEnable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    glEndList();
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
    glCallList(list);
    glPopMatrix();
}
