#pragma once

#include <memory>
#include <vector>

#include "ui/toolkit/Widget.h"

/*
===============================================================================
Container: a widget that owns children (in creation order), draws them after
its own panel and title, and routes input to the child under the pointer (the
activeChild, chosen by hitTest and setActive).

Input that no child takes returns "not exclusive": an exclusive container
swallows it. Every container sets up the 2D view when it draws, nested ones too.
Moving a container moves its children and its title with it. Children are
placed inside the client area, the rectangle inset by 6 pixels.
===============================================================================
*/
class Container : public Widget {
  public:
    Container();
    ~Container() override;

    void addChild(Widget* child) override;
    Rect clientRect() const override;
    virtual bool createWithTitle(const char* title, int x, int y, int width, int height,
                                 Widget* parent, Texture* picture);
    virtual void close();

    bool setRect(int newX, int newY, int newWidth, int newHeight) override;
    void setPosition(int newX, int newY) override;
    void setActive(bool isActive) override;
    bool hitTest(int px, int py) override;
    void draw() override;

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

    // Places the container in the middle of a window of that size.
    void centreIn(int windowWidth, int windowHeight);

    const std::vector<std::unique_ptr<Widget>>& children() const { return childList; }

    int titleX = 0;
    int titleY = 0;
    Widget* activeChild = nullptr;

  protected:
    void drawChildren();
    void activateChildAt(int px, int py);

  private:
    std::vector<std::unique_ptr<Widget>> childList;
};
