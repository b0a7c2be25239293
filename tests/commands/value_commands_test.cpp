#include "commands/FakeHost.h"
#include "io/KeyValueFile.h"
#include "shell/Accessors.h"
#include "ui/commands/ScreenCommands.h"
#include "ui/commands/ValueCommands.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/ToggleButton.h"
#include "ui/toolkit/WidgetEvents.h"
#include "world/Scene.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace commandtest;

namespace {

// The buttons and the control of a parameter page, wired as the page wires them.
struct PageControls {
    PageControls() {
        valid.releaseType = CommandEvent::Activate;
        reset.releaseType = CommandEvent::Refresh;
    }
    void wire(Command& command, Widget& control) {
        linkControl(command, control);
        listenTo(command, valid);
        listenTo(command, reset);
    }
    Button valid;
    Button reset;
};

void click(ToggleButton& toggle) {
    toggle.toggle();
}

void drag(Slider& slider, float value) {
    slider.setValue(value);
    slider.publish(RangeEvent(CommandEvent::Changed, value, slider.min, slider.max));
}

struct SwitchCase {
    const char* name;
    int descriptionId;
    std::function<Command*(Scene&)> make;
    std::function<bool(Scene&)> state;
};

std::vector<SwitchCase> sceneSwitches() {
    return {
        {"showwind", 110, [](Scene& s) { return new ShowWindCommand(nullptr, nullptr, &s); },
         [](Scene& s) { return s.windShown(); }},
        {"playsound", 111, [](Scene& s) { return new PlaySoundCommand(nullptr, nullptr, &s); },
         [](Scene& s) { return s.soundIsOn(); }},
        {"showpompes", 112, [](Scene& s) { return new ShowPompesCommand(nullptr, nullptr, &s); },
         [](Scene& s) { return s.thermalsShown(); }},
        {"showsun", 113, [](Scene& s) { return new ShowSunCommand(nullptr, nullptr, &s); },
         [](Scene& s) { return s.theLand().showSun; }},
        {"showclouds", 114, [](Scene& s) { return new ShowCloudsCommand(nullptr, nullptr, &s); },
         [](Scene& s) { return s.theLand().showClouds; }},
        {"showdecors", 116, [](Scene& s) { return new ShowDecorsCommand(nullptr, nullptr, &s); },
         [](Scene& s) { return s.theLand().showSceneries; }},
    };
}

} // namespace

// Each switch as its page and the console use it: a change waits for Valid (a press
// of Valid is not Valid), Reset drops it and shows the world, the toggle gives its
// checked state (not its pressed state), and Reset shows a change the console made.
TEST(SwitchCommands, EachSwitchWaitsForValidAndResetShowsTheWorld) {
    for (const SwitchCase& test : sceneSwitches()) {
        SCOPED_TRACE(test.name);
        Scene scene;
        std::unique_ptr<Command> command(test.make(scene));
        EXPECT_EQ(command->name, test.name);
        EXPECT_EQ(command->description, text(test.descriptionId));
        EXPECT_EQ(command->mask, 138u);
        ToggleButton toggle;
        PageControls page;
        page.wire(*command, toggle);
        page.reset.fire();
        const bool start = test.state(scene);
        EXPECT_EQ(toggle.checked, start);
        click(toggle);
        EXPECT_TRUE(command->pending);
        page.valid.publish(ButtonEvent(EventButtonState, true, false));
        EXPECT_EQ(test.state(scene), start) << "a changed control applies nothing by itself";
        page.reset.fire();
        EXPECT_FALSE(command->pending);
        EXPECT_EQ(toggle.checked, start);
        page.valid.fire();
        EXPECT_EQ(test.state(scene), start);
        for (bool on : {!start, start, !start}) {
            toggle.publish(ButtonEvent(EventButtonState | EventChanged, !on, on));
            page.valid.fire();
            EXPECT_EQ(test.state(scene), on);
            EXPECT_FALSE(command->pending);
            toggle.setChecked(!on);
            page.reset.fire();
            EXPECT_EQ(toggle.checked, on);
        }
        EXPECT_EQ(command->runFromConsole({start ? "1" : "0"}), "");
        page.reset.fire();
        EXPECT_EQ(toggle.checked, start);
    }
}

