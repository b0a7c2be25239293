// What the pages do with what the user clicks and types: the parameter pages'
// controls and their commands, the toggles, and the game and demo lists.

#include <cstdio>
#include <filesystem>
#include <string>

#include "menu/MenuTestKit.h"
#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "ui/commands/Command.h"
#include "ui/menu/CreatePage.h"
#include "ui/menu/GeneralPage.h"
#include "ui/menu/LoadGamePage.h"
#include "ui/menu/MenuPageId.h"
#include "ui/menu/SaveDemoPage.h"
#include "ui/menu/SaveGamePage.h"
#include "ui/menu/SystemPage.h"
#include "ui/menu/TypePage.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/ToggleButton.h"
#include "ui/toolkit/WidgetEvents.h"

namespace menutest {
namespace {

namespace fs = std::filesystem;

std::string oneDecimal(float value) {
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.1f", value);
    return shown;
}

// The read-out of a value row: the label made right after its slider.
Label* readOutOf(const Page& owner, const Slider* slider) {
    const auto& children = owner.children();
    for (std::size_t i = 0; i + 1 < children.size(); ++i) {
        if (children[i].get() == slider) return dynamic_cast<Label*>(children[i + 1].get());
    }
    return nullptr;
}

class GeneralPageTest : public MenuTest {
  protected:
    void SetUp() override {
        loadSquareWorld();
        buildTheMenu();
    }
    GeneralPage& general() { return pageAs<GeneralPage>(PageGeneral); }
    void open() { menu->push(&general()); }
};

TEST_F(GeneralPageTest, EachControlIsJoinedToItsCommand) {
    GeneralPage& p = general();
    const std::pair<Widget*, const char*> joined[] = {
        {p.sound, "playsound"},       {p.thermals, "showpompes"},
        {p.wind, "showwind"},         {p.clouds, "showclouds"},
        {p.sun, "showsun"},           {p.sceneries, "showdecors"},
        {p.screenInfos, "showinfo"},  {p.view, "observerfieldofview"},
        {p.speed, "observerspeed"},   {p.azimut, "observerazimutspeed"},
        {p.site, "observersitespeed"}};
    for (const auto& [control, name] : joined) {
        Command* joinedCommand = command(name);
        ASSERT_NE(joinedCommand, nullptr) << name;
        EXPECT_TRUE(control->isSubscribed(joinedCommand)) << name << " hears its control";
        EXPECT_TRUE(joinedCommand->valuePublisher.isSubscribed(control)) << name;
        EXPECT_TRUE(p.valid->isSubscribed(joinedCommand)) << name << " hears Valid";
        EXPECT_TRUE(p.reset->isSubscribed(joinedCommand)) << name << " hears Reset";
    }
    EXPECT_EQ(p.tracking->subscriberCount(), 1u) << "Tracking reaches only its page";
    EXPECT_EQ(p.zoomAuto->subscriberCount(), 1u) << "Zoom auto reaches only its page";
}

TEST_F(GeneralPageTest, OpeningThePageShowsTheWorldAsItIs) {
    scene.setShowWind(true);
    scene.setShowClouds(false);
    scene.theObserver().setFieldOfView(65.0f);
    const float speed = scene.theObserver().movementSpeed();
    Label* viewReadOut = readOutOf(general(), general().view);
    ASSERT_NE(viewReadOut, nullptr);
    EXPECT_EQ(viewReadOut->text, "0") << "read-outs are made with 0";
    EXPECT_TRUE(general().clouds->checked) << "made checked";

    open();
    EXPECT_TRUE(general().wind->checked);
    EXPECT_FALSE(general().clouds->checked);
    EXPECT_FLOAT_EQ(general().view->value, 65.0f);
    EXPECT_EQ(viewReadOut->text, "65.0") << "a value set by Reset shows in the read-out";
    EXPECT_EQ(readOutOf(general(), general().speed)->text, oneDecimal(speed));
}

TEST_F(GeneralPageTest, ControlsApplyOnlyOnValid) {
    open();
    ASSERT_FALSE(scene.windShown());
    click(*general().wind);
    EXPECT_TRUE(general().wind->checked);
    EXPECT_FALSE(scene.windShown()) << "a click alone changes nothing in the world";
    click(*general().thermals);
    click(*general().valid);
    EXPECT_TRUE(scene.windShown());
    EXPECT_TRUE(scene.thermalsShown());

    // Changed another way, the page shows the new state the next time it opens.
    scene.setShowWind(false);
    escape();
    open();
    EXPECT_FALSE(general().wind->checked);
}

TEST_F(GeneralPageTest, ViewSliderStaysBetween40And80) {
    open();
    Slider& view = *general().view;
    Label* readOut = readOutOf(general(), &view);
    dragTo(view, view.x);
    EXPECT_FLOAT_EQ(view.value, 40.0f);
    EXPECT_EQ(readOut->text, "40.0");
    dragTo(view, view.x + view.width);
    EXPECT_FLOAT_EQ(view.value, 80.0f);
    EXPECT_EQ(readOut->text, "80.0");
    click(*general().valid);
    EXPECT_FLOAT_EQ(scene.theObserver().fieldOfView(), 80.0f);
}

class PagesTest : public MenuTest {};

TEST_F(PagesTest, CheckingF3JUnchecksTraining) {
    buildTheMenu();
    auto& type = pageAs<TypePage>(PageType);
    menu->push(&type);
    EXPECT_TRUE(type.training->checked);
    click(*type.f3j);
    EXPECT_TRUE(type.f3j->checked);
    EXPECT_FALSE(type.training->checked);
    EXPECT_FALSE(type.f3b->checked);
    click(*type.f3j);
    EXPECT_TRUE(type.f3j->checked) << "clicking the checked toggle leaves it checked";
    click(*type.f3i);
    EXPECT_FALSE(type.f3j->checked);
    EXPECT_TRUE(type.f3i->checked);
}

class SavedGamesTest : public MenuTest {
  protected:
    void SetUp() override {
        loadSquareWorld();
        buildTheMenu();
    }
    SaveGamePage& saving() { return pageAs<SaveGamePage>(PageSaveGame); }
    LoadGamePage& loading() { return pageAs<LoadGamePage>(PageLoadGame); }
};

TEST_F(SavedGamesTest, SaveAddsTheEndingAndShowsTheNewGame) {
    menu->push(&saving());
    typeText(*saving().field, "abc");
    click(*saving().save);
    EXPECT_TRUE(fs::exists("abc.sav"));
    EXPECT_EQ(scene.savedGamePath(), "abc.sav");
    EXPECT_NE(readFile("abc.sav").find("terrain.name = \"square\""), std::string::npos);
    bool listed = false;
    for (const std::string& item : saving().list->items)
        listed = listed || item == "abc.sav";
    EXPECT_TRUE(listed) << "the list shows the new game";
}

TEST_F(SavedGamesTest, LoadingAChosenGameBuildsItAndClosesTheMenu) {
    writeSavedGame("corner.sav", "square", 900, 100);
    menu->push(&page(PageScenario));
    menu->push(&loading());
    ListBox& list = *loading().list;
    ASSERT_EQ(list.count(), 2);
    list.selected = list.items[0] == "corner.sav" ? 0 : 1;
    click(*loading().load);
    EXPECT_EQ(host.progressBoxes.size(), 1u);
    EXPECT_NEAR(scene.theObserver().positionX(), 900.0f, 1.0f);
    EXPECT_TRUE(menu->closeRequested);
    EXPECT_EQ(topId(), PageMain) << "the menu opens at its root next time";
}

class FirstLoadTest : public MenuTest {};

// Before any world exists a failed load keeps the menu, so the error box can be closed.
TEST_F(FirstLoadTest, AFailedFirstLoadLeavesTheMenuOpen) {
    writeSquareLand("square");
    {
        std::FILE* empty = std::fopen("empty.sav", "w");
        ASSERT_NE(empty, nullptr);
        std::fclose(empty);
    }
    buildTheMenu();
    auto& loading = pageAs<LoadGamePage>(PageLoadGame);
    menu->push(&loading);
    ASSERT_EQ(loading.list->count(), 1);
    loading.list->selected = 0;
    click(*loading.load);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, text(97));
    EXPECT_FALSE(scene.isLoaded());
    EXPECT_FALSE(menu->closeRequested);
    EXPECT_EQ(topId(), PageLoadGame);
}

TEST_F(FirstLoadTest, CreateBuildsAWorldAndClosesTheMenu) {
    writeSquareLand("square");
    writeSavedGame("start.sav", "square", 500, 500);
    ASSERT_TRUE(scene.readSavedGame("start.sav"));
    buildTheMenu();
    auto& create = pageAs<CreatePage>(PageCreate);
    menu->push(&create);
    click(*create.create);
    EXPECT_TRUE(scene.isLoaded());
    EXPECT_EQ(host.sceneShown, 1);
    EXPECT_TRUE(menu->closeRequested);
}

} // namespace
} // namespace menutest
