#include "ui/text/Font.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <GL/gl.h>

#include "platform/FontRaster.h"

namespace {

constexpr int GlyphLists = 256;
constexpr int GlyphCodes = 255; // codes 0 to 254; the last list stays empty

void compileGlyph(const FontRaster& raster, GLuint list, std::uint8_t code) {
    const GlyphBitmap glyph = raster.glyph(code);
    // Mesa records an out-of-memory error for a listed glBitmap without data,
    // so glyphs that only advance (the space) get an empty bitmap.
    static const GLubyte noBits = 0;
    const bool empty = glyph.bits.empty();
    glNewList(list, GL_COMPILE);
    glBitmap(empty ? 0 : glyph.width, empty ? 0 : glyph.rows, static_cast<GLfloat>(-glyph.left),
             static_cast<GLfloat>(glyph.rows - glyph.top), static_cast<GLfloat>(glyph.advance),
             0.0f, empty ? &noBits : glyph.bits.data());
    glEndList();
}

} // namespace

FontHandle::FontHandle() = default;

FontHandle::~FontHandle() {
    if (listBase != 0 && listsLive) glDeleteLists(listBase, GlyphLists);
}

Font::Font() : ownsHandle(true), handle(new FontHandle) {}

Font::~Font() {
    if (ownsHandle) delete handle;
}

bool Font::create(const char* newFace, int newHeight, bool newBold, bool newItalic) {
    face = newFace ? newFace : "";
    height = newHeight;
    bold = newBold;
    italic = newItalic;
    if (handle == nullptr) {
        handle = new FontHandle;
        ownsHandle = true;
    }
    deleteLists();
    handle->listBase = 0;
    handle->raster = FontRaster::open(face.c_str(), height, bold, italic);
    if (!handle->raster) return false;
    buildLists();
    return true;
}

void Font::buildLists() {
    if (handle == nullptr || !handle->raster) return;
    const GLuint base = glGenLists(GlyphLists);
    handle->listBase = base;
    handle->listsLive = base != 0;
    if (base == 0) return; // no GL context: the font still measures
    // glBitmap copies the bits when the list is compiled, under this unpacking.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    for (int code = 0; code < GlyphCodes; ++code)
        compileGlyph(*handle->raster, base + code, static_cast<std::uint8_t>(code));
    glPopClientAttrib();
}

void Font::deleteLists() {
    if (handle == nullptr || handle->listBase == 0 || !handle->listsLive) return;
    glDeleteLists(handle->listBase, GlyphLists);
    handle->listsLive = false;
}

bool Font::matches(const char* requestedFace, int requestedHeight, bool requestedBold,
                   bool requestedItalic) const {
    // A missing face is asked for as the empty one, so it is cached once too.
    return face == (requestedFace ? requestedFace : "") && height == requestedHeight &&
           bold == requestedBold && italic == requestedItalic;
}

bool Font::hasFace() const {
    return handle != nullptr && handle->raster != nullptr;
}

TextSize Font::textExtent(const char* text) const {
    if (!hasFace()) return {0, height > 0 ? height : 0};
    TextSize size{0, handle->raster->lineHeight()};
    if (text == nullptr) return size;
    for (const char* c = text; *c != '\0'; ++c)
        size.width += handle->raster->advance(static_cast<std::uint8_t>(*c));
    return size;
}

FontCache::~FontCache() {
    clear();
}

Font* FontCache::get(const char* face, int height, bool bold, bool italic) {
    for (Font* font : fonts)
        if (font->matches(face, height, bold, italic)) return font;
    // A face that cannot be opened is cached too: it draws nothing but is asked for once.
    auto* font = new Font;
    font->create(face, height, bold, italic);
    fonts.push_back(font);
    return font;
}

void FontCache::deleteAllLists() {
    for (Font* font : fonts)
        font->deleteLists();
}

void FontCache::rebuildAllLists() {
    for (Font* font : fonts)
        font->buildLists();
}

void FontCache::clear() {
    for (Font* font : fonts)
        delete font; // a font destroys the handle it owns
    fonts.clear();
}

void drawString(const Font* font, int x, int y, const float* colour, const char* text) {
    if (font == nullptr || text == nullptr || font->handle == nullptr || !font->handle->listsLive)
        return;
    const std::size_t length = std::strlen(text);
    glPushAttrib(GL_LIST_BIT);
    glDisable(GL_TEXTURE_2D);
    glColor3fv(colour ? colour : font->colour);
    glRasterPos2i(x, y);
    glListBase(font->listBase());
    glCallLists(static_cast<GLsizei>(length), GL_UNSIGNED_BYTE, text);
    glEnable(GL_TEXTURE_2D);
    glPopAttrib();
}

void drawText(const Font* font, int x, int y, const float* colour, const char* format, ...) {
    if (format == nullptr) return;
    char buffer[DrawTextBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args); // longer text is cut
    va_end(args);
    drawString(font, x, y, colour, buffer);
}
