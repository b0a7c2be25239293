#include <gtest/gtest.h>

#include "platform/Keys.h"
#include "ui/commands/Command.h"
#include "ui/composites/Menu.h"
#include "ui/shortcuts/KeyNames.h"
#include "ui/shortcuts/ShortcutListPage.h"
#include "ui/toolkit/TextView.h"
#include "world/Scene.h"

namespace {
struct LoggingCommand : Command {
    LoggingCommand(const char* commandName, int key, Page* page, std::vector<std::string>& log)
        : Command(commandName, 120, CommandEvent::Activate, page, nullptr), runs(log) {
        shortcutKey = key;
    }
    bool execute() override { return runs.push_back(name), true; }
    std::vector<std::string>& runs;
};
} // namespace

// Named keys pad to nine columns, characters (even old key codes: "%" Left) to eight.
TEST(KeyNames, NamesAndPadding) {
    const std::pair<int, const char*> cases[] = {
        {Key::Tab, "Tab      "},    {Key::Escape, "Echap    "}, {Key::PageDown, "Page Down"},
        {Key::Delete, "Delete   "}, {Key::Left, "Left     "},   {Key::F1, "F1       "},
        {Key::F1 + 6, "F7       "}, {Key::F12, "F12      "},    {'z', "z       "},
        {'%', "%       "},          {'.', ".       "},          {Key::Console, "\xB2       "}};
    for (const auto& [key, name] : cases)
        EXPECT_EQ(keyName(key), name) << "key " << key;
    EXPECT_EQ(keyName(0), "") << "no key, no name";
}

// Scene keys run their commands in page order (shifted letters: none); the list shows them.
TEST(Shortcuts, SceneKeysRunTheBoundCommandsAndTheListShowsThem) {
    Menu menu;
    menu.create(nullptr, 20, 20, 0, 0, nullptr);
    Scene scene;
    scene.subscribe(&menu);
    Page* pages[2];
    for (int i = 0; i < 2; ++i)
        (pages[i] = new Page)->create(i, 0, 0, 256, 512, &menu, nullptr);
    std::vector<std::string> log;
    new LoggingCommand("second", 'k', pages[1], log);
    new LoggingCommand("first", 'k', pages[0], log);
    new LoggingCommand("left", Key::Left, pages[0], log);
    new LoggingCommand("unbound", 0, pages[0], log);
    new LoggingCommand("function", Key::F1 + 1, pages[0], log);
    new LoggingCommand("first again", 'k', pages[0], log);
    for (int key : {int{'K'}, int{'%'}, int{'x'}, int{'k'}})
        scene.keyDown(key);
    EXPECT_EQ(log, (std::vector<std::string>{"first", "first again", "second"}));
    auto* page = new ShortcutListPage;
    EXPECT_TRUE(page->create(16, 0, 0, 512, 512, &menu, menu.pages));
    EXPECT_EQ(std::tuple(page->pageId, page->width, page->children().size(), page->list),
              std::tuple(16, 512, std::size_t{2}, page->children()[1].get()));
    EXPECT_EQ(page->list->lines,
              (std::vector<std::string>{
                  "\xB2         : display console", "Echap     : display / hide menu or console",
                  "k        : Go forward", "Left      : Go forward", "F2        : Go forward",
                  "k        : Go forward", "k        : Go forward"}));
}
