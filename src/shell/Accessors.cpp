#include "shell/Accessors.h"

#include "shell/Application.h"

namespace {
Application* current = nullptr; // the one application object, see registerApplication
}

void registerApplication(Application* application) {
    current = application;
}

Application* theApplication() {
    return current;
}

int clientWidth() {
    int width = 0, height = 0;
    if (current) current->clientSize(width, height);
    return width;
}

int clientHeight() {
    int width = 0, height = 0;
    if (current) current->clientSize(width, height);
    return height;
}

void mousePosition(int& x, int& y) {
    x = y = 0;
    if (current) current->mousePosition(x, y);
}

Texture* texture(int resourceId) {
    return current ? current->textures.Get(resourceId) : nullptr;
}

Font* font(const char* face, int height, bool bold, bool italic) {
    return current ? current->fonts.get(face, height, bold, italic) : nullptr;
}

const char* text(int id) {
    if (current) return current->strings.text(id);
    static StringTable builtIn; // tools and tests without an application still get the texts
    return builtIn.text(id);
}

void showLayer(Element* element, bool topmost, bool exclusive) {
    if (current) current->showLayer(element, topmost, exclusive);
}

void presentNow() {
    if (current) current->presentNow();
}

double timeNow() {
    return current ? current->timer.now : 0.0;
}

double frameTime() {
    return current ? current->timer.elapsed : 0.0;
}
