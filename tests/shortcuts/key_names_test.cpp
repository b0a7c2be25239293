#include "platform/Keys.h"
#include "ui/shortcuts/KeyNames.h"

#include <gtest/gtest.h>

TEST(KeyNames, NamedKeysArePaddedToNineCharacters) {
    const struct {
        int key;
        const char* name;
    } named[] = {
        {Key::Back, "Back     "},   {Key::Tab, "Tab      "},     {Key::Return, "Return   "},
        {Key::Shift, "Shift    "},  {Key::Control, "Control  "}, {Key::Escape, "Echap    "},
        {Key::Space, "Space    "},  {Key::PageUp, "Page Up  "},  {Key::PageDown, "Page Down"},
        {Key::End, "End      "},    {Key::Home, "Home     "},    {Key::Left, "Left     "},
        {Key::Up, "Up       "},     {Key::Right, "Right    "},   {Key::Down, "Down     "},
        {Key::Insert, "Insert   "}, {Key::Delete, "Delete   "},
    };
    for (const auto& entry : named) {
        EXPECT_EQ(keyName(entry.key), entry.name) << "key " << entry.key;
        EXPECT_EQ(keyName(entry.key).size(), 9u) << "key " << entry.key;
    }
}

TEST(KeyNames, FunctionKeysAreNumberedFromOne) {
    EXPECT_EQ(keyName(Key::F1), "F1       ");
    EXPECT_EQ(keyName(Key::F1 + 6), "F7       ");
    EXPECT_EQ(keyName(Key::F12), "F12      ");
}

TEST(KeyNames, PlainKeysAreTheirCharacterAndSevenBlanks) {
    EXPECT_EQ(keyName('z'), "z       ");
    EXPECT_EQ(keyName('v'), "v       ");
    EXPECT_EQ(keyName('1'), "1       ");
    EXPECT_EQ(keyName('z').size(), 8u);
    // The console key is a byte of the Windows-1252 texts.
    EXPECT_EQ(keyName(Key::Console), std::string("\xB2       "));
}

TEST(KeyNames, CharactersThatShareOldKeyCodesAreNotNamed) {
    // "%" and "." once shared their codes with Left and Delete, "v" with F7.
    EXPECT_EQ(keyName('%'), "%       ");
    EXPECT_EQ(keyName('.'), ".       ");
    EXPECT_EQ(keyName('&'), "&       ");
    EXPECT_EQ(keyName('('), "(       ");
    EXPECT_EQ(keyName('w'), "w       ");
}
