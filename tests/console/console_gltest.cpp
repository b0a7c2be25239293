#include <gtest/gtest.h>

#include <string>

#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "support/GlScreen.h"
#include "ui/commands/Command.h"
#include "ui/composites/ConsoleWindow.h"
#include "ui/console/ConsolePage.h"

namespace {

class NamedCommand : public Command {
  public:
    NamedCommand(std::string_view commandName, ConsolePage* console)
        : Command(commandName, 103, CommandEvent::Activate, nullptr, console) {}
    bool execute() override { return true; }
};

// The console window as the application makes it: the window's width, a third of its height.
struct ConsoleOnScreen {
    ConsoleOnScreen() {
        GlScreen::get();
        page = new ConsolePage;
        window.createWithTitle(nullptr, 0, 0, clientWidth(), clientHeight() / 3, nullptr, nullptr,
                               page);
    }
    void type(const std::string& text) {
        for (char c : text) {
            window.keyDown(static_cast<unsigned char>(c));
            window.characterTyped(static_cast<unsigned char>(c));
        }
    }
    Frame draw(const std::string& shot) {
        GlScreen& screen = GlScreen::get();
        screen.clear();
        window.draw();
        Frame frame = screen.grab();
        frame.save(GlScreen::shotPath(shot));
        return frame;
    }
    // Bright pixels of the text row k (from 1 at the top) between two columns.
    int inkInRow(const Frame& frame, int k, int fromColumn, int toColumn) const {
        const int baseline = page->y + page->height - k * page->charHeight - page->margin;
        const int left = page->x + page->margin;
        return frame.brightPixels(left + fromColumn * page->charWidth, baseline - 3,
                                  left + toColumn * page->charWidth,
                                  baseline + page->charHeight - 3, 160);
    }

    ConsoleWindow window;
    ConsolePage* page = nullptr;
};

} // namespace

TEST(ConsoleDrawing, ShowsTheLinesAndThePromptInTheConsoleFont) {
    ConsoleOnScreen console;
    ConsolePage& page = *console.page;
    EXPECT_GT(page.charWidth, 4);
    EXPECT_GT(page.charHeight, 8);
    EXPECT_EQ(page.buffer().columnCount(), (page.width - 2 * page.margin) / page.charWidth);

    const Frame frame = console.draw("console_opened");
    const std::string version = "Ventrix version 2.0.c";
    EXPECT_GT(console.inkInRow(frame, 1, 0, static_cast<int>(version.size())), 20);
    EXPECT_EQ(console.inkInRow(frame, 1, static_cast<int>(version.size()) + 1,
                               page.buffer().columnCount()),
              0)
        << "nothing after the version text";
    EXPECT_GT(console.inkInRow(frame, 2, 0, 10), 20) << "the hint";
    EXPECT_GT(console.inkInRow(frame, 3, 0, 1), 3) << "the prompt";
    EXPECT_EQ(console.inkInRow(frame, 4, 0, page.buffer().columnCount()), 0);
}

TEST(ConsoleDrawing, ALongInputShowsItsEndAndStaysInsideThePage) {
    ConsoleOnScreen console;
    ConsolePage& page = *console.page;
    const int columns = page.buffer().columnCount();
    console.type(std::string(static_cast<std::size_t>(columns) * 2, 'm'));
    const Frame frame = console.draw("console_long_input");
    const int inputRow = page.buffer().lineCount() - page.buffer().firstVisible();
    EXPECT_GT(console.inkInRow(frame, inputRow, columns - 3, columns - 1), 10)
        << "the input runs up to the end of the row";
    const int textEnd = page.x + page.margin + columns * page.charWidth;
    const int baseline = page.y + page.height - inputRow * page.charHeight - page.margin;
    EXPECT_EQ(frame.brightPixels(textEnd, baseline - 3, page.x + page.width - 3,
                                 baseline + page.charHeight - 3, 160),
              0)
        << "the row is cut at the last column, short of the scroll bar";
}

TEST(ConsoleDrawing, HelpFillsTheViewAndKeepsTheNewInputInView) {
    ConsoleOnScreen console;
    std::vector<std::unique_ptr<NamedCommand>> commands;
    for (int i = 0; i < 30; ++i)
        commands.push_back(
            std::make_unique<NamedCommand>("command" + std::to_string(i), console.page));
    console.type("help");
    console.window.keyDown(Key::Return);
    const ConsoleBuffer& buffer = console.page->buffer();
    EXPECT_GT(buffer.firstVisible(), 0);
    const Frame frame = console.draw("console_help");
    const int inputRow = buffer.lineCount() - buffer.firstVisible();
    ASSERT_LE(inputRow, buffer.visibleLines());
    EXPECT_GT(console.inkInRow(frame, inputRow, 0, 1), 3) << "the new prompt shows";
    EXPECT_GT(console.inkInRow(frame, inputRow, 2, 3), 2) << "with the cursor after it";
    EXPECT_GT(console.inkInRow(frame, inputRow - 1, 0, 9), 20) << "the last command name above it";
}
