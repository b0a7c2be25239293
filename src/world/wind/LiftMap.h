#pragma once

#include <array>
#include <vector>

#include "gfx/GlNames.h"

class Font;
class Terrain;
class WindField;

/*
===============================================================================
LiftMap

Tints the ground by the vertical wind at a chosen height above it: red where
the air rises, blue where it sinks, clear where it barely moves, full tint at
3 m/s either way. The values are the wind field's own (windAt at each column
centre), one texel per wind column, so the map is as fine as the field: each
column's square of ground shows its own value (nearest texel; a filtered
texel cost the software renderer three times as much).

The texture rides on a second texture unit with generated coordinates, laid
over the ground texture as a decal, so the ground is drawn once and shows
through. follow() rebuilds the texels only when the field was rebuilt or the
height changed; the GL texture is made at the next bind. A height of 0 turns
the map off.
===============================================================================
*/
class LiftMap {
  public:
    using Tint = std::array<float, 4>; // red, green, blue, opacity

    static constexpr float saturation = 3.0f;       // m/s, full tint
    static constexpr float strongestOpacity = 0.5f; // keeps the ground visible
    static constexpr float highest = 1000.0f;       // m, the highest height offered

    LiftMap() = default;
    ~LiftMap();
    LiftMap(const LiftMap&) = delete;
    LiftMap& operator=(const LiftMap&) = delete;

    // The tint for a vertical speed in m/s.
    static Tint tint(float verticalSpeed);

    // Metres above the ground, 0 for off; clamped to 0 ... highest.
    void setHeight(float metres);
    float height() const { return heightAbove; }
    bool shown() const { return heightAbove > 0.0f; }

    // Takes the tints from the field when it was rebuilt or the height changed.
    void follow(WindField& wind, const Terrain& terrain);
    // The tint of wind column (i, j) as last followed.
    Tint columnTint(int i, int j) const;
    int columns() const { return columnsX; }

    // Around the ground's drawing: lays the map on texture unit 1.
    void bind();
    void unbind() const;
    // The colour bar in window pixels, at the right of a window of that size.
    void drawLegend(int windowWidth, int windowHeight, const Font* font) const;

    // The GL texture is lost with the window; restore makes it at the next bind.
    void releaseGl();

  private:
    void upload();

    float heightAbove = 0.0f;
    float followedHeight = -1.0f;
    unsigned followedGeneration = 0;
    bool followedOnce = false;
    int columnsX = 0;
    int columnsY = 0;
    int textureSize = 1; // a power of two, at least the column count
    float originX = 0.0f;
    float originY = 0.0f;
    float cellX = 1.0f;
    float cellY = 1.0f;
    std::vector<unsigned char> pixels; // RGBA, textureSize squared
    GlTexture texture;
    bool uploaded = false;
};
