#include "commands/FakeHost.h"
#include "commands/TestWorld.h"
#include "platform/Keys.h"
#include "ui/commands/AskingCommands.h"
#include "ui/commands/SceneCommands.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/WidgetEvents.h"
#include "world/Scene.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace commandtest;
namespace fs = std::filesystem;

TEST(ExitCommand, AsksFirstAndClosesOnlyOnYes) {
    FakeHost host;
    ExitCommand exit(nullptr, nullptr, nullptr);
    exit.useHost(host);
    Button quit;
    listenTo(exit, quit);

    quit.fire();
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "Quit Ventrix ?");
    EXPECT_EQ(host.questions[0].title, "Warning");
    EXPECT_TRUE(host.questions[0].box->isSubscribed(&exit));
    EXPECT_EQ(host.closeRequests, 0) << "nothing closes while the question is open";

    // "No" sends nothing; a second question answered "Yes" closes.
    quit.fire();
    host.answerYes(1);
    EXPECT_EQ(host.closeRequests, 1);
}

namespace {

class SavingCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        landFile = writeSquareLand("square");
        writeFile("start.sav", savedGameText("square", 500, 500));
    }

    void loadWorld() {
        LoadSceneCommand load(nullptr, nullptr, &scene);
        load.useHost(host);
        load.onEvent(nullptr, ValueEvent::ofText(CommandEvent::Activate, "start.sav"));
        ASSERT_TRUE(scene.isLoaded());
        host.progressBoxes.clear();
    }

    // The save page hands the command the name as a type-8 event.
    void saveAs(SaveSceneCommand& save, const std::string& path) {
        save.onEvent(nullptr, ValueEvent::ofText(CommandEvent::Activate, path.c_str()));
    }

    WorkingFolder folder;
    fs::path landFile;
    Scene scene;
    FakeHost host;
};

} // namespace

