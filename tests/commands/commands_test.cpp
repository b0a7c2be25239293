// The commands as pages, console and keys use them, against a host that logs what they ask.

#include <gtest/gtest.h>

#include <cstring>

#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "support/FakeHost.h"
#include "support/SquareLand.h"
#include "support/WorkingFolder.h"
#include "ui/commands/AirCommands.h"
#include "ui/commands/AskingCommands.h"
#include "ui/commands/ObserverMoveCommands.h"
#include "ui/commands/SceneCommands.h"
#include "ui/commands/ValueCommands.h"
#include "ui/console/ConsoleInterpreter.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/ToggleButton.h"
#include "ui/toolkit/WidgetEvents.h"
#include "world/Scene.h"

using namespace commandtest;
using namespace testsupport;

namespace {

using Log = std::vector<std::string>;

struct PageControls {
    PageControls() { reset.releaseType = CommandEvent::Refresh; }
    void wire(Command& command, Widget& control) {
        linkControl(command, control);
        listenTo(command, valid);
        listenTo(command, reset);
    }
    Button valid, reset;
};

struct WorldTest : ::testing::Test {
    void SetUp() override { writeFile("start.sav", squareSavedGame("square", 500, 500)); }
    template <class Made> Made& make(Made* made) {
        made->useHost(host), commands.push_back(made);
        return *made;
    }
    // What the console prints for the line, its lines joined by line feeds.
    std::string type(const std::string& line) {
        std::string printed;
        interpretConsoleLine(line, commands, [&](std::string_view out) {
            printed += (printed.empty() ? "" : "\n") + std::string(out);
        });
        return printed;
    }
    void TearDown() override {
        for (Command* command : commands)
            delete command;
    }

    WorkingFolder folder;
    const std::filesystem::path landFile = writeSquareLand("square");
    Scene scene;
    FakeHost host;
    std::vector<Command*> commands;
};

const char* saving = "Saving file...|Waiting...";
const char* openError = "File open error|Error";
const char* refused = "Names cannot hold \", //, [ or line breaks|Error";
} // namespace

// A change waits for Valid; Reset drops it and shows the world; the console takes a word.
TEST(ValueCommands, EachSwitchWaitsForValidAndResetShowsTheWorld) {
    Scene s;
    Land& land = s.theLand();
    FakeHost host;
    auto made = [](SwitchDefinition d) { return new SwitchCommand(d, nullptr, nullptr); };
    auto hosted = [&](Command* c) { return c->useHost(host), c; };
    const std::tuple<const char*, int, std::function<bool()>, Command*> cases[] = {
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
    for (const auto& [name, textId, state, hostedCommand] : cases) {
        SCOPED_TRACE(name);
        std::unique_ptr<Command> command(hostedCommand);
        EXPECT_EQ(std::tie(command->name, command->description, command->mask),
                  std::make_tuple(name, text(textId), 138u));
        ToggleButton toggle;
        PageControls page;
        page.wire(*command, toggle);
        const bool start = state();
        toggle.toggle(), page.valid.publish(ButtonEvent(EventButtonState, true, false)); // a press
        page.reset.fire();
        page.valid.fire();
        EXPECT_EQ(std::tuple(state(), toggle.checked, command->pending),
                  std::tuple(start, start, false));
        toggle.publish(ButtonEvent(EventButtonState | EventChanged, start, !start));
        page.valid.fire();
        const bool toggled = state();
        command->onEvent(nullptr, RangeEvent(EventChanged | EventActivated, start, 0, 1));
        EXPECT_EQ(std::pair(toggled, state()), std::pair(!start, start)) << "checked state, slider";
        bool on = false; // the words say on and off in turn
        for (const char* word : {"1", "0", "ON", "off", "True", "No", "yes", "false"}) {
            EXPECT_EQ(command->runFromConsole({word}), "") << word;
            EXPECT_EQ(state(), on = !on) << word;
        }
        for (const Log& bad : {Log{}, {"2"}, {""}})
            EXPECT_EQ(command->runFromConsole(bad), name + std::string(" takes 1 or 0 (now 0)"));
        command->runFromConsole({"1"});
        page.reset.fire();
        EXPECT_TRUE(toggle.checked) << "Reset shows what the console set";
        EXPECT_EQ(command->runFromConsole({"maybe"}), name + std::string(" takes 1 or 0 (now 1)"));
    }
    EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "applyinfo"), 11);
}

