#pragma once

#include <memory>
#include <vector>

#include "ui/toolkit/Widget.h"

class Page;

/*
===============================================================================
Menu: the stack of pages the in-window menu runs on. It owns its pages (made
with the Menu as parent) and shows the top of the stack only: drawing, hit
tests and all input go to that page. Escape pops a page when the top page does
not use it and there is one below.

It hears its pages and the scene: type 8 pushes the page whose id is the
event's value, type 64 closes the menu (back to the root page, closeRequested),
type 256 hands the key code to every page's dispatchKey, in page order.
===============================================================================
*/
class Menu : public Widget {
  public:
    Menu();
    ~Menu() override;

    void addChild(Widget* child) override;
    void setRoot(Page* page);
    void push(Page* page);
    void pop();
    void backToRoot();
    void close();
    Page* top() const { return stack.empty() ? nullptr : stack.back(); }
    Page* findPage(int id) const;

    void setActive(bool isActive) override;
    bool hitTest(int px, int py) override;
    void draw() override;
    // The menu follows the window's size.
    void resize(int newWidth, int newHeight) override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    bool keyUp(int key) override;
    bool keyDown(int key) override;
    bool characterTyped(int character) override;
    bool mouseMove(int px, int py) override;
    bool leftButton(int flags, int px, int py, bool down) override;
    bool leftDoubleClick(int flags, int px, int py) override;
    bool middleButton(int flags, int px, int py, bool down) override;
    bool middleDoubleClick(int flags, int px, int py) override;
    bool rightButton(int flags, int px, int py, bool down) override;
    bool rightDoubleClick(int flags, int px, int py) override;

    std::vector<std::unique_ptr<Page>> pages;
    std::vector<Page*> stack; // bottom first

  private:
    void hitTestTop();
};
