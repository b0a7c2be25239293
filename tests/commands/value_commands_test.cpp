#include "commands/CommandKit.h"
#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "ui/commands/ValueCommands.h"
#include "ui/composites/InputBox.h"
#include "ui/composites/QuestionBox.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/ToggleButton.h"

using namespace commandtest;

namespace {

struct ValueCommands : ::testing::Test {
    struct Case {
        const char* name;
        int textId;
        std::function<bool()> state; // the world's own flag
        Command* command;
    };
    std::vector<Case> switches() {
        Scene& s = scene;
        Land& land = scene.theLand();
        auto made = [](SwitchDefinition d) { return new SwitchCommand(d, nullptr, nullptr); };
        auto hosted = [&](Command* c) { return c->useHost(host), c; };
        return {
            {"playsound", 111, [&] { return s.soundIsOn(); }, made(Switches::playSound(s))},
            {"showpompes", 112, [&] { return s.thermalsShown(); }, made(Switches::showPompes(s))},
            {"showwind", 110, [&] { return s.windShown(); }, made(Switches::showWind(s))},
            {"showclouds", 114, [&] { return land.showClouds; }, made(Switches::showClouds(s))},
            {"showsun", 113, [&] { return land.showSun; }, made(Switches::showSun(s))},
            {"showdecors", 116, [&] { return land.showSceneries; }, made(Switches::showDecors(s))},
            {"fullscreen", 129, [&] { return host.fullScreen; },
             hosted(new FullScreenCommand(nullptr, nullptr, nullptr))},
            {"showinfo", 143, [&] { return host.screenInfo; },
             hosted(new ShowInfoCommand(nullptr, nullptr, nullptr))}};
    }
    Scene scene;
    Observer& observer = scene.theObserver();
    FakeHost host;
};

} // namespace

// As the General page and the console use them: a change waits for Valid (its press is
// not Valid), Reset drops it and shows the world, Valid applies a toggle's checked state,
// the console takes a word and answers a wrong one with the state.
TEST_F(ValueCommands, EachSwitchWaitsForValidAndResetShowsTheWorld) {
    for (const Case& test : switches()) {
        SCOPED_TRACE(test.name);
        std::unique_ptr<Command> command(test.command);
        EXPECT_EQ(std::tie(command->name, command->description, command->mask),
                  std::make_tuple(test.name, text(test.textId), 138u));
        ToggleButton toggle;
        PageControls page;
        page.wire(*command, toggle);
        const bool start = test.state();
        toggle.toggle();
        page.valid.publish(ButtonEvent(EventButtonState, true, false));
        page.reset.fire();
        page.valid.fire();
        EXPECT_EQ(std::tuple(test.state(), toggle.checked, command->pending),
                  std::tuple(start, start, false));
        toggle.publish(ButtonEvent(EventButtonState | EventChanged, start, !start));
        page.valid.fire();
        EXPECT_EQ(test.state(), !start);
        for (const auto& [word, on] : {std::pair{"1", true},
                                       {"0", false},
                                       {"ON", true},
                                       {"off", false},
                                       {"True", true},
                                       {"No", false},
                                       {"yes", true},
                                       {"false", false}}) {
            EXPECT_EQ(command->runFromConsole({word}), "") << word;
            EXPECT_EQ(test.state(), on) << word;
        }
        for (const std::vector<std::string>& bad : {std::vector<std::string>{}, {"2"}, {""}})
            EXPECT_EQ(command->runFromConsole(bad),
                      test.name + std::string(" takes 1 or 0 (now 0)"));
        command->runFromConsole({"1"});
        page.reset.fire();
        EXPECT_TRUE(toggle.checked) << "Reset shows what the console set";
        EXPECT_EQ(command->runFromConsole({"maybe"}),
                  test.name + std::string(" takes 1 or 0 (now 1)"));
    }
    EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "applyinfo"), 10)
        << "showinfo applies the info bar each time it is set";
}

