#include "platform/KeyTranslation.h"

#include <SDL2/SDL_keyboard.h>
#include <gtest/gtest.h>

#include "platform/Keys.h"

namespace {
int key(SDL_Keycode code, bool shift = false, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN) {
    return translateKey(code, scancode, shift);
}
} // namespace

TEST(KeyTranslation, LettersFollowShift) {
    EXPECT_EQ(key(SDLK_a), 'a');
    EXPECT_EQ(key(SDLK_a, true), 'A');
    EXPECT_EQ(key(SDLK_z, true), 'Z');
}

TEST(KeyTranslation, DigitsAndPunctuationArriveUnshifted) {
    EXPECT_EQ(key(SDLK_5, true), '5');
    EXPECT_EQ(key(SDLK_PERIOD), '.');
    EXPECT_EQ(key(SDLK_QUOTE, true), '\'');
    EXPECT_EQ(key(SDLK_LEFTPAREN), '('); // a layout where "(" has its own key
    EXPECT_EQ(key(SDLK_PERCENT), '%');
    EXPECT_EQ(key(SDLK_KP_7), '7');
    EXPECT_EQ(key(SDLK_KP_PERIOD), '.');
}

TEST(KeyTranslation, ControlKeysKeepTheirCodes) {
    EXPECT_EQ(key(SDLK_ESCAPE), Key::Escape);
    EXPECT_EQ(key(SDLK_RETURN), Key::Return);
    EXPECT_EQ(key(SDLK_KP_ENTER), Key::Return);
    EXPECT_EQ(key(SDLK_BACKSPACE), Key::Back);
    EXPECT_EQ(key(SDLK_TAB), Key::Tab);
    EXPECT_EQ(key(SDLK_SPACE, true), Key::Space);
}

TEST(KeyTranslation, KeysWithoutCharacterNeverLookLikeCharacters) {
    const std::pair<SDL_Keycode, int> named[] = {
        {SDLK_LEFT, Key::Left},     {SDLK_RIGHT, Key::Right},
        {SDLK_UP, Key::Up},         {SDLK_DOWN, Key::Down},
        {SDLK_HOME, Key::Home},     {SDLK_END, Key::End},
        {SDLK_PAGEUP, Key::PageUp}, {SDLK_PAGEDOWN, Key::PageDown},
        {SDLK_INSERT, Key::Insert}, {SDLK_DELETE, Key::Delete},
        {SDLK_LSHIFT, Key::Shift},  {SDLK_RSHIFT, Key::Shift},
        {SDLK_LCTRL, Key::Control}, {SDLK_F1, Key::F1},
        {SDLK_F7, Key::F1 + 6},     {SDLK_F12, Key::F12}};
    for (const auto& [code, expected] : named) {
        const int translated = key(code);
        EXPECT_EQ(translated, expected) << SDL_GetKeyName(code);
        EXPECT_FALSE(translated >= 32 && translated <= 126) << SDL_GetKeyName(code);
        EXPECT_NE(translated, Key::Console) << SDL_GetKeyName(code);
    }
    EXPECT_NE(key(SDLK_F7), 'v');
    EXPECT_NE(key(SDLK_F8), 'w');
}

TEST(KeyTranslation, KeyLeftOfOneIsTheConsoleKeyOnEveryLayout) {
    EXPECT_EQ(key(SDLK_BACKQUOTE, false, SDL_SCANCODE_GRAVE), Key::Console);
    EXPECT_EQ(key(0xB2, false, SDL_SCANCODE_GRAVE), Key::Console); // French "²"
    EXPECT_EQ(key(0xA7, true, SDL_SCANCODE_GRAVE), Key::Console);  // German "^" key
}

TEST(KeyTranslation, UpperHalfCharactersAndUnusedKeys) {
    EXPECT_EQ(key(0xE9), 0xE9);       // "é" as a French layout gives it
    EXPECT_EQ(key(0xE9, true), 0xC9); // and with Shift
    EXPECT_EQ(key(0xF7, true), 0xF7); // the division sign has no case
    EXPECT_EQ(key(SDLK_CAPSLOCK), 0);
    EXPECT_EQ(key(SDLK_LALT), 0);
}

TEST(KeyTranslation, SystemKeysAreF10AndAltWithoutControl) {
    EXPECT_TRUE(isSystemKey(SDLK_F10, KMOD_NONE));
    EXPECT_TRUE(isSystemKey(SDLK_F4, KMOD_LALT));
    EXPECT_TRUE(isSystemKey(SDLK_a, KMOD_RALT));
    EXPECT_FALSE(isSystemKey(SDLK_a, KMOD_RALT | KMOD_LCTRL)); // AltGr
    EXPECT_FALSE(isSystemKey(SDLK_F9, KMOD_LSHIFT));
    EXPECT_FALSE(isSystemKey(SDLK_ESCAPE, KMOD_NONE));
}
