#include "app/Application.h"

#include <cassert>

#include <algorithm>
#include <cstdio>

#include "audio/Sound.h"
#include "shell/Accessors.h"
#include "shell/Settings.h"

Application::Application() : EventSubscriber(0xFFFFF) {
    if (!theApplication()) registerApplication(this, this);
}

// Layers first, then the audio device, then strings, fonts and textures (which still
// need the OpenGL context); the window goes last, with the GlWindow part. Boxes still
// open are deleted as if they had left the list.
Application::~Application() {
    const std::vector<Element*> remaining = std::move(layers);
    layers.clear();
    for (Element* layer : remaining) {
        const bool owned = layer == menu.get() || layer == scene.get() || layer == splash.get() ||
                           layer == infoBar.get() || layer == console.get();
        if (layer->deleteWhenRemoved && !owned) delete layer;
    }
    currentInput = nullptr;
    scene.reset();
    infoBar.reset();
    splash.reset();
    menu.reset();
    console.reset();
    if (soundOpen) CloseAudio();
    strings.clear();
    fonts.clear();
    textures.Clear();
    if (theApplication() == this) registerApplication(nullptr, nullptr);
}

bool Application::init(const char* title, int iconResource, const char* settingsFile,
                       bool fullScreenRequest) {
    return openApplication(title, iconResource, settingsFile, fullScreenRequest);
}

bool Application::openApplication(const char* title, int iconResource, const char* settingsFile,
                                  bool fullScreenRequest) {
    const WindowSettings window = loadSettings(settings, settingsFile, fullScreenRequest);
    createWindow(title, iconResource, window.width, window.height, window.colourBits,
                 window.fullScreen);
    timer.start();
    cursor.setTexture(textures.Get(cursorPictureId));
    if (!soundOpen) {
        if (!OpenAudio()) std::fputs("ventrix: no sound device, running silent\n", stderr);
        soundOpen = true;
    }
    setupGlState();
    return true;
}

void Application::run() {
    do {
        const bool handled = pumpOneEvent();
        if (isCreated() && windowActive) {
            update();
            renderFrame();
        } else if (!handled) {
            waitForEvent(); // nothing to draw: sleep until the window wakes up again
        }
    } while (!quitPosted());
}

void Application::presentNow() {
    if (isCreated()) renderFrame();
}

std::size_t Application::layerPosition(const Element* element) const {
    const auto it = std::find(layers.begin(), layers.end(), element);
    return static_cast<std::size_t>(it - layers.begin());
}

bool Application::isShown(const Element* element) const {
    return element && layerPosition(element) < layers.size();
}

// A layer already listed moves to the top instead of being listed twice.
void Application::showLayer(Element* element, bool topmost, bool exclusive) {
    assert(element && "showLayer needs an element; create the layer first");
    if (!element) return;
    const std::size_t listed = layerPosition(element);
    if (listed < layers.size()) layers.erase(layers.begin() + listed);
    element->closeRequested = false;
    element->topmost = topmost;
    element->exclusive = exclusive;
    layers.push_back(element);
    updateFirstDrawn();
    followsMouse = !exclusive;
    if (exclusive) {
        setInputLayer(element);
    } else {
        hoverAtPointer();
    }
    updateCursorShown();
}

void Application::removeLayer(std::size_t position) {
    if (layers.size() < 2 || position >= layers.size()) return; // the last layer stays
    Element* leaving = layers[position];
    layers.erase(layers.begin() + position);
    if (leaving == keyPressLayer) keyPressLayer = nullptr;
    if (leaving == currentInput) {
        if (leaving->exclusive) followsMouse = true;
        currentInput = nullptr;
    }
    if (leaving->deleteWhenRemoved) delete leaving;
    updateFirstDrawn();
    Element* top = layers.back();
    if (top->exclusive) {
        setInputLayer(top);
        followsMouse = false;
    } else {
        hoverAtPointer();
    }
    updateCursorShown();
}

void Application::setInputLayer(Element* element) {
    currentInput = element;
    for (Element* layer : layers)
        layer->setActive(layer == element);
    updateCursorShown();
}

// The scene always lies under every other layer.
void Application::showScene() {
    if (!scene || isShown(scene.get())) return;
    scene->closeRequested = false;
    scene->topmost = false;
    scene->exclusive = false;
    layers.insert(layers.begin(), scene.get());
    updateFirstDrawn();
    if (followsMouse) hoverAtPointer();
    updateCursorShown();
}

void Application::applyScreenInfo() {
    if (!infoBar) return;
    if (showScreenInfo) {
        if (!isShown(infoBar.get())) showLayer(infoBar.get(), false, false);
    } else if (isShown(infoBar.get())) {
        infoBar->closeRequested = true;
    }
}

void Application::updateFirstDrawn() {
    firstDrawnPosition = 0;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (layers[i]->topmost) firstDrawnPosition = i;
    }
}

void Application::updateCursorShown() {
    const bool worldHasInput =
        currentInput && (currentInput == scene.get() || currentInput == splash.get());
    cursor.shown = !worldHasInput;
}

