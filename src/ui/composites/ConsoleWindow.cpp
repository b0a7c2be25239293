#include "ui/composites/ConsoleWindow.h"

#include "ui/toolkit/Slider.h"
#include "ui/toolkit/TextView.h"

bool ConsoleWindow::createWithTitle(const char* title, int newX, int newY, int newWidth,
                                    int newHeight, Widget* parent, Texture* picture) {
    return createWithTitle(title, newX, newY, newWidth, newHeight, parent, picture, nullptr);
}

bool ConsoleWindow::createWithTitle(const char* title, int newX, int newY, int newWidth,
                                    int newHeight, Widget* parent, Texture* picture,
                                    TextView* textPage) {
    Container::createWithTitle(title, newX, newY, newWidth, newHeight, parent, picture);
    const Rect area = clientRect();
    scrollBar = new Slider;
    scrollBar->scrollMode = true;
    scrollBar->setFromStart(false);
    scrollBar->create(nullptr, area.width - 10, 0, 10, area.height, this, nullptr, nullptr,
                      nullptr);
    page = textPage ? textPage : new TextView;
    link(page, scrollBar);
    page->hasFocus = true;
    page->create(nullptr, 0, 0, area.width - 12, area.height, this, nullptr, nullptr);
    return true;
}

bool ConsoleWindow::keyDown(int key) {
    return page->keyDown(key);
}

bool ConsoleWindow::characterTyped(int character) {
    return page->characterTyped(character);
}

bool ConsoleWindow::keyUp(int key) {
    return page->keyUp(key);
}
