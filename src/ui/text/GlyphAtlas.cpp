#include "ui/text/GlyphAtlas.h"

#include <GL/gl.h>
#include <algorithm>

#include "platform/FontRaster.h"

namespace {
// One texel of space around each glyph keeps neighbours apart.
constexpr int gap = 1;

int powerOfTwoAtLeast(int value) {
    int result = 1;
    while (result < value)
        result *= 2;
    return result;
}

void copyBits(const GlyphBitmap& glyph, const GlyphAtlas::Place& place,
              std::vector<std::uint8_t>& texels) {
    const int rowBytes = glyph.bytesPerRow();
    for (int row = 0; row < glyph.rows; ++row)
        for (int column = 0; column < glyph.width; ++column) {
            const std::uint8_t byte =
                glyph.bits[static_cast<std::size_t>(row * rowBytes + column / 8)];
            if ((byte & (0x80 >> (column % 8))) == 0) continue;
            const std::size_t at =
                static_cast<std::size_t>(place.row + row) * GlyphAtlas::textureWidth +
                static_cast<std::size_t>(place.column + column);
            texels[at] = 255;
        }
}
} // namespace

void GlyphAtlas::Build(const FontRaster& raster) {
    std::vector<GlyphBitmap> glyphs;
    glyphs.reserve(glyphCodes);
    int column = gap, row = gap, shelf = 0;
    for (int code = 0; code < glyphCodes; ++code) {
        glyphs.push_back(raster.glyph(static_cast<std::uint8_t>(code)));
        const GlyphBitmap& glyph = glyphs.back();
        Place& place = places[static_cast<std::size_t>(code)];
        place = Place{0, 0, glyph.width, glyph.rows, glyph.left, glyph.top, glyph.advance};
        if (glyph.bits.empty()) place.width = place.rows = 0;
        if (column + place.width + gap > textureWidth) {
            column = gap;
            row += shelf + gap;
            shelf = 0;
        }
        place.column = column;
        place.row = row;
        column += place.width + gap;
        shelf = std::max(shelf, place.rows);
    }
    places[glyphCodes] = Place{};
    height = powerOfTwoAtLeast(row + shelf + gap);
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(textureWidth) * height, 0);
    for (int code = 0; code < glyphCodes; ++code)
        if (places[static_cast<std::size_t>(code)].width > 0)
            copyBits(glyphs[static_cast<std::size_t>(code)], places[static_cast<std::size_t>(code)],
                     texels);
    texture = GlTexture::generate();
    if (!texture) return; // no GL context: the layout alone
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glBindTexture(GL_TEXTURE_2D, texture.get());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, textureWidth, height, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 texels.data());
    glPopClientAttrib();
}

void GlyphAtlas::AppendQuads(const char* text, int x, int y, std::vector<float>& out) const {
    const float toS = 1.0f / textureWidth, toT = 1.0f / static_cast<float>(height);
    int pen = x;
    for (const char* c = text; *c != '\0'; ++c) {
        const Place& p = places[static_cast<std::uint8_t>(*c)];
        if (p.width > 0) {
            const float x0 = static_cast<float>(pen + p.left);
            const float y0 = static_cast<float>(y + p.top - p.rows);
            const float x1 = x0 + static_cast<float>(p.width), y1 = y0 + static_cast<float>(p.rows);
            const float s0 = static_cast<float>(p.column) * toS;
            const float t0 = static_cast<float>(p.row) * toT;
            const float s1 = static_cast<float>(p.column + p.width) * toS;
            const float t1 = static_cast<float>(p.row + p.rows) * toT;
            out.insert(out.end(), {s0, t0, x0, y0, s1, t0, x1, y0, s1, t1, x1, y1, s0, t1, x0, y1});
        }
        pen += p.advance;
    }
}

void GlyphAtlas::Draw(const char* text, int x, int y) const {
    std::vector<float> corners;
    AppendQuads(text, x, y, corners);
    if (corners.empty() || !texture) return;
    // Texels are 0 or 255: the alpha test keeps exactly the set bits, in the
    // current colour, as a bitmap would.
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture.get());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 4 * sizeof(float), corners.data());
    glVertexPointer(2, GL_FLOAT, 4 * sizeof(float), corners.data() + 2);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(corners.size() / 4));
    glPopClientAttrib();
    glPopAttrib();
}