void Application::hoverAtPointer() {
    int x = 0, y = 0;
    readPointer(x, y);
    mouseHover(x, y);
}

// The input layer is the highest layer under the pointer, searched no lower than the
// highest exclusive layer; every layer passed over is told it is inactive.
void Application::mouseHover(int x, int y) {
    if (followsMouse) {
        currentInput = nullptr;
        bool searching = true;
        for (std::size_t i = layers.size(); i-- > 0;) {
            Element* layer = layers[i];
            if (!searching) {
                layer->setActive(false);
                continue;
            }
            if (layer->hitTest(x, y)) {
                currentInput = layer;
                searching = false;
            }
            if (layer->exclusive) searching = false;
        }
    } else if (currentInput) {
        currentInput->hitTest(x, y);
    }
    updateCursorShown();
}

void Application::update() {
    timer.tick();
    if (++frameCount == 20) {
        fps = static_cast<float>(20.0 / (timer.now - fpsTime));
        frameCount = 0;
        fpsTime = static_cast<float>(timer.now);
    }
    publish(Event(frameRateEvent, reinterpret_cast<std::uintptr_t>(&fps)));
    updateLayers();
}

// Each layer gets update, except those that asked to close; the highest of those leaves
// (one per frame), the others in later frames.
void Application::updateLayers() {
    const std::vector<Element*> snapshot = layers; // an update may show or hide layers
    Element* leaving = nullptr;
    for (Element* layer : snapshot) {
        if (!isShown(layer)) continue;
        if (layer->closeRequested) {
            leaving = layer;
        } else if (!layer->update(timer.elapsed)) {
            layer->closeRequested = true;
        }
    }
    if (leaving && isShown(leaving)) removeLayer(layerPosition(leaving));
}

void Application::draw() {
    for (std::size_t i = firstDrawnPosition; i < layers.size(); ++i)
        layers[i]->draw();
    int x = 0, y = 0, width = 0, height = 0;
    readPointer(x, y);
    clientSize(width, height);
    cursor.draw(x, y, width, height);
}

void Application::resize(int width, int height) {
    GlWindow::resize(width, height);
    int clientWidth = 0, clientHeight = 0;
    clientSize(clientWidth, clientHeight);
    for (Element* layer : layers)
        layer->resize(clientWidth, clientHeight);
}

void Application::close() {
    WindowSettings window;
    windowSize(window.width, window.height);
    window.colourBits = colourDepth();
    window.fullScreen = isFullScreen();
    if (!saveSettings(settings, window)) {
        std::fprintf(stderr, "ventrix: cannot write the settings file %s\n",
                     settings.fileName().c_str());
    }
}

void Application::releaseGraphics() {
    releaseSceneGraphics();
    textures.ReleaseAll();
    fonts.deleteAllLists();
}

void Application::restoreGraphics() {
    setupGlState();
    fonts.rebuildAllLists();
    textures.RestoreAll();
    restoreSceneGraphics();
}

bool Application::keyUp(int key) {
    return currentInput ? currentInput->keyUp(key) : true;
}

Element* Application::keyPressTarget() {
    keyPressLayer = currentInput;
    return currentInput;
}

bool Application::keyDown(int key) {
    Element* input = keyPressTarget();
    return input ? input->keyDown(key) : true;
}

// A press that moved the input elsewhere (a shortcut asking for a name, the console
// key) must not type its character into the layer it opened.
bool Application::characterTyped(int character) {
    if (!currentInput || currentInput != keyPressLayer) return true;
    return currentInput->characterTyped(character);
}

bool Application::mouseMove(int x, int y) {
    return currentInput ? currentInput->mouseMove(x, y) : true;
}

bool Application::leftButtonUp(int flags, int x, int y) {
    return currentInput ? currentInput->leftButton(flags, x, y, false) : true;
}

bool Application::leftButtonDown(int flags, int x, int y) {
    return currentInput ? currentInput->leftButton(flags, x, y, true) : true;
}

bool Application::leftDoubleClick(int flags, int x, int y) {
    return currentInput ? currentInput->leftDoubleClick(flags, x, y) : true;
}

bool Application::middleButtonUp(int flags, int x, int y) {
    return currentInput ? currentInput->middleButton(flags, x, y, false) : true;
}

bool Application::middleButtonDown(int flags, int x, int y) {
    return currentInput ? currentInput->middleButton(flags, x, y, true) : true;
}

bool Application::middleDoubleClick(int flags, int x, int y) {
    return currentInput ? currentInput->middleDoubleClick(flags, x, y) : true;
}

bool Application::rightButtonUp(int flags, int x, int y) {
    return currentInput ? currentInput->rightButton(flags, x, y, false) : true;
}

bool Application::rightButtonDown(int flags, int x, int y) {
    return currentInput ? currentInput->rightButton(flags, x, y, true) : true;
}

bool Application::rightDoubleClick(int flags, int x, int y) {
    return currentInput ? currentInput->rightDoubleClick(flags, x, y) : true;
}