// Sliders apply on Valid, show the observer on Reset; the console keeps values in bounds.
TEST(ValueCommands, EachSettingKeepsItsBounds) {
    Scene scene;
    Observer& o = scene.theObserver();
    const std::tuple<SettingDefinition, int, float (Observer::*)() const, float, float> cases[] = {
        {Settings::fieldOfView(o), 117, &Observer::fieldOfView, 1, 179},
        {Settings::speed(o), 115, &Observer::movementSpeed, 0, 1e6f},
        {Settings::azimutSpeed(o), 118, &Observer::azimuthPixelsPerRadian, 1, 1e6f},
        {Settings::siteSpeed(o), 119, &Observer::elevationPixelsPerRadian, 1, 1e6f}};
    for (const auto& [definition, textId, value, lowest, highest] : cases) {
        SettingCommand command(definition, nullptr, nullptr);
        SCOPED_TRACE(command.name);
        EXPECT_EQ(command.description, text(textId));
        Slider slider;
        PageControls page;
        page.wire(command, slider);
        command.runFromConsole({"65"});
        page.reset.fire();
        EXPECT_FLOAT_EQ(slider.value, 65.0f);
        slider.publish(RangeEvent(CommandEvent::Changed, 42.0f, 0, 100));
        EXPECT_FLOAT_EQ((o.*value)(), 65.0f) << "a slider applies on Valid only";
        page.valid.fire();
        EXPECT_FLOAT_EQ((o.*value)(), 42.0f);
        for (const auto& [word, set] :
             {std::pair{"-5", lowest}, {"2e6", highest}, {"+20.5", 20.5f}}) {
            EXPECT_EQ(command.runFromConsole({word}), "") << word;
            EXPECT_FLOAT_EQ((o.*value)(), set) << word;
        }
        char usage[160];
        std::snprintf(usage, sizeof usage, "%s takes a number from %g to %g (now 20.5)",
                      command.name.c_str(), lowest, highest);
        for (const char* bad : {"fast", "20m", "nan", "inf", ""})
            EXPECT_EQ(command.runFromConsole({bad}), usage) << bad;
    }
}

// Reset fills the list, the mode in use selected; Valid sets a chosen other mode, once.
TEST(ValueCommands, ResizeScreenOffersTheModes) {
    FakeHost host;
    host.modes = {{640, 480, 16}, {800, 600, 24}, {1024, 768, 24}, {1024, 768, 32}};
    host.current = {1024, 768, 24};
    ResizeScreenCommand resize(nullptr, nullptr, nullptr);
    ListBox list;
    PageControls page;
    resize.useHost(host), page.wire(resize, list);
    list.addItem("stale");
    page.reset.fire();
    const Log items{"640x480-16bits", "800x600-24bits", "1024x768-24bits", "1024x768-32bits"};
    EXPECT_EQ(std::tuple(list.items, list.selected, resize.mask), std::tuple(items, 2, 137u));
    page.valid.fire();
    for (int chosen : {2, 4, 1, -1}) { // 4: one past the last mode
        ListEvent event(EventSelection);
        event.selected = chosen;
        list.publish(event);
        page.valid.fire();
    }
    for (const Log& words : {Log{}, {"4"}, {"-1"}, {"1.5"}, {"big"}}) // the console lists them
        EXPECT_EQ(resize.runFromConsole(words),
                  "0  " + items[0] + "\n1  " + items[1] + "\n2  " + items[2] + "\n3  " + items[3]);
    EXPECT_EQ(resize.runFromConsole({"0"}), "");
    EXPECT_EQ(host.log, (Log{"800x600-24bits", "640x480-16bits"}));
    host.modes.clear();
    EXPECT_EQ(resize.runFromConsole({}), "resizescreen: no display modes");
    const ApplicationHost alone; // without an application: windowed, no modes, no info bar
    EXPECT_EQ(
        std::tuple(alone.isFullScreen(), alone.displayModes(9).size(), alone.screenInfoShown()),
        std::tuple(false, 0u, false));
}

// A load builds behind a progress box that hears the build; a bad file leaves the world.
TEST_F(WorldTest, LoadAndCreateBuildTheWorld) {
    auto& load = make(new LoadSceneCommand(nullptr, nullptr, &scene));
    make(new CreateSceneCommand(nullptr, nullptr, &scene));
    writeFile("empty.sav", "");
    EXPECT_EQ(type("loadscene"), "loadscene takes the path of the game to load");
    std::string path = "missing.sav";
    for (const char* name : {"empty.sav", "start.sav"}) {
        load.onEvent(nullptr, ValueEvent::ofText(CommandEvent::Activate, path.c_str()));
        path = name;
    }
    EXPECT_FALSE(scene.isLoaded());
    EXPECT_EQ(type("loadscene " + path), "");
    path = "overwritten";
    EXPECT_EQ(load.value.text, "start.sav");
    ASSERT_TRUE(scene.isLoaded() && scene.landReady());
    EXPECT_GE(host.progressBoxes[0].box->heard.size(), 4u) << "the box hears every progress report";
    RecordingBox* progress = host.progressBoxes[0].box.get();
    EXPECT_TRUE(progress->closeRequested && !scene.isSubscribed(progress));
    scene.setShowWind(true);
    EXPECT_EQ((Log{type("loadscene missing.sav"), type("createscene")}), (Log{"", ""}));
    EXPECT_TRUE(scene.windShown() && scene.savedGamePath() == "start.sav");
    const char* loading = "Opening file...|Loading";
    EXPECT_EQ(host.log, (Log{openError, openError, loading, "present", "showscene", "applyinfo",
                             openError, loading, "present", "showscene", "applyinfo"}));
}

