#include "commands/CommandKit.h"
#include "platform/Keys.h"
#include "ui/commands/AirCommands.h"
#include "ui/commands/AskingCommands.h"
#include "ui/commands/ObserverMoveCommands.h"

#include <cmath>

using namespace commandtest;
namespace fs = std::filesystem;

namespace {
const Log built{"Opening file...|Loading", "present", "showscene", "applyinfo"};
const char* saving = "Saving file...|Waiting...";
const char* openError = "File open error|Error";
} // namespace

// "loadscene" builds behind a progress box that hears the build and closes; a file that
// does not open or holds nothing gives "File open error" and leaves the world as it was;
// the path is the command's own copy. "createscene" builds as a load does.
TEST_F(WorldTest, LoadAndCreateBuildTheWorld) {
    auto& load = make(new LoadSceneCommand(nullptr, nullptr, &scene));
    writeFile("empty.sav", "");
    for (const char* path : {"missing.sav", "empty.sav"})
        load.onEvent(nullptr, ValueEvent::ofText(CommandEvent::Activate, path));
    EXPECT_FALSE(scene.isLoaded());
    EXPECT_EQ(load.runFromConsole({}), "loadscene takes the path of the game to load");
    std::string path = "start.sav";
    load.onEvent(nullptr, ValueEvent::ofText(CommandEvent::Activate, path.c_str()));
    path = "overwritten";
    EXPECT_EQ(load.value.text, "start.sav");
    ASSERT_TRUE(scene.isLoaded() && scene.landReady());
    EXPECT_GE(host.boxes[2]->heard, 4) << "the box hears every progress report";
    EXPECT_TRUE(host.boxes[2]->closeRequested);
    EXPECT_FALSE(scene.isSubscribed(host.boxes[2].get()));
    scene.setShowWind(true);
    EXPECT_EQ(load.runFromConsole({"missing.sav"}), "");
    EXPECT_TRUE(scene.windShown());
    EXPECT_EQ(scene.savedGamePath(), "start.sav");
    make(new CreateSceneCommand(nullptr, nullptr, &scene)).onEvent(nullptr, Event(8));
    Log expected{openError, openError};
    for (const Log& part : {built, {openError}, built})
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(host.log, expected);
}

// "changespot" (Tab) walks through the spots behind a notice; the moves walk the
// observer's speed times the time since their previous report, at most 0.1 s a step.
TEST_F(WorldTest, SpotsAndMoves) {
    auto& change = make(new ChangeSpotCommand(nullptr, nullptr, &scene));
    EXPECT_FALSE(change.onKey(Key::Tab)) << "no world yet";
    load();
    host.log.clear();
    Observer& observer = scene.theObserver();
    change.onKey(Key::Tab);
    const std::string first = observer.spotName();
    change.onKey(Key::Tab);
    EXPECT_NE(observer.spotName(), first);
    EXPECT_EQ(host.log, (Log{"Computing parameters|Waiting...", "present",
                             "Computing parameters|Waiting...", "present"}));
    EXPECT_TRUE(host.boxes.back()->closeRequested);

    double now = 100.0;
    observer.setHeading(0.0f, 0.0f);
    const Observer::Vec3 view = observer.viewDirection();
    const struct {
        MoveDirection direction;
        int key;
        float along, across; // across: the view turned a quarter anticlockwise
    } moves[] = {{MoveDirection::Front, Key::Up, 1, 0},
                 {MoveDirection::Back, Key::Down, -1, 0},
                 {MoveDirection::Left, Key::Left, 0, 1},
                 {MoveDirection::Right, Key::Right, 0, -1}};
    for (const auto& test : moves) {
        ObserverMoveCommand move(test.direction, nullptr, nullptr, &observer);
        SCOPED_TRACE(move.name);
        move.clock = [&] { return now; };
        EXPECT_FALSE(move.onKey('x'));
        for (const auto& [reports, step] :
             {std::pair{1, 1000.0}, {30, 1.0 / 30}, {10, 0.1}, {1, 60.0}}) {
            const Observer::Vec3 start = observer.position();
            for (int i = 0; i < reports; ++i)
                now += step, move.onKey(test.key);
            const float dx = observer.positionX() - start[0], dy = observer.positionY() - start[1];
            const float walked = reports * std::min(step, 0.1); // at 10 m/s
            EXPECT_NEAR(dx * view[0] + dy * view[1], 10.0f * walked * test.along, 0.05f);
            EXPECT_NEAR(-dx * view[1] + dy * view[0], 10.0f * walked * test.across, 0.05f);
        }
    }
}

TEST_F(WorldTest, ExitAsksFirstAndClosesOnlyOnYes) {
    auto& exit = make(new ExitCommand(nullptr, nullptr, nullptr));
    Button quit;
    listenTo(exit, quit);
    quit.fire();
    quit.fire(); // the first question is answered "No": it sends nothing
    EXPECT_TRUE(host.boxes[0]->isSubscribed(&exit));
    EXPECT_EQ(host.log, (Log{"Quit Ventrix ?|Warning", "Quit Ventrix ?|Warning"}));
    host.boxes[1]->answer();
    EXPECT_EQ(host.log.back(), "close");
}

