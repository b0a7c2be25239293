#include "commands/TestWorld.h"
#include "ui/commands/AirCommands.h"
#include "world/Scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace commandtest;

namespace {

class AirCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        writeSquareLand("square");
        writeFile("start.sav", savedGameText("square", 500, 500));
        commands.emplace_back(std::make_unique<WindCommand>(nullptr, nullptr, &scene));
        commands.emplace_back(std::make_unique<DateCommand>(nullptr, nullptr, &scene));
        commands.emplace_back(std::make_unique<HourCommand>(nullptr, nullptr, &scene));
        commands.emplace_back(std::make_unique<ShowLiftCommand>(nullptr, nullptr, &scene));
        commands.emplace_back(std::make_unique<WindSolverCommand>(nullptr, nullptr, &scene));
    }

    void load(Scene& world, const std::string& path) {
        ASSERT_TRUE(world.readSavedGame(path) && world.build());
    }

    std::string run(const std::string& name, const std::vector<std::string>& words) {
        for (const auto& command : commands)
            if (command->name == name) return command->runFromConsole(words);
        ADD_FAILURE() << "no command " << name;
        return {};
    }

    // Everything the commands can change.
    auto state() {
        const SceneDate& d = scene.sceneDate();
        return std::make_tuple(scene.windSpeed(), scene.windFromDegrees(), d.day(), d.month(),
                               d.hour(), d.minute(), scene.liftHeight(),
                               scene.windField().solverKind());
    }

    WorkingFolder folder;
    Scene scene;
    std::vector<std::unique_ptr<Command>> commands;
};

struct Line {
    const char* command;
    std::vector<std::string> words;
    bool accepted;
};

TEST_F(AirCommands, ValuesAreCheckedAndARefusedLineChangesNothing) {
    load(scene, "start.sav");
    const Line lines[] = {
        {"wind", {"9", "90"}, true},       {"wind", {"0", "360"}, true},
        {"wind", {"26", "90"}, false},     {"wind", {"-1", "90"}, false},
        {"wind", {"9", "361"}, false},     {"wind", {"9"}, false},
        {"wind", {"9", "90", "3"}, false}, {"wind", {"nine", "90"}, false},
        {"date", {"29", "2"}, true},       {"date", {"31", "12"}, true},
        {"date", {"31", "4"}, false},      {"date", {"0", "1"}, false},
        {"date", {"1", "13"}, false},      {"date", {"1.5", "2"}, false},
        {"hour", {"14", "0"}, true},       {"hour", {"0", "59"}, true},
        {"hour", {"24", "0"}, false},      {"hour", {"12", "60"}, false},
        {"hour", {"-1", "0"}, false},      {"hour", {}, false},
        {"showlift", {"40"}, true},        {"showlift", {"0"}, true},
        {"showlift", {"-5"}, false},       {"showlift", {"1001"}, false},
        {"windsolver", {"exact"}, true},   {"windsolver", {"relax"}, true},
        {"windsolver", {"fast"}, false},   {"windsolver", {}, false},
    };
    for (const Line& line : lines) {
        const auto before = state();
        const std::string answer = run(line.command, line.words);
        if (line.accepted) {
            EXPECT_EQ(answer, "") << line.command << " " << line.words.size();
        } else {
            EXPECT_EQ(answer.rfind(std::string(line.command) + " takes", 0), 0u) << answer;
            EXPECT_NE(answer.find("(now "), std::string::npos) << answer;
            EXPECT_EQ(state(), before) << answer;
        }
    }
}

TEST_F(AirCommands, TheyActOnTheBuiltWorld) {
    load(scene, "start.sav");
    const unsigned rebuilds = scene.windField().generation();
    EXPECT_EQ(run("wind", {"9", "90"}), "");
    // North is +y on the test land: a wind from 90 degrees comes from -x.
    EXPECT_GT(scene.windField().generation(), rebuilds) << "the field is computed again";
    EXPECT_NEAR(scene.windField().windAt(500.0f, 500.0f, 10.0f)[0], 9.0f, 1e-3f);
    EXPECT_FLOAT_EQ(scene.windFromDegrees(), 90.0f);

    const auto noon = scene.theLand().sun.direction();
    EXPECT_EQ(run("date", {"21", "6"}), "");
    EXPECT_EQ(run("hour", {"17", "30"}), "");
    const auto evening = scene.theLand().sun.direction();
    EXPECT_NE(noon[0], evening[0]) << "the sun follows the date and hour";
    EXPECT_EQ(scene.sceneDate().month() * 100 + scene.sceneDate().minute(), 630);

    EXPECT_EQ(run("windsolver", {"exact"}), "");
    EXPECT_EQ(scene.windField().solverKind(), WindField::Solve::Exact);

    run("showlift", {"40"});
    EXPECT_EQ(scene.liftMap().height(), 40.0f);
}

TEST_F(AirCommands, ASavedGameKeepsTheAirAndAGameWithoutTheWindKeysTakesTheSpots) {
    // Standing on the "north" spot, whose wind is 3 m/s: a wind set before the
    // world is built wins over it.
    writeFile("spot.sav", savedGameText("square", 500, 800));
    ASSERT_TRUE(scene.readSavedGame("spot.sav"));
    run("wind", {"6", "0"});
    scene.build();
    EXPECT_NEAR(scene.windSpeed(), 6.0f, 1e-4f);
    run("wind", {"12.5", "200"});
    run("date", {"3", "8"});
    run("hour", {"9", "45"});
    run("windsolver", {"exact"});
    ASSERT_TRUE(scene.writeSavedGame("air.sav"));
    const std::string text = readFile("air.sav");
    EXPECT_NE(text.find("wind.speed = \"12.500000\""), std::string::npos);
    EXPECT_NE(text.find("wind.dir = \"200.000000\""), std::string::npos);
    EXPECT_NE(text.find("wind.solver = \"1\""), std::string::npos);

    Scene again;
    load(again, "air.sav");
    EXPECT_NEAR(again.windSpeed(), 12.5f, 1e-4f) << "the saved wind wins over the spot's";
    EXPECT_NEAR(again.windFromDegrees(), 200.0f, 1e-3f);
    const SceneDate& date = again.sceneDate();
    EXPECT_EQ(std::make_tuple(date.day(), date.month(), date.hour(), date.minute()),
              std::make_tuple(3, 8, 9, 45));
    EXPECT_EQ(again.windField().solverKind(), WindField::Solve::Exact);

    std::string withoutWind = text;
    for (const std::string key : {"wind.speed", "wind.dir", "wind.solver"}) {
        const std::size_t at = withoutWind.find(key + " =");
        withoutWind.erase(at, withoutWind.find('\n', at) + 1 - at);
    }
    writeFile("air.sav", withoutWind);
    Scene old;
    load(old, "air.sav");
    EXPECT_FLOAT_EQ(old.windSpeed(), 3.0f) << "the spot's wind, as before";
    EXPECT_EQ(old.windField().solverKind(), WindField::Solve::Relax);
}

} // namespace
