#include "ui/toolkit/Container.h"

#include <cassert>

#include "shell/Accessors.h"
#include "ui/toolkit/Draw2d.h"

Container::Container() {
    setBevel(BevelRidge);
}

Container::~Container() {
    activeChild = nullptr;
    // Children go in reverse creation order, so a later child never outlives one it links to.
    while (!childList.empty())
        childList.pop_back();
}

void Container::addChild(Widget* child) {
    assert(child && "Container::addChild needs a child; create it first");
    if (child == nullptr) return;
    childList.emplace_back(child);
}

Rect Container::clientRect() const {
    return Rect{x + 6, y + 6, width - 12, height - 12};
}

bool Container::createWithTitle(const char* title, int newX, int newY, int newWidth, int newHeight,
                                Widget* parent, Texture* picture) {
    font = defaultFont("Arial", 18, true, false);
    normalTexture = picture;
    texture = picture;
    create(title, newX, newY, newWidth, newHeight, parent);
    titleX = x + 6;
    titleY = y + height - 22;
    return true;
}

void Container::close() {
    closeRequested = true;
}

bool Container::setRect(int newX, int newY, int newWidth, int newHeight) {
    const int dx = newX - x;
    const int dy = newY - y;
    Element::setRect(newX, newY, newWidth, newHeight);
    if (dx == 0 && dy == 0) return true;
    titleX += dx;
    titleY += dy;
    for (auto& child : childList)
        child->setPosition(child->x + dx, child->y + dy);
    return true;
}

void Container::setPosition(int newX, int newY) {
    setRect(newX, newY, width, height);
}

void Container::setActive(bool isActive) {
    activeChild = nullptr;
    Widget::setActive(isActive);
    if (!isActive) {
        for (auto& child : childList)
            child->setActive(false);
        return;
    }
    int mouseX = 0;
    int mouseY = 0;
    mousePosition(mouseX, mouseY);
    activateChildAt(mouseX, mouseY);
}

// The first child in creation order that the pointer hits takes the input; the
// later ones are not tested, only let go, so none of them keeps a stale hover.
void Container::activateChildAt(int px, int py) {
    for (auto& child : childList) {
        if (activeChild) {
            child->setActive(false);
        } else if (child->hitTest(px, py)) {
            activeChild = child.get();
        }
    }
}

bool Container::hitTest(int px, int py) {
    activeChild = nullptr;
    if (!Element::hitTest(px, py)) {
        for (auto& child : childList)
            child->setActive(false);
        return false;
    }
    activateChildAt(px, py);
    return true;
}

void Container::draw() {
    begin2dView();
    Widget::draw();
    if (!text.empty()) drawString(font, titleX, titleY, nullptr, text.c_str());
    drawChildren();
}

void Container::drawChildren() {
    for (auto& child : childList) {
        if (child->visible) child->draw();
    }
}

void Container::centreIn(int windowWidth, int windowHeight) {
    setPosition((windowWidth - width) / 2, (windowHeight - height) / 2);
}

bool Container::keyUp(int key) {
    return activeChild ? activeChild->keyUp(key) : !exclusive;
}

bool Container::keyDown(int key) {
    return activeChild ? activeChild->keyDown(key) : !exclusive;
}

bool Container::characterTyped(int character) {
    return activeChild ? activeChild->characterTyped(character) : !exclusive;
}

bool Container::mouseMove(int px, int py) {
    return activeChild ? activeChild->mouseMove(px, py) : !exclusive;
}

bool Container::leftButton(int flags, int px, int py, bool down) {
    return activeChild ? activeChild->leftButton(flags, px, py, down) : !exclusive;
}

bool Container::leftDoubleClick(int flags, int px, int py) {
    return activeChild ? activeChild->leftDoubleClick(flags, px, py) : !exclusive;
}

bool Container::middleButton(int flags, int px, int py, bool down) {
    return activeChild ? activeChild->middleButton(flags, px, py, down) : !exclusive;
}

bool Container::middleDoubleClick(int flags, int px, int py) {
    return activeChild ? activeChild->middleDoubleClick(flags, px, py) : !exclusive;
}

bool Container::rightButton(int flags, int px, int py, bool down) {
    return activeChild ? activeChild->rightButton(flags, px, py, down) : !exclusive;
}

bool Container::rightDoubleClick(int flags, int px, int py) {
    return activeChild ? activeChild->rightDoubleClick(flags, px, py) : !exclusive;
}
