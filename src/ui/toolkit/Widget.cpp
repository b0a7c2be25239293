#include "ui/toolkit/Widget.h"

#include <cassert>

#include "shell/Accessors.h"

Widget::Widget() : EventSubscriber(0xFFFFF), fill(&normalFill), bevel(&normalBevel) {}

bool Widget::create(const char* newText, int newX, int newY, int newWidth, int newHeight,
                    Widget* parent) {
    text = newText ? newText : "";
    if (font == nullptr) font = defaultFont("Arial", 18, false, false);
    if (parent == nullptr) {
        setRect(newX, newY, newWidth, newHeight);
        return true;
    }
    const Rect area = parent->clientRect();
    setRect(area.x + newX, area.y + newY, newWidth, newHeight);
    subscribe(parent);
    parent->addChild(this);
    return true;
}

void Widget::addChild(Widget*) {}

Rect Widget::clientRect() const {
    return Rect{x, y, width, height};
}

void Widget::onEvent(EventPublisher*, const Event&) {}

// Losing the input also ends the hover look, whoever takes the input away.
void Widget::setActive(bool isActive) {
    const bool wasActive = active;
    active = isActive;
    if (wasActive && !isActive) mouseLeave();
}

void Widget::mouseEnter() {
    fill = &hoverFill;
    bevel = &hoverBevel;
    texture = hoverTexture ? hoverTexture : normalTexture;
}

void Widget::mouseLeave() {
    fill = &normalFill;
    bevel = &normalBevel;
    texture = normalTexture;
}

void Widget::resize(int, int) {}

void Widget::setBevel(int style) {
    switch (style) {
    case BevelNone:
        bevelWidth = 0;
        break;
    case BevelSunken:
    case BevelRaised:
        bevelWidth = 2;
        break;
    case BevelGroove:
    case BevelRidge:
        bevelWidth = 3;
        break;
    default:
        break;
    }
    bevelStyle = style;
}

void link(Widget* a, Widget* b) {
    assert(a && b && "link needs both widgets; create them first");
    if (a == nullptr || b == nullptr) return;
    a->subscribe(b);
    b->subscribe(a);
}

TextSize measureText(const Font* textFont, const std::string& measured) {
    if (textFont == nullptr) return TextSize{};
    return textFont->textExtent(measured.c_str());
}

Font* defaultFont(const char* face, int height, bool bold, bool italic) {
    return ::font(face, height, bold, italic);
}
