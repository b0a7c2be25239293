#include "ui/console/ConsoleBuffer.h"

#include "platform/Keys.h"
#include "platform/Windows1252.h"

#include <algorithm>

namespace {

constexpr std::string_view prompt = "> ";
constexpr std::string_view cursor = "_";

std::string cut(std::string text, int columns) {
    if (static_cast<int>(text.size()) > columns) text.resize(std::max(columns, 0));
    return text;
}

} // namespace

void ConsoleBuffer::setGeometry(int visibleLines, int columnCount) {
    rows = std::max(visibleLines, 1);
    columns = std::max(columnCount, 1);
    scrollToEnd();
    showInputEnd();
}

void ConsoleBuffer::addLine(std::string_view text) {
    outputs.emplace_back(text);
    scrollToEnd();
}

void ConsoleBuffer::scrollToEnd() {
    // Once the lines fill the view, the last one sits one row above the bottom.
    const int count = lineCount();
    if (count >= rows) first = count - rows + 1;
}

int ConsoleBuffer::lastScrollPosition() const {
    return std::max(lineCount() - rows, 0);
}

void ConsoleBuffer::scrollTo(int firstLine) {
    first = std::clamp(firstLine, 0, lastScrollPosition());
}

int ConsoleBuffer::inputColumns() const {
    const int reserved = static_cast<int>(prompt.size() + cursor.size());
    return std::max(columns - reserved, 1);
}

void ConsoleBuffer::showInputEnd() {
    scroll = std::max(inputLength() - inputColumns(), 0);
}

bool ConsoleBuffer::keyDown(int key, const Interpreter& interpret) {
    switch (key) {
    case Key::Back:
    case Key::Delete:
        eraseLast();
        return true;
    case Key::Home:
        scroll = 0;
        return true;
    case Key::Left:
        if (scroll < inputLength() - inputColumns()) ++scroll;
        return true;
    case Key::Right:
        if (scroll > 0) --scroll;
        return true;
    case Key::Up:
        recallHistory(-1);
        return true;
    case Key::Down:
        recallHistory(+1);
        return true;
    case Key::Return:
        enter(interpret);
        return true;
    default:
        break;
    }
    return Key::typesCharacter(key);
}

void ConsoleBuffer::eraseLast() {
    if (inputText.empty()) return;
    inputText.pop_back();
    if (scroll > inputLength() - 1)
        scroll = inputLength() <= inputColumns() ? 0 : inputLength() - inputColumns();
}

bool ConsoleBuffer::typeCharacter(int character) {
    if (!isTypeable(character)) return false;
    inputText.push_back(static_cast<char>(character));
    if (inputLength() > inputColumns() + scroll) scroll = inputLength() - inputColumns();
    return true;
}

void ConsoleBuffer::recallHistory(int step) {
    inputText.clear();
    scroll = 0;
    const int size = static_cast<int>(entered.size());
    historyPos += step;
    if (historyPos < 0) {
        historyPos = -1;
        return;
    }
    if (historyPos >= size) {
        historyPos = size;
        return;
    }
    inputText = entered[historyPos];
    showInputEnd();
}

void ConsoleBuffer::enter(const Interpreter& interpret) {
    const std::string line = inputText;
    addLine(std::string(prompt) + line);
    inputText.clear();
    if (interpret) interpret(line);
    entered.push_back(line);
    scroll = 0;
    historyPos = static_cast<int>(entered.size());
    scrollToEnd();
}

std::vector<std::string> ConsoleBuffer::visibleRows(bool cursorOn) const {
    std::vector<std::string> shown;
    const int last = std::min(first + rows, lineCount());
    for (int index = first; index < last; ++index) {
        if (index < static_cast<int>(outputs.size())) {
            shown.push_back(cut(outputs[index], columns));
            continue;
        }
        std::string row(prompt);
        row += inputText.substr(std::min<std::size_t>(scroll, inputText.size()));
        if (cursorOn) row += cursor;
        shown.push_back(cut(std::move(row), columns));
    }
    return shown;
}