TEST_F(SavingCommands, SaveSceneIgnoresEverythingWhileNoWorldIsLoaded) {
    SaveSceneCommand save(nullptr, nullptr, &scene);
    save.useHost(host);
    saveAs(save, "new.sav");
    EXPECT_FALSE(fs::exists("new.sav"));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(SavingCommands, SaveSceneWritesANewFileAtOnce) {
    loadWorld();
    SaveSceneCommand save(nullptr, nullptr, &scene);
    save.useHost(host);
    saveAs(save, "new.sav");
    ASSERT_TRUE(fs::exists("new.sav"));
    EXPECT_NE(readFile("new.sav").find("terrain.name"), std::string::npos);
    EXPECT_EQ(scene.savedGamePath(), "new.sav");
    EXPECT_TRUE(host.questions.empty());
    ASSERT_EQ(host.notices.size(), 1u);
    EXPECT_EQ(host.notices[0].text, "Saving file...");
    EXPECT_EQ(host.notices[0].title, "Waiting...");
    EXPECT_TRUE(host.notices[0].box->closeRequested);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(SavingCommands, SaveSceneAsksBeforeOverwritingAnotherFile) {
    loadWorld();
    writeFile("other.sav", "keep me\n");
    SaveSceneCommand save(nullptr, nullptr, &scene);
    save.useHost(host);
    saveAs(save, "other.sav");
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "File exists. Overwrite ?");
    EXPECT_EQ(host.questions[0].title, "Warning");
    EXPECT_EQ(readFile("other.sav"), "keep me\n");
    host.answerYes(0);
    EXPECT_NE(readFile("other.sav").find("terrain.name"), std::string::npos);
    EXPECT_EQ(scene.savedGamePath(), "other.sav");
}

TEST_F(SavingCommands, SaveSceneOntoTheGamesOwnFileSavesWithoutAsking) {
    loadWorld();
    SaveSceneCommand save(nullptr, nullptr, &scene);
    save.useHost(host);
    scene.setShowWind(true);
    saveAs(save, "start.sav");
    EXPECT_TRUE(host.questions.empty());
    EXPECT_NE(readFile("start.sav").find("wind.show = \"TRUE\""), std::string::npos);
    // The same file by another path is still the game's own file.
    scene.setShowWind(false);
    saveAs(save, "./start.sav");
    EXPECT_TRUE(host.questions.empty());
    EXPECT_NE(readFile("start.sav").find("wind.show = \"FALSE\""), std::string::npos);
}

TEST_F(SavingCommands, EachQuestionSavesThePathItAskedAbout) {
    loadWorld();
    writeFile("a.sav", "old a\n");
    writeFile("b.sav", "old b\n");
    SaveSceneCommand save(nullptr, nullptr, &scene);
    save.useHost(host);
    std::string typed = "a.sav";
    saveAs(save, typed);
    typed = "b.sav"; // the page's field changes while the question is open
    saveAs(save, typed);
    ASSERT_EQ(host.questions.size(), 2u);
    host.answerYes(0);
    EXPECT_NE(readFile("a.sav").find("terrain.name"), std::string::npos);
    EXPECT_EQ(readFile("b.sav"), "old b\n");
    host.answerYes(0);
    EXPECT_EQ(readFile("b.sav"), "old b\n") << "a question is answered once";
    host.answerYes(1);
    EXPECT_NE(readFile("b.sav").find("terrain.name"), std::string::npos);
}

TEST_F(SavingCommands, NamesTheFilesCannotHoldAreRefused) {
    loadWorld();
    SaveSceneCommand save(nullptr, nullptr, &scene);
    save.useHost(host);
    const char* names[] = {"say\"hi.sav", "a//b.sav", "[game].sav", "two\nlines.sav"};
    for (const char* name : names)
        saveAs(save, name);
    EXPECT_EQ(host.messages.size(), std::size(names));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(host.notices.empty());
    for (const char* name : names)
        EXPECT_FALSE(fs::exists(name)) << name;
    EXPECT_FALSE(fs::exists("a")) << "no folder made for a//b.sav";
    EXPECT_EQ(scene.savedGamePath(), "start.sav");
}

TEST_F(SavingCommands, SaveSceneWithoutANameDoesNothing) {
    loadWorld();
    SaveSceneCommand save(nullptr, nullptr, &scene);
    save.useHost(host);
    saveAs(save, "");
    EXPECT_FALSE(save.execute());
    EXPECT_TRUE(host.notices.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(SavingCommands, AFailedSaveIsReported) {
    loadWorld();
    SaveSceneCommand save(nullptr, nullptr, &scene);
    save.useHost(host);
    saveAs(save, "no-such-folder/game.sav");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "File open error");
    EXPECT_EQ(host.messages[0].title, "Error");
    EXPECT_EQ(scene.savedGamePath(), "start.sav");
}

TEST_F(SavingCommands, SaveMapAsksThenRewritesOnlyTheSpotSection) {
    SaveMapCommand saveMap(nullptr, nullptr, &scene);
    saveMap.useHost(host);
    EXPECT_EQ(saveMap.shortcutKey, 'w');
    EXPECT_FALSE(saveMap.onKey('w')) << "no land loaded: nothing to save";
    EXPECT_TRUE(host.questions.empty());

    loadWorld();
    AddSpotCommand addSpot(nullptr, nullptr, &scene);
    addSpot.useHost(host);
    EXPECT_EQ(addSpot.runFromConsole({"ridge", "top"}), "");
    const std::string before = readFile(landFile);

    saveMap.onKey('w');
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "Save land file ?");
    EXPECT_EQ(host.questions[0].title, "Warning");
    EXPECT_EQ(readFile(landFile), before);
    host.answerYes(0);

    const std::string after = readFile(landFile);
    EXPECT_NE(after.find("\"ridge top\""), std::string::npos);
    const std::size_t spots = before.find("[Spot]");
    ASSERT_NE(spots, std::string::npos);
    EXPECT_EQ(after.substr(0, spots), before.substr(0, spots)) << "the land's other lines stay";
    ASSERT_EQ(host.notices.size(), 1u);
    EXPECT_EQ(host.notices[0].text, "Saving file...");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(SavingCommands, AddSpotAsksForTheNameOnItsKey) {
    loadWorld();
    AddSpotCommand addSpot(nullptr, nullptr, &scene);
    addSpot.useHost(host);
    const std::size_t spots = scene.terrain().spots().size();
    EXPECT_EQ(addSpot.shortcutKey, 'v');

    EXPECT_FALSE(addSpot.onKey('V')) << "Shift+v is another key";
    EXPECT_TRUE(host.entries.empty());
    addSpot.onKey('v');
    ASSERT_EQ(host.entries.size(), 1u);
    EXPECT_EQ(host.entries[0].text, "Spot");
    EXPECT_EQ(scene.terrain().spots().size(), spots) << "nothing before the name comes";

    host.enterText(0, "launch");
    ASSERT_EQ(scene.terrain().spots().size(), spots + 1);
    EXPECT_EQ(scene.terrain().spots().back().name, "launch");
}

TEST_F(SavingCommands, AddSpotRefusesNamesALandFileCannotHold) {
    loadWorld();
    AddSpotCommand addSpot(nullptr, nullptr, &scene);
    addSpot.useHost(host);
    const std::size_t spots = scene.terrain().spots().size();
    addSpot.execute();
    host.enterText(0, "bad\"name");
    addSpot.execute();
    host.enterText(1, "");
    EXPECT_EQ(scene.terrain().spots().size(), spots);
    EXPECT_EQ(host.messages.size(), 1u)
        << "the bad name is refused with a message, the empty one quietly";
}

TEST_F(SavingCommands, AddSpotNeedsAWorld) {
    AddSpotCommand addSpot(nullptr, nullptr, &scene);
    addSpot.useHost(host);
    EXPECT_FALSE(addSpot.onKey('v'));
    EXPECT_TRUE(host.entries.empty());
    EXPECT_NE(addSpot.runFromConsole({"x"}), "");
}

TEST(StorableNames, RefuseWhatWouldBreakAKeyValueFile) {
    for (const char* good : {"ridge", "Col de la Croix", "a/b.sav", "50% slope", "it's"})
        EXPECT_TRUE(isStorableName(good)) << good;
    for (const char* bad : {"\"", "a//b", "[x", "a\nb", "a\rb"})
        EXPECT_FALSE(isStorableName(bad)) << bad;
}
