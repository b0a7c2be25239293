#pragma once

/*
===============================================================================
Key translation from SDL key events to the codes of Keys.h.

A key with a character gives that character as the layout maps it without
modifiers, in lower case, or in upper case while Shift is held; keys without a
character get the named constants of Keys.h; the physical key left of "1" is
the console key on every layout. Returns 0 for keys the program does not use.
===============================================================================
*/
int translateKey(int sdlKeycode, int sdlScancode, bool shiftHeld);

// System keys (F10, and keys pressed with Alt but without Control, as AltGr counts as
// Control and Alt) never reach the program: they belong to the window menu.
bool isSystemKey(int sdlKeycode, int sdlModifiers);

// Whether the text that follows a key press may be typed: a character key, or a key
// without a code (dead keys, unusual symbols). X11 reports AltGr as the right Alt, so
// only the left Alt marks a press that never types.
bool pressTypesText(int key, int sdlModifiers);

// Button and modifier flags passed with mouse buttons (Windows' MK_* values).
namespace MouseFlag {
constexpr int Left = 0x01;
constexpr int Right = 0x02;
constexpr int Shift = 0x04;
constexpr int Control = 0x08;
constexpr int Middle = 0x10;
} // namespace MouseFlag