// A move walks the speed times the time since its last report (at most 0.1 s) its own way.
TEST_F(WorldTest, SpotsAndMoves) {
    auto& change = make(new ChangeSpotCommand(nullptr, nullptr, &scene));
    EXPECT_FALSE(change.onKey(Key::Tab)) << "no world yet";
    ASSERT_TRUE(scene.readSavedGame("start.sav") && scene.build());
    Observer& observer = scene.theObserver();
    const std::string first = (change.onKey(Key::Tab), observer.spotName());
    EXPECT_NE(first, (change.onKey(Key::Tab), observer.spotName())) << "Tab: the next spot";
    EXPECT_TRUE(host.notices.back().box->closeRequested) << "after computing the wind";
    double now = 100.0;
    observer.setHeading(0.0f, 0.0f);
    const Observer::Vec3 view = observer.viewDirection();
    using enum MoveDirection;
    const std::tuple<MoveDirection, int, int, float, float> moves[] = {
        {Front, Key::Up, 120, 1, 0},
        {Back, Key::Down, 121, -1, 0},
        {Left, Key::Left, 122, 0, 1},
        {Right, Key::Right, 127, 0, -1}};
    for (const auto& [direction, key, textId, along, across] : moves) {
        ObserverMoveCommand move(direction, nullptr, nullptr, &observer);
        move.clock = [&] { return now; };
        EXPECT_EQ(std::pair(move.description, move.onKey('x')),
                  std::pair(std::string(text(textId)), false));
        for (const auto& [reports, step] :
             {std::pair{1, 1e3}, {30, 1.0 / 30}, {10, 0.1}, {1, 60.0}}) {
            const Observer::Vec3 start = observer.position();
            for (int i = 0; i < reports; ++i) {
                now += step;
                EXPECT_TRUE(move.onKey(key));
            }
            const float dx = observer.positionX() - start[0], dy = observer.positionY() - start[1];
            const float walked = reports * std::min(step, 0.1) * 10.0; // m at 10 m/s
            EXPECT_NEAR(dx * view[0] + dy * view[1], walked * along, 0.05f) << move.name;
            EXPECT_NEAR(-dx * view[1] + dy * view[0], walked * across, 0.05f) << move.name;
        }
    }
}

