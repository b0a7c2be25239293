#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

/*
===============================================================================
ConsoleBuffer: the console's text state without any drawing.

Holds the output lines, the input line that always follows them, the window of
visible lines, the history of entered lines and the horizontal scroll of the
input. keyDown edits the input and, on Return, echoes the line as "> text",
hands it to the interpreter (whose addLine calls land between the echo and the
new empty input line), stores it in the history and starts a new input.

The input scroll is the index of the first input character shown. The prompt
"> " and the cursor "_" share the row with the input, so the input scrolls
within the columns left to it and its end is always in view while typing.
===============================================================================
*/
class ConsoleBuffer {
  public:
    using Interpreter = std::function<void(const std::string& line)>;

    void setGeometry(int visibleLines, int columns);

    // Appends an output line above the input line and scrolls so that the
    // input line is in view.
    void addLine(std::string_view text);

    // True when the key was used by the console. A key that types a character is
    // used without typing it: the character comes through typeCharacter.
    bool keyDown(int key, const Interpreter& interpret);
    // Appends a typed Windows-1252 character to the input; false, with nothing
    // changed, for a character that cannot be typed.
    bool typeCharacter(int character);

    // Sets the first visible line, clamped to the lines there are.
    void scrollTo(int firstLine);

    // The rows to draw, top to bottom, each cut to the column count. The input
    // row is "> " and the input from the scroll on, with "_" when cursorOn.
    std::vector<std::string> visibleRows(bool cursorOn) const;

    // Counting the input line as the last line.
    int lineCount() const { return static_cast<int>(outputs.size()) + 1; }
    int firstVisible() const { return first; }
    int visibleLines() const { return rows; }
    int columnCount() const { return columns; }
    // The largest first visible line the scroll bar can reach.
    int lastScrollPosition() const;

    const std::vector<std::string>& outputLines() const { return outputs; }
    const std::string& input() const { return inputText; }
    int inputScroll() const { return scroll; }
    const std::vector<std::string>& history() const { return entered; }
    int historyPosition() const { return historyPos; }

  private:
    int inputColumns() const;
    int inputLength() const { return static_cast<int>(inputText.size()); }
    void scrollToEnd();
    void showInputEnd();
    void eraseLast();
    void recallHistory(int step);
    void enter(const Interpreter& interpret);

    std::vector<std::string> outputs;
    std::string inputText;
    int first = 0;
    int rows = 1;
    int columns = 1;
    std::vector<std::string> entered;
    int historyPos = 0;
    int scroll = 0;
};
