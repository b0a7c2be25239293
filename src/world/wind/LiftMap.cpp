#include "world/wind/LiftMap.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ui/text/Font.h"
#include "world/terrain/Terrain.h"
#include "world/wind/WindField.h"

namespace {

constexpr LiftMap::Tint rising{1.0f, 0.1f, 0.05f, 0.0f};
constexpr LiftMap::Tint sinking{0.05f, 0.25f, 1.0f, 0.0f};
// The bar is shown over a mid grey, as the tint would look over plain ground.
constexpr float legendGround = 0.45f;

unsigned char toByte(float value) {
    return static_cast<unsigned char>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

} // namespace

// The context may already be gone when the scene goes; the texture goes with it.
LiftMap::~LiftMap() {
    texture.forget();
}

LiftMap::Tint LiftMap::tint(float verticalSpeed) {
    if (!std::isfinite(verticalSpeed)) return {0.0f, 0.0f, 0.0f, 0.0f};
    const float share = std::clamp(verticalSpeed / saturation, -1.0f, 1.0f);
    Tint result = share >= 0.0f ? rising : sinking;
    result[3] = std::fabs(share) * strongestOpacity;
    return result;
}

void LiftMap::setHeight(float metres) {
    heightAbove = std::isfinite(metres) ? std::clamp(metres, 0.0f, highest) : 0.0f;
}

void LiftMap::follow(WindField& wind, const Terrain& terrain) {
    if (followedOnce && wind.generation() == followedGeneration && heightAbove == followedHeight)
        return;
    followedOnce = true;
    followedGeneration = wind.generation();
    followedHeight = heightAbove;
    uploaded = false;
    columnsX = wind.empty() ? 0 : wind.nx();
    columnsY = wind.empty() ? 0 : wind.ny();
    textureSize = 1;
    while (textureSize < std::max(columnsX, columnsY))
        textureSize *= 2;
    pixels.assign(static_cast<std::size_t>(textureSize) * textureSize * 4, 0);
    if (columnsX == 0) return;
    originX = terrain.box().minX;
    originY = terrain.box().minY;
    cellX = wind.dx();
    cellY = wind.dy();
    // Texels past the last column repeat it: the land's far edge falls on the first of them.
    for (int ty = 0; ty < textureSize; ++ty) {
        const int j = std::min(ty, columnsY - 1);
        for (int tx = 0; tx < textureSize; ++tx) {
            const int i = std::min(tx, columnsX - 1);
            unsigned char* texel = &pixels[(static_cast<std::size_t>(ty) * textureSize + tx) * 4];
            if (tx < columnsX && ty < columnsY) {
                const float x = originX + (i + 0.5f) * cellX;
                const float y = originY + (j + 0.5f) * cellY;
                const Tint colour = tint(wind.windAt(x, y, heightAbove)[2]);
                for (int n = 0; n < 4; ++n)
                    texel[n] = toByte(colour[n]);
            } else {
                const unsigned char* source =
                    &pixels[(static_cast<std::size_t>(j) * textureSize + i) * 4];
                std::copy(source, source + 4, texel);
            }
        }
    }
}

LiftMap::Tint LiftMap::columnTint(int i, int j) const {
    if (i < 0 || j < 0 || i >= columnsX || j >= columnsY) return {0.0f, 0.0f, 0.0f, 0.0f};
    const unsigned char* texel = &pixels[(static_cast<std::size_t>(j) * textureSize + i) * 4];
    return {texel[0] / 255.0f, texel[1] / 255.0f, texel[2] / 255.0f, texel[3] / 255.0f};
}

void LiftMap::upload() {
    if (!texture) texture = GlTexture::generate();
    glBindTexture(GL_TEXTURE_2D, texture.get());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, textureSize, textureSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    uploaded = true;
}

void LiftMap::bind() {
    if (columnsX == 0) return;
    glActiveTexture(GL_TEXTURE1);
    if (!uploaded) upload();
    glBindTexture(GL_TEXTURE_2D, texture.get());
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    // Texel centres on the wind columns' centres.
    const float spanX = cellX * static_cast<float>(textureSize);
    const float spanY = cellY * static_cast<float>(textureSize);
    const GLfloat planeS[4] = {1.0f / spanX, 0.0f, 0.0f, -originX / spanX};
    const GLfloat planeT[4] = {0.0f, 1.0f / spanY, 0.0f, -originY / spanY};
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGenfv(GL_S, GL_OBJECT_PLANE, planeS);
    glTexGenfv(GL_T, GL_OBJECT_PLANE, planeT);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glActiveTexture(GL_TEXTURE0);
}

void LiftMap::unbind() const {
    if (columnsX == 0) return;
    glActiveTexture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
}

void LiftMap::releaseGl() {
    texture.forget();
    uploaded = false;
}

void LiftMap::drawLegend(int windowWidth, int windowHeight, const Font* font) const {
    constexpr int barWidth = 16, barHeight = 160, steps = 24;
    const int left = windowWidth - 80;
    const int bottom = std::max(10, windowHeight / 2 - barHeight / 2);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, windowWidth, 0.0, windowHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // The world culls by its own winding and may have left fog or blending on.
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    for (int step = 0; step < steps; ++step) {
        const float speed = saturation * (2.0f * (step + 0.5f) / steps - 1.0f);
        const Tint colour = tint(speed);
        float shown[3];
        for (int n = 0; n < 3; ++n)
            shown[n] = legendGround * (1.0f - colour[3]) + colour[n] * colour[3];
        glColor3fv(shown);
        const float y0 = bottom + barHeight * static_cast<float>(step) / steps;
        const float y1 = bottom + barHeight * static_cast<float>(step + 1) / steps;
        glVertex2f(left, y0);
        glVertex2f(left + barWidth, y0);
        glVertex2f(left + barWidth, y1);
        glVertex2f(left, y1);
    }
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(left - 0.5f, bottom - 0.5f);
    glVertex2f(left + barWidth + 0.5f, bottom - 0.5f);
    glVertex2f(left + barWidth + 0.5f, bottom + barHeight + 0.5f);
    glVertex2f(left - 0.5f, bottom + barHeight + 0.5f);
    glEnd();
    if (font) {
        static const float white[3] = {1.0f, 1.0f, 1.0f};
        const int labelX = left + barWidth + 6;
        drawText(font, labelX, bottom + barHeight - 5, white, "+%g", saturation);
        drawString(font, labelX, bottom + barHeight / 2 - 5, white, "0 m/s");
        drawText(font, labelX, bottom - 5, white, "-%g", saturation);
        drawText(font, left - 10, bottom + barHeight + 12, white, "lift %g m", heightAbove);
    }
    glPopAttrib();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
