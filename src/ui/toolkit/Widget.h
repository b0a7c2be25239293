#pragma once

#include <cstdint>
#include <string>

#include "shell/Element.h"
#include "shell/Event.h"
#include "ui/text/Font.h"

class Texture;

// Red, green, blue, passed to OpenGL as they are (it clamps them).
struct Colour {
    float rgb[3] = {0.0f, 0.0f, 0.0f};
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

enum BevelStyle {
    BevelNone = 0,
    BevelSunken = 1,
    BevelRaised = 2,
    BevelGroove = 4,
    BevelRidge = 8,
};

/*
===============================================================================
Widget: an Element with a panel look (fill colour or texture, a bevel), a font
and a text, that is also an event subscriber and publisher.

create() places the widget relative to its parent's client area (the stored
rectangle is absolute), makes the parent one of its subscribers (so every
widget reports to its parent) and hands the widget to the parent, which owns it
from then on. Fonts and textures are shared and never owned.

The fill and bevel pointers point at the normal or the hover variant; the
pointer entering and leaving switches them. hasFocus lets a control take keys
while its box holds the input, wherever the pointer is.
===============================================================================
*/
class Widget : public Element, public EventSubscriber, public EventPublisher {
  public:
    Widget();
    ~Widget() override = default;

    virtual bool create(const char* text, int x, int y, int width, int height, Widget* parent);
    // Leaves own nothing: the child is kept by containers only.
    virtual void addChild(Widget* child);
    virtual Rect clientRect() const;

    void onEvent(EventPublisher* publisher, const Event& event) override;
    void setActive(bool isActive) override;
    void mouseEnter() override;
    void mouseLeave() override;
    void draw() override;
    // Widgets keep their size when the window changes; the few that follow it override this.
    void resize(int newWidth, int newHeight) override;

    // 1 sunken, 2 raised, 4 groove, 8 ridge, 0 none; other values keep the width.
    void setBevel(int style);
    bool takesKeys() const { return active || hasFocus; }

    std::string text;
    Texture* texture = nullptr;
    Texture* normalTexture = nullptr;
    Texture* hoverTexture = nullptr; // null: the normal texture
    float textureAlpha = 1.0f;       // below 1 the texture is drawn faded
    const Colour* fill;
    Colour normalFill{0.4f, 0.4f, 0.4f};
    Colour hoverFill{0.5f, 0.5f, 0.5f};
    Font* font = nullptr;
    bool noFill = false;
    int bevelStyle = BevelNone;
    int bevelWidth = 0;
    const Colour* bevel;
    Colour normalBevel{0.5f, 0.5f, 0.5f};
    Colour hoverBevel{0.5f, 0.5f, 0.5f};
    bool hasFocus = false;
};

// Makes each of two widgets a subscriber of the other.
void link(Widget* a, Widget* b);

// Extent of a text in a font; nothing measures 0 by 0.
TextSize measureText(const Font* font, const std::string& text);

// The font a widget uses unless one was set before create.
Font* defaultFont(const char* face, int height, bool bold, bool italic);
