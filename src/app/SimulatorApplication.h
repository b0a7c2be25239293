#pragma once

#include <memory>

#include "app/Application.h"

/*
===============================================================================
SimulatorApplication: the application the entry point runs. Its start-up adds
the concrete layers to the generic one: splash, scene, info bar, console and
menu, then runs the splash and leaves the menu as the exclusive layer.

Escape opens the menu over the scene and closes the menu (only once a world
exists) or the console; the console key (178) opens the console. Both go to the
input layer first, which may keep them by returning false.

The layers are made by the hooks below (SimulatorApplication_layers.cpp); a
hook that returns null leaves that layer out, and start-up goes on with what
exists.
===============================================================================
*/
class SimulatorApplication : public Application {
  public:
    SimulatorApplication() = default;
    ~SimulatorApplication() override = default;

    bool init(const char* title, int iconId, const char* settingsFile,
              bool fullScreenRequest) override;
    bool keyDown(int key) override;

  protected:
    // The splash at (140, 30), 512 x 512, showing pictures 407 then 432 over 6 s.
    virtual std::unique_ptr<Element> createSplash();
    // The scene, empty until a world is built; not shown yet.
    virtual std::unique_ptr<Element> createScene();
    // The info bar over the whole client area.
    virtual std::unique_ptr<Element> createInfoBar(int clientWidth, int clientHeight);
    // The console window at (0, 0), client width, a third of the client height.
    virtual std::unique_ptr<Element> createConsole(int clientWidth, int clientHeight);
    virtual std::unique_ptr<Element> createMenu();
    // Subscribes the menu to the scene; creates and arranges the info bar's items.
    virtual void connectLayers();
    // Whether the scene holds a built world (the menu can only be closed then).
    virtual bool sceneHasWorld() const;
    // Builds the saved game named by startupGame, as the load page would.
    virtual void loadStartupGame();
    // The scene's own OpenGL objects, around a re-creation of the window.
    void releaseSceneGraphics() override;
    void restoreSceneGraphics() override;

  private:
    void runSplash();
    void escape(Element* input);
};
