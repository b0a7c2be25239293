#include "ui/commands/CommandHost.h"

#include "shell/Accessors.h"
#include "shell/Application.h"
#include "ui/composites/Boxes.h"
#include "ui/composites/InputBox.h"
#include "ui/composites/NoticeBox.h"
#include "ui/composites/ProgressBox.h"
#include "ui/composites/QuestionBox.h"

Application* ApplicationHost::application() const {
    return target ? target : theApplication();
}

void ApplicationHost::requestClose() {
    if (Application* app = application()) app->requestClose();
}

bool ApplicationHost::isFullScreen() const {
    const Application* app = application();
    return app && app->isFullScreen();
}

void ApplicationHost::setFullScreen(bool fullScreen) {
    if (Application* app = application()) app->setFullScreen(fullScreen);
}

std::vector<DisplayMode> ApplicationHost::displayModes(int capacity) const {
    const Application* app = application();
    return app ? app->listDisplayModes(capacity) : std::vector<DisplayMode>{};
}

DisplayMode ApplicationHost::currentMode() const {
    DisplayMode mode;
    if (const Application* app = application()) {
        app->windowSize(mode.width, mode.height);
        mode.bits = app->colourDepth();
    }
    return mode;
}

void ApplicationHost::changeResolution(const DisplayMode& mode) {
    if (Application* app = application()) app->changeResolution(mode.width, mode.height, mode.bits);
}

bool ApplicationHost::screenInfoShown() const {
    const Application* app = application();
    return app && app->showScreenInfo;
}

void ApplicationHost::setScreenInfoShown(bool shown) {
    if (Application* app = application()) app->showScreenInfo = shown;
}

void ApplicationHost::applyScreenInfo() {
    if (Application* app = application()) app->applyScreenInfo();
}

void ApplicationHost::showScene() {
    if (Application* app = application()) app->showScene();
}

void ApplicationHost::presentNow() {
    ::presentNow();
}

EventPublisher* ApplicationHost::ask(const char* text, const char* title, const Event& yesEvent) {
    return ::ask(text, title, AskYes | AskNo, &yesEvent, nullptr, nullptr);
}

EventPublisher* ApplicationHost::askText(const char* caption, const Event& acceptEvent) {
    return ::askText(caption, &acceptEvent, nullptr);
}

void ApplicationHost::showMessage(const char* text, const char* title) {
    ::showMessage(text, title, 1);
}

Widget* ApplicationHost::showProgress(const char* text, const char* title) {
    return ::showProgress(text, title);
}

Widget* ApplicationHost::showNotice(const char* text, const char* title) {
    return ::showNotice(text, title);
}
