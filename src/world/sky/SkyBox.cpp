#include "world/sky/SkyBox.h"

#include <GL/gl.h>

#include "gfx/LandPath.h"
#include "io/KeyValueFile.h"
#include "world/scenery/PolygonSink.h"

SkyBox::SkyBox() = default;

void SkyBox::Reset() {
    values = {0, 0, 0, 0, 0, 0};
    ceiling = 1000.0f;
    fog = {0.45f, 0.53f, 0.73f, 1.0f};
    panorama = false;
    dirty = true;
}

void SkyBox::LoadPicture(Texture& texture, const std::string& landName, const std::string& file,
                         int fallback) {
    bool loaded = false;
    if (!landName.empty() && !file.empty())
        loaded = texture.LoadFile(LandPath(landName, file).c_str(), 0, 0, 3);
    if (!loaded) texture.LoadResource(fallback);
}

bool SkyBox::LoadSky(const Box& landBox, KeyValueFile& landFile) {
    Reset();
    // A land file that brings its own pictures names its land, which is where they lie.
    const std::string landName = landFile.getString("terrain.name");
    LoadPicture(sky, landName, landFile.getString("terrain.texture.sky"), defaultSkyPicture);
    LoadPicture(skyline, landName, landFile.getString("terrain.texture.skyline"),
                defaultSkylinePicture);
    const std::string horizonFile = landFile.getString("terrain.texture.horizon");
    panorama = !landName.empty() && !horizonFile.empty() &&
               horizon.LoadFile(LandPath(landName, horizonFile).c_str(), 0, 0, 3);
    return UpdateBox(landBox);
}

bool SkyBox::UpdateBox(const Box& landBox) {
    bool changed = false;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i] != landBox[i]) {
            values[i] = landBox[i];
            changed = true;
        }
    if (dirty || changed) BuildList();
    dirty = false;
    return true;
}

void SkyBox::ReleaseGl() {
    list.reset();
    sky.ReleaseGl();
    skyline.ReleaseGl();
    if (panorama) horizon.ReleaseGl();
}

void SkyBox::RestoreGl() {
    sky.RestoreGl();
    skyline.RestoreGl();
    if (panorama) horizon.RestoreGl();
    BuildList();
}

void SkyBox::Draw() const {
    if (list) glCallList(list.get());
}

void SkyBox::EmitCeiling(PolygonSink& sink) const {
    const float maxX = values[0], minX = values[1], maxY = values[2], minY = values[3];
    const float top = values[4] + ceiling;
    sink.begin(GL_QUADS);
    sink.texCoord(0, 0);
    sink.vertex(maxX + margin, minY - margin, top);
    sink.texCoord(0, 1);
    sink.vertex(maxX + margin, maxY + margin, top);
    sink.texCoord(1, 1);
    sink.vertex(minX - margin, maxY + margin, top);
    sink.texCoord(1, 0);
    sink.vertex(minX - margin, minY - margin, top);
    sink.end();
}

void SkyBox::EmitWalls(PolygonSink& sink) const {
    const float maxX = values[0], minX = values[1], maxY = values[2], minY = values[3];
    const float top = values[4] + ceiling + margin, bottom = values[5] - margin;
    struct Corner {
        float s, t, x, y, z;
    };
    const Corner walls[4][4] = {{{1, 0, minX - margin, minY, top},
                                 {1, 1, minX - margin, minY, bottom},
                                 {0, 1, maxX + margin, minY, bottom},
                                 {0, 0, maxX + margin, minY, top}},
                                {{0, 0, minX, maxY + margin, top},
                                 {0, 1, minX, maxY + margin, bottom},
                                 {1, 1, minX, minY - margin, bottom},
                                 {1, 0, minX, minY - margin, top}},
                                {{0, 0, minX - margin, maxY, top},
                                 {1, 0, maxX + margin, maxY, top},
                                 {1, 1, maxX + margin, maxY, bottom},
                                 {0, 1, minX - margin, maxY, bottom}},
                                {{1, 0, maxX, maxY + margin, top},
                                 {0, 0, maxX, minY - margin, top},
                                 {0, 1, maxX, minY - margin, bottom},
                                 {1, 1, maxX, maxY + margin, bottom}}};
    // The horizon picture gives each wall (south, west, north, east above) its
    // quarter, turned so that it reads left to right from inside.
    const float quarterStart[4] = {0.5f, 1.0f, 0.0f, 0.5f};
    const float quarterSense[4] = {0.25f, -0.25f, 0.25f, -0.25f};
    sink.begin(GL_QUADS);
    for (int w = 0; w < 4; ++w)
        for (const Corner& c : walls[w]) {
            sink.texCoord(panorama ? quarterStart[w] + quarterSense[w] * c.s : c.s, c.t);
            sink.vertex(c.x, c.y, c.z);
        }
    sink.end();
}

void SkyBox::BuildList() {
    list.reset();
    // The fog is state, not part of the list.
    glFogfv(GL_FOG_COLOR, fog.data());
    glFogf(GL_FOG_DENSITY, fogDensity);
    list = GlDisplayList::generate();
    glNewList(list.get(), GL_COMPILE);
    GlPolygonSink sink;
    sky.Bind();
    EmitCeiling(sink);
    (panorama ? horizon : skyline).Bind();
    EmitWalls(sink);
    glEndList();
    ++buildCount;
}
