#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Keys.h"
#include "shell/Accessors.h"
#include "support/GlScreen.h"
#include "ui/composites/Boxes.h"
#include "ui/composites/ConsoleWindow.h"
#include "ui/composites/InfoBar.h"
#include "ui/composites/InfoItems.h"
#include "ui/composites/InputBox.h"
#include "ui/composites/Menu.h"
#include "ui/composites/MessageBox.h"
#include "ui/composites/NoticeBox.h"
#include "ui/composites/Page.h"
#include "ui/composites/ProgressBox.h"
#include "ui/composites/QuestionBox.h"
#include "ui/composites/Splash.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/Gauge.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/TextView.h"
#include "ui/toolkit/WidgetEvents.h"
#include "world/Scene.h"

namespace {
// Draws one element on a cleared frame, keeps a screenshot and returns the pixels.
Frame drawAlone(Element& element, const std::string& shotName) {
    GlScreen& screen = GlScreen::get();
    screen.clear();
    element.draw();
    Frame frame = screen.grab();
    frame.save(GlScreen::shotPath(shotName));
    return frame;
}

int textPixels(const Frame& frame, const Widget& w) {
    return frame.brightPixels(w.x, w.y, w.x + w.width, w.y + w.height, 200);
}

// The drawn inside of a widget (within its bevel) against the picture it shows.
bool showsPicture(const Frame& frame, const Widget& w, Texture* picture, double fromLeft,
                  double toLeft) {
    if (picture == nullptr) return false;
    const int b = w.bevelWidth;
    for (double top : {0.0, 0.5}) {
        const Frame::Colour drawn =
            drawnAverage(frame, w.x + b, w.y + b, w.x + w.width - b, w.y + w.height - b, fromLeft,
                         top, toLeft, top + 0.5);
        const Frame::Colour stored = pictureAverage(*picture, fromLeft, top, toLeft, top + 0.5);
        if (!near(drawn, stored, 14)) return false;
    }
    return true;
}

// The window first: the boxes ask the application for its size, fonts and pictures.
class BoxesOnScreen : public ::testing::Test {
  protected:
    void SetUp() override { GlScreen::get(); }
};
using OverlaysOnScreen = BoxesOnScreen;

bool centred(const Widget& box) {
    return box.x == (clientWidth() - box.width) / 2 && box.y == (clientHeight() - box.height) / 2;
}
} // namespace

// The boxes are made as the box functions make them, but kept off the layer list.

TEST_F(BoxesOnScreen, MessageBoxShowsTitlePictureTextAndCloseButton) {
    MessageBox box;
    box.create(::text(97), ::text(98), 1);
    const Frame frame = drawAlone(box, "message_box");
    EXPECT_TRUE(centred(box));
    EXPECT_TRUE(showsPicture(frame, *box.picture, box.picture->normalTexture, 0.0, 1.0));
    EXPECT_GT(textPixels(frame, *box.messageLabel), 40);
    EXPECT_GT(textPixels(frame, *box.closeButton), 20);
    // The title, bold, at the top left.
    EXPECT_GT(frame.brightPixels(box.titleX, box.titleY - 4, box.titleX + 60, box.titleY + 14, 200),
              20);
    // The background picture shows at the right end, where nothing is drawn over it.
    EXPECT_TRUE(showsPicture(frame, box, box.normalTexture, 0.9, 1.0));
}

TEST_F(BoxesOnScreen, QuestionBoxShowsItsPicturedButtons) {
    QuestionBox box;
    box.create(::text(25), ::text(26), 7, nullptr, nullptr, nullptr);
    const Frame frame = drawAlone(box, "question_box");
    EXPECT_TRUE(showsPicture(frame, *box.picture, box.picture->normalTexture, 0.0, 1.0));
    for (Button* button : {box.yesButton, box.noButton, box.cancelButton}) {
        // The right third of a button holds no text: its picture shows there.
        EXPECT_TRUE(showsPicture(frame, *button, button->normalTexture, 0.7, 1.0)) << button->text;
        EXPECT_GT(frame.brightPixels(button->x, button->y, button->x + button->width / 2,
                                     button->y + button->height, 1),
                  0);
    }
    EXPECT_GT(textPixels(frame, *box.questionLabel), 40);
}

TEST_F(OverlaysOnScreen, InfoBarShowsItsItemsAndTheWindSock) {
    EventPublisher observer, application;
    InfoBar bar;
    bar.create(0, 0, clientWidth(), clientHeight());
    bar.createItems(&observer, &application);
    const float windSample[2] = {0.0f, 1.0f}; // blowing straight ahead, full strength
    observer.publish(Event(32, reinterpret_cast<uintptr_t>(windSample)));
    const float x = 1234.0f;
    observer.publish(Event(8, reinterpret_cast<uintptr_t>(&x)));
    const char* spot = "Land center";
    observer.publish(Event(1, reinterpret_cast<uintptr_t>(spot)));
    const Frame frame = drawAlone(bar, "info_bar");
    const auto& items = bar.children();
    for (std::size_t i = 1; i < items.size(); ++i) {
        EXPECT_GT(textPixels(frame, *items[i]), 15) << i;
    }
    // The sock points up the screen from the middle of the indicator's bottom edge.
    const Widget& wind = *items[0];
    const int middle = wind.x + wind.width / 2;
    auto coloured = [&](int left, int bottom, int right, int top) {
        int n = 0;
        for (int y = bottom; y < top; ++y)
            for (int px = left; px < right; ++px) {
                const Frame::Colour c = frame.at(px, y);
                if (std::abs(c.r - c.g) > 30 || std::abs(c.g - c.b) > 30) ++n;
            }
        return n;
    };
    EXPECT_GT(coloured(middle - 6, wind.y + 1, middle + 6, wind.y + 18), 15);
    EXPECT_EQ(coloured(wind.x, wind.y, middle - 12, wind.y + wind.height), 0);
    // Nothing covers the middle of the window: the scene shows through.
    EXPECT_EQ(frame.brightPixels(0, 100, frame.width, frame.height, 1), 0);
}

TEST_F(OverlaysOnScreen, SplashFadesItsPicturesIn) {
    double now = 0.0;
    Splash splash([&now] { return now; });
    splash.create(140, 30, 512, 512, {407, 432}, 6.0);
    splash.update(0.0);
    now = 1.5; // fully shown
    splash.update(0.01);
    const Frame full = drawAlone(splash, "splash_full");
    const int b = splash.bevelWidth;
    const Frame::Colour drawnFull =
        full.average(splash.x + b, splash.y + b, splash.x + 512 - b, splash.y + 512 - b);
    const Frame::Colour stored = pictureAverage(*splash.texture, 0, 0, 1, 1);
    EXPECT_TRUE(near(drawnFull, stored, 10));
    EXPECT_TRUE(showsPicture(full, splash, splash.texture, 0.0, 0.5));

    now = 2.5; // half faded out
    splash.update(0.01);
    const Frame half = drawAlone(splash, "splash_half");
    const Frame::Colour drawnHalf =
        half.average(splash.x + b, splash.y + b, splash.x + 512 - b, splash.y + 512 - b);
    EXPECT_NEAR(drawnHalf.r, stored.r / 2, 8);
    EXPECT_NEAR(drawnHalf.g, stored.g / 2, 8);
    EXPECT_NEAR(drawnHalf.b, stored.b / 2, 8);

    now = 4.5; // the second picture
    splash.update(0.01);
    EXPECT_EQ(splash.texture, ::texture(432));
}
