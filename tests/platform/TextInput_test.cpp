#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <string>

#include "platform/GlWindow.h"

namespace {
class TypingWindow : public GlWindow { // never opened: it still handles events
  public:
    bool characterTyped(int character) override {
        typed += static_cast<char>(character);
        return true;
    }
    std::string typed;
};
} // namespace

// Typed text follows the press that typed it unless that press works as a control key.
TEST(TextInput, TypedTextFollowsOnlyPressesThatType) {
    const struct {
        const char* name;
        SDL_Keycode sym;
        SDL_Scancode scancode;
        Uint16 modifiers;
        const char* text;
        std::string typed;
    } rows[] = {
        {"AltGr, which X11 reports as the right Alt", SDLK_0, SDL_SCANCODE_0, KMOD_RALT, "@", "@"},
        {"a key with no code", SDLK_UNKNOWN, SDL_SCANCODE_E, KMOD_MODE, "\xE2\x82\xAC", "\x80"},
        {"the console key", 0xB2, SDL_SCANCODE_GRAVE, KMOD_NONE, "\xC2\xB2", ""},
        {"a left Alt combination", SDLK_x, SDL_SCANCODE_X, KMOD_LALT, "x", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TypingWindow window;
        SDL_Event press{}, text{};
        press.type = SDL_KEYDOWN;
        press.key.keysym = {row.scancode, row.sym, row.modifiers, 0};
        text.type = SDL_TEXTINPUT;
        SDL_strlcpy(text.text.text, row.text, sizeof text.text.text);
        window.handleEvent(press);
        window.handleEvent(text);
        EXPECT_EQ(window.typed, row.typed);
    }
}
