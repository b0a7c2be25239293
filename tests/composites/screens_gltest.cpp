#include <gtest/gtest.h>

#include <string>

#include "shell/Accessors.h"
#include "support/GlScreen.h"
#include "support/Golden.h"
#include "ui/composites/Boxes.h"
#include "ui/composites/InfoBar.h"
#include "ui/composites/InputBox.h"
#include "ui/composites/MessageBox.h"
#include "ui/composites/NoticeBox.h"
#include "ui/composites/QuestionBox.h"
#include "ui/composites/Splash.h"

using namespace testsupport;

namespace {
// One element drawn alone, its rectangle (or its lowest rows) against its approved picture.
::testing::AssertionResult looksAsApproved(Element& element, const std::string& name,
                                           int rows = 0) {
    GlScreen::get().clear();
    element.draw();
    return matchesGolden(name, cropped(GlScreen::get().grab(), element.x, element.y, element.width,
                                       rows ? rows : element.height));
}
} // namespace

// Each box is listed as a layer of the application and shows its title, picture, text and buttons.
TEST(BoxesOnScreen, EachBoxIsShownAndLooksAsApproved) {
    Application& application = GlScreen::get().app(); // sizes, fonts, pictures and the layers
    const std::pair<Container*, const char*> boxes[] = {
        {ask(::text(25), ::text(26), 7, nullptr, nullptr, nullptr), "question_box"},
        {askText("Spot", nullptr, nullptr), "input_box"},
        {showNotice("Computing the wind field", ::text(43)), "notice_box"},
        {showMessage(::text(97), ::text(98), 1), "message_box"}};
    for (const auto& [box, name] : boxes) {
        EXPECT_TRUE(application.isShown(box)) << name;
        EXPECT_TRUE(looksAsApproved(*box, name));
    }
}

// The info bar's items and sock over the scene; the splash fading in and out.
TEST(OverlaysOnScreen, InfoBarAndSplash) {
    GlScreen::get();
    EventPublisher observer, application;
    InfoBar bar;
    bar.create(0, 0, clientWidth(), clientHeight());
    bar.createItems(&observer, &application);
    const char* spot = "Land center";
    const float wind[2] = {30.0f, 0.5f}, x = 1234.0f, heading = 271.4f, height = 1203.6f,
                speed = 7.94f, rate = 59.96f; // the sock half lifted
    const std::pair<uint32_t, const void*> heard[] = {{1, spot},      {2, &heading}, {8, &x},
                                                      {128, &height}, {32, wind},    {64, &speed}};
    for (const auto& [type, value] : heard)
        observer.publish(Event(type, reinterpret_cast<uintptr_t>(value)));
    application.publish(Event(1, reinterpret_cast<uintptr_t>(&rate)));
    EXPECT_TRUE(looksAsApproved(bar, "info_bar", 64)); // no fill between the items

    double now = 0.0; // the splash shows its two pictures 3 s each, fading in and out
    Splash splash([&now] { return now; }), empty([&now] { return now; });
    EXPECT_TRUE(splash.create(140, 30, 512, 512, {407, 432}, 6.0) && splash.update(0.0));
    EXPECT_EQ(splash.alpha(), 0.0f);
    now = 2.5; // the first picture half faded out: its foot and the frame below it
    EXPECT_TRUE(splash.update(0.01));
    EXPECT_TRUE(looksAsApproved(splash, "splash_half", 48));
    for (const auto& [at, picture, alpha] :
         {std::tuple{1.5, 407, 1.0f}, {3.25, 432, 0.25f}, {4.5, 432, 1.0f}, {5.75, 432, 0.25f}}) {
        now = at;
        EXPECT_TRUE(splash.update(0.01));
        EXPECT_EQ(std::pair(splash.texture, splash.alpha()), std::pair(::texture(picture), alpha));
    }
    now = 6.01;
    empty.create(0, 0, 10, 10, std::vector<Texture*>{}, 6.0);
    EXPECT_FALSE(splash.update(0.01) || empty.update(0.0));
}
