// The concrete layers of the simulator. Each hook returns null until its layer
// exists; start-up then runs with the layers that do.
#include "shell/SimulatorApplication.h"

#include <cstdio>

#include "shell/Accessors.h"
#include "ui/composites/Boxes.h"
#include "ui/composites/ProgressBox.h"
#include "world/Scene.h"

namespace {
constexpr int openingText = 42;
constexpr int loadingTitle = 43;
constexpr int openErrorText = 97;
constexpr int errorTitle = 98;
} // namespace

std::unique_ptr<Element> SimulatorApplication::createSplash() {
    return nullptr;
}

std::unique_ptr<Element> SimulatorApplication::createScene() {
    return std::make_unique<Scene>();
}

std::unique_ptr<Element> SimulatorApplication::createInfoBar(int, int) {
    return nullptr;
}

std::unique_ptr<Element> SimulatorApplication::createConsole(int, int) {
    return nullptr;
}

std::unique_ptr<Element> SimulatorApplication::createMenu() {
    return nullptr;
}

void SimulatorApplication::connectLayers() {}

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
}

void SimulatorApplication::releaseSceneGraphics() {
    if (auto* world = dynamic_cast<Scene*>(scene.get())) world->releaseGraphics();
}

void SimulatorApplication::restoreSceneGraphics() {
    if (auto* world = dynamic_cast<Scene*>(scene.get())) world->restoreGraphics();
}