TEST(SwitchCommands, TheConsoleGivesTheValueAsAWord) {
    Scene scene;
    ShowWindCommand showWind(nullptr, nullptr, &scene);
    const struct {
        const char* word;
        bool on;
    } words[] = {{"1", true},    {"0", false},     {"ON", true},  {"off", false},
                 {"True", true}, {"false", false}, {"yes", true}, {"No", false}};
    for (const auto& test : words) {
        EXPECT_EQ(showWind.runFromConsole({test.word}), "") << test.word;
        EXPECT_EQ(scene.windShown(), test.on) << test.word;
    }
    scene.setShowWind(true);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{}, {"maybe"}, {"2"}, {""}}) {
        const std::string answer = showWind.runFromConsole(bad);
        EXPECT_NE(answer.find("showwind"), std::string::npos) << "the answer names the command";
        EXPECT_NE(answer.find("now 1"), std::string::npos) << "and tells the current state";
        EXPECT_TRUE(scene.windShown());
    }
}

// ---------------------------------------------------------------------------

TEST(SettingCommands, ASliderValueIsAppliedOnValid) {
    Scene scene;
    Observer& observer = scene.theObserver();
    ObserverSpeedCommand speed(nullptr, nullptr, &observer);
    Slider slider;
    slider.setRange(0, 300);
    PageControls page;
    page.wire(speed, slider);

    drag(slider, 42.0f);
    EXPECT_FLOAT_EQ(observer.movementSpeed(), 10.0f);
    page.valid.fire();
    EXPECT_FLOAT_EQ(observer.movementSpeed(), 42.0f);
}

TEST(SettingCommands, ResetMovesTheSliderToTheObserversValue) {
    Scene scene;
    Observer& observer = scene.theObserver();
    ObserverFieldOfViewCommand fieldOfView(nullptr, nullptr, &observer);
    ObserverAzimutSpeedCommand azimut(nullptr, nullptr, &observer);
    ObserverSiteSpeedCommand site(nullptr, nullptr, &observer);
    Slider viewSlider, azimutSlider, siteSlider;
    viewSlider.setRange(40, 80);
    azimutSlider.setRange(20, 300);
    siteSlider.setRange(20, 300);
    PageControls page;
    page.wire(fieldOfView, viewSlider);
    page.wire(azimut, azimutSlider);
    page.wire(site, siteSlider);

    observer.setFieldOfView(65.0f);
    observer.setAzimuthSpeed(120.0f);
    observer.setElevationSpeed(90.0f);
    page.reset.fire();
    EXPECT_FLOAT_EQ(viewSlider.value, 65.0f);
    EXPECT_FLOAT_EQ(azimutSlider.value, 120.0f);
    EXPECT_FLOAT_EQ(siteSlider.value, 90.0f);

    drag(viewSlider, 45.0f);
    drag(azimutSlider, 200.0f);
    drag(siteSlider, 30.0f);
    page.valid.fire();
    EXPECT_FLOAT_EQ(observer.fieldOfView(), 45.0f);
    EXPECT_FLOAT_EQ(observer.azimuthPixelsPerRadian(), 200.0f);
    EXPECT_FLOAT_EQ(observer.elevationPixelsPerRadian(), 30.0f);
}

TEST(SettingCommands, TheConsoleKeepsSettingsWhereTheViewStaysDefined) {
    Scene scene;
    Observer& observer = scene.theObserver();
    ObserverFieldOfViewCommand fieldOfView(nullptr, nullptr, &observer);
    ObserverSpeedCommand speed(nullptr, nullptr, &observer);
    ObserverSiteSpeedCommand site(nullptr, nullptr, &observer);
    ObserverAzimutSpeedCommand azimut(nullptr, nullptr, &observer);
    // What the console's help shows for each.
    const std::pair<Command*, int> helps[] = {{&speed, 115}, {&fieldOfView, 117}, {&azimut, 118}, {&site, 119}};
    for (const auto& [command, id] : helps)
        EXPECT_EQ(command->description, text(id)) << command->name;

    EXPECT_EQ(fieldOfView.runFromConsole({"70"}), "");
    EXPECT_FLOAT_EQ(observer.fieldOfView(), 70.0f);
    fieldOfView.runFromConsole({"500"});
    EXPECT_FLOAT_EQ(observer.fieldOfView(), 179.0f);
    fieldOfView.runFromConsole({"0"});
    EXPECT_FLOAT_EQ(observer.fieldOfView(), 1.0f);
    speed.runFromConsole({"-5"});
    EXPECT_FLOAT_EQ(observer.movementSpeed(), 0.0f);
    site.runFromConsole({"0"});
    EXPECT_FLOAT_EQ(observer.elevationPixelsPerRadian(), 1.0f);

    speed.runFromConsole({"+20.5"}); // a leading plus is a number too
    for (const char* bad : {"fast", "20m", "nan", "inf", ""}) {
        EXPECT_NE(speed.runFromConsole({bad}), "") << bad;
        EXPECT_FLOAT_EQ(observer.movementSpeed(), 20.5f) << bad;
    }
    EXPECT_NE(speed.runFromConsole({}).find("now 20.5"), std::string::npos);
}

