#pragma once

#include <array>
#include <string>

#include "gfx/GlNames.h"
#include "gfx/Texture.h"

class KeyValueFile;
class PolygonSink;

/*
===============================================================================
SkyBox: the textured box the land stands in. A ceiling 1000 m over the
highest ground and four walls on the land's edges, reaching 20 m past them,
compiled into one display list; the fog colour and density are set with it.

Pictures: the land file's "terrain.texture.sky" (ceiling) and
"terrain.texture.skyline" (walls), looked up in the directory of the land file's
own "terrain.name"; without both names, or when a file cannot be read, the
built-in pictures 402 and 403. The walls put the picture's first row at their
top; the ceiling puts it along the south edge.

A land made from elevation data may also name "terrain.texture.horizon": one
picture of all four walls side by side (north, east, south, west, each as seen
from inside), so each wall shows the terrain that really lies beyond it. When
it loads, the walls show it instead of the skyline picture.

The list is rebuilt only when the box changed or after a reset or RestoreGl.
===============================================================================
*/
class SkyBox {
  public:
    // max x, min x, max y, min y, max z, min z
    using Box = std::array<float, 6>;
    static constexpr float margin = 20.0f;
    static constexpr float fogDensity = 0.00015f;
    static constexpr int defaultSkyPicture = 402;
    static constexpr int defaultSkylinePicture = 403;

    SkyBox();
    virtual ~SkyBox() = default;
    SkyBox(const SkyBox&) = delete;
    SkyBox& operator=(const SkyBox&) = delete;

    bool LoadSky(const Box& landBox, KeyValueFile& landFile);
    bool UpdateBox(const Box& landBox);
    void ReleaseGl();
    void RestoreGl();
    void Draw() const;
    // The ceiling and walls as the list holds them, textures aside.
    void EmitCeiling(PolygonSink& sink) const;
    void EmitWalls(PolygonSink& sink) const;

    const Box& box() const { return values; }
    float ceilingHeight() const { return ceiling; }
    const std::array<float, 4>& fogColour() const { return fog; }
    unsigned displayList() const { return list.get(); }
    // How many times the list was compiled since construction.
    int builds() const { return buildCount; }
    Texture& skyTexture() { return sky; }
    Texture& skylineTexture() { return skyline; }
    // True when the walls show a "terrain.texture.horizon" picture.
    bool hasHorizon() const { return panorama; }

  private:
    void Reset();
    void LoadPicture(Texture& texture, const std::string& landName, const std::string& file,
                     int fallback);
    void BuildList();

    Box values{0, 0, 0, 0, 0, 0};
    float ceiling = 1000.0f;
    std::array<float, 4> fog{0.45f, 0.53f, 0.73f, 1.0f};
    GlDisplayList list;
    Texture sky;
    Texture skyline;
    Texture horizon;
    bool panorama = false;
    bool dirty = true;
    int buildCount = 0;
};
