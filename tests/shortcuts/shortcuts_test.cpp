#include "platform/Keys.h"
#include "ui/commands/AskingCommands.h"
#include "ui/commands/ObserverMoveCommands.h"
#include "ui/commands/SceneCommands.h"
#include "ui/commands/ScreenCommands.h"
#include "ui/commands/ValueCommands.h"
#include "ui/composites/Menu.h"
#include "ui/shortcuts/KeyNames.h"
#include "ui/shortcuts/ShortcutListPage.h"
#include "ui/toolkit/TextView.h"
#include "world/Scene.h"

#include <gtest/gtest.h>

namespace {
class LoggingCommand : public Command {
  public:
    LoggingCommand(std::string_view commandName, int key, Page* page, std::vector<std::string>& log)
        : Command(commandName, 120, CommandEvent::Activate, page, nullptr), runs(log) {
        shortcutKey = key;
    }
    bool execute() override {
        runs.push_back(name);
        return true;
    }
    std::vector<std::string>& runs;
};

Page* addPage(Menu& menu, int id) {
    auto* page = new Page;
    page->create(id, 0, 0, 256, 512, &menu, nullptr);
    return page;
}
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
    Menu menu;
    Scene scene;
    menu.create(nullptr, 20, 20, 0, 0, nullptr);
    scene.subscribe(&menu);
    std::vector<std::string> log;
    Page* first = addPage(menu, 0);
    Page* second = addPage(menu, 1);
    new LoggingCommand("second", 'k', second, log);
    new LoggingCommand("first", 'k', first, log);
    new LoggingCommand("left", Key::Left, first, log);
    new LoggingCommand("first again", 'k', first, log);
    for (int key : {int{'K'}, int{'%'}, int{'x'}, int{'k'}})
        scene.keyDown(key);
    EXPECT_EQ(log, (std::vector<std::string>{"first", "first again", "second"}));
}

TEST(Shortcuts, TheListShowsTheFixedKeysThenEveryBoundCommandInMenuOrder) {
    Scene scene;
    Observer* observer = &scene.theObserver();
    Menu menu;
    menu.create(nullptr, 20, 20, 0, 0, nullptr);
    new ExitCommand(addPage(menu, 0), nullptr, nullptr);
    Page* land = addPage(menu, 12);
    new AddSpotCommand(land, nullptr, &scene);
    new SaveMapCommand(land, nullptr, &scene);
    new ObserverMoveCommand(MoveDirection::Front, land, nullptr, observer);
    (new SwitchCommand(Switches::showWind(scene), addPage(menu, 14), nullptr))->shortcutKey =
        Key::F1 + 1;
    auto* page = new ShortcutListPage;
    EXPECT_TRUE(page->create(16, 0, 0, 512, 512, &menu, menu.pages));
    EXPECT_EQ(page->pageId, 16);
    ASSERT_EQ(page->children().size(), 2u) << "the list and a picture";
    EXPECT_EQ(page->children()[1].get(), page->list);
    EXPECT_EQ(page->list->lines,
              (std::vector<std::string>{
                  "\xB2         : display console", "Echap     : display / hide menu or console",
                  "v        : Save spot", "w        : Save land", "Up        : Go forward",
                  "F2        : Display / hide the wind field"}));
}
