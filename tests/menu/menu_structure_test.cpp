// The menu as built: its pages, their order, the commands they register, the
// pages the buttons open, and the controls that must stay unconnected.

#include <string>
#include <vector>

#include "menu/MenuTestKit.h"
#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "ui/commands/Command.h"
#include "ui/menu/DemosPage.h"
#include "ui/menu/GliderPage.h"
#include "ui/menu/LandPage.h"
#include "ui/menu/MainPage.h"
#include "ui/menu/MenuPageId.h"
#include "ui/menu/ParameterPage.h"
#include "ui/menu/ServersPage.h"
#include "ui/menu/TypePage.h"
#include "ui/shortcuts/ShortcutListPage.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/TextView.h"

namespace menutest {
namespace {

class MenuStructureTest : public MenuTest {
  protected:
    void SetUp() override { buildTheMenu(); }
};

TEST_F(MenuStructureTest, PagesAreMadeInBuildOrderAtTheMenuCorner) {
    const std::vector<int> expectedOrder = {0,  1,  2,  3,  4,  5,  8,  7, 9,
                                            10, 11, 12, 13, 14, 15, 17, 6, 16};
    std::vector<int> ids;
    for (const auto& made : menu->pages) {
        ids.push_back(made->pageId);
        EXPECT_EQ(made->x, 20) << "page " << made->pageId;
        EXPECT_EQ(made->y, 20) << "page " << made->pageId;
        EXPECT_EQ(made->height, 512) << "page " << made->pageId;
        EXPECT_EQ(made->width, made->pageId >= 12 ? 512 : 256) << "page " << made->pageId;
    }
    EXPECT_EQ(ids, expectedOrder);
    ASSERT_EQ(menu->stack.size(), 1u);
    EXPECT_EQ(topId(), PageMain);
}

TEST_F(MenuStructureTest, CommandsRegisterInPageOrderWithTheConsole) {
    const std::vector<std::string> expected = {"exit",
                                               "loadscene",
                                               "savescene",
                                               "addspot",
                                               "changespot",
                                               "savemap",
                                               "observermovefront",
                                               "observermoveback",
                                               "observermoveleft",
                                               "observermoveright",
                                               "wind",
                                               "date",
                                               "hour",
                                               "showlift",
                                               "windsolver",
                                               "playsound",
                                               "showpompes",
                                               "showwind",
                                               "showclouds",
                                               "showsun",
                                               "showdecors",
                                               "showinfo",
                                               "observerfieldofview",
                                               "observerspeed",
                                               "observerazimutspeed",
                                               "observersitespeed",
                                               "resizescreen",
                                               "fullscreen",
                                               "createscene"};
    std::vector<std::string> registered;
    for (const Command* each : console.registeredCommands())
        registered.push_back(each->name);
    EXPECT_EQ(registered, expected);

    std::vector<std::string> owned;
    for (const auto& made : menu->pages) {
        for (const auto& each : made->commands)
            owned.push_back(each->name);
    }
    EXPECT_EQ(owned, expected) << "the pages own the same commands, in the same order";
}

struct Opening {
    int from;
    int buttonY;
    int to;
};

TEST_F(MenuStructureTest, EveryNavigationButtonOpensItsPage) {
    const std::vector<Opening> openings = {{0, 350, 1},  {0, 300, 2},  {0, 250, 3},  {0, 200, 4},
                                           {1, 350, 5},  {1, 300, 6},  {1, 250, 8},  {1, 200, 7},
                                           {2, 300, 9},  {2, 250, 10}, {3, 350, 11}, {3, 300, 12},
                                           {3, 250, 13}, {3, 200, 14}, {3, 150, 15}, {4, 300, 16},
                                           {4, 250, 17}, {6, 300, 11}, {6, 250, 12}, {6, 200, 13}};
    for (const Opening& opening : openings) {
        menu->backToRoot();
        if (opening.from != PageMain) menu->push(&page(opening.from));
        // The buttons are 164 x 41 at x 58: click well inside, near the corner.
        clickPage(58 + 3, opening.buttonY + 3);
        EXPECT_EQ(topId(), opening.to)
            << "button at y " << opening.buttonY << " on page " << opening.from;
    }
}

TEST_F(MenuStructureTest, ParametersGeneralThenEscapeTwiceReturnsToTheMainPage) {
    clickPage(58 + 82, 250 + 20);
    EXPECT_EQ(topId(), PageParameters);
    clickPage(58 + 82, 200 + 20);
    EXPECT_EQ(topId(), PageGeneral);
    EXPECT_FALSE(menu->keyDown(Key::Escape)) << "a sub-page takes Escape";
    EXPECT_EQ(topId(), PageParameters);
    EXPECT_FALSE(menu->keyDown(Key::Escape));
    EXPECT_EQ(topId(), PageMain);
    EXPECT_TRUE(menu->keyDown(Key::Escape)) << "the root page leaves Escape to the application";
    EXPECT_EQ(topId(), PageMain);
}

TEST_F(MenuStructureTest, QuitAsksBeforeClosing) {
    clickPage(58 + 82, 150 + 20);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, text(25));
    EXPECT_EQ(host.closeRequests, 0);
    host.answerYes(0);
    EXPECT_EQ(host.closeRequests, 1);
}

// The pages that offer what this program does not do keep their buttons and
// sliders to themselves: only the page (and a slider's read-out) hears them.
TEST_F(MenuStructureTest, UnwiredControlsReachNothingButTheirPage) {
    auto& servers = pageAs<ServersPage>(PageServers);
    EXPECT_EQ(servers.join->subscriberCount(), 1u);
    EXPECT_TRUE(servers.join->isSubscribed(&servers));
    EXPECT_EQ(pageAs<DemosPage>(PageDemos).load->subscriberCount(), 1u);
    EXPECT_EQ(pageAs<TypePage>(PageType).load->subscriberCount(), 1u);

    for (int id : {PageLand, PageGlider}) {
        auto& parameters = dynamic_cast<ParameterPage&>(page(id));
        EXPECT_EQ(parameters.valid->subscriberCount(), 1u) << "page " << id;
        EXPECT_EQ(parameters.reset->subscriberCount(), 1u) << "page " << id;
        int sliders = 0;
        for (const auto& child : parameters.children()) {
            auto* slider = dynamic_cast<Slider*>(child.get());
            if (slider == nullptr || slider->scrollMode) continue;
            ++sliders;
            EXPECT_EQ(slider->subscriberCount(), 2u) << "page " << id << ": page and read-out";
            EXPECT_DOUBLE_EQ(slider->lowBound(), 0.0);
            EXPECT_DOUBLE_EQ(slider->highBound(), 100.0);
        }
        EXPECT_EQ(sliders, id == PageLand ? 11 : 8) << "page " << id;
    }
}

TEST_F(MenuStructureTest, HelpPageListsTheConsoleKeysThenTheShortcuts) {
    auto& help = pageAs<ShortcutListPage>(PageShortcuts);
    ASSERT_NE(help.list, nullptr);
    const std::vector<std::string>& lines = help.list->lines;
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], text(148));
    EXPECT_EQ(lines[1], text(149));
    EXPECT_EQ(lines[2].rfind("v ", 0), 0u) << lines[2];
    EXPECT_NE(lines[2].find(text(108)), std::string::npos) << lines[2];
    EXPECT_EQ(lines[3].rfind("Tab ", 0), 0u) << lines[3];
    EXPECT_EQ(lines[8].rfind("Right ", 0), 0u) << lines[8];
}

TEST_F(MenuStructureTest, KeysFromTheSceneReachTheLandPageCommands) {
    loadSquareWorld();
    const float startY = scene.theObserver().positionY();
    menu->onEvent(&scene, Event(Scene::keyEvent, 'v'));
    ASSERT_EQ(host.entries.size(), 1u) << "v asks for the spot's name";
    EXPECT_EQ(host.entries[0].text, text(100));
    menu->onEvent(&scene, Event(Scene::keyEvent, 'V'));
    EXPECT_EQ(host.entries.size(), 1u) << "Shift+v is another key";
    menu->onEvent(&scene, Event(Scene::keyEvent, Key::Tab));
    EXPECT_NE(scene.theObserver().positionY(), startY) << "Tab moves the observer to a spot";
}

} // namespace
} // namespace menutest
