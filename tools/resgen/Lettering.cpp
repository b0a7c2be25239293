#include "Lettering.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

struct Lettering::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

namespace {
std::string matchFile(const char* family, bool bold, bool italic) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    std::string file;
    FcChar8* path = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
        file = reinterpret_cast<const char*>(path);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return file;
}
} // namespace

Lettering::Lettering(const char* family, bool bold, bool italic) : impl(std::make_unique<Impl>()) {
    const std::string file = matchFile(family, bold, italic);
    if (file.empty() || FT_Init_FreeType(&impl->library) != 0 ||
        FT_New_Face(impl->library, file.c_str(), 0, &impl->face) != 0)
        throw std::runtime_error("resgen: no font for " + std::string(family));
}

Lettering::~Lettering() {
    if (impl->face) FT_Done_Face(impl->face);
    if (impl->library) FT_Done_FreeType(impl->library);
}

float Lettering::measure(const std::string& text, float size, float spacing) const {
    FT_Set_Char_Size(impl->face, 0, static_cast<FT_F26Dot6>(size * 64), 72, 72);
    float width = 0;
    for (unsigned char c : text) {
        if (FT_Load_Char(impl->face, c, FT_LOAD_NO_HINTING) != 0) continue;
        width += impl->face->glyph->advance.x / 64.0f + spacing;
    }
    return width - (text.empty() ? 0 : spacing);
}

void Lettering::draw(std::vector<float>& coverage, int width, int height, const std::string& text,
                     float x, float y, float size, float spacing) const {
    FT_Set_Char_Size(impl->face, 0, static_cast<FT_F26Dot6>(size * 64), 72, 72);
    float pen = x;
    for (unsigned char c : text) {
        // Sub-pixel placement: shift the outline by the pen's fraction before rendering.
        FT_Vector shift{static_cast<FT_Pos>((pen - std::floor(pen)) * 64), 0};
        FT_Set_Transform(impl->face, nullptr, &shift);
        if (FT_Load_Char(impl->face, c, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) continue;
        const FT_GlyphSlot slot = impl->face->glyph;
        const int left = static_cast<int>(std::floor(pen)) + slot->bitmap_left;
        const int top = static_cast<int>(std::floor(y)) - slot->bitmap_top;
        for (unsigned row = 0; row < slot->bitmap.rows; ++row)
            for (unsigned col = 0; col < slot->bitmap.width; ++col) {
                const int px = left + static_cast<int>(col), py = top + static_cast<int>(row);
                if (px < 0 || py < 0 || px >= width || py >= height) continue;
                float& cover = coverage[static_cast<std::size_t>(py) * width + px];
                cover = std::min(1.0f, cover + slot->bitmap.buffer[row * slot->bitmap.pitch + col] /
                                                   255.0f);
            }
        pen += slot->advance.x / 64.0f + spacing;
        FT_Set_Transform(impl->face, nullptr, nullptr);
    }
}
