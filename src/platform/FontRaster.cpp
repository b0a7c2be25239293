#include "platform/FontRaster.h"

#include <cmath>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

struct FontRaster::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Impl() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

char32_t windows1252ToUnicode(std::uint8_t code) {
    // 0x80..0x9F differ from Latin-1; 0 marks the five unassigned codes.
    static constexpr char16_t high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    if (code >= 0x80 && code <= 0x9F) return high[code - 0x80];
    return code;
}

namespace {

bool hasGlyph(std::uint8_t code) {
    return code >= 32 && code != 127 && windows1252ToUnicode(code) != 0;
}

struct MatchedFace {
    std::string file;
    std::string family;
    int index = 0;
};

// fontconfig's best match; its standard aliases turn "Arial" into Liberation Sans
// and "Courier New" into Liberation Mono. A configuration of our own, destroyed
// after the match, leaves no library state behind (fonts are opened rarely).
MatchedFace matchFace(const char* family, bool bold, bool italic) {
    MatchedFace matched;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    if (match) {
        FcChar8* value = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &value) == FcResultMatch)
            matched.file = reinterpret_cast<const char*>(value);
        if (FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch)
            matched.family = reinterpret_cast<const char*>(value);
        FcPatternGetInteger(match, FC_INDEX, 0, &matched.index);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return matched;
}

// A positive height is the cell (ascent + descent) as GDI takes it, a negative
// one the em size; 0 asks for a default size.
bool setPixelHeight(FT_Face face, int cellHeight) {
    FT_Size_RequestRec request{};
    request.type = cellHeight > 0 ? FT_SIZE_REQUEST_TYPE_REAL_DIM : FT_SIZE_REQUEST_TYPE_NOMINAL;
    const int pixels = cellHeight == 0 ? 16 : std::abs(cellHeight);
    request.height = static_cast<FT_Long>(pixels) * 64;
    return FT_Request_Size(face, &request) == 0;
}

constexpr FT_Int32 MonoLoad = FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO;

} // namespace

FontRaster::FontRaster(std::unique_ptr<Impl> face) : impl(std::move(face)) {}

FontRaster::~FontRaster() = default;

std::unique_ptr<FontRaster> FontRaster::open(const char* family, int cellHeight, bool bold,
                                             bool italic) {
    if (family == nullptr || *family == '\0') return nullptr;
    const MatchedFace matched = matchFace(family, bold, italic);
    if (matched.file.empty()) return nullptr;
    auto impl = std::make_unique<Impl>();
    if (FT_Init_FreeType(&impl->library) != 0) return nullptr;
    if (FT_New_Face(impl->library, matched.file.c_str(), matched.index, &impl->face) != 0)
        return nullptr;
    if (!setPixelHeight(impl->face, cellHeight)) return nullptr;
    FT_Select_Charmap(impl->face, FT_ENCODING_UNICODE);

    std::unique_ptr<FontRaster> raster(new FontRaster(std::move(impl)));
    const FT_Size_Metrics& metrics = raster->impl->face->size->metrics;
    raster->ascent = static_cast<int>((metrics.ascender + 63) / 64);
    raster->descent = static_cast<int>((-metrics.descender + 63) / 64);
    raster->fontFile = matched.file;
    raster->familyName = matched.family;
    for (int code = 0; code < 256; ++code) {
        if (!hasGlyph(static_cast<std::uint8_t>(code))) continue;
        const FT_ULong unicode = windows1252ToUnicode(static_cast<std::uint8_t>(code));
        if (FT_Load_Char(raster->impl->face, unicode, MonoLoad) == 0)
            raster->advances[code] =
                static_cast<int>((raster->impl->face->glyph->advance.x + 32) / 64);
    }
    return raster;
}

GlyphBitmap FontRaster::glyph(std::uint8_t code) const {
    GlyphBitmap glyph;
    if (!hasGlyph(code)) return glyph;
    glyph.advance = advances[code];
    FT_Face face = impl->face;
    if (FT_Load_Char(face, windows1252ToUnicode(code), MonoLoad | FT_LOAD_RENDER) != 0)
        return glyph;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return glyph;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.left = face->glyph->bitmap_left;
    glyph.top = face->glyph->bitmap_top;
    const int rowBytes = glyph.bytesPerRow();
    glyph.bits.resize(static_cast<std::size_t>(rowBytes) * glyph.rows);
    for (int row = 0; row < glyph.rows; ++row) {
        const std::uint8_t* source = bitmap.buffer + row * bitmap.pitch;
        std::uint8_t* target =
            &glyph.bits[static_cast<std::size_t>(glyph.rows - 1 - row) * rowBytes];
        std::copy(source, source + rowBytes, target);
    }
    return glyph;
}
