#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "gfx/GlNames.h"

class FontRaster;

/*
===============================================================================
GlyphAtlas: every glyph of a font (Windows-1252 codes 0 to 254) in one alpha
texture, so that a whole string is one draw of textured quads. Each glyph
covers the same whole pixels glBitmap would give it: its bitmap's lower-left
corner at the pen plus (left, top - rows), the pen moving by the advance.
Code 255 has no glyph and does not move the pen.

The layout is kept; the texels are not: Build rasterises the face again, so
a new context gets its texture from the face rather than from a copy.
===============================================================================
*/
class GlyphAtlas {
  public:
    struct Place {
        int column = 0, row = 0; // the bitmap's lower-left texel
        int width = 0, rows = 0, left = 0, top = 0, advance = 0;
    };
    static constexpr int textureWidth = 256;
    static constexpr int glyphCodes = 255;

    // Lays the glyphs out and, with a GL context, uploads them into a new texture.
    void Build(const FontRaster& raster);
    // Deletes the texture (its context must be current).
    void Release() { texture.reset(); }
    // Drops the texture without a GL call, for a context that is gone.
    void Forget() { texture.forget(); }

    bool Live() const { return static_cast<bool>(texture); }
    unsigned Texture() const { return texture.get(); }
    int TextureHeight() const { return height; }
    const Place& At(std::uint8_t code) const { return places[code]; }

    // Four corners (s, t, x, y) per drawn glyph of text with its pen starting
    // at (x, y), counter-clockwise from the lower left; empty glyphs add none.
    void AppendQuads(const char* text, int x, int y, std::vector<float>& out) const;
    // Draws text with its pen starting at (x, y) in the current colour.
    void Draw(const char* text, int x, int y) const;

  private:
    std::array<Place, 256> places{};
    int height = 1;
    GlTexture texture;
};
