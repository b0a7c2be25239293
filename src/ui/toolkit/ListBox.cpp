#include "ui/toolkit/ListBox.h"

#include <algorithm>
#include <cstring>

#include "platform/Keys.h"
#include "ui/toolkit/Draw2d.h"
#include "ui/toolkit/WidgetEvents.h"

ListBox::ListBox() {
    mask = EventSelection | EventChanged | EventActivated | EventScrolled;
}

bool ListBox::create(const char* newText, int newX, int newY, int newWidth, int newHeight,
                     Widget* parent, Texture* normal, Texture* hovered) {
    if (font == nullptr) font = defaultFont("Courier New", 14, false, false);
    Widget::create(newText, newX, newY, newWidth, newHeight, parent);
    normalTexture = normal;
    texture = normal;
    hoverTexture = hovered;
    const TextSize cell = measureText(font, "W");
    charWidth = std::max(1, cell.width);
    charHeight = std::max(1, cell.height);
    rows = std::max(0, (newHeight - 2 * margin) / pitch());
    columns = std::max(0, (newWidth - 2 * margin) / charWidth);
    setBevel(BevelSunken);
    return true;
}

void ListBox::addItem(const std::string& item) {
    if (item.empty()) return;
    items.push_back(item);
    publishList(EventChanged);
}

void ListBox::clear() {
    items.clear();
    first = 0;
    hover = -1;
    selected = -1;
    publishList(EventChanged);
}

const std::string& ListBox::currentText() const {
    return selected >= 0 && selected < count() ? items[selected] : header;
}

int ListBox::lastFirst() const {
    return std::max(0, count() - rows);
}

// Rows count down from the top edge; above the first row or below the last there is none.
int ListBox::rowAt(int py) const {
    const int fromTop = y + height - margin - py;
    if (fromTop < 0) return -1;
    const int row = fromTop / pitch();
    if (row >= rows || first + row >= count()) return -1;
    return row;
}

bool ListBox::mouseMove(int, int py) {
    if (!active) return true;
    const int row = rowAt(py);
    if (row != hover) {
        hover = row;
        publishList(EventHover);
    }
    return false;
}

bool ListBox::leftButton(int, int, int py, bool) {
    if (!active) return true;
    hover = rowAt(py);
    if (hover < 0) return true;
    selected = first + hover;
    publishList(EventSelection);
    return false;
}

bool ListBox::keyUp(int key) {
    if (key == Key::Up) {
        moveSelection(-1);
    } else if (key == Key::Down) {
        moveSelection(1);
    } else {
        return true;
    }
    return false;
}

void ListBox::moveSelection(int step) {
    if (items.empty()) return;
    const int target = std::clamp(selected + step, 0, count() - 1);
    if (target == selected) return;
    selected = target;
    if (selected >= first && selected < first + rows) {
        publishList(EventSelection);
        return;
    }
    first = step < 0 ? selected : std::max(0, selected - rows + 1);
    publishList(EventSelection | EventScrolled);
}

void ListBox::publishList(uint32_t type) {
    ListEvent event(type);
    event.text = currentText().c_str();
    event.count = count();
    event.selected = selected;
    event.rows = rows;
    event.hover = hover;
    event.first = first;
    publish(event);
}

int ListBox::lastIndexOf(const char* item) const {
    for (int i = count() - 1; i >= 0; --i) {
        if (items[i] == item) return i;
    }
    return -1;
}

// Type-ahead: the first item that sorts at or after the typed text, byte by byte.
int ListBox::firstNotBelow(const char* item) const {
    for (int i = 0; i < count(); ++i) {
        if (std::strcmp(items[i].c_str(), item) >= 0) return i;
    }
    return -1;
}

void ListBox::onEvent(EventPublisher*, const Event& event) {
    int index = -1;
    int firstLine = first;
    switch (event.kind()) {
    case KindValue: {
        const char* item = reinterpret_cast<const char*>(event.payload);
        if (event.type & EventChanged) {
            if (item == nullptr) {
                clear();
            } else {
                addItem(item);
            }
            return;
        }
        if (event.type & EventScrolled) {
            firstLine = ValueEvent::intOf(event);
        } else {
            index = lastIndexOf(ValueEvent::textOf(event));
        }
        break;
    }
    case KindText: {
        const auto& textEvent = static_cast<const TextEvent&>(event);
        const char* typed = textEvent.text ? textEvent.text : "";
        if (event.type & EventActivated) {
            int found = lastIndexOf(typed);
            if (found < 0 && *typed != '\0') {
                addItem(typed);
                found = count() - 1;
            }
            if (found >= 0) selected = found;
        } else if (event.type & EventChanged) {
            selected = firstNotBelow(typed);
        }
        break;
    }
    case KindRange:
        index = static_cast<int>(static_cast<const RangeEvent&>(event).value);
        firstLine = index;
        break;
    case KindList: {
        const auto& listEvent = static_cast<const ListEvent&>(event);
        index = listEvent.selected;
        firstLine = listEvent.first;
        break;
    }
    default:
        return;
    }
    if (event.type & EventSelection) selected = index >= 0 && index < count() ? index : -1;
    if (event.type & EventScrolled) first = std::clamp(firstLine, 0, lastFirst());
}

void ListBox::draw() {
    Widget::draw();
    drawSelection();
    const int shownRows = std::min(rows, count() - first);
    for (int k = 1; k <= shownRows; ++k) {
        const std::string& item = items[first + k - 1];
        const std::string cut = item.substr(0, static_cast<std::size_t>(columns));
        drawString(font, x + margin, y + height - k * pitch() - margin + 4, nullptr, cut.c_str());
    }
    if (active) drawHover();
}

void ListBox::drawSelection() const {
    const int k = selected - first;
    if (selected < 0 || k < 0 || k >= rows) return;
    const float colour[3] = {0.3f, 0.3f, 0.5f};
    const int top = y + height - margin - k * pitch();
    fillRect(x + margin, top - pitch(), x + width - margin, top, colour);
}

void ListBox::drawHover() const {
    if (hover < 0 || hover >= rows) return;
    const float colour[3] = {0.4f, 0.4f, 0.8f};
    const int top = y + height - margin - hover * pitch();
    outlineRect(x + 1, top - pitch(), x + width - 1, top, colour);
}
