#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/text/GlyphAtlas.h"

class FontRaster;

/*
===============================================================================
FontHandle: what a Font owns of the platform: the rasteriser of the face and
the glyph texture made from it (codes 0 to 254). Destroying it frees both.
===============================================================================
*/
class FontHandle {
  public:
    FontHandle();
    FontHandle(const FontHandle&) = delete;
    FontHandle& operator=(const FontHandle&) = delete;
    virtual ~FontHandle();

    GlyphAtlas glyphs;
    std::unique_ptr<FontRaster> raster; // null means no face
};

struct TextSize {
    int width = 0;
    int height = 0;
};

/*
===============================================================================
Font: one cached typeface (face, pixel cell height, bold, italic). A face such
as "Arial" or "Courier New" is resolved by the system to an installed
metric-compatible face and still counts as the face that was asked for.

colour is the colour drawText uses when it is given none; it is shared by
every user of the cached font. A font whose face could not be opened stays
usable: it draws nothing and measures 0 wide.
===============================================================================
*/
class Font {
  public:
    Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font();

    // Opens the face and builds the glyph texture (when a GL context is current).
    bool create(const char* face, int height, bool bold, bool italic);
    // A new glyph texture for the current GL context, rasterised from the face
    // again; an old one is dropped, not deleted (its context is gone).
    void buildLists();
    // Deletes the glyph texture, before the GL context goes away.
    void deleteLists();
    bool matches(const char* face, int height, bool bold, bool italic) const;
    // Width and line height of the whole string (Windows-1252 bytes), in pixels.
    TextSize textExtent(const char* text) const;

    // The glyph texture's name; 0 while there is none.
    unsigned int glyphTexture() const { return handle->glyphs.Texture(); }
    bool hasFace() const;

    float colour[3] = {1.0f, 1.0f, 1.0f};
    std::unique_ptr<FontHandle> handle;

  private:
    std::string face;
    int height = 0;
    bool bold = false;
    bool italic = false;
};

/*
===============================================================================
FontCache: the application's fonts, one per distinct request, in creation
order. Entries stay until clear(). get never returns null.
===============================================================================
*/
class FontCache {
  public:
    FontCache() = default;
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;
    ~FontCache();

    Font* get(const char* face, int height, bool bold, bool italic);
    // Before the GL context goes away / after a new one is current.
    void deleteAllLists();
    void rebuildAllLists();
    void clear();
    int count() const { return static_cast<int>(fonts.size()); }

  private:
    std::vector<std::unique_ptr<Font>> fonts;
};

// Longest text drawText draws; longer formatted text is cut.
constexpr int DrawTextBufferSize = 2048;

// Draws a printf-style formatted text with its baseline at (x, y) in window
// pixels, in colour (three floats) or, when colour is null, the font's colour.
// Leaves GL_TEXTURE_2D enabled. A null font or format draws nothing.
void drawText(const Font* font, int x, int y, const float* colour, const char* format, ...)
    __attribute__((format(printf, 5, 6)));
// Draws the text as it is: a percent sign in it is not a conversion.
void drawString(const Font* font, int x, int y, const float* colour, const char* text);
