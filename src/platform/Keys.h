#pragma once

/*
Key codes delivered to Element::keyDown / keyUp.

Back, Tab, Return, Escape and Space keep their ASCII codes; a character key gives
its unshifted character in lower case (upper case with Shift). Keys without a
character get codes above 255, so they never collide with a typed character
(Windows' codes would: "%" is Left, "." is Delete, "v" is F7). The key left of
"1" is the console key 178 ("²") on every layout.
*/
namespace Key {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Console = 178;

constexpr int Left = 0x101;
constexpr int Up = 0x102;
constexpr int Right = 0x103;
constexpr int Down = 0x104;
constexpr int Home = 0x105;
constexpr int End = 0x106;
constexpr int PageUp = 0x107;
constexpr int PageDown = 0x108;
constexpr int Insert = 0x109;
constexpr int Delete = 0x10A;
constexpr int Shift = 0x10B;
constexpr int Control = 0x10C;
constexpr int F1 = 0x111; // F1 .. F12 are F1 + 0 .. F1 + 11
constexpr int F12 = F1 + 11;

constexpr bool isFunctionKey(int key) {
    return key >= F1 && key <= F12;
}
// A key that types a character into a text field (which takes the character itself from
// the typed text, not from the key code); the console key is a control key.
constexpr bool typesCharacter(int key) {
    return key >= Space && key <= 0xFF && key != 127 && key != Console;
}
} // namespace Key
