#pragma once

#include <array>

#include "world/clouds/NoiseTexture.h"

class KeyValueFile;
class Terrain;

/*
===============================================================================
CloudLayer

The sky's one cloud layer: a shallow twelve-sided cone of generated cloud
texture, its rim "clouds.altitude" metres above the highest ground point and
its centre 600 m higher, drawn additively without depth over the sky box and
scrolled with the wind by Move(). Update() fits the cone to the land and
regenerates the picture when the parameters were read again or a new land was
loaded. The texture coordinates drift with every Move and are reset only by
ReadParams.
===============================================================================
*/
class CloudLayer {
  public:
    static constexpr int rimPoints = 12;

    CloudLayer();
    explicit CloudLayer(uint32_t latticeSeed);

    void Reset();
    void ReadParams(KeyValueFile& file);
    void WriteParams(KeyValueFile& file) const;
    // Fits the layer to the terrain and regenerates the texture when needed.
    bool Update(const Terrain& terrain);
    // Scrolls the texture by a horizontal displacement in metres.
    void Move(float dx, float dy);
    void Draw();
    void ReleaseGl() { texture.ReleaseGl(); }
    void RestoreGl() { texture.RestoreGl(); }

    // The geometric part of Update: radius, height, centre and texture repeat.
    void Fit(const Terrain& terrain);
    Image Picture() const;

    void SetDensity(float value);
    void SetBlur(float value);
    void SetAltitude(float value);
    void SetTextureExtent(float value);

    float TextureExtent() const { return textureExtent; }
    float CentreX() const { return centreX; }
    float CentreY() const { return centreY; }
    float Radius() const { return radius; }
    float S0() const { return s0; }
    float S1() const { return s1; }
    float T0() const { return t0; }
    float T1() const { return t1; }
    float Density() const { return density; }
    float Blur() const { return blur; }
    float LayerHeight() const { return layerHeight; }
    float Altitude() const { return altitude; }
    bool Dirty() const { return dirty; }
    const NoiseTexture& CloudTexture() const { return texture; }

  private:
    float textureExtent = 0.0f;
    float centreX = 0.0f;
    float centreY = 0.0f;
    float radius = 10000.0f;
    float s0 = 0.0f, s1 = 1.0f, t0 = 0.0f, t1 = 1.0f;
    std::array<std::array<float, 2>, rimPoints> rim{};
    int firstRow = 0;
    int rowEnd = NoiseTexture::pictureSize;
    float density = 160.0f;
    float blur = 0.98f;
    float noiseDepth = 0.0f;
    float layerHeight = 0.0f;
    float altitude = 200.0f;
    NoiseTexture texture;
    bool dirty = true;
};
