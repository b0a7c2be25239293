#include "ui/console/ConsolePage.h"

#include <cassert>

#include "shell/Accessors.h"
#include "ui/console/ConsoleInterpreter.h"
#include "ui/toolkit/WidgetEvents.h"

namespace {

constexpr int versionText = 152;
constexpr int hintText = 151;
constexpr double blinkInterval = 0.5;

std::string tableText(int id) {
    const char* found = ::text(id);
    return found ? found : "";
}

} // namespace

bool ConsolePage::create(const char* newText, int newX, int newY, int newWidth, int newHeight,
                         Widget* parent, Texture* normal, Texture* hover) {
    TextView::create(newText, newX, newY, newWidth, newHeight, parent, normal, hover);
    console.setGeometry(rows, columns);
    addLine(tableText(versionText));
    addLine(tableText(hintText));
    return true;
}

void ConsolePage::addLine(const std::string& line) {
    console.addLine(line);
    publishScrollState();
}

void ConsolePage::registerCommand(Command* command) {
    assert(command && "ConsolePage::registerCommand needs a command; a command registers itself");
    if (command) commands.push_back(command);
}

bool ConsolePage::keyDown(int key) {
    if (!takesKeys()) return true;
    const bool used = console.keyDown(key, [this](const std::string& line) { interpret(line); });
    if (!used) return true;
    publishScrollState();
    return false;
}

bool ConsolePage::characterTyped(int character) {
    if (!takesKeys() || !console.typeCharacter(character)) return true;
    publishScrollState();
    return false;
}

void ConsolePage::interpret(const std::string& line) {
    interpretConsoleLine(line, commands,
                         [this](std::string_view answer) { console.addLine(answer); });
}

// The slider takes its range from the count and rows and its knob from first.
void ConsolePage::publishScrollState() {
    first = console.firstVisible();
    ListEvent event(EventChanged | EventScrolled);
    event.count = console.lineCount();
    event.rows = console.visibleLines();
    event.first = console.firstVisible();
    publish(event);
}

void ConsolePage::blinkCursor() {
    const double now = timeNow();
    if (now - blinkTime < blinkInterval) return;
    cursorOn = !cursorOn;
    blinkTime = now;
}

void ConsolePage::draw() {
    if (takesKeys()) blinkCursor();
    Widget::draw();
    int k = 1;
    for (const std::string& row : console.visibleRows(cursorOn)) {
        if (!row.empty())
            drawString(font, x + margin, y + height - k * charHeight - margin, nullptr,
                       row.c_str());
        ++k;
    }
}

void ConsolePage::onEvent(EventPublisher*, const Event& event) {
    if (!(event.type & EventScrolled)) return;
    switch (event.kind()) {
    case KindRange:
        console.scrollTo(static_cast<int>(static_cast<const RangeEvent&>(event).value));
        break;
    case KindValue:
        console.scrollTo(ValueEvent::intOf(event));
        break;
    default:
        return;
    }
    first = console.firstVisible();
}
