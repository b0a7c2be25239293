#include "platform/KeyTranslation.h"

#include <SDL2/SDL_keyboard.h>

#include "platform/Keys.h"

namespace {

int namedKey(int keycode) {
    switch (keycode) {
    case SDLK_BACKSPACE:
        return Key::Back;
    case SDLK_TAB:
        return Key::Tab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return Key::Return;
    case SDLK_ESCAPE:
        return Key::Escape;
    case SDLK_SPACE:
        return Key::Space;
    case SDLK_LEFT:
        return Key::Left;
    case SDLK_UP:
        return Key::Up;
    case SDLK_RIGHT:
        return Key::Right;
    case SDLK_DOWN:
        return Key::Down;
    case SDLK_HOME:
        return Key::Home;
    case SDLK_END:
        return Key::End;
    case SDLK_PAGEUP:
        return Key::PageUp;
    case SDLK_PAGEDOWN:
        return Key::PageDown;
    case SDLK_INSERT:
        return Key::Insert;
    case SDLK_DELETE:
        return Key::Delete;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return Key::Shift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return Key::Control;
    case SDLK_KP_DIVIDE:
        return '/';
    case SDLK_KP_MULTIPLY:
        return '*';
    case SDLK_KP_MINUS:
        return '-';
    case SDLK_KP_PLUS:
        return '+';
    case SDLK_KP_PERIOD:
        return '.';
    default:
        break;
    }
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return Key::F1 + (keycode - SDLK_F1);
    if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9) return '1' + (keycode - SDLK_KP_1);
    if (keycode == SDLK_KP_0) return '0';
    return 0;
}

// Lower-case letters of Windows-1252 / Latin-1 above 127 (0xE0..0xFE but the division sign).
bool isUpperHalfLowerLetter(int c) {
    return c >= 0xE0 && c <= 0xFE && c != 0xF7;
}

int characterKey(int keycode, bool shiftHeld) {
    if (keycode >= 'a' && keycode <= 'z') return shiftHeld ? keycode - 'a' + 'A' : keycode;
    if (keycode > ' ' && keycode < 127) return keycode;
    if (keycode >= 0xA0 && keycode <= 0xFF) {
        return shiftHeld && isUpperHalfLowerLetter(keycode) ? keycode - 0x20 : keycode;
    }
    return 0;
}

} // namespace

int translateKey(int sdlKeycode, int sdlScancode, bool shiftHeld) {
    if (sdlScancode == SDL_SCANCODE_GRAVE) return Key::Console;
    if (const int named = namedKey(sdlKeycode)) return named;
    return characterKey(sdlKeycode, shiftHeld);
}

bool pressTypesText(int key, int sdlModifiers) {
    return (sdlModifiers & KMOD_LALT) == 0 && (key == 0 || Key::typesCharacter(key));
}

bool isSystemKey(int sdlKeycode, int sdlModifiers) {
    const bool alt = (sdlModifiers & KMOD_ALT) != 0;
    const bool control = (sdlModifiers & KMOD_CTRL) != 0;
    return sdlKeycode == SDLK_F10 || (alt && !control);
}
