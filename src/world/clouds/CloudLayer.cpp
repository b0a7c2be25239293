#include "world/clouds/CloudLayer.h"

#include "io/KeyValueFile.h"
#include "world/terrain/Terrain.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string formatFloat(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", value);
    return buffer;
}

float readFinite(KeyValueFile& file, const char* key, float current) {
    const float value = file.getFloat(key, current);
    return std::isfinite(value) ? value : current;
}

constexpr float coneRise = 600.0f;

} // namespace

CloudLayer::CloudLayer() {
    Reset();
}

CloudLayer::CloudLayer(uint32_t latticeSeed) : texture(latticeSeed) {
    Reset();
}

void CloudLayer::Reset() {
    textureExtent = 0.0f;
    centreX = centreY = 0.0f;
    radius = 10000.0f;
    s0 = t0 = 0.0f;
    s1 = t1 = 1.0f;
    for (int k = 0; k < rimPoints; ++k) {
        const double angle = k * 0.5235987755833333;
        rim[k] = {static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
    }
    firstRow = 0;
    rowEnd = NoiseTexture::pictureSize;
    density = 160.0f;
    blur = 0.98f;
    noiseDepth = 0.0f;
    altitude = 200.0f;
    dirty = true;
}

void CloudLayer::ReadParams(KeyValueFile& file) {
    Reset();
    textureExtent = readFinite(file, "clouds.texext", textureExtent);
    altitude = readFinite(file, "clouds.altitude", altitude);
    density = readFinite(file, "clouds.density", density);
    blur = readFinite(file, "clouds.blur", blur);
}

void CloudLayer::WriteParams(KeyValueFile& file) const {
    file.setValue("clouds.texext", formatFloat(textureExtent));
    file.setValue("clouds.altitude", formatFloat(altitude));
    file.setValue("clouds.density", formatFloat(density));
    file.setValue("clouds.blur", formatFloat(blur));
}

void CloudLayer::SetDensity(float value) {
    density = value;
    dirty = true;
}

void CloudLayer::SetBlur(float value) {
    blur = value;
    dirty = true;
}

void CloudLayer::SetAltitude(float value) {
    altitude = value;
    dirty = true;
}

void CloudLayer::SetTextureExtent(float value) {
    textureExtent = value;
    dirty = true;
}

void CloudLayer::Fit(const Terrain& terrain) {
    const TerrainBox& box = terrain.box();
    if (box.inverted()) return; // no land yet: keep the layer where it is
    radius = std::max(2.0f * (box.maxY - box.minY), 10000.0f);
    layerHeight = box.maxZ + altitude;
    centreX = (box.minX + box.maxX) * 0.5f;
    centreY = (box.minY + box.maxY) * 0.5f;
    if (textureExtent > 0.0f) s1 = t1 = 2.0f * radius / textureExtent;
}

Image CloudLayer::Picture() const {
    return texture.cloudPicture(firstRow, rowEnd, density, blur, noiseDepth);
}

bool CloudLayer::Update(const Terrain& terrain) {
    if (!dirty && !terrain.justLoaded()) return true;
    Fit(terrain);
    const Image picture = Picture();
    texture.SetImage(&picture);
    dirty = false;
    return true;
}

void CloudLayer::Move(float dx, float dy) {
    const float extent = textureExtent > 0.0f ? textureExtent : 2.0f * radius;
    s0 -= dx / extent;
    s1 -= dx / extent;
    t0 -= dy / extent;
    t1 -= dy / extent;
}

void CloudLayer::Draw() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    texture.Bind();

    glBegin(GL_TRIANGLE_FAN);
    glTexCoord2f((s0 + s1) * 0.5f, (t0 + t1) * 0.5f);
    glVertex3f(centreX, centreY, layerHeight + coneRise);
    for (int n = 0; n <= rimPoints; ++n) {
        const auto& [c, s] = rim[n % rimPoints];
        glTexCoord2f(s0 + (s1 - s0) * (c + 1.0f) * 0.5f, t0 + (t1 - t0) * (s + 1.0f) * 0.5f);
        glVertex3f(centreX + radius * c, centreY + radius * s, layerHeight);
    }
    glEnd();

    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}
