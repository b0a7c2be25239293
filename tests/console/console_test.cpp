#include "platform/Keys.h"
#include "ui/commands/Command.h"
#include "ui/console/ConsoleBuffer.h"
#include "ui/console/ConsoleInterpreter.h"
#include "ui/console/ConsolePage.h"

#include <gtest/gtest.h>

#include <memory>

#include "toolkit/WidgetTestSupport.h"

namespace {
using Lines = std::vector<std::string>;

void type(ConsoleBuffer& console, const std::string& text) {
    for (char c : text) {
        console.keyDown(static_cast<unsigned char>(c), nullptr);
        console.typeCharacter(static_cast<unsigned char>(c));
    }
}

class RecordingCommand : public Command {
  public:
    RecordingCommand(std::string_view commandName, ConsolePage* console)
        : Command(commandName, 103, CommandEvent::Activate, nullptr, console) {}
    bool execute() override { return true; }
    std::string runFromConsole(const std::vector<std::string>& arguments) override {
        received = arguments;
        ++runs;
        return reply;
    }
    int runs = 0;
    Lines received;
    std::string reply;
};

// The lines printed after the echo of the entered line.
Lines answerTo(ConsolePage& console, const std::string& line) {
    for (char c : line) {
        console.keyDown(static_cast<unsigned char>(c));
        console.characterTyped(static_cast<unsigned char>(c));
    }
    console.keyDown(Key::Return);
    const auto& lines = console.buffer().outputLines();
    Lines answer;
    for (auto it = lines.rbegin(); it != lines.rend() && *it != "> " + line; ++it)
        answer.insert(answer.begin(), *it);
    return answer;
}
} // namespace

// Return echoes the line before the answer; the keys the buffer uses are kept from shortcuts.
TEST(ConsoleBuffer, ReturnEchoesTheLineBeforeTheAnswerAndKeepsTheEndInView) {
    ConsoleBuffer console;
    console.setGeometry(4, 40);
    console.addLine("first");
    type(console, "a.b%c(d");
    console.keyDown(Key::Delete, nullptr); // once the codes of arrows: now plain characters
    console.keyDown(Key::Back, nullptr);
    console.keyDown(Key::Return, [&](const std::string& line) {
        EXPECT_EQ(line, "a.b%c");
        console.addLine("answer 1");
        console.addLine("answer 2");
    });
    EXPECT_EQ(console.outputLines(), (Lines{"first", "> a.b%c", "answer 1", "answer 2"}));
    EXPECT_EQ(console.visibleRows(false), (Lines{"answer 1", "answer 2", "> "}));
    for (int key : {Key::Back, Key::Home, Key::Left, Key::Right, Key::Up, int('~'), 200})
        EXPECT_TRUE(console.keyDown(key, nullptr)) << "key " << key;
    for (int key : {Key::Escape, Key::Console, Key::Tab, Key::PageUp, 127})
        EXPECT_FALSE(console.keyDown(key, nullptr)) << "key " << key;
    console.scrollTo(-5);
    EXPECT_EQ(console.visibleRows(false).front(), "first");
}

