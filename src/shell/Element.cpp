#include "shell/Element.h"

bool Element::setRect(int newX, int newY, int newWidth, int newHeight) {
    x = newX;
    y = newY;
    width = newWidth;
    height = newHeight;
    return true;
}

void Element::setPosition(int newX, int newY) {
    x = newX;
    y = newY;
}

void Element::setSize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
}

void Element::setActive(bool isActive) {
    active = isActive;
}

bool Element::keyUp(int) {
    return true;
}
bool Element::keyDown(int) {
    return true;
}
bool Element::characterTyped(int) {
    return true;
}
bool Element::mouseMove(int, int) {
    return true;
}
bool Element::leftButton(int, int, int, bool) {
    return true;
}
bool Element::leftDoubleClick(int, int, int) {
    return true;
}
bool Element::middleButton(int, int, int, bool) {
    return true;
}
bool Element::middleDoubleClick(int, int, int) {
    return true;
}
bool Element::rightButton(int, int, int, bool) {
    return true;
}
bool Element::rightDoubleClick(int, int, int) {
    return true;
}
bool Element::update(double) {
    return true;
}

void Element::resize(int newWidth, int newHeight) {
    width = newWidth;
    height = newHeight;
}

// Both edges count as inside, so a pointer on the border still hits.
bool Element::hitTest(int px, int py) {
    const bool inside = px >= x && px <= x + width && py >= y && py <= y + height;
    const bool changed = inside != active;
    active = inside;
    if (changed) {
        if (inside) {
            mouseEnter();
        } else {
            mouseLeave();
        }
    }
    return inside;
}

void Element::mouseEnter() {}
void Element::mouseLeave() {}
