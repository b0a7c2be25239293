// The concrete layers of the simulator: the start-up pictures, the world, the
// screen information, the console and the menu, and how they are joined.
#include "app/SimulatorApplication.h"

#include <cstdio>

#include "shell/Accessors.h"
#include "ui/composites/Boxes.h"
#include "ui/composites/ConsoleWindow.h"
#include "ui/composites/InfoBar.h"
#include "ui/composites/Menu.h"
#include "ui/composites/ProgressBox.h"
#include "ui/composites/Splash.h"
#include "ui/console/ConsolePage.h"
#include "ui/menu/BuildMenu.h"
#include "world/Scene.h"

namespace {
constexpr int openingText = 42;
constexpr int loadingTitle = 43;
constexpr int openErrorText = 97;
constexpr int errorTitle = 98;
constexpr int SplashX = 140;
constexpr int SplashY = 30;
constexpr int SplashSize = 512;
constexpr double SplashSeconds = 6.0;
} // namespace

std::unique_ptr<Element> SimulatorApplication::createSplash() {
    auto made = std::make_unique<Splash>();
    made->create(SplashX, SplashY, SplashSize, SplashSize, {407, 432}, SplashSeconds);
    return made;
}

std::unique_ptr<Element> SimulatorApplication::createScene() {
    return std::make_unique<Scene>();
}

std::unique_ptr<Element> SimulatorApplication::createInfoBar(int width, int height) {
    auto made = std::make_unique<InfoBar>();
    made->create(0, 0, width, height);
    return made;
}

std::unique_ptr<Element> SimulatorApplication::createConsole(int width, int height) {
    auto made = std::make_unique<ConsoleWindow>();
    made->createWithTitle(nullptr, 0, 0, width, height / 3, nullptr, nullptr, new ConsolePage);
    return made;
}

// The menu's pages own the commands; they act on this application, the scene and
// its observer, and register with the console's page.
std::unique_ptr<Element> SimulatorApplication::createMenu() {
    MenuTargets targets;
    targets.application = this;
    targets.scene = dynamic_cast<Scene*>(scene.get());
    if (targets.scene) targets.observer = &targets.scene->theObserver();
    if (auto* window = dynamic_cast<ConsoleWindow*>(console.get()))
        targets.console = dynamic_cast<ConsolePage*>(window->page);
    return buildMenu(targets);
}

// The menu hears every key the scene reports; the info bar shows the observer's
// values and the frame rate.
void SimulatorApplication::connectLayers() {
    auto* world = dynamic_cast<Scene*>(scene.get());
    if (world && menu) world->subscribe(static_cast<Menu*>(menu.get()));
    if (auto* bar = dynamic_cast<InfoBar*>(infoBar.get()))
        bar->createItems(world ? &world->theObserver() : nullptr, this);
}

bool SimulatorApplication::sceneHasWorld() const {
    const auto* world = dynamic_cast<const Scene*>(scene.get());
    return world != nullptr && world->isLoaded();
}

// As the load page does: read the game, build it behind a progress box, show
// the world, and close the menu so the scene has the input.
void SimulatorApplication::loadStartupGame() {
    auto* world = dynamic_cast<Scene*>(scene.get());
    if (world == nullptr) return;
    if (!world->readSavedGame(startupGame)) {
        std::fprintf(stderr, "ventrix: cannot read the saved game %s\n", startupGame.c_str());
        showMessage(::text(openErrorText), ::text(errorTitle), 1);
        return;
    }
    ProgressBox* progress = showProgress(::text(openingText), ::text(loadingTitle));
    presentNow();
    if (progress) world->subscribe(progress);
    world->build();
    if (progress) {
        world->unsubscribe(progress);
        progress->closeRequested = true;
    }
    showScene();
    applyScreenInfo();
    if (menu && world->isLoaded()) menu->closeRequested = true;
    if (!world->landReady()) {
        // The world stands but its land could not be read: say so rather than show nothing.
        std::fprintf(stderr, "ventrix: the land \"%s\" named by %s cannot be read\n",
                     world->terrain().name().c_str(), startupGame.c_str());
        showMessage(::text(openErrorText), ::text(errorTitle), 1);
    }
}

void SimulatorApplication::releaseSceneGraphics() {
    if (auto* world = dynamic_cast<Scene*>(scene.get())) world->releaseGraphics();
}

void SimulatorApplication::restoreSceneGraphics() {
    if (auto* world = dynamic_cast<Scene*>(scene.get())) world->restoreGraphics();
}
