#include "platform/Keys.h"
#include "ui/console/ConsoleBuffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void type(ConsoleBuffer& console, const std::string& text) {
    for (char c : text) {
        console.keyDown(static_cast<unsigned char>(c), nullptr);
        console.typeCharacter(static_cast<unsigned char>(c));
    }
}

// Types a line and presses Return, recording what the interpreter received.
void enterLine(ConsoleBuffer& console, const std::string& text,
               std::vector<std::string>* interpreted = nullptr) {
    type(console, text);
    console.keyDown(Key::Return, [&](const std::string& line) {
        if (interpreted) interpreted->push_back(line);
    });
}

ConsoleBuffer makeConsole(int rows, int columns) {
    ConsoleBuffer console;
    console.setGeometry(rows, columns);
    return console;
}

} // namespace

TEST(ConsoleLines, ReturnEchoesTheLineBeforeTheInterpretersOutput) {
    ConsoleBuffer console = makeConsole(10, 40);
    console.addLine("first");
    std::vector<std::string> seen;
    type(console, "help");
    console.keyDown(Key::Return, [&](const std::string& line) {
        seen.push_back(line);
        console.addLine("answer 1");
        console.addLine("answer 2");
    });
    ASSERT_EQ(seen, std::vector<std::string>{"help"});
    EXPECT_EQ(console.outputLines(),
              (std::vector<std::string>{"first", "> help", "answer 1", "answer 2"}));
    EXPECT_EQ(console.input(), "");
    EXPECT_EQ(console.lineCount(), 5) << "the new input line follows the answers";
}

TEST(ConsoleLines, UsedKeysAreReportedAndOthersPassOn) {
    ConsoleBuffer console = makeConsole(10, 40);
    for (int key : {Key::Back, Key::Delete, Key::Home, Key::Left, Key::Right, Key::Up, Key::Down,
                    Key::Return, int('a'), int(' '), int('~'), int('.'), int('%'), 200})
        EXPECT_TRUE(console.keyDown(key, nullptr)) << "key " << key;
    for (int key : {Key::Escape, Key::Console, Key::Tab, Key::F1, Key::PageUp, 127})
        EXPECT_FALSE(console.keyDown(key, nullptr)) << "key " << key;
}

TEST(ConsoleLines, CharactersThatOnceCollidedWithArrowsTypeThemselves) {
    ConsoleBuffer console = makeConsole(10, 40);
    type(console, "a.b%c(d'e&f");
    EXPECT_EQ(console.input(), "a.b%c(d'e&f");
    console.keyDown(Key::Delete, nullptr);
    console.keyDown(Key::Back, nullptr);
    EXPECT_EQ(console.input(), "a.b%c(d'e");
}

TEST(ConsoleView, AddingLinesKeepsTheLastOneInView) {
    ConsoleBuffer console = makeConsole(4, 40);
    console.addLine("a");
    console.addLine("b");
    EXPECT_EQ(console.firstVisible(), 0) << "three lines fit four rows";
    console.addLine("c");
    EXPECT_EQ(console.firstVisible(), 1);
    console.addLine("d");
    EXPECT_EQ(console.firstVisible(), 2);
    const auto rows = console.visibleRows(false);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "c");
    EXPECT_EQ(rows[1], "d");
    EXPECT_EQ(rows[2], "> ");
}

TEST(ConsoleView, ScrollingIsClampedToTheLines) {
    ConsoleBuffer console = makeConsole(3, 40);
    for (int i = 0; i < 10; ++i)
        console.addLine("line " + std::to_string(i));
    EXPECT_EQ(console.lastScrollPosition(), 11 - 3);
    console.scrollTo(-5);
    EXPECT_EQ(console.firstVisible(), 0);
    EXPECT_EQ(console.visibleRows(false).front(), "line 0");
    console.scrollTo(100);
    EXPECT_EQ(console.firstVisible(), 8);
    console.scrollTo(4);
    EXPECT_EQ(console.visibleRows(false).front(), "line 4");
}

TEST(ConsoleView, RowsAreCutAtTheColumnCount) {
    ConsoleBuffer console = makeConsole(5, 6);
    console.addLine("0123456789");
    type(console, "ab");
    const auto rows = console.visibleRows(true);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], "012345");
    EXPECT_EQ(rows[1], "> ab_");
    EXPECT_EQ(console.visibleRows(false)[1], "> ab");
}

