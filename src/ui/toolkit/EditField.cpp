#include "ui/toolkit/EditField.h"

#include <algorithm>
#include <cstdio>

#include "platform/Keys.h"
#include "platform/Windows1252.h"
#include "shell/Accessors.h"
#include "ui/toolkit/WidgetEvents.h"

EditField::EditField() {
    mask = EventSelection | EventChanged | EventScrolled;
}

bool EditField::create(const char* newText, int newX, int newY, int newWidth, int newHeight,
                       Widget* parent, Texture* normal, Texture* hover, bool isMultiLine) {
    if (font == nullptr) font = defaultFont("Courier New", 14, false, false);
    Widget::create(newText, newX, newY, newWidth, newHeight, parent);
    normalTexture = normal;
    texture = normal;
    hoverTexture = hover;
    multiLine = isMultiLine;
    content.clear();
    const int charWidth = std::max(1, measureText(font, "W").width);
    visibleChars = std::max(0, (newWidth - 2 * margin) / charWidth - 1);
    setBevel(BevelSunken);
    return true;
}

void EditField::setContent(const std::string& newContent) {
    content = newContent;
    offset = lastOffset();
}

int EditField::lastOffset() const {
    return std::max(0, length() - visibleChars);
}

uint32_t EditField::erase() {
    if (content.empty()) return 0;
    content.pop_back();
    uint32_t type = EventChanged;
    if (offset > length() - 1) {
        offset = length() < visibleChars ? 0 : length() - visibleChars;
        type |= EventScrolled;
    }
    return type;
}

uint32_t EditField::append(char c) {
    content.push_back(c);
    uint32_t type = EventChanged;
    if (offset + visibleChars < length()) {
        offset = length() - visibleChars;
        type |= EventScrolled;
    }
    return type;
}

bool EditField::keyDown(int key) {
    if (!takesKeys()) return true;
    uint32_t type = 0;
    if (key == Key::Back || key == Key::Delete) {
        type = erase();
    } else if (key == Key::Return) {
        type = multiLine ? append('\n') : EventActivated;
    } else if (key == Key::Home) {
        offset = 0;
        type = EventScrolled;
    } else if (key == Key::Left) {
        if (offset < length() - visibleChars) {
            ++offset;
            type = EventScrolled;
        }
    } else if (key == Key::Right) {
        if (offset > 0) {
            --offset;
            type = EventScrolled;
        }
    } else if (!Key::typesCharacter(key)) { // typed characters come through characterTyped
        return true;
    }
    if (type != 0) publishText(type);
    return false;
}

bool EditField::characterTyped(int character) {
    if (!takesKeys() || !isTypeable(character)) return true;
    publishText(append(static_cast<char>(character)));
    return false;
}

void EditField::publishText(uint32_t type) {
    TextEvent event(type);
    event.text = content.c_str();
    event.length = length();
    event.visibleChars = visibleChars;
    event.offset = offset;
    publish(event);
}

void EditField::draw() {
    if (takesKeys()) {
        const double now = timeNow();
        if (now > lastBlink + 0.5) {
            blinkOn = !blinkOn;
            lastBlink = static_cast<float>(now);
        }
    }
    Widget::draw();
    const std::size_t from = std::min<std::size_t>(std::max(0, offset), content.size());
    std::string shown = content.substr(from, static_cast<std::size_t>(visibleChars));
    if (blinkOn && takesKeys()) shown += '_';
    if (!shown.empty()) drawString(font, x + margin, y + margin, nullptr, shown.c_str());
}

void EditField::onEvent(EventPublisher*, const Event& event) {
    std::string newText;
    int number = 0;
    switch (event.kind()) {
    case KindValue:
        newText = ValueEvent::textOf(event);
        number = textToInt(newText.c_str());
        break;
    case KindText: {
        const auto& textEvent = static_cast<const TextEvent&>(event);
        newText = textEvent.text ? textEvent.text : "";
        number = textEvent.offset;
        break;
    }
    case KindRange: {
        const float value = static_cast<const RangeEvent&>(event).value;
        char printed[64];
        std::snprintf(printed, sizeof printed, "%f", value);
        newText = printed;
        number = static_cast<int>(value);
        break;
    }
    case KindList: {
        const auto& listEvent = static_cast<const ListEvent&>(event);
        newText = listEvent.text ? listEvent.text : "";
        break;
    }
    default:
        return;
    }
    if (event.type & EventSelection) content = newText;
    if (event.type & EventScrolled) offset = std::clamp(number, 0, lastOffset());
}
