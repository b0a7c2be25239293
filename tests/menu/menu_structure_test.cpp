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
#include "ui/toolkit/ToggleGroup.h"

namespace menutest {
namespace {

class MenuStructureTest : public MenuTest {
  protected:
    void SetUp() override { buildTheMenu(); }
};

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

// Every page lies at the menu's corner with its controls inside it, none over another:
// a control moved or sized by one pixel would touch its neighbour or leave the page.
TEST_F(MenuStructureTest, PagesHoldTheirControlsSideBySide) {
    for (const auto& made : menu->pages) {
        SCOPED_TRACE(testing::Message() << "page " << made->pageId);
        EXPECT_EQ(std::make_pair(made->x, made->y), std::make_pair(20, 20));
        EXPECT_EQ(made->width, made->pageId >= 12 ? 512 : 256);
        std::vector<const Widget*> controls;
        for (const auto& child : made->children())
            if (!dynamic_cast<const ToggleGroup*>(child.get())) controls.push_back(child.get());
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const Widget& a = *controls[i];
            EXPECT_TRUE(a.x >= made->x && a.y >= made->y &&
                        a.x + a.width <= made->x + made->width &&
                        a.y + a.height <= made->y + made->height)
                << "control " << i << " at " << a.x << "," << a.y;
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const Widget& b = *controls[j];
                EXPECT_FALSE(a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
                             b.y < a.y + a.height)
                    << "controls " << i << " and " << j << " overlap";
            }
        }
    }
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
        // The buttons are 164 x 41 at x 58: the corner itself is inside.
        clickPage(58, opening.buttonY);
        EXPECT_EQ(topId(), opening.to)
            << "button at y " << opening.buttonY << " on page " << opening.from;
    }
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

} // namespace
} // namespace menutest
