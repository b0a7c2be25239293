#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Texture.h" // complete before the cache, whose inline constructor needs it

#include "app/CursorSprite.h"
#include "gfx/ResourceTextureCache.h"
#include "io/KeyValueFile.h"
#include "platform/GlWindow.h"
#include "shell/ApplicationServices.h"
#include "shell/Element.h"
#include "shell/Event.h"
#include "shell/FrameTimer.h"
#include "ui/text/Font.h"
#include "ui/text/StringTable.h"

/*
===============================================================================
Application: the one application object. It owns the window, the settings,
the texture, font and string caches and the main layers, runs the main loop
and keeps the layer list through which everything is drawn and gets input.

The layer list holds non-owning Element pointers, bottom first; only layers
shown with deleteWhenRemoved are deleted when they leave. Layers are drawn from
the highest topmost one upwards and all get update every frame. Input goes to
the input layer: the exclusive layer on top if there is one, else the highest
layer under the pointer, never one below an exclusive layer.

It publishes the frame rate event (type 1, payload: pointer to the float fps)
every frame. Constructing it makes it theApplication() when none exists; the
layers below reach it as ApplicationServices through the accessors.
===============================================================================
*/
class Application : public GlWindow,
                    public ApplicationServices,
                    public EventSubscriber,
                    public EventPublisher {
  public:
    static constexpr std::uint32_t frameRateEvent = 1;
    static constexpr int cursorPictureId = 199;

    Application();
    ~Application() override;

    // Settings, window, timer, pointer, audio and OpenGL state. Throws FatalError when
    // the window cannot be made.
    virtual bool init(const char* title, int iconId, const char* settingsFile,
                      bool fullScreenRequest);
    // The main loop, until the window was closed.
    void run();

    void showLayer(Element* element, bool topmost, bool exclusive) override;
    void removeLayer(std::size_t position);
    void setInputLayer(Element* element);
    bool isShown(const Element* element) const;
    // Shows the scene at the bottom of the list (not topmost, not exclusive).
    void showScene() override;
    // Shows or closes the info bar as showScreenInfo says.
    void applyScreenInfo() override;
    // Clears, draws every layer and swaps once, outside the main loop.
    void presentNow() override;

    GlWindow& window() override { return *this; }
    const GlWindow& window() const override { return *this; }
    Texture* textureById(int resourceId) override { return textures.Get(resourceId); }
    Font* fontFor(const char* face, int height, bool bold, bool italic) override {
        return fonts.get(face, height, bold, italic);
    }
    const char* textById(int id) override { return strings.text(id); }
    double timerNow() const override { return timer.now; }
    double timerElapsed() const override { return timer.elapsed; }
    bool screenInfoShown() const override { return showScreenInfo; }
    void setScreenInfoShown(bool shown) override { showScreenInfo = shown; }

    std::size_t layerCount() const { return layers.size(); }
    Element* layerAt(std::size_t position) const { return layers.at(position); }
    // Position in the list, or layerCount() when the element is not listed.
    std::size_t layerPosition(const Element* element) const;
    Element* inputLayer() const { return currentInput; }
    std::size_t firstDrawn() const { return firstDrawnPosition; }
    bool inputFollowsMouse() const { return followsMouse; }

    void close() override;
    void resize(int width, int height) override;
    void draw() override;
    void update() override;
    void mouseHover(int x, int y) override;
    void releaseGraphics() override;
    void restoreGraphics() override;
    bool keyUp(int key) override;
    bool keyDown(int key) override;
    bool characterTyped(int character) override;
    bool mouseMove(int x, int y) override;
    bool leftButtonUp(int flags, int x, int y) override;
    bool leftButtonDown(int flags, int x, int y) override;
    bool leftDoubleClick(int flags, int x, int y) override;
    bool middleButtonUp(int flags, int x, int y) override;
    bool middleButtonDown(int flags, int x, int y) override;
    bool middleDoubleClick(int flags, int x, int y) override;
    bool rightButtonUp(int flags, int x, int y) override;
    bool rightButtonDown(int flags, int x, int y) override;
    bool rightDoubleClick(int flags, int x, int y) override;
    void onEvent(EventPublisher*, const Event&) override {}

    KeyValueFile settings;
    FrameTimer timer;
    float fps = 0.0f;
    std::uint32_t frameCount = 0;
    float fpsTime = 0.0f;
    ResourceTextureCache textures;
    FontCache fonts;
    StringTable strings;
    // The main layers, owned here and deleted in this order: scene, infoBar, splash,
    // menu, console. Null until the subclass creates them.
    std::unique_ptr<Element> menu;
    std::unique_ptr<Element> scene;
    std::unique_ptr<Element> splash;
    std::unique_ptr<Element> infoBar;
    std::unique_ptr<Element> console;
    bool showScreenInfo = true;
    CursorSprite cursor;
    bool soundOpen = false;
    // The saved game named on the command line ("--load FILE.sav"); empty for none.
    std::string startupGame;

  protected:
    // Steps 1 to 5 of the start-up, shared by every application.
    bool openApplication(const char* title, int iconId, const char* settingsFile,
                         bool fullScreenRequest);
    // The pointer position in client coordinates, y up (tests may stand in for it).
    virtual void readPointer(int& x, int& y) const { mousePosition(x, y); }
    // The input layer, remembered as the one this key press went to: the character the
    // press types reaches that layer only.
    Element* keyPressTarget();
    // The scene's own OpenGL objects, around a re-creation of the window.
    virtual void releaseSceneGraphics() {}
    virtual void restoreSceneGraphics() {}

  private:
    void updateFirstDrawn();
    void updateCursorShown();
    void hoverAtPointer();
    void updateLayers();

    std::vector<Element*> layers;
    Element* currentInput = nullptr;
    Element* keyPressLayer = nullptr;
    std::size_t firstDrawnPosition = 0;
    bool followsMouse = true;
};
