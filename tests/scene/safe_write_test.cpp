// Writes that are cut short: a process killed while it saves a game or a
// land's spots leaves the old file or the new one, whole, never a mix.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "io/KeyValueFile.h"
#include "scene/SceneFixtures.h"
#include "world/Scene.h"

namespace {

using scenetest::landFilePath;
using scenetest::readFile;
using scenetest::TestLand;
using scenetest::WorkingFolder;
using scenetest::writeFile;
using scenetest::writeLand;

// Runs work in a child process and kills it after the given delay.
template <class Work> void killMidway(Work work, std::chrono::microseconds delay) {
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        work();
        _exit(0);
    }
    std::this_thread::sleep_for(delay);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
}

// A land file large enough that writing it takes a while.
TestLand bigLand() {
    TestLand land;
    land.name = "big";
    land.spots = {{"launch", 300.0f, 500.0f, 0.0f, 90.0f, 4.0f, 180.0f}};
    std::string padding;
    for (int i = 0; i < 200000; ++i)
        padding += "// line " + std::to_string(i) + " of notes about the site\n";
    land.preamble = padding;
    return land;
}

// Whole: the text up to the spot section is the original one, and the
// section holds complete seven-line spot blocks, each ended by an empty line.
::testing::AssertionResult isWholeLandFile(const std::string& text, const std::string& original) {
    const std::size_t section = original.find("[Spot]");
    if (text.compare(0, section, original, 0, section) != 0)
        return ::testing::AssertionFailure() << "the text before the spot section changed";
    const std::string spots = text.substr(section);
    std::size_t lines = 0;
    for (char c : spots)
        lines += c == '\n';
    const std::size_t names = [&] {
        std::size_t count = 0;
        for (std::size_t at = spots.find(".name = "); at != std::string::npos;
             at = spots.find(".name = ", at + 1))
            ++count;
        return count;
    }();
    if (lines != 1 + names * 8 || !spots.ends_with("\"\n\n"))
        return ::testing::AssertionFailure() << "a cut spot section: " << spots.substr(0, 200);
    return ::testing::AssertionSuccess();
}

TEST(InterruptedWrites, AKilledSpotSaveLeavesTheLandFileWhole) {
    WorkingFolder folder;
    const std::string path = writeLand(bigLand()).string();
    const std::string original = readFile(path);

    for (int round = 0; round < 6; ++round) {
        const std::string before = readFile(path);
        killMidway(
            [&] {
                Scene scene;
                KeyValueFile game;
                game.openText("terrain.name = \"big\"\n");
                scene.readParams(game);
                KeyValueFile landFile;
                if (!landFile.open(path) || !scene.terrain().Load(landFile)) _exit(1);
                for (int n = 0;; ++n) {
                    scene.addSpot("added " + std::to_string(n));
                    scene.saveLandSpots();
                }
            },
            std::chrono::milliseconds(150 + 70 * round));
        EXPECT_TRUE(isWholeLandFile(readFile(path), original)) << "round " << round;
    }
}

TEST(InterruptedWrites, AKilledGameSaveLeavesTheOldOrTheNewGame) {
    WorkingFolder folder;
    const std::string old = "// my best day\nterrain.name = \"ridge\"\nobs.x = \"1.000000\"\n";
    writeFile("day.sav", old);
    std::string fresh;
    {
        Scene scene;
        KeyValueFile text;
        scene.saveParams(text);
        fresh = text.text();
    }
    for (int round = 0; round < 6; ++round) {
        killMidway(
            [] {
                Scene scene;
                for (;;)
                    scene.writeSavedGame("day.sav");
            },
            std::chrono::microseconds(300 + 900 * round));
        const std::string now = readFile("day.sav");
        EXPECT_TRUE(now == old || now == fresh) << "round " << round << ": " << now;
    }
}

} // namespace
