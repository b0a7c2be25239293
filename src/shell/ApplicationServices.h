#pragma once

class Element;
class Font;
class GlWindow;
class Texture;

/*
===============================================================================
ApplicationServices: what the code below the application may ask of it.

The one Application implements it and registers itself with
registerApplication. The accessors (Accessors.h) and the commands' host reach
the application only through this, so no layer below the application includes
its header: the build gives them no path to it.
===============================================================================
*/
class ApplicationServices {
  public:
    virtual GlWindow& window() = 0;
    virtual const GlWindow& window() const = 0;

    virtual Texture* textureById(int resourceId) = 0;
    virtual Font* fontFor(const char* face, int height, bool bold, bool italic) = 0;
    virtual const char* textById(int id) = 0;
    // The frame timer's reading and the length of the last frame, in seconds.
    virtual double timerNow() const = 0;
    virtual double timerElapsed() const = 0;

    virtual void showLayer(Element* element, bool topmost, bool exclusive) = 0;
    virtual void presentNow() = 0;
    virtual void showScene() = 0;
    virtual bool screenInfoShown() const = 0;
    virtual void setScreenInfoShown(bool shown) = 0;
    virtual void applyScreenInfo() = 0;

  protected:
    ~ApplicationServices() = default;
};