// Ten columns leave seven for the input beside "> " and "_": Left and Right move the window
// and stop at both ends; Up walks back to an empty line, Down forward past the newest.
TEST(ConsoleBuffer, ALongInputScrollsWithinItsBoundsAndHistoryStopsAtTheEnds) {
    ConsoleBuffer console;
    console.setGeometry(5, 10);
    console.addLine("0123456789ABC");
    type(console, "abcdefghijkl");
    EXPECT_EQ(console.visibleRows(true), (Lines{"0123456789", "> fghijkl_"}));
    console.keyDown(Key::Home, nullptr);
    EXPECT_EQ(console.visibleRows(false).back(), "> abcdefgh");
    for (const auto& [key, times, scroll] : {std::tuple{Key::Left, 1, 1},
                                             {Key::Left, 10, 5},
                                             {Key::Right, 1, 4},
                                             {Key::Right, 10, 0}}) {
        for (int i = 0; i < times; ++i)
            console.keyDown(key, nullptr);
        EXPECT_EQ(console.inputScroll(), scroll);
    }
    EXPECT_FALSE(console.typeCharacter(0x7F)) << "a control character types nothing";
    console.setGeometry(3, 8); // a smaller window shows the input's end
    EXPECT_EQ(console.visibleRows(true).back(), "> hijkl_");
    for (int i = 0; i < 10; ++i)
        console.keyDown(Key::Back, nullptr);
    EXPECT_EQ(std::pair(console.input(), console.inputScroll()), std::pair(std::string("ab"), 0));

    console.keyDown(Key::Back, nullptr);
    console.keyDown(Key::Back, nullptr);
    for (const char* line : {"one", "abcdefghijkl"}) {
        type(console, line);
        console.keyDown(Key::Return, [](const std::string&) {});
    }
    const std::pair<int, const char*> walk[] = {{Key::Up, "abcdefghijkl"},
                                                {Key::Up, "one"},
                                                {Key::Up, ""},
                                                {Key::Up, ""},
                                                {Key::Down, "one"},
                                                {Key::Down, "abcdefghijkl"},
                                                {Key::Down, ""},
                                                {Key::Down, ""},
                                                {Key::Up, "abcdefghijkl"}};
    for (const auto& [key, input] : walk) {
        console.keyDown(key, nullptr);
        EXPECT_EQ(console.input(), input);
    }
    EXPECT_EQ(console.visibleRows(true).back(), "> hijkl_") << "a recalled line shows its end";
}

TEST(ConsolePage, InterpretsBuiltInWordsAndRegisteredCommands) {
    auto console = std::make_unique<ConsolePage>();
    console->hasFocus = true;
    console->create(nullptr, 0, 0, 70, 50, nullptr, nullptr, nullptr); // a pixel a cell
    EXPECT_EQ(console->buffer().outputLines(),
              (Lines{"Ventrix version 2.0.c", "Tape help to display the list of commands"}));
    RecordingCommand showWind("showwind", console.get());
    RecordingCommand other("observerspeed", console.get());
    EXPECT_EQ(answerTo(*console, "help"), (Lines{"help", "version", "showwind", "observerspeed"}));
    EXPECT_EQ(answerTo(*console, "version"), Lines{"Ventrix version 2.0.c"});
    for (const char* line : {" help", "Help", "help me", "ShowWind 1"})
        EXPECT_EQ(answerTo(*console, line), Lines{"unknown command"}) << line;
    EXPECT_TRUE(answerTo(*console, "").empty());
    EXPECT_TRUE(answerTo(*console, "showwind  1   more").empty());
    EXPECT_EQ(showWind.received, (Lines{"1", "more"}));
    showWind.reply = "first line\nsecond line";
    EXPECT_EQ(answerTo(*console, "showwind"), (Lines{"first line", "second line"}));
    EXPECT_EQ(std::pair(showWind.runs, other.runs), std::pair(2, 0));
    EXPECT_EQ(splitConsoleWords(" a\tb c d e f g h i j k l"),
              (Lines{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}));
}

TEST(ConsolePage, KeysCountOnlyWhileItTakesThemAndTheScrollBarMovesTheLines) {
    ConsolePage console;
    console.create(nullptr, 0, 0, 50, 13, nullptr, nullptr, nullptr); // three rows
    EXPECT_TRUE(console.characterTyped('a'));
    EXPECT_EQ(console.buffer().input(), "");
    console.hasFocus = true;
    EXPECT_FALSE(console.keyDown('a')) << "the press that types is kept from the shortcuts";
    EXPECT_FALSE(console.characterTyped('a'));
    EXPECT_EQ(console.buffer().input(), "a");
    EXPECT_TRUE(console.keyDown(Key::Escape));
    console.onEvent(nullptr, RangeEvent(EventScrolled, 0.0f, 0.0f, 10.0f));
    EXPECT_EQ(console.buffer().visibleRows(false).front(), "Ventrix version 2.0.c");
}
