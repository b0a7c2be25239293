#include "ui/composites/Menu.h"

#include <cassert>

#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "ui/composites/Page.h"
#include "ui/toolkit/WidgetEvents.h"

Menu::Menu() {
    mask = EventActivated | EventCloseMenu | EventKey;
}

Menu::~Menu() {
    stack.clear();
    while (!pages.empty())
        pages.pop_back();
}

void Menu::addChild(Widget* child) {
    auto* page = dynamic_cast<Page*>(child);
    assert(page != nullptr && "Only pages can be made with the Menu as parent");
    if (page) pages.emplace_back(page);
}

void Menu::setRoot(Page* page) {
    assert(page && "Menu::setRoot needs a page; build the pages before choosing the root");
    if (page == nullptr) return;
    if (stack.empty()) {
        stack.push_back(page);
    } else {
        stack.front() = page;
    }
}

void Menu::hitTestTop() {
    if (stack.empty()) return;
    int mouseX = 0;
    int mouseY = 0;
    mousePosition(mouseX, mouseY);
    stack.back()->hitTest(mouseX, mouseY);
}

void Menu::push(Page* page) {
    if (page == nullptr || page == top()) return;
    if (!stack.empty()) stack.back()->setActive(false);
    stack.push_back(page);
    page->onShow();
    hitTestTop();
}

void Menu::pop() {
    if (stack.empty()) return;
    stack.back()->setActive(false);
    stack.pop_back();
    hitTestTop();
}

void Menu::backToRoot() {
    if (stack.empty()) return;
    while (stack.size() > 1) {
        stack.back()->setActive(false);
        stack.pop_back();
    }
    hitTestTop();
}

void Menu::close() {
    for (auto& page : pages)
        page->close();
    backToRoot();
    closeRequested = true;
}

Page* Menu::findPage(int id) const {
    for (const auto& page : pages) {
        if (page->pageId == id) return page.get();
    }
    return nullptr;
}

void Menu::setActive(bool isActive) {
    active = isActive;
    if (Page* page = top()) page->setActive(isActive);
}

bool Menu::hitTest(int px, int py) {
    Page* page = top();
    active = page ? page->hitTest(px, py) : false;
    return active;
}

void Menu::draw() {
    if (Page* page = top(); page && page->visible) page->draw();
}

void Menu::resize(int newWidth, int newHeight) {
    Element::resize(newWidth, newHeight);
}

void Menu::onEvent(EventPublisher*, const Event& event) {
    if ((event.type & EventActivated) && event.kind() == KindValue) {
        push(findPage(ValueEvent::intOf(event)));
    }
    if (event.type & EventCloseMenu) close();
    if (event.type & EventKey) {
        const int key = ValueEvent::intOf(event);
        for (std::size_t i = 0; i < pages.size(); ++i)
            pages[i]->dispatchKey(key);
    }
}

bool Menu::keyDown(int key) {
    if (Page* page = top(); page && !page->keyDown(key)) return false;
    if (key == Key::Escape && stack.size() >= 2) {
        pop();
        return false;
    }
    return true;
}

bool Menu::characterTyped(int character) {
    return top() ? top()->characterTyped(character) : true;
}

bool Menu::keyUp(int key) {
    return top() ? top()->keyUp(key) : true;
}

bool Menu::mouseMove(int px, int py) {
    return top() ? top()->mouseMove(px, py) : true;
}

bool Menu::leftButton(int flags, int px, int py, bool down) {
    return top() ? top()->leftButton(flags, px, py, down) : true;
}

bool Menu::leftDoubleClick(int flags, int px, int py) {
    return top() ? top()->leftDoubleClick(flags, px, py) : true;
}

bool Menu::middleButton(int flags, int px, int py, bool down) {
    return top() ? top()->middleButton(flags, px, py, down) : true;
}

bool Menu::middleDoubleClick(int flags, int px, int py) {
    return top() ? top()->middleDoubleClick(flags, px, py) : true;
}

bool Menu::rightButton(int flags, int px, int py, bool down) {
    return top() ? top()->rightButton(flags, px, py, down) : true;
}

bool Menu::rightDoubleClick(int flags, int px, int py) {
    return top() ? top()->rightDoubleClick(flags, px, py) : true;
}
