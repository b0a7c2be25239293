#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cstring>
#include <string>

#include "platform/GlWindow.h"
#include "platform/Keys.h"

namespace {

// A window that was never opened still turns events into its operations.
class TypingWindow : public GlWindow {
  public:
    bool keyDown(int key) override {
        keys += std::to_string(key) + " ";
        return true;
    }
    bool characterTyped(int character) override {
        typed += static_cast<char>(character);
        return true;
    }
    std::string keys;
    std::string typed;
};

SDL_Event keyPress(SDL_Keycode sym, SDL_Scancode scancode, Uint16 modifiers = KMOD_NONE) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = sym;
    event.key.keysym.scancode = scancode;
    event.key.keysym.mod = modifiers;
    return event;
}

SDL_Event textOf(const char* utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
    return event;
}

struct Row {
    const char* name;
    SDL_Event press;
    const char* text;
    std::string typed;
};

} // namespace

// What the layout types follows the press that typed it, unless that press works as
// a control key; a character the code page lacks is refused.
TEST(TextInput, TypedTextFollowsOnlyPressesThatType) {
    const Row rows[] = {
        {"a shifted underscore", keyPress(SDLK_MINUS, SDL_SCANCODE_MINUS, KMOD_LSHIFT), "_", "_"},
        {"a French digit", keyPress(SDLK_AMPERSAND, SDL_SCANCODE_1, KMOD_LSHIFT), "1", "1"},
        {"an accented letter", keyPress(0xE9, SDL_SCANCODE_2), "\xC3\xA9", "\xE9"},
        {"AltGr, which X11 reports as the right Alt", keyPress(SDLK_0, SDL_SCANCODE_0, KMOD_RALT),
         "@", "@"},
        {"a key with no code", keyPress(SDLK_UNKNOWN, SDL_SCANCODE_E, KMOD_MODE), "\xE2\x82\xAC",
         "\x80"},
        {"outside the code page", keyPress(SDLK_d, SDL_SCANCODE_D), "\xD0\x96", ""},
        {"the console key", keyPress(SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE), "`", ""},
        {"the console key on a French layout", keyPress(0xB2, SDL_SCANCODE_GRAVE), "\xC2\xB2", ""},
        {"an Alt combination", keyPress(SDLK_x, SDL_SCANCODE_X, KMOD_LALT), "x", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TypingWindow window;
        window.handleEvent(row.press);
        window.handleEvent(textOf(row.text));
        EXPECT_EQ(window.typed, row.typed);
    }
}