TEST(ConsoleHistory, UpOnAnEmptyHistoryLeavesTheInputEmpty) {
    ConsoleBuffer console = makeConsole(10, 40);
    EXPECT_TRUE(console.keyDown(Key::Up, nullptr));
    EXPECT_EQ(console.input(), "");
    EXPECT_EQ(console.historyPosition(), -1);
    console.keyDown(Key::Down, nullptr);
    EXPECT_EQ(console.input(), "");
    EXPECT_EQ(console.historyPosition(), 0);
}

TEST(ConsoleHistory, UpWalksBackThroughTheEntriesThenEmpties) {
    ConsoleBuffer console = makeConsole(10, 40);
    enterLine(console, "one");
    enterLine(console, "two");
    enterLine(console, "three");
    const char* expected[] = {"three", "two", "one", ""};
    for (const char* text : expected) {
        console.keyDown(Key::Up, nullptr);
        EXPECT_EQ(console.input(), text);
    }
    console.keyDown(Key::Up, nullptr);
    EXPECT_EQ(console.input(), "") << "Up past the oldest entry stays empty";
    console.keyDown(Key::Down, nullptr);
    EXPECT_EQ(console.input(), "one");
    console.keyDown(Key::Down, nullptr);
    console.keyDown(Key::Down, nullptr);
    EXPECT_EQ(console.input(), "three");
    console.keyDown(Key::Down, nullptr);
    EXPECT_EQ(console.input(), "");
    console.keyDown(Key::Down, nullptr);
    EXPECT_EQ(console.historyPosition(), 3) << "Down stops at the end of the history";
    console.keyDown(Key::Up, nullptr);
    EXPECT_EQ(console.input(), "three");
}

TEST(ConsoleScroll, ALongInputShowsItsEndWithTheCursor) {
    // Ten columns leave seven for the input beside "> " and "_".
    ConsoleBuffer console = makeConsole(5, 10);
    type(console, "abcdefghijkl");
    EXPECT_EQ(console.inputScroll(), 12 - 7);
    EXPECT_EQ(console.visibleRows(true).back(), "> fghijkl_");
    EXPECT_EQ(console.visibleRows(true).back().size(), 10u);
}

TEST(ConsoleScroll, LeftAndRightMoveTheWindowOverTheInput) {
    ConsoleBuffer console = makeConsole(5, 10);
    type(console, "abcdefghijkl");
    console.keyDown(Key::Home, nullptr);
    EXPECT_EQ(console.visibleRows(false).back(), "> abcdefgh");
    console.keyDown(Key::Left, nullptr);
    EXPECT_EQ(console.inputScroll(), 1);
    EXPECT_EQ(console.visibleRows(true).back(), "> bcdefghi");
    for (int i = 0; i < 10; ++i)
        console.keyDown(Key::Left, nullptr);
    EXPECT_EQ(console.inputScroll(), 5) << "Left stops where the end shows";
    console.keyDown(Key::Right, nullptr);
    EXPECT_EQ(console.inputScroll(), 4);
    for (int i = 0; i < 10; ++i)
        console.keyDown(Key::Right, nullptr);
    EXPECT_EQ(console.inputScroll(), 0) << "Right stops at the start";
}

TEST(ConsoleScroll, ErasingBackIntoTheViewResetsTheScroll) {
    ConsoleBuffer console = makeConsole(5, 10);
    type(console, "abcdefghi"); // 9 characters, scroll 2
    ASSERT_EQ(console.inputScroll(), 2);
    for (int i = 0; i < 7; ++i)
        console.keyDown(Key::Back, nullptr);
    EXPECT_EQ(console.input(), "ab");
    EXPECT_EQ(console.inputScroll(), 0);
    EXPECT_EQ(console.visibleRows(false).back(), "> ab");
}

TEST(ConsoleScroll, ReturnResetsTheScrollAndRecallShowsTheEnd) {
    ConsoleBuffer console = makeConsole(5, 10);
    enterLine(console, "abcdefghijkl");
    EXPECT_EQ(console.inputScroll(), 0);
    EXPECT_EQ(console.outputLines().back(), "> abcdefghijkl");
    console.keyDown(Key::Up, nullptr);
    EXPECT_EQ(console.visibleRows(true).back(), "> fghijkl_");
}
