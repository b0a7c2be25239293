#pragma once

/*
===============================================================================
Element: root of everything that can be shown as a layer (scene, menu, console,
splash, info bar, boxes) and of every widget.

The rectangle is in window pixels, origin at the bottom-left corner, y upwards.
Input operations return true when they leave the input to others and false when
they consumed it. update returns false when the element wants to leave the
layer list (it is marked closeRequested and removed in a later frame).
===============================================================================
*/
class Element {
  public:
    Element() = default;
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;
    virtual ~Element() = default;

    virtual bool setRect(int x, int y, int width, int height);
    virtual void setPosition(int x, int y);
    virtual void setSize(int width, int height);
    virtual void setActive(bool active);
    virtual bool keyUp(int key);
    virtual bool keyDown(int key);
    // A character typed by the keyboard layout (a Windows-1252 byte); text fields take
    // it, everything else leaves it.
    virtual bool characterTyped(int character);
    virtual bool mouseMove(int x, int y);
    virtual bool leftButton(int flags, int x, int y, bool down);
    virtual bool leftDoubleClick(int flags, int x, int y);
    virtual bool middleButton(int flags, int x, int y, bool down);
    virtual bool middleDoubleClick(int flags, int x, int y);
    virtual bool rightButton(int flags, int x, int y, bool down);
    virtual bool rightDoubleClick(int flags, int x, int y);
    virtual void draw() = 0;
    virtual bool update(double elapsed);
    virtual void resize(int width, int height);
    virtual bool hitTest(int x, int y);
    virtual void mouseEnter();
    virtual void mouseLeave();

    bool visible = true;
    bool active = false;
    bool deleteWhenRemoved = false;
    bool exclusive = false;
    bool closeRequested = false;
    bool topmost = false;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
