#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

/*
===============================================================================
FontRaster: a system face opened by family name (resolved by fontconfig, so
"Arial" gives a metric-compatible face) at a pixel cell height (ascent +
descent, as a GDI font height), rasterised by FreeType into 1-bit glyphs of
the Windows-1252 code page. Codes without a glyph (controls, unassigned) are
empty and do not advance.
===============================================================================
*/
struct GlyphBitmap {
    int width = 0; // pixels
    int rows = 0;
    int left = 0;    // from the pen position to the bitmap's left edge
    int top = 0;     // from the baseline up to the bitmap's top row
    int advance = 0; // pen movement in pixels
    // 1 bit per pixel, most significant bit first, rows padded to whole bytes,
    // bottom row first (as glBitmap reads them).
    std::vector<std::uint8_t> bits;
    int bytesPerRow() const { return (width + 7) / 8; }
};

class FontRaster {
  public:
    // Null when no face could be opened.
    static std::unique_ptr<FontRaster> open(const char* family, int cellHeight, bool bold,
                                            bool italic);
    ~FontRaster();
    FontRaster(const FontRaster&) = delete;
    FontRaster& operator=(const FontRaster&) = delete;

    GlyphBitmap glyph(std::uint8_t code) const;
    int advance(std::uint8_t code) const { return advances[code]; }
    int lineHeight() const { return ascent + descent; }
    int ascender() const { return ascent; }
    int descender() const { return descent; }
    // The file fontconfig chose, and its family name.
    const std::string& file() const { return fontFile; }
    const std::string& family() const { return familyName; }

  private:
    struct Impl;
    explicit FontRaster(std::unique_ptr<Impl> impl);

    std::unique_ptr<Impl> impl;
    int advances[256] = {};
    int ascent = 0;
    int descent = 0;
    std::string fontFile;
    std::string familyName;
};

// Unicode code point of a Windows-1252 byte; 0 for the five unassigned codes.
char32_t windows1252ToUnicode(std::uint8_t code);
