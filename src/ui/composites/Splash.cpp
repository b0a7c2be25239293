#include "ui/composites/Splash.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>

#include "shell/Accessors.h"

namespace {
double steadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

Splash::Splash() : Splash(steadySeconds) {}

Splash::Splash(Clock splashClock) : clock(std::move(splashClock)) {}

bool Splash::create(int newX, int newY, int newWidth, int newHeight,
                    std::initializer_list<int> imageIds, double totalSeconds) {
    std::vector<Texture*> pictures;
    for (int id : imageIds)
        pictures.push_back(::texture(id));
    return create(newX, newY, newWidth, newHeight, std::move(pictures), totalSeconds);
}

bool Splash::create(int newX, int newY, int newWidth, int newHeight, std::vector<Texture*> pictures,
                    double totalSeconds) {
    Widget::create(nullptr, newX, newY, newWidth, newHeight, nullptr);
    setBevel(BevelNone); // a frame would not fade with the pictures
    images = std::move(pictures);
    duration = std::max(0.0, totalSeconds);
    perImage = images.empty() ? 0.0 : duration / static_cast<double>(images.size());
    remaining = 0.0;
    index = -1;
    textureAlpha = 0.0f;
    return true;
}

bool Splash::update(double) {
    const double now = clock();
    if (!started) {
        started = true;
        lastTime = now;
    }
    remaining -= now - lastTime;
    lastTime = now;
    const int count = static_cast<int>(images.size());
    while (remaining <= 0.0) {
        if (index + 1 >= count) {
            textureAlpha = 0.0f;
            return false;
        }
        showImage(index + 1);
        // Carry the overshoot, so a slow frame does not stretch the sequence.
        remaining += perImage;
    }
    fade();
    return true;
}

void Splash::showImage(int imageIndex) {
    index = imageIndex;
    normalTexture = images[index];
    hoverTexture = nullptr;
    texture = images[index];
}

void Splash::fade() {
    const double shown = perImage - remaining;
    const double level = std::min({1.0, shown, remaining});
    textureAlpha = static_cast<float>(std::clamp(level, 0.0, 1.0));
}

void Splash::draw() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    Container::draw();
    glDisable(GL_BLEND);
}
