#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "ui/commands/Command.h"
#include "ui/console/ConsoleInterpreter.h"
#include "ui/console/ConsolePage.h"
#include "ui/toolkit/WidgetEvents.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A command that records how the console ran it.
class RecordingCommand : public Command {
  public:
    RecordingCommand(std::string_view commandName, ConsolePage* console)
        : Command(commandName, 103, CommandEvent::Activate, nullptr, console) {}
    bool execute() override {
        ++runs;
        return true;
    }
    std::string runFromConsole(const std::vector<std::string>& arguments) override {
        received = arguments;
        ++runs;
        return reply;
    }
    int runs = 0;
    std::vector<std::string> received;
    std::string reply;
};

// What a linked scroll bar hears.
class ScrollRecorder : public EventSubscriber {
  public:
    ScrollRecorder() : EventSubscriber(0xFFFFF) {}
    void onEvent(EventPublisher*, const Event& event) override {
        if (event.kind() != KindList) return;
        const auto& list = static_cast<const ListEvent&>(event);
        last = list;
        ++heard;
    }
    ListEvent last{0};
    int heard = 0;
};

// Without a window every character cell measures one pixel: a page of
// (columns + 10) x (rows + 10) pixels holds rows lines of columns characters.
std::unique_ptr<ConsolePage> makeConsole(int rows, int columns) {
    auto console = std::make_unique<ConsolePage>();
    console->hasFocus = true;
    console->create(nullptr, 0, 0, columns + 10, rows + 10, nullptr, nullptr, nullptr);
    return console;
}

void typeLine(ConsolePage& console, const std::string& line) {
    for (char c : line) {
        console.keyDown(static_cast<unsigned char>(c));
        console.characterTyped(static_cast<unsigned char>(c));
    }
    console.keyDown(Key::Return);
}

// The lines printed since the echo of the last entered line.
std::vector<std::string> answerTo(ConsolePage& console, const std::string& line) {
    typeLine(console, line);
    const auto& lines = console.buffer().outputLines();
    std::vector<std::string> answer;
    for (auto it = lines.rbegin(); it != lines.rend() && *it != "> " + line; ++it)
        answer.insert(answer.begin(), *it);
    return answer;
}

const std::string unknown = "unknown command";

} // namespace

TEST(ConsolePage, OpensWithTheVersionAndTheHint) {
    auto console = makeConsole(20, 60);
    EXPECT_EQ(console->buffer().outputLines(),
              (std::vector<std::string>{"Ventrix version 2.0.c",
                                        "Tape help to display the list of commands"}));
    EXPECT_EQ(console->buffer().input(), "");
    EXPECT_EQ(console->buffer().visibleRows(false).back(), "> ");
}

TEST(ConsolePage, HelpListsTheBuiltInWordsThenTheCommandsInRegistrationOrder) {
    auto console = makeConsole(40, 60);
    RecordingCommand exit("exit", console.get());
    RecordingCommand showWind("showwind", console.get());
    RecordingCommand createScene("createscene", console.get());
    EXPECT_EQ(answerTo(*console, "help"),
              (std::vector<std::string>{"help", "version", "exit", "showwind", "createscene"}));
    EXPECT_EQ(answerTo(*console, "version"), std::vector<std::string>{"Ventrix version 2.0.c"});
}

TEST(ConsolePage, OnlyTheExactWordsAreBuiltIn) {
    auto console = makeConsole(40, 60);
    for (const char* line : {" help", "Help", "help ", "versions", "help me", "xyz"})
        EXPECT_EQ(answerTo(*console, line), std::vector<std::string>{unknown}) << line;
    EXPECT_TRUE(answerTo(*console, "").empty());
}

TEST(ConsolePage, TheFirstWordRunsARegisteredCommandWithTheRest) {
    auto console = makeConsole(40, 60);
    RecordingCommand showWind("showwind", console.get());
    RecordingCommand other("observerspeed", console.get());
    EXPECT_TRUE(answerTo(*console, "showwind  1   more").empty());
    EXPECT_EQ(showWind.runs, 1);
    EXPECT_EQ(showWind.received, (std::vector<std::string>{"1", "more"}));
    EXPECT_EQ(other.runs, 0);

    showWind.reply = "first line\nsecond line";
    EXPECT_EQ(answerTo(*console, "showwind"),
              (std::vector<std::string>{"first line", "second line"}));
    EXPECT_TRUE(showWind.received.empty());

    EXPECT_EQ(answerTo(*console, "ShowWind 1"), std::vector<std::string>{unknown});
    EXPECT_EQ(showWind.runs, 2);
}

TEST(ConsolePage, KeysCountOnlyWhileThePageTakesThem) {
    auto console = makeConsole(10, 40);
    console->hasFocus = false;
    console->active = false;
    EXPECT_TRUE(console->keyDown('a'));
    EXPECT_TRUE(console->characterTyped('a'));
    EXPECT_EQ(console->buffer().input(), "");
    console->hasFocus = true;
    EXPECT_FALSE(console->keyDown('a')) << "the press that types is kept from the shortcuts";
    EXPECT_EQ(console->buffer().input(), "") << "the character comes as typed text";
    EXPECT_FALSE(console->characterTyped('a'));
    EXPECT_EQ(console->buffer().input(), "a");
    EXPECT_TRUE(console->keyDown(Key::Escape)) << "Escape goes on to the application";
    EXPECT_TRUE(console->keyDown(Key::Console)) << "so does the console key";
}

TEST(ConsolePage, NewLinesMoveTheScrollBar) {
    auto console = makeConsole(4, 40);
    ScrollRecorder bar;
    console->subscribe(&bar);
    typeLine(*console, "version");
    ASSERT_GT(bar.heard, 0);
    EXPECT_EQ(bar.last.count, console->buffer().lineCount());
    EXPECT_EQ(bar.last.rows, 4);
    EXPECT_EQ(bar.last.first, console->buffer().firstVisible());
    EXPECT_TRUE(bar.last.type & EventChanged);
    EXPECT_TRUE(bar.last.type & EventScrolled);
    EXPECT_EQ(console->buffer().visibleRows(false).back(), "> ") << "the input line is in view";
}

TEST(ConsolePage, DraggingTheScrollBarScrollsTheLines) {
    auto console = makeConsole(3, 40);
    for (int i = 0; i < 6; ++i)
        typeLine(*console, "x");
    console->onEvent(nullptr, RangeEvent(EventScrolled, 0.0f, 0.0f, 10.0f));
    EXPECT_EQ(console->buffer().firstVisible(), 0);
    EXPECT_EQ(console->buffer().visibleRows(false).front(), "Ventrix version 2.0.c");
    console->onEvent(nullptr, RangeEvent(EventScrolled, 99.0f, 0.0f, 99.0f));
    EXPECT_EQ(console->buffer().firstVisible(), console->buffer().lastScrollPosition());
}

TEST(ConsoleWords, AreSplitOnBlanksAndTabsUpToTen) {
    EXPECT_EQ(splitConsoleWords("  showwind \t 1  "), (std::vector<std::string>{"showwind", "1"}));
    EXPECT_TRUE(splitConsoleWords(" \t ").empty());
    EXPECT_EQ(splitConsoleWords("a b c d e f g h i j k l").size(), 10u);
    EXPECT_EQ(splitConsoleWords("a b c d e f g h i j k l").back(), "j");
}
