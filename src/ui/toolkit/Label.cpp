#include "ui/toolkit/Label.h"

#include <cstdio>

#include "ui/toolkit/WidgetEvents.h"

Label::Label() {
    mask = EventSelection | EventChanged | EventShown;
}

bool Label::create(const char* newText, int newX, int newY, int newWidth, int newHeight,
                   Widget* parent, Texture* picture) {
    Widget::create(nullptr, newX, newY, newWidth, newHeight, parent);
    setText(newText);
    normalTexture = picture;
    texture = picture;
    return true;
}

void Label::setText(const char* newText) {
    text = newText ? newText : "";
    layoutText();
}

void Label::layoutText() {
    const TextSize size = measureText(font, text);
    const int capital = static_cast<int>(size.height * 0.6);
    textY = y + (height - capital) / 2;
    switch (align) {
    case AlignCentre:
        textX = x + (width - size.width) / 2;
        break;
    case AlignRight:
        textX = x + width - margin - size.width;
        break;
    default:
        textX = x + margin;
        break;
    }
}

bool Label::setRect(int newX, int newY, int newWidth, int newHeight) {
    Widget::setRect(newX, newY, newWidth, newHeight);
    layoutText();
    return true;
}

void Label::setPosition(int newX, int newY) {
    Widget::setPosition(newX, newY);
    layoutText();
}

void Label::draw() {
    Widget::draw();
    drawText();
}

void Label::drawText() const {
    const std::string shown = shownText();
    if (!shown.empty()) drawString(font, textX, textY, nullptr, shown.c_str());
}

void Label::onEvent(EventPublisher*, const Event& event) {
    switch (event.kind()) {
    case KindValue:
        setText(ValueEvent::textOf(event));
        break;
    case KindText:
        setText(static_cast<const TextEvent&>(event).text);
        break;
    case KindList:
        setText(static_cast<const ListEvent&>(event).text);
        break;
    case KindRange: {
        char shown[64];
        std::snprintf(shown, sizeof shown, "%.1f", static_cast<const RangeEvent&>(event).value);
        setText(shown);
        break;
    }
    default:
        break;
    }
}
