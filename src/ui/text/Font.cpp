#include "ui/text/Font.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <GL/gl.h>

#include "platform/FontRaster.h"

FontHandle::FontHandle() = default;

FontHandle::~FontHandle() = default;

Font::Font() : handle(std::make_unique<FontHandle>()) {}

Font::~Font() = default;

bool Font::create(const char* newFace, int newHeight, bool newBold, bool newItalic) {
    face = newFace ? newFace : "";
    height = newHeight;
    bold = newBold;
    italic = newItalic;
    deleteLists();
    handle->raster = FontRaster::open(face.c_str(), height, bold, italic);
    if (!handle->raster) return false;
    buildLists();
    return true;
}

void Font::buildLists() {
    if (!handle->raster) return;
    handle->glyphs.Forget();
    handle->glyphs.Build(*handle->raster); // no GL context: the font still measures
}

void Font::deleteLists() {
    handle->glyphs.Release();
}

bool Font::matches(const char* requestedFace, int requestedHeight, bool requestedBold,
                   bool requestedItalic) const {
    // A missing face is asked for as the empty one, so it is cached once too.
    return face == (requestedFace ? requestedFace : "") && height == requestedHeight &&
           bold == requestedBold && italic == requestedItalic;
}

bool Font::hasFace() const {
    return handle->raster != nullptr;
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
    for (const auto& font : fonts)
        if (font->matches(face, height, bold, italic)) return font.get();
    // A face that cannot be opened is cached too: it draws nothing but is asked for once.
    auto font = std::make_unique<Font>();
    font->create(face, height, bold, italic);
    fonts.push_back(std::move(font));
    return fonts.back().get();
}

void FontCache::deleteAllLists() {
    for (const auto& font : fonts)
        font->deleteLists();
}

void FontCache::rebuildAllLists() {
    for (const auto& font : fonts)
        font->buildLists();
}

void FontCache::clear() {
    fonts.clear();
}

namespace {
// Where glRasterPos would be refused (outside the clip volume), the whole
// string is left out, as the bitmap text it replaces was.
bool startInsideView(int x, int y) {
    GLfloat modelview[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    GLfloat eye[4];
    for (int row = 0; row < 4; ++row)
        eye[row] = modelview[row] * x + modelview[4 + row] * y + modelview[12 + row];
    GLfloat clip[4];
    for (int row = 0; row < 4; ++row)
        clip[row] = projection[row] * eye[0] + projection[4 + row] * eye[1] +
                    projection[8 + row] * eye[2] + projection[12 + row] * eye[3];
    for (int axis = 0; axis < 3; ++axis)
        if (clip[axis] < -clip[3] || clip[axis] > clip[3]) return false;
    return true;
}
} // namespace

void drawString(const Font* font, int x, int y, const float* colour, const char* text) {
    if (font == nullptr || text == nullptr || !font->handle->glyphs.Live()) return;
    glColor3fv(colour ? colour : font->colour);
    if (startInsideView(x, y)) font->handle->glyphs.Draw(text, x, y);
    glEnable(GL_TEXTURE_2D);
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