// "savescene" does nothing without a world or a name; it writes a new file (or the
// game's own, by any path) at once behind a notice, asks before overwriting another
// file and saves the path each question asked about, once; names a file cannot hold
// are refused; a failed write says "File open error".
TEST_F(WorldTest, SaveSceneWritesWhatWasAskedAbout) {
    auto& save = make(new SaveSceneCommand(nullptr, nullptr, &scene));
    auto saveAs = [&](const std::string& path) {
        save.onEvent(nullptr, ValueEvent::ofText(CommandEvent::Activate, path.c_str()));
    };
    saveAs("new.sav");
    EXPECT_EQ(save.runFromConsole({"new.sav"}), "savescene: no world to save");
    EXPECT_EQ(save.runFromConsole({}), "savescene takes the path of the game to save");
    EXPECT_FALSE(fs::exists("new.sav"));
    load();
    host.log.clear();
    host.boxes.clear();
    writeFile("a.sav", "old a\n");
    writeFile("b.sav", "old b\n");
    saveAs("");
    EXPECT_FALSE(save.execute());
    for (const char* path : {"new.sav", "a.sav", "b.sav", "say\"hi.sav", "a//b.sav", "[game].sav",
                             "two\nlines.sav", "no-such-folder/game.sav"})
        saveAs(path);
    const std::string refused = "Names cannot hold \", //, [ or line breaks|Error";
    const char* overwrite = "File exists. Overwrite ?|Warning";
    EXPECT_EQ(host.log, (Log{saving, "present", overwrite, overwrite, refused, refused, refused,
                             refused, saving, "present", openError}));
    EXPECT_EQ(readFile("a.sav") + readFile("b.sav"), "old a\nold b\n");
    EXPECT_FALSE(fs::exists("a") || fs::exists("[game].sav"));
    EXPECT_EQ(scene.savedGamePath(), "new.sav");
    host.boxes[1]->answer();
    host.boxes[1]->answer();
    EXPECT_EQ(readFile("b.sav"), "old b\n") << "a question is answered once";
    EXPECT_EQ(scene.savedGamePath(), "a.sav");
    scene.setShowWind(true);
    EXPECT_EQ(save.runFromConsole({"./a.sav"}), "");
    EXPECT_NE(readFile("a.sav").find("wind.show = \"TRUE\""), std::string::npos);
    host.boxes[2]->answer();
    EXPECT_NE(readFile("b.sav").find("terrain.name = \"square\""), std::string::npos);
    EXPECT_EQ(Log(host.log.begin() + 11, host.log.end()),
              (Log{saving, "present", saving, "present", saving, "present"}));
}

// "addspot" (v) asks for a name and adds the spot; "savemap" (w) asks, then rewrites
// only the land file's spot section. Both need a world.
TEST_F(WorldTest, SpotsAreAddedAndSaved) {
    auto& addSpot = make(new AddSpotCommand(nullptr, nullptr, &scene));
    auto& saveMap = make(new SaveMapCommand(nullptr, nullptr, &scene));
    EXPECT_FALSE(addSpot.onKey('v') || saveMap.onKey('w'));
    EXPECT_EQ(addSpot.runFromConsole({"x"}), "addspot: no world to add a spot to");
    load();
    host.log.clear();
    const std::size_t spots = scene.terrain().spots().size();
    EXPECT_FALSE(addSpot.onKey('V'));
    for (const char* typed : {"", "bad\"name", "launch"})
        addSpot.onKey('v'), host.boxes.back()->answer(typed);
    EXPECT_EQ(addSpot.runFromConsole({"ridge", "top"}), "");
    ASSERT_EQ(scene.terrain().spots().size(), spots + 2);
    EXPECT_EQ(scene.terrain().spots()[spots].name, "launch");
    const std::string before = readFile(landFile);
    saveMap.onKey('w');
    EXPECT_EQ(readFile(landFile), before);
    host.boxes.back()->answer();
    const std::string after = readFile(landFile);
    EXPECT_NE(after.find("\"ridge top\""), std::string::npos);
    const std::size_t section = before.find("[Spot]");
    EXPECT_EQ(after.substr(0, section), before.substr(0, section));
    EXPECT_EQ(host.log, (Log{"Spot|", "Spot|", "Names cannot hold \", //, [ or line breaks|Error",
                             "Spot|", "Save land file ?|Warning", saving, "present"}));
}

TEST(StorableNames, RefuseWhatWouldBreakAKeyValueFile) {
    for (const char* good : {"ridge", "Col de la Croix", "a/b.sav", "50% slope", "it's"})
        EXPECT_TRUE(isStorableName(good)) << good;
    for (const char* bad : {"\"", "a//b", "[x", "a\nb", "a\rb"})
        EXPECT_FALSE(isStorableName(bad)) << bad;
}
