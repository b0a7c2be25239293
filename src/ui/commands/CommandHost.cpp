#include "ui/commands/CommandHost.h"

#include "platform/GlWindow.h"
#include "shell/Accessors.h"
#include "shell/ApplicationServices.h"
#include "ui/composites/Boxes.h"
#include "ui/composites/InputBox.h"
#include "ui/composites/NoticeBox.h"
#include "ui/composites/ProgressBox.h"
#include "ui/composites/QuestionBox.h"

ApplicationServices* ApplicationHost::application() const {
    return target ? target : applicationServices();
}

void ApplicationHost::requestClose() {
    if (ApplicationServices* app = application()) app->window().requestClose();
}

bool ApplicationHost::isFullScreen() const {
    const ApplicationServices* app = application();
    return app && app->window().isFullScreen();
}

void ApplicationHost::setFullScreen(bool fullScreen) {
    if (ApplicationServices* app = application()) app->window().setFullScreen(fullScreen);
}

std::vector<DisplayMode> ApplicationHost::displayModes(int capacity) const {
    const ApplicationServices* app = application();
    return app ? app->window().listDisplayModes(capacity) : std::vector<DisplayMode>{};
}

DisplayMode ApplicationHost::currentMode() const {
    DisplayMode mode;
    if (const ApplicationServices* app = application()) {
        app->window().windowSize(mode.width, mode.height);
        mode.bits = app->window().colourDepth();
    }
    return mode;
}

void ApplicationHost::changeResolution(const DisplayMode& mode) {
    ApplicationServices* app = application();
    if (app) app->window().changeResolution(mode.width, mode.height, mode.bits);
}

bool ApplicationHost::screenInfoShown() const {
    const ApplicationServices* app = application();
    return app && app->screenInfoShown();
}

void ApplicationHost::setScreenInfoShown(bool shown) {
    if (ApplicationServices* app = application()) app->setScreenInfoShown(shown);
}

void ApplicationHost::applyScreenInfo() {
    if (ApplicationServices* app = application()) app->applyScreenInfo();
}

void ApplicationHost::showScene() {
    if (ApplicationServices* app = application()) app->showScene();
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
