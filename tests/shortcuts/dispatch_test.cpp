#include "platform/Keys.h"
#include "ui/commands/AskingCommands.h"
#include "ui/commands/ObserverMoveCommands.h"
#include "ui/commands/SceneCommands.h"
#include "ui/commands/ScreenCommands.h"
#include "ui/commands/ValueCommands.h"
#include "ui/composites/Menu.h"
#include "ui/composites/Page.h"
#include "ui/shortcuts/ShortcutListPage.h"
#include "ui/toolkit/TextView.h"
#include "world/Scene.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Records, in a shared log, each time it runs.
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

class KeyPath : public ::testing::Test {
  protected:
    void SetUp() override {
        menu.create(nullptr, 20, 20, 0, 0, nullptr);
        scene.subscribe(&menu);
    }
    std::vector<std::string> log;
    Menu menu;
    Scene scene;
};

} // namespace

TEST_F(KeyPath, AKeyOverTheSceneRunsTheCommandsBoundToIt) {
    Page* page = addPage(menu, 0);
    new LoggingCommand("forward", Key::Up, page, log);
    new LoggingCommand("spot", 'v', page, log);
    scene.keyDown(Key::Up);
    EXPECT_EQ(log, std::vector<std::string>{"forward"});
    scene.keyDown('x');
    EXPECT_EQ(log.size(), 1u) << "a key bound to nothing runs nothing";
}

TEST_F(KeyPath, CommandsSharingAKeyAllRunInPageAndRegistrationOrder) {
    Page* first = addPage(menu, 0);
    Page* second = addPage(menu, 1);
    new LoggingCommand("second page", 'k', second, log);
    new LoggingCommand("first page, first", 'k', first, log);
    new LoggingCommand("first page, other key", 'j', first, log);
    new LoggingCommand("first page, second", 'k', first, log);
    scene.keyDown('k');
    EXPECT_EQ(log,
              (std::vector<std::string>{"first page, first", "first page, second", "second page"}));
}

TEST_F(KeyPath, ShiftedLettersAndCollidingCodesAreOtherKeys) {
    Page* page = addPage(menu, 0);
    new LoggingCommand("spot", 'v', page, log);
    new LoggingCommand("left", Key::Left, page, log);
    new LoggingCommand("tab", Key::Tab, page, log);
    scene.keyDown('V');
    scene.keyDown('%');         // once the same code as Left
    scene.keyDown(Key::F1 + 6); // F7, once the same code as "v"
    EXPECT_TRUE(log.empty());
    scene.keyDown(Key::Tab);
    scene.keyDown('v');
    EXPECT_EQ(log, (std::vector<std::string>{"tab", "spot"}));
}

TEST(DefaultShortcuts, OnlyTheSpotAndMovementCommandsHaveKeys) {
    Scene scene;
    Observer* observer = &scene.theObserver();
    std::vector<std::unique_ptr<Command>> commands;
    commands.emplace_back(new AddSpotCommand(nullptr, nullptr, &scene));
    commands.emplace_back(new ChangeSpotCommand(nullptr, nullptr, &scene));
    commands.emplace_back(new SaveMapCommand(nullptr, nullptr, &scene));
    commands.emplace_back(
        new ObserverMoveCommand(MoveDirection::Front, nullptr, nullptr, observer));
    commands.emplace_back(new ObserverMoveCommand(MoveDirection::Back, nullptr, nullptr, observer));
    commands.emplace_back(new ObserverMoveCommand(MoveDirection::Left, nullptr, nullptr, observer));
    commands.emplace_back(
        new ObserverMoveCommand(MoveDirection::Right, nullptr, nullptr, observer));
    const int keys[] = {'v', Key::Tab, 'w', Key::Up, Key::Down, Key::Left, Key::Right};
    for (std::size_t i = 0; i < std::size(keys); ++i)
        EXPECT_EQ(commands[i]->shortcutKey, keys[i]) << commands[i]->name;

    std::vector<std::unique_ptr<Command>> keyless;
    keyless.emplace_back(new ExitCommand(nullptr, nullptr, nullptr));
    keyless.emplace_back(new CreateSceneCommand(nullptr, nullptr, &scene));
    keyless.emplace_back(new LoadSceneCommand(nullptr, nullptr, &scene));
    keyless.emplace_back(new SaveSceneCommand(nullptr, nullptr, &scene));
    keyless.emplace_back(new SwitchCommand(Switches::showWind(scene), nullptr, nullptr));
    keyless.emplace_back(new SwitchCommand(Switches::playSound(scene), nullptr, nullptr));
    keyless.emplace_back(new SettingCommand(Settings::speed(*observer), nullptr, nullptr));
    keyless.emplace_back(new FullScreenCommand(nullptr, nullptr, nullptr));
    keyless.emplace_back(new ResizeScreenCommand(nullptr, nullptr, nullptr));
    keyless.emplace_back(new ShowInfoCommand(nullptr, nullptr, nullptr));
    for (const auto& command : keyless)
        EXPECT_EQ(command->shortcutKey, 0) << command->name;
}

TEST(ShortcutList, ListsTheFixedKeysThenEveryBoundCommandInMenuOrder) {
    Scene scene;
    Observer* observer = &scene.theObserver();
    Menu menu;
    menu.create(nullptr, 20, 20, 0, 0, nullptr);
    Page* main = addPage(menu, 0);
    new ExitCommand(main, nullptr, nullptr);
    Page* land = addPage(menu, 12);
    new AddSpotCommand(land, nullptr, &scene);
    new ChangeSpotCommand(land, nullptr, &scene);
    new SaveMapCommand(land, nullptr, &scene);
    new ObserverMoveCommand(MoveDirection::Front, land, nullptr, observer);
    new ObserverMoveCommand(MoveDirection::Back, land, nullptr, observer);
    new ObserverMoveCommand(MoveDirection::Left, land, nullptr, observer);
    new ObserverMoveCommand(MoveDirection::Right, land, nullptr, observer);
    Page* later = addPage(menu, 14);
    (new SwitchCommand(Switches::showWind(scene), later, nullptr))->shortcutKey = 'z';

    auto* page = new ShortcutListPage;
    page->create(16, 0, 0, 512, 512, &menu, menu.pages);
    ASSERT_NE(page->list, nullptr);
    EXPECT_EQ(page->list->lines, (std::vector<std::string>{
                                     "\xB2         : display console",
                                     "Echap     : display / hide menu or console",
                                     "v        : Save spot",
                                     "Tab       : Change spot",
                                     "w        : Save land",
                                     "Up        : Go forward",
                                     "Down      : Go backward",
                                     "Left      : Go left",
                                     "Right     : Go right",
                                     "z        : Display / hide the wind field",
                                 }));
    EXPECT_EQ(page->pageId, 16);
}
