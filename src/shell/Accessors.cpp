#include "shell/Accessors.h"

#include "platform/GlWindow.h"
#include "shell/ApplicationServices.h"
#include "ui/text/StringTable.h"

namespace {
// The one application object, see registerApplication.
Application* current = nullptr;
ApplicationServices* services = nullptr;
} // namespace

void registerApplication(Application* application, ApplicationServices* itsServices) {
    current = application;
    services = application ? itsServices : nullptr;
}

Application* theApplication() {
    return current;
}

ApplicationServices* applicationServices() {
    return services;
}

int clientWidth() {
    int width = 0, height = 0;
    if (services) services->window().clientSize(width, height);
    return width;
}

int clientHeight() {
    int width = 0, height = 0;
    if (services) services->window().clientSize(width, height);
    return height;
}

void mousePosition(int& x, int& y) {
    x = y = 0;
    if (services) services->window().mousePosition(x, y);
}

Texture* texture(int resourceId) {
    return services ? services->textureById(resourceId) : nullptr;
}

Font* font(const char* face, int height, bool bold, bool italic) {
    return services ? services->fontFor(face, height, bold, italic) : nullptr;
}

const char* text(int id) {
    if (services) return services->textById(id);
    static StringTable builtIn; // tools and tests without an application still get the texts
    return builtIn.text(id);
}

void showLayer(Element* element, bool topmost, bool exclusive) {
    if (services) services->showLayer(element, topmost, exclusive);
}

void presentNow() {
    if (services) services->presentNow();
}

double timeNow() {
    return services ? services->timerNow() : 0.0;
}

double frameTime() {
    return services ? services->timerElapsed() : 0.0;
}
