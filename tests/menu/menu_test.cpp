// The menu as built over a real scene, clicked where a user would.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "shell/Accessors.h"
#include "support/FakeHost.h"
#include "support/SquareLand.h"
#include "support/WorkingFolder.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/composites/Menu.h"
#include "ui/console/ConsolePage.h"
#include "ui/menu/BuildMenu.h"
#include "ui/menu/CreatePage.h"
#include "ui/menu/GeneralPage.h"
#include "ui/menu/LoadGamePage.h"
#include "ui/menu/MenuPageId.h"
#include "ui/menu/SaveGamePage.h"
#include "ui/menu/TypePage.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/ToggleButton.h"
#include "world/Scene.h"

using namespace testsupport;

namespace {
constexpr int Content = 26; // the menu sits at (20, 20), page contents 6 further in

class MenuTest : public ::testing::Test {
  protected:
    // Builds the menu in the working folder, over a world loaded from the square land.
    void build(bool loaded = true) {
        writeSquareLand("square");
        writeFile("start.sav", squareSavedGame("square", 500, 500));
        ASSERT_TRUE(!loaded || (scene.readSavedGame("start.sav") && scene.build()));
        menu = buildMenu({nullptr, &scene, &scene.theObserver(), &console});
        for (const auto& each : menu->pages)
            for (const auto& command : each->commands)
                command->useHost(host);
    }
    template <class P = Page> P& open(int id) {
        menu->push(menu->findPage(id));
        return dynamic_cast<P&>(*menu->top());
    }
    int topId() const { return menu->top()->pageId; }

    WorkingFolder folder;
    Scene scene;
    ConsolePage console;
    commandtest::FakeHost host;
    std::unique_ptr<Menu> menu;
};
} // namespace

// Each navigation button (its corner at x 58) opens its page on the release; Quit asks.
TEST_F(MenuTest, EveryNavigationButtonOpensItsPage) {
    build(false);
    const std::tuple<int, int, int> openings[] = {
        {0, 350, 1},  {0, 300, 2},  {0, 250, 3},  {0, 200, 4},  {1, 350, 5},
        {1, 300, 6},  {1, 250, 8},  {1, 200, 7},  {2, 300, 9},  {2, 250, 10},
        {3, 350, 11}, {3, 300, 12}, {3, 250, 13}, {3, 200, 14}, {3, 150, 15},
        {4, 300, 16}, {4, 250, 17}, {6, 300, 11}, {6, 250, 12}, {6, 200, 13}};
    for (const auto& [from, buttonY, to] : openings) {
        menu->backToRoot();
        if (from != PageMain) open(from);
        menu->hitTest(Content + 58, Content + buttonY);
        menu->leftButton(0, Content + 58, Content + buttonY, true);
        EXPECT_EQ(topId(), from) << "pressed at y " << buttonY << " on page " << from;
        menu->leftButton(0, Content + 58, Content + buttonY, false);
        EXPECT_EQ(topId(), to) << "released at y " << buttonY << " on page " << from;
    }
    menu->backToRoot();
    click(*menu, menu->top(), 58 + 82 + 6, 150 + 20 + 6);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(std::pair(host.questions[0].text, host.closeRequests),
              std::pair(std::string(text(25)), 0));
    host.answerYes(0);
    EXPECT_EQ(host.closeRequests, 1);
}

// The general page shows the world when opened and changes it on Valid only.
TEST_F(MenuTest, TheGeneralPageShowsAndAppliesTheWorld) {
    build();
    auto& p = dynamic_cast<GeneralPage&>(*menu->findPage(PageGeneral));
    scene.setShowWind(true), scene.setShowClouds(false);
    scene.theObserver().setFieldOfView(65.0f);
    open(PageGeneral);
    EXPECT_EQ(std::tuple(p.wind->checked, p.clouds->checked, p.view->value, p.view->lowBound(),
                         p.view->highBound()),
              std::tuple(true, false, 65.0f, 40.0, 80.0));
    click(*menu, p.thermals);
    click(*menu, p.wind);
    EXPECT_EQ(std::pair(p.wind->checked, scene.windShown()), std::pair(false, true));
    click(*menu, p.valid);
    EXPECT_EQ(std::pair(scene.windShown(), scene.thermalsShown()), std::pair(false, true));
    scene.setShowWind(true); // changed another way, the page shows it the next time it opens
    menu->pop();
    open(PageGeneral);
    EXPECT_TRUE(p.wind->checked);
}

// Checking a kind of flight unchecks the others; clicking the checked one keeps it.
TEST_F(MenuTest, CheckingF3JUnchecksTraining) {
    build(false);
    auto& type = open<TypePage>(PageType);
    const std::tuple<ToggleButton*, ToggleButton*> clicks[] = {
        {nullptr, type.training}, {type.f3j, type.f3j}, {type.f3j, type.f3j}, {type.f3i, type.f3i}};
    for (const auto& [clicked, checked] : clicks) {
        if (clicked) click(*menu, clicked);
        for (ToggleButton* each : {type.training, type.f3j, type.f3b, type.f3i})
            EXPECT_EQ(each->checked, each == checked) << each->text;
    }
}

// Saving adds the ending and lists the new game.
TEST_F(MenuTest, SavingAddsTheEnding) {
    build();
    auto& saving = open<SaveGamePage>(PageSaveGame);
    saving.field->setContent("abc");
    click(*menu, saving.save);
    EXPECT_EQ(scene.savedGamePath(), "abc.sav");
    EXPECT_EQ(std::count(saving.list->items.begin(), saving.list->items.end(), "abc.sav"), 1);
}

// Only a load or create that builds a world closes the menu (the error box stays usable).
TEST_F(MenuTest, OnlyALoadOrCreateThatBuildsClosesTheMenu) {
    writeFile("empty.sav", "");
    build(false);
    auto& loading = open<LoadGamePage>(PageLoadGame);
    const auto& items = loading.list->items;
    ASSERT_EQ(items.size(), 2u) << "empty.sav, start.sav";
    for (const char* chosen : {"none", "empty.sav", "start.sav"}) { // none: past the list
        loading.list->selected = std::find(items.begin(), items.end(), chosen) - items.begin();
        click(*menu, loading.load);
        const bool built = chosen[0] == 's';
        EXPECT_EQ(std::tuple(host.messages.size(), scene.isLoaded(), menu->closeRequested, topId()),
                  std::tuple(std::size_t{chosen[0] != 'n'}, built, built,
                             built ? int{PageMain} : int{PageLoadGame}));
    }
    EXPECT_EQ(host.messages[0].text, text(97));
    menu->closeRequested = false;
    ASSERT_TRUE(scene.readSavedGame("start.sav"));
    click(*menu, open<CreatePage>(PageCreate).create);
    EXPECT_EQ(std::pair(host.sceneShown, menu->closeRequested), std::pair(2, true));
}
