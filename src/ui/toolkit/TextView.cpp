#include "ui/toolkit/TextView.h"

#include <algorithm>

#include "ui/toolkit/WidgetEvents.h"

TextView::TextView() {
    mask = EventActivated | EventScrolled;
}

bool TextView::create(const char* newText, int newX, int newY, int newWidth, int newHeight,
                      Widget* parent, Texture* normal, Texture* hover) {
    if (font == nullptr) font = defaultFont("Courier New", 14, false, false);
    Widget::create(newText, newX, newY, newWidth, newHeight, parent);
    normalTexture = normal;
    texture = normal;
    hoverTexture = hover;
    const TextSize cell = measureText(font, "W");
    charWidth = std::max(1, cell.width);
    charHeight = std::max(1, cell.height);
    rows = std::max(0, (newHeight - 2 * margin) / charHeight);
    columns = std::max(0, (newWidth - 2 * margin) / charWidth);
    setBevel(BevelSunken);
    return true;
}

void TextView::addLine(const std::string& line) {
    lines.push_back(line);
    const int oldFirst = first;
    if (count() >= rows) first = std::max(first, count() - rows + 1);
    publishScroll(first != oldFirst ? EventChanged | EventScrolled : EventChanged);
}

void TextView::scrollTo(int line) {
    first = std::clamp(line, 0, std::max(0, count() - rows));
}

void TextView::publishScroll(uint32_t type) {
    ListEvent event(type);
    event.text = "";
    event.count = count();
    event.rows = rows;
    event.first = first;
    publish(event);
}

void TextView::draw() {
    Widget::draw();
    const int last = std::min(count(), first + rows);
    for (int i = std::max(0, first), k = 1; i < last; ++i, ++k) {
        const std::string cut = lines[i].substr(0, static_cast<std::size_t>(columns));
        if (!cut.empty())
            drawString(font, x + margin, y + height - k * charHeight - margin, nullptr,
                       cut.c_str());
    }
}

void TextView::onEvent(EventPublisher*, const Event& event) {
    std::string line;
    int number = 0;
    switch (event.kind()) {
    case KindList:
        return;
    case KindValue:
        line = ValueEvent::textOf(event);
        number = textToInt(line.c_str());
        break;
    case KindText: {
        const char* typed = static_cast<const TextEvent&>(event).text;
        line = typed ? typed : "";
        number = textToInt(line.c_str());
        break;
    }
    case KindRange:
        number = static_cast<int>(static_cast<const RangeEvent&>(event).value);
        break;
    default:
        return;
    }
    if (event.type & EventActivated) {
        addLine(line);
    } else if (event.type & EventScrolled) {
        scrollTo(number);
    }
}