// Sliders apply on Valid and show the observer's value on Reset; the console holds
// every value within the bounds that keep the view and the turning defined.
TEST_F(ValueCommands, EachSettingKeepsItsBounds) {
    const struct {
        SettingDefinition definition;
        int textId;
        float (Observer::*value)() const;
        float lowest, highest;
    } cases[] = {
        {Settings::fieldOfView(observer), 117, &Observer::fieldOfView, 1, 179},
        {Settings::speed(observer), 115, &Observer::movementSpeed, 0, 1e6f},
        {Settings::azimutSpeed(observer), 118, &Observer::azimuthPixelsPerRadian, 1, 1e6f},
        {Settings::siteSpeed(observer), 119, &Observer::elevationPixelsPerRadian, 1, 1e6f}};
    for (const auto& test : cases) {
        SettingCommand command(test.definition, nullptr, nullptr);
        SCOPED_TRACE(command.name);
        EXPECT_EQ(command.description, text(test.textId));
        Slider slider;
        slider.setRange(0, 300);
        PageControls page;
        page.wire(command, slider);
        command.runFromConsole({"65"});
        page.reset.fire();
        EXPECT_FLOAT_EQ(slider.value, 65.0f);
        slider.publish(RangeEvent(CommandEvent::Changed, 42.0f, 0, 300));
        EXPECT_FLOAT_EQ((observer.*test.value)(), 65.0f) << "a slider applies on Valid only";
        page.valid.fire();
        EXPECT_FLOAT_EQ((observer.*test.value)(), 42.0f);
        for (const auto& [word, value] :
             {std::pair{"-5", test.lowest}, {"2e6", test.highest}, {"+20.5", 20.5f}}) {
            EXPECT_EQ(command.runFromConsole({word}), "") << word;
            EXPECT_FLOAT_EQ((observer.*test.value)(), value) << word;
        }
        char usage[160];
        std::snprintf(usage, sizeof usage, "%s takes a number from %g to %g (now 20.5)",
                      command.name.c_str(), test.lowest, test.highest);
        for (const char* bad : {"fast", "20m", "nan", "inf", ""})
            EXPECT_EQ(command.runFromConsole({bad}), usage) << bad;
    }
}

// Reset fills the list and selects the mode in use; a chosen mode is set on Valid, once,
// and never the mode in use; the console lists the modes or sets one by its number.
TEST_F(ValueCommands, ResizeScreenOffersTheModes) {
    host.modes = {{640, 480, 16}, {800, 600, 24}, {1024, 768, 24}, {1024, 768, 32}};
    host.current = {1024, 768, 24};
    ResizeScreenCommand resize(nullptr, nullptr, nullptr);
    resize.useHost(host);
    ListBox list;
    PageControls page;
    page.wire(resize, list);
    list.addItem("stale");
    page.reset.fire();
    EXPECT_EQ(list.items,
              (Log{"640x480-16bits", "800x600-24bits", "1024x768-24bits", "1024x768-32bits"}));
    EXPECT_EQ(std::pair(list.selected, resize.mask), std::pair(2, 137u));
    page.valid.fire();
    for (int chosen : {2, 1, -1}) {
        ListEvent event(EventSelection);
        event.selected = chosen;
        list.publish(event);
        page.valid.fire();
    }
    const std::string listing = resize.runFromConsole({});
    EXPECT_EQ(listing,
              "0  640x480-16bits\n1  800x600-24bits\n2  1024x768-24bits\n3  1024x768-32bits");
    for (const char* bad : {"4", "-1", "1.5", "big"})
        EXPECT_EQ(resize.runFromConsole({bad}), listing) << bad;
    EXPECT_EQ(resize.runFromConsole({"0"}), "");
    EXPECT_EQ(host.log, (Log{"800x600-24bits", "640x480-16bits"}));
    host.modes.clear();
    EXPECT_EQ(resize.runFromConsole({}), "resizescreen: no display modes");
}

// The application's boxes: "No" sends nothing, "Yes" the copied event, Return in an
// entry box the typed text.
TEST(ApplicationHost, BoxesSendTheirAnswers) {
    ApplicationHost host;
    Log heard;
    struct Hearer : EventSubscriber {
        Hearer(Log& log) : EventSubscriber(0xFFFFF), heard(log) {}
        void onEvent(EventPublisher*, const Event& e) override {
            heard.push_back(std::to_string(e.type) + " " +
                            (e.payload == 7 ? "7" : ValueEvent::textOf(e)));
        }
        Log& heard;
    } command(heard);
    for (auto button : {&QuestionBox::noButton, &QuestionBox::yesButton}) {
        std::unique_ptr<QuestionBox> box(
            static_cast<QuestionBox*>(host.ask("Quit?", "Warning", Event(256, 7))));
        EXPECT_EQ(std::pair(box->text, box->cancelButton),
                  std::pair(std::string("Warning"), static_cast<Button*>(nullptr)));
        box->subscribe(&command);
        (box.get()->*button)->fire();
    }
    std::unique_ptr<InputBox> entry(static_cast<InputBox*>(host.askText("Spot", Event(256))));
    entry->subscribe(&command);
    for (char c : std::string("top"))
        entry->characterTyped(c);
    entry->keyDown(Key::Return);
    EXPECT_EQ(heard, (Log{"256 7", "256 top"}));
}