// Saving asks before overwriting; "savemap" rewrites the spots only; bad names are refused.
TEST_F(WorldTest, AskingCommands) {
    auto& exit = make(new ExitCommand(nullptr, nullptr, nullptr));
    auto& save = make(new SaveSceneCommand(nullptr, nullptr, &scene));
    auto& addSpot = make(new AddSpotCommand(nullptr, nullptr, &scene));
    auto& saveMap = make(new SaveMapCommand(nullptr, nullptr, &scene));
    auto saveAs = [&](const char* path) {
        save.onEvent(nullptr, ValueEvent::ofText(CommandEvent::Activate, path));
    };
    exit.onEvent(nullptr, Event(8)); // answered "No": it sends nothing
    type("exit");
    host.answerYes(1);
    saveAs("new.sav");
    EXPECT_FALSE(addSpot.onKey('v') || saveMap.onKey('w'));
    EXPECT_EQ((Log{type("savescene new.sav"), type("savescene"), type("addspot x")}),
              (Log{"savescene: no world to save", "savescene takes the path of the game to save",
                   "addspot: no world to add a spot to"}));
    EXPECT_EQ(host.log, (Log{"Quit Ventrix ?|Warning", "Quit Ventrix ?|Warning", "close"}));
    ASSERT_TRUE(scene.readSavedGame("start.sav") && scene.build());
    host.log.clear(), host.questions.clear();
    writeFile("a.sav", "old a\n"), writeFile("b.sav", "old b\n");
    saveAs("");
    EXPECT_FALSE(save.execute());
    for (const char* path : {"new.sav", "a.sav", "b.sav", "say\"hi.sav", "a//b.sav", "[game].sav",
                             "two\nlines.sav", "cr\r.sav", "no-such-folder/game.sav"})
        saveAs(path);
    EXPECT_EQ(readFile("a.sav") + readFile("b.sav"), "old a\nold b\n");
    EXPECT_FALSE(std::filesystem::exists("a") || std::filesystem::exists("[game].sav"));
    const std::size_t spots = scene.terrain().spots().size();
    EXPECT_FALSE(addSpot.onKey('V'));
    for (const char* typed : {"", "bad\"name", "launch"})
        addSpot.onKey('v'), host.enterText(host.entries.size() - 1, typed);
    EXPECT_EQ(type("addspot ridge top"), "");
    ASSERT_EQ(scene.terrain().spots().size(), spots + 2);
    EXPECT_EQ(scene.terrain().spots()[spots].name, "launch");
    const std::string before = readFile(landFile);
    saveMap.onKey('w');
    EXPECT_EQ(readFile(landFile), before);
    host.answerYes(0), host.answerYes(0);
    EXPECT_EQ(readFile("b.sav"), "old b\n") << "a question is answered once";
    EXPECT_EQ(scene.savedGamePath(), "a.sav");
    scene.setShowWind(true);
    EXPECT_EQ(type("savescene a.sav"), "") << "the game's own file, by any path";
    EXPECT_EQ(type("savescene ./a.sav"), "");
    EXPECT_TRUE(host.notices[0].box->closeRequested);
    EXPECT_NE(readFile("a.sav").find("wind.show = \"TRUE\""), std::string::npos);
    host.answerYes(1);
    EXPECT_NE(readFile("b.sav").find("terrain.name = \"square\""), std::string::npos);
    host.answerYes(2);
    const std::string after = readFile(landFile);
    const std::size_t section = before.find("[Spot]");
    EXPECT_EQ(after.substr(0, section), before.substr(0, section));
    EXPECT_NE(after.find("\"ridge top\"", section), std::string::npos);
    const char* overwrite = "File exists. Overwrite ?|Warning";
    const char* landQuestion = "Save land file ?|Warning";
    EXPECT_EQ(host.log,
              (Log{saving,  "present", overwrite,    overwrite, refused,   refused,  refused,
                   refused, refused,   saving,       "present", openError, "Spot|",  "Spot|",
                   refused, "Spot|",   landQuestion, saving,    "present", saving,   "present",
                   saving,  "present", saving,       "present", saving,    "present"}));
}

// A refused line changes nothing; accepted ones change the air and the field.
TEST_F(WorldTest, AirCommands) {
    commands = {
        new WindCommand(nullptr, nullptr, &scene), new DateCommand(nullptr, nullptr, &scene),
        new HourCommand(nullptr, nullptr, &scene), new ShowLiftCommand(nullptr, nullptr, &scene),
        new WindSolverCommand(nullptr, nullptr, &scene)};
    auto state = [](Scene& s) {
        const SceneDate& d = s.sceneDate();
        return std::tuple(s.windSpeed(), s.windFromDegrees(), d.day(), d.month(), d.hour(),
                          d.minute(), s.liftMap().height(), s.windField().solverKind());
    };
    ASSERT_TRUE(scene.readSavedGame("start.sav") && type("wind 6 0").empty() && scene.build());
    EXPECT_NEAR(scene.windSpeed(), 6.0f, 1e-4f) << "a wind set before the build wins";
    for (const char* line :
         {"wind 26 90", "wind -1 90", "wind 9 361", "wind 9", "wind 9 90 3", "wind nine 90",
          "date 31 4", "date 0 1", "date 1 13", "date 1.5 2", "hour 24 0", "hour 12 60",
          "hour -1 0", "hour", "showlift -5", "showlift 1001", "windsolver fast", "windsolver"}) {
        const auto before = state(scene);
        const std::string answer = type(line), name(line, std::strcspn(line, " "));
        EXPECT_TRUE(answer.rfind(name + " takes", 0) == 0 && answer.find("(now ") != answer.npos)
            << answer;
        EXPECT_EQ(state(scene), before) << line;
    }
    const unsigned rebuilds = scene.windField().generation();
    for (const char* line :
         {"wind 0 360", "date 29 2", "date 31 12", "hour 0 59", "showlift 0", "windsolver exact",
          "wind 9 90", "date 3 8", "hour 9 45", "showlift 40"})
        EXPECT_EQ(type(line), "") << line;
    EXPECT_GT(scene.windField().generation(), rebuilds);
    EXPECT_EQ(state(scene), std::tuple(9.0f, 90.0f, 3, 8, 9, 45, 40.0f, WindField::Solve::Exact));
    // North is +y on the test land: a wind from 90 degrees blows along +x.
    EXPECT_NEAR(scene.windField().windAt(500.0f, 500.0f, 10.0f)[0], 9.0f, 1e-3f);
    Scene again;
    EXPECT_TRUE(scene.writeSavedGame("air.sav") && again.readSavedGame("air.sav") &&
                again.windField().solverKind() == WindField::Solve::Exact);
}
