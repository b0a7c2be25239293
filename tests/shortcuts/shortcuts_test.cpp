#include <gtest/gtest.h>

#include "platform/Keys.h"
#include "ui/commands/AskingCommands.h"
#include "ui/commands/ObserverMoveCommands.h"
#include "ui/commands/ValueCommands.h"
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

struct MenuOfPages {
    MenuOfPages() { menu.create(nullptr, 20, 20, 0, 0, nullptr); }
    Page* add(int id) {
        auto* page = new Page;
        page->create(id, 0, 0, 256, 512, &menu, nullptr);
        return page;
    }
    Menu menu;
};
} // namespace

// Named keys pad to nine columns, plain characters to eight; characters that once shared
// a code with a named key ("%" Left, "." Delete, "v" F7) are themselves.
TEST(KeyNames, NamesAndPadding) {
    const std::pair<int, const char*> cases[] = {
        {Key::Tab, "Tab      "},    {Key::Escape, "Echap    "}, {Key::PageDown, "Page Down"},
        {Key::Delete, "Delete   "}, {Key::Left, "Left     "},   {Key::F1, "F1       "},
        {Key::F1 + 6, "F7       "}, {Key::F12, "F12      "},    {'z', "z       "},
        {'%', "%       "},          {'.', ".       "},          {Key::Console, "\xB2       "}};
    for (const auto& [key, name] : cases)
        EXPECT_EQ(keyName(key), name) << "key " << key;
}

// Keys over the scene run every command bound to them, page by page in registration
// order; a shifted letter or an old colliding code runs nothing.
TEST(Shortcuts, SceneKeysRunTheBoundCommandsInOrder) {
    MenuOfPages pages;
    Scene scene;
    scene.subscribe(&pages.menu);
    std::vector<std::string> log;
    Page *first = pages.add(0), *second = pages.add(1);
    new LoggingCommand("second", 'k', second, log);
    new LoggingCommand("first", 'k', first, log);
    new LoggingCommand("left", Key::Left, first, log);
    new LoggingCommand("first again", 'k', first, log);
    for (int key : {int{'K'}, int{'%'}, int{'x'}, int{'k'}})
        scene.keyDown(key);
    EXPECT_EQ(log, (std::vector<std::string>{"first", "first again", "second"}));
}

// The list shows the fixed keys, then every bound command in menu order, with its key.
TEST(Shortcuts, TheListShowsTheFixedKeysThenEveryBoundCommandInMenuOrder) {
    Scene scene;
    MenuOfPages pages;
    new ExitCommand(pages.add(0), nullptr, nullptr);
    Page* land = pages.add(12);
    new AddSpotCommand(land, nullptr, &scene);
    new SaveMapCommand(land, nullptr, &scene);
    new ObserverMoveCommand(MoveDirection::Front, land, nullptr, &scene.theObserver());
    (new SwitchCommand(Switches::showWind(scene), pages.add(14), nullptr))->shortcutKey =
        Key::F1 + 1;
    auto* page = new ShortcutListPage;
    EXPECT_TRUE(page->create(16, 0, 0, 512, 512, &pages.menu, pages.menu.pages));
    EXPECT_EQ(std::tuple(page->pageId, page->width, page->children().size()),
              std::tuple(16, 512, std::size_t{2}));
    EXPECT_EQ(page->children()[1].get(), page->list);
    EXPECT_EQ(page->list->lines,
              (std::vector<std::string>{
                  "\xB2         : display console", "Echap     : display / hide menu or console",
                  "v        : Save spot", "w        : Save land", "Up        : Go forward",
                  "F2        : Display / hide the wind field"}));
}
