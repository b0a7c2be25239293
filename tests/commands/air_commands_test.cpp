#include "commands/CommandKit.h"
#include "ui/commands/AirCommands.h"

#include <cstring>

using namespace commandtest;

namespace {

struct AirCommands : WorldTest {
    std::string run(const std::string& line) {
        std::vector<std::string> words;
        std::istringstream in(line);
        for (std::string word; in >> word;)
            words.push_back(word);
        for (Command* command : air)
            if (command->name == words[0])
                return command->runFromConsole({words.begin() + 1, words.end()});
        return "no command";
    }
    // Everything the commands can change.
    auto state(Scene& s) {
        const SceneDate& d = s.sceneDate();
        return std::make_tuple(s.windSpeed(), s.windFromDegrees(), d.day(), d.month(), d.hour(),
                               d.minute(), s.liftHeight(), s.windField().solverKind());
    }
    Command* air[5] = {&make(new WindCommand(nullptr, nullptr, &scene)),
                       &make(new DateCommand(nullptr, nullptr, &scene)),
                       &make(new HourCommand(nullptr, nullptr, &scene)),
                       &make(new ShowLiftCommand(nullptr, nullptr, &scene)),
                       &make(new WindSolverCommand(nullptr, nullptr, &scene))};
};

} // namespace

// A line with the wrong number of words or a value out of range changes nothing and is
// answered with what the command takes and its current value.
TEST_F(AirCommands, ValuesAreCheckedAndARefusedLineChangesNothing) {
    load();
    const std::pair<const char*, bool> lines[] = {
        {"wind 9 90", true},        {"wind 0 360", true},
        {"wind 26 90", false},      {"wind -1 90", false},
        {"wind 9 361", false},      {"wind 9", false},
        {"wind 9 90 3", false},     {"wind nine 90", false},
        {"date 29 2", true},        {"date 31 12", true},
        {"date 31 4", false},       {"date 0 1", false},
        {"date 1 13", false},       {"date 1.5 2", false},
        {"hour 14 0", true},        {"hour 0 59", true},
        {"hour 24 0", false},       {"hour 12 60", false},
        {"hour -1 0", false},       {"hour", false},
        {"showlift 40", true},      {"showlift 0", true},
        {"showlift -5", false},     {"showlift 1001", false},
        {"windsolver exact", true}, {"windsolver relax", true},
        {"windsolver fast", false}};
    for (const auto& [line, accepted] : lines) {
        const auto before = state(scene);
        const std::string answer = run(line), name = std::string(line, std::strcspn(line, " "));
        if (accepted) EXPECT_EQ(answer, "") << line;
        if (accepted) continue;
        EXPECT_EQ(answer.rfind(name + " takes", 0), 0u) << answer;
        EXPECT_NE(answer.find("(now "), std::string::npos) << answer;
        EXPECT_EQ(state(scene), before) << line;
    }
}

// They act on the built world, and a saved game keeps the air; a game without the wind
// keys takes its spot's wind as before.
TEST_F(AirCommands, TheAirIsAppliedAndSaved) {
    writeFile("spot.sav", savedGame(500, 800)); // on "north", whose wind is 3 m/s
    ASSERT_TRUE(scene.readSavedGame("spot.sav"));
    run("wind 6 0");
    scene.build();
    EXPECT_NEAR(scene.windSpeed(), 6.0f, 1e-4f) << "a wind set before the build wins";
    const unsigned rebuilds = scene.windField().generation();
    const auto noon = scene.theLand().sun.direction();
    for (const char* line :
         {"wind 9 90", "date 3 8", "hour 9 45", "windsolver exact", "showlift 40"})
        EXPECT_EQ(run(line), "") << line;
    EXPECT_GT(scene.windField().generation(), rebuilds) << "the field is computed again";
    // North is +y on the test land: a wind from 90 degrees blows along +x.
    EXPECT_NEAR(scene.windField().windAt(500.0f, 500.0f, 10.0f)[0], 9.0f, 1e-3f);
    EXPECT_NE(noon[0], scene.theLand().sun.direction()[0]) << "the sun follows date and hour";
    EXPECT_EQ(scene.liftMap().height(), 40.0f);
    ASSERT_TRUE(scene.writeSavedGame("air.sav"));
    Scene again;
    ASSERT_TRUE(again.readSavedGame("air.sav") && again.build());
    EXPECT_EQ(state(again),
              std::make_tuple(9.0f, 90.0f, 3, 8, 9, 45, 0.0f, WindField::Solve::Exact));

    std::string withoutWind = readFile("air.sav");
    for (const std::string key : {"wind.speed", "wind.dir", "wind.solver"}) {
        const std::size_t at = withoutWind.find(key + " =");
        withoutWind.erase(at, withoutWind.find('\n', at) + 1 - at);
    }
    writeFile("air.sav", withoutWind);
    Scene old;
    ASSERT_TRUE(old.readSavedGame("air.sav") && old.build());
    EXPECT_FLOAT_EQ(old.windSpeed(), 3.0f) << "the spot's wind";
    EXPECT_EQ(old.windField().solverKind(), WindField::Solve::Relax);
}
