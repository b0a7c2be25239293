#include "ui/shortcuts/KeyNames.h"

#include "platform/Keys.h"

#include <array>
#include <cstdio>
#include <utility>

namespace {

constexpr int namedWidth = 9;

constexpr std::array<std::pair<int, const char*>, 17> namedKeys{{
    {Key::Back, "Back"},
    {Key::Tab, "Tab"},
    {Key::Return, "Return"},
    {Key::Shift, "Shift"},
    {Key::Control, "Control"},
    {Key::Escape, "Echap"},
    {Key::Space, "Space"},
    {Key::PageUp, "Page Up"},
    {Key::PageDown, "Page Down"},
    {Key::End, "End"},
    {Key::Home, "Home"},
    {Key::Left, "Left"},
    {Key::Up, "Up"},
    {Key::Right, "Right"},
    {Key::Down, "Down"},
    {Key::Insert, "Insert"},
    {Key::Delete, "Delete"},
}};

std::string padded(std::string name) {
    if (name.size() < namedWidth) name.append(namedWidth - name.size(), ' ');
    return name;
}

} // namespace

std::string keyName(int key) {
    for (const auto& [code, name] : namedKeys)
        if (code == key) return padded(name);
    if (Key::isFunctionKey(key)) return padded("F" + std::to_string(key - Key::F1 + 1));

    // A plain key is its character; the code is a byte, as the window delivers it.
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%c       ", static_cast<unsigned char>(key));
    return buffer;
}
