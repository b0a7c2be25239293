#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

#include "ui/toolkit/Container.h"

/*
===============================================================================
Splash: the start-up picture sequence. Each picture shows for duration / count
seconds, fading in over its first second and out over its last (drawn with
additive blending); update returns false once the last picture has run out.

The splash measures real elapsed time with its own clock, whatever the caller
passes to update, so it lasts its duration however fast frames are presented
(the start-up loop presents frames outside the main loop and its timer).
===============================================================================
*/
class Splash : public Container {
  public:
    using Clock = std::function<double()>; // seconds, any origin

    Splash();
    explicit Splash(Clock clock);

    using Container::create;
    bool create(int x, int y, int width, int height, std::initializer_list<int> imageIds,
                double totalSeconds);
    bool create(int x, int y, int width, int height, std::vector<Texture*> pictures,
                double totalSeconds);

    bool update(double elapsed) override;
    void draw() override;
    // The fade of the picture showing now, 0 to 1.
    float alpha() const { return textureAlpha; }

    std::vector<Texture*> images;
    double duration = 0.0;
    double perImage = 0.0;
    double remaining = 0.0;
    int index = -1;

  private:
    void showImage(int imageIndex);
    void fade();

    Clock clock;
    bool started = false;
    double lastTime = 0.0;
};
