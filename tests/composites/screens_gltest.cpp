#include <gtest/gtest.h>

#include <string>

#include "shell/Accessors.h"
#include "support/GlScreen.h"
#include "ui/composites/InfoBar.h"
#include "ui/composites/QuestionBox.h"
#include "ui/composites/Splash.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/Label.h"

namespace {
// Draws one element on a cleared frame, keeps a screenshot and returns the pixels.
Frame drawAlone(Element& element, const std::string& shotName) {
    GlScreen::get().clear();
    element.draw();
    Frame frame = GlScreen::get().grab();
    return frame.save(GlScreen::shotPath(shotName)), frame;
}

int textPixels(const Frame& frame, const Widget& w) {
    return frame.brightPixels(w.x, w.y, w.x + w.width, w.y + w.height, 200);
}

// The drawn inside of a widget (within its bevel) against the picture it shows, by halves.
bool showsPicture(const Frame& frame, const Widget& w, Texture* picture, double fromLeft,
                  double toLeft, int tolerance = 14) {
    const int b = w.bevelWidth;
    for (double top : {0.0, 0.5}) {
        if (picture == nullptr ||
            !near(drawnAverage(frame, w.x + b, w.y + b, w.x + w.width - b, w.y + w.height - b,
                               fromLeft, top, toLeft, top + 0.5),
                  pictureAverage(*picture, fromLeft, top, toLeft, top + 0.5), tolerance))
            return false;
    }
    return true;
}

// Pixels clearly not grey in a rectangle.
int colouredPixels(const Frame& frame, int left, int bottom, int right, int top) {
    int n = 0;
    for (int y = bottom; y < top; ++y)
        for (int x = left; x < right; ++x) {
            const Frame::Colour c = frame.at(x, y);
            n += std::abs(c.r - c.g) > 30 || std::abs(c.g - c.b) > 30;
        }
    return n;
}
} // namespace

// A question box (kept off the layer list) shows its title, picture, text and buttons.
TEST(BoxesOnScreen, AQuestionBoxShowsItsParts) {
    GlScreen::get(); // the boxes ask the application for its size, fonts and pictures
    QuestionBox box;
    box.create(::text(25), ::text(26), 7, nullptr, nullptr, nullptr);
    const Frame frame = drawAlone(box, "question_box");
    EXPECT_GT(frame.brightPixels(box.titleX, box.titleY - 4, box.titleX + 60, box.titleY + 14, 200),
              20)
        << "the title, bold, at the top left";
    EXPECT_TRUE(showsPicture(frame, *box.picture, box.picture->normalTexture, 0.0, 1.0));
    for (Button* button : {box.yesButton, box.noButton, box.cancelButton}) {
        // The right third of a button holds no text: its picture shows there.
        EXPECT_TRUE(showsPicture(frame, *button, button->normalTexture, 0.7, 1.0)) << button->text;
        EXPECT_GT(textPixels(frame, *button), 0) << button->text;
    }
    EXPECT_GT(textPixels(frame, *box.questionLabel), 40);
}

// The info bar's items and sock, the middle left to the scene; the splash fading in and out.
TEST(OverlaysOnScreen, InfoBarAndSplash) {
    GlScreen::get();
    EventPublisher observer, application;
    InfoBar bar;
    bar.create(0, 0, clientWidth(), clientHeight());
    bar.createItems(&observer, &application);
    const float wind[2] = {0.0f, 1.0f}, x = 1234.0f; // blowing straight ahead, full strength
    const char* spot = "Land center";
    observer.publish(Event(32, reinterpret_cast<uintptr_t>(wind)));
    observer.publish(Event(8, reinterpret_cast<uintptr_t>(&x)));
    observer.publish(Event(1, reinterpret_cast<uintptr_t>(spot)));
    const Frame frame = drawAlone(bar, "info_bar");
    const auto& items = bar.children();
    for (std::size_t i = 1; i < items.size(); ++i)
        EXPECT_GT(textPixels(frame, *items[i]), 15) << i;
    const Widget& sock = *items[0];
    const int middle = sock.x + sock.width / 2;
    EXPECT_GT(colouredPixels(frame, middle - 6, sock.y + 1, middle + 6, sock.y + 18), 15);
    EXPECT_EQ(frame.brightPixels(0, 100, frame.width, frame.height, 1), 0);

    double now = 0.0; // the splash shows its two pictures 3 s each, fading in and out
    Splash splash([&now] { return now; }), empty([&now] { return now; });
    EXPECT_TRUE(splash.create(140, 30, 512, 512, {407, 432}, 6.0) && splash.update(0.0));
    EXPECT_EQ(splash.alpha(), 0.0f);
    const int b = splash.bevelWidth;
    Frame::Colour shown[2];
    for (int i = 0; i < 2; ++i) {
        now = i == 0 ? 1.5 : 2.5; // fully shown, then half faded out
        EXPECT_TRUE(splash.update(0.01));
        const Frame drawn = drawAlone(splash, i == 0 ? "splash_full" : "splash_half");
        shown[i] =
            drawn.average(splash.x + b, splash.y + b, splash.x + 512 - b, splash.y + 512 - b);
        EXPECT_TRUE(i == 1 || showsPicture(drawn, splash, splash.texture, 0.0, 0.5));
    }
    const Frame::Colour stored = pictureAverage(*splash.texture, 0, 0, 1, 1);
    EXPECT_TRUE(near(shown[0], stored, 10));
    EXPECT_TRUE(near(shown[1], {stored.r / 2, stored.g / 2, stored.b / 2}, 8));
    for (const auto& [at, picture, alpha] :
         {std::tuple{3.25, 432, 0.25f}, {4.5, 432, 1.0f}, {5.75, 432, 0.25f}}) {
        now = at;
        EXPECT_TRUE(splash.update(0.01));
        EXPECT_EQ(std::pair(splash.texture, splash.alpha()), std::pair(::texture(picture), alpha));
    }
    now = 6.01;
    empty.create(0, 0, 10, 10, std::vector<Texture*>{}, 6.0);
    EXPECT_FALSE(splash.update(0.01) || empty.update(0.0));
}
