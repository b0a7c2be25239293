// The concrete layers of the simulator. Each hook returns null until its layer
// exists; start-up then runs with the layers that do.
#include "shell/SimulatorApplication.h"

#include <cstdio>

std::unique_ptr<Element> SimulatorApplication::createSplash() {
    return nullptr;
}

std::unique_ptr<Element> SimulatorApplication::createScene() {
    return nullptr;
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
    return false;
}

void SimulatorApplication::loadStartupGame() {
    std::fprintf(stderr, "ventrix: no world can be built yet; %s was not loaded\n",
                 startupGame.c_str());
}
