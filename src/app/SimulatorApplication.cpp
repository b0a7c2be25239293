#include "app/SimulatorApplication.h"

#include "platform/Keys.h"

bool SimulatorApplication::init(const char* title, int iconResource, const char* settingsFile,
                                bool fullScreenRequest) {
    if (!openApplication(title, iconResource, settingsFile, fullScreenRequest)) return false;
    splash = createSplash();
    if (splash) {
        showLayer(splash.get(), false, false);
        splash->update(0.0);
        presentNow();
    }
    strings.bind(); // the program's own texts
    int width = 0, height = 0;
    clientSize(width, height);
    scene = createScene();
    infoBar = createInfoBar(width, height);
    console = createConsole(width, height);
    menu = createMenu();
    connectLayers();
    runSplash();
    if (menu) showLayer(menu.get(), false, true);
    if (splash) splash->closeRequested = true; // the first frame takes it off
    if (!startupGame.empty()) loadStartupGame();
    return true;
}

// The splash advances by the real time between its frames, so it lasts as long on a
// fast machine as on a slow one.
void SimulatorApplication::runSplash() {
    if (!splash) return;
    timer.tick();
    double step = 0.01;
    while (splash->update(step)) {
        presentNow();
        timer.tick();
        step = timer.elapsed;
    }
}

bool SimulatorApplication::keyDown(int key) {
    Element* input = keyPressTarget();
    if (input && !input->keyDown(key)) return false; // the layer kept the key
    if (key == Key::Escape) {
        escape(input);
    } else if (key == Key::Console && console && input != console.get()) {
        showLayer(console.get(), false, true);
    }
    return true;
}

void SimulatorApplication::escape(Element* input) {
    if (!input) return;
    if (input == scene.get()) {
        if (menu) showLayer(menu.get(), false, true);
    } else if (input == menu.get()) {
        if (sceneHasWorld()) menu->closeRequested = true;
    } else if (input == console.get()) {
        console->closeRequested = true;
    }
}
