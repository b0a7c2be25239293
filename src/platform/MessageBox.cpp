#include "platform/MessageBox.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <string>

namespace {

// The texts are Windows-1252 bytes; the box wants UTF-8. The upper half maps as
// Latin-1, which covers the "°" and "²" the texts use; 0x80..0x9F become "?".
std::string toUtf8(const char* text) {
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p < 0x80) {
            out += static_cast<char>(*p);
        } else if (*p < 0xA0) {
            out += '?';
        } else {
            out += static_cast<char>(0xC0 | (*p >> 6));
            out += static_cast<char>(0x80 | (*p & 0x3F));
        }
    }
    return out;
}

} // namespace

void showErrorBox(const char* caption, const char* text) {
    const std::string message = toUtf8(text ? text : "");
    std::fprintf(stderr, "%s: %s\n", caption, message.c_str());
    std::fflush(stderr);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, message.c_str(), nullptr);
}