// ---------------------------------------------------------------------------

TEST(ScreenCommands, FullScreenSwitchesOnValidAndShowsTheWindowsState) {
    FakeHost host;
    FullScreenCommand fullScreen(nullptr, nullptr, nullptr);
    fullScreen.useHost(host);
    ToggleButton toggle;
    PageControls page;
    page.wire(fullScreen, toggle);

    click(toggle);
    EXPECT_EQ(host.fullScreenSwitches, 0);
    page.valid.fire();
    EXPECT_TRUE(host.fullScreen);
    EXPECT_EQ(host.fullScreenSwitches, 1);

    host.fullScreen = false;
    page.reset.fire();
    EXPECT_FALSE(toggle.checked);
    EXPECT_EQ(fullScreen.name, "fullscreen");
    EXPECT_EQ(fullScreen.mask, 138u);
}

TEST(ScreenCommands, ShowInfoSetsTheFlagAndAppliesIt) {
    FakeHost host;
    ShowInfoCommand showInfo(nullptr, nullptr, nullptr);
    showInfo.useHost(host);
    EXPECT_EQ(showInfo.runFromConsole({"0"}), "");
    EXPECT_FALSE(host.screenInfo);
    EXPECT_EQ(host.screenInfoApplied, 1);
    ToggleButton toggle;
    PageControls page;
    page.wire(showInfo, toggle);
    toggle.setChecked(true);
    page.reset.fire();
    EXPECT_FALSE(toggle.checked);
}

namespace {

class ResizeScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        host.modes = {{640, 480, 16}, {800, 600, 24}, {1024, 768, 24}, {1024, 768, 32}};
        host.current = {1024, 768, 24};
        resize.useHost(host);
        page.wire(resize, list);
    }

    void choose(int index) {
        list.selected = index;
        ListEvent chosen(EventSelection);
        chosen.selected = index;
        chosen.count = list.count();
        list.publish(chosen);
    }

    FakeHost host;
    ResizeScreenCommand resize{nullptr, nullptr, nullptr};
    ListBox list;
    PageControls page;
};

} // namespace

TEST_F(ResizeScreen, ResetFillsTheListAndSelectsTheCurrentMode) {
    list.addItem("stale");
    page.reset.fire();
    EXPECT_EQ(list.items, (std::vector<std::string>{"640x480-16bits", "800x600-24bits",
                                                    "1024x768-24bits", "1024x768-32bits"}));
    EXPECT_EQ(list.selected, 2);
    EXPECT_FALSE(resize.pending);
    EXPECT_EQ(resize.mask, 137u);
    page.valid.fire();
    EXPECT_TRUE(host.resolutionChanges.empty()) << "Valid without a choice sets no mode";
}

TEST_F(ResizeScreen, AChosenModeIsSetOnValid) {
    page.reset.fire();
    choose(1);
    EXPECT_TRUE(host.resolutionChanges.empty());
    page.valid.fire();
    ASSERT_EQ(host.resolutionChanges.size(), 1u);
    EXPECT_EQ(host.resolutionChanges[0], (DisplayMode{800, 600, 24}));
    page.valid.fire();
    EXPECT_EQ(host.resolutionChanges.size(), 1u) << "nothing pending after the change";
}

TEST_F(ResizeScreen, TheModeInUseIsNotSetAgain) {
    page.reset.fire();
    choose(2);
    page.valid.fire();
    EXPECT_TRUE(host.resolutionChanges.empty());
}

TEST_F(ResizeScreen, TheConsoleListsTheModesOrSetsOneByNumber) {
    const std::string listing = resize.runFromConsole({});
    EXPECT_NE(listing.find("0  640x480-16bits"), std::string::npos) << listing;
    EXPECT_NE(listing.find("3  1024x768-32bits"), std::string::npos) << listing;
    EXPECT_TRUE(host.resolutionChanges.empty());
    for (const char* bad : {"4", "-1", "1.5", "big"}) {
        EXPECT_EQ(resize.runFromConsole({bad}), listing) << bad;
        EXPECT_TRUE(host.resolutionChanges.empty()) << bad;
    }
    EXPECT_EQ(resize.runFromConsole({"0"}), "");
    ASSERT_EQ(host.resolutionChanges.size(), 1u);
    EXPECT_EQ(host.resolutionChanges[0], (DisplayMode{640, 480, 16}));
}
