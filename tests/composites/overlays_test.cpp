#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "gfx/Texture.h"
#include "platform/Keys.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/composites/ConsoleWindow.h"
#include "ui/composites/InfoBar.h"
#include "ui/composites/InfoItems.h"
#include "ui/composites/Splash.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/TextView.h"

namespace {
// A page that takes printable keys while it has the keys, as the console's does.
class TypingPage : public TextView {
  public:
    bool characterTyped(int key) override {
        if (!takesKeys() || key < 32 || key > 126) return true;
        typed += static_cast<char>(key);
        return false;
    }
    std::string typed;
};
} // namespace

TEST(ConsoleWindow, HoldsThePageAndItsScrollBar) {
    ConsoleWindow console;
    auto* page = new TypingPage;
    page->font = monoFont();
    console.createWithTitle(nullptr, 0, 0, 800, 200, nullptr, nullptr, page);
    EXPECT_EQ(console.page, page);
    const Rect area = console.clientRect();
    EXPECT_EQ(page->x, area.x);
    EXPECT_EQ(page->width, area.width - 12);
    EXPECT_EQ(page->height, area.height);
    ASSERT_NE(console.scrollBar, nullptr);
    EXPECT_TRUE(console.scrollBar->scrollMode);
    EXPECT_FALSE(console.scrollBar->fromStart);
    EXPECT_EQ(console.scrollBar->x, area.x + area.width - 10);
    EXPECT_EQ(console.scrollBar->width, 10);
    EXPECT_TRUE(page->isSubscribed(console.scrollBar));
    EXPECT_TRUE(console.scrollBar->isSubscribed(page));
}

TEST(ConsoleWindow, WorksWithAPlainPage) {
    ConsoleWindow console;
    console.createWithTitle("Console", 0, 0, 640, 160, nullptr, nullptr);
    ASSERT_NE(console.page, nullptr);
    console.page->addLine("hello");
    EXPECT_EQ(console.page->count(), 1);
    EXPECT_TRUE(console.keyDown(Key::Escape)); // reaches the application
}

TEST(ConsoleWindow, KeysReachThePageWhereverThePointerIs) {
    ConsoleWindow console;
    auto* page = new TypingPage;
    page->font = monoFont();
    console.createWithTitle(nullptr, 0, 0, 800, 200, nullptr, nullptr, page);
    console.exclusive = true;
    console.hitTest(5000, 5000); // the pointer left the window
    EXPECT_FALSE(console.characterTyped('h'));
    EXPECT_FALSE(console.characterTyped('i'));
    EXPECT_EQ(page->typed, "hi");
    EXPECT_TRUE(console.keyDown(Key::Escape));
    EXPECT_TRUE(console.keyDown(Key::Console));
}

TEST(ConsoleWindow, NewLinesMoveTheScrollBarAndTheBarScrollsThePage) {
    ConsoleWindow console;
    auto* page = new TextView;
    page->font = monoFont();
    console.createWithTitle(nullptr, 0, 0, 800, 200, nullptr, nullptr, page);
    const int rows = page->rows;
    ASSERT_GT(rows, 3);
    for (int i = 0; i < rows + 9; ++i)
        page->addLine("line " + std::to_string(i));
    Slider* bar = console.scrollBar;
    EXPECT_FLOAT_EQ(bar->min, 9.0f);
    EXPECT_FLOAT_EQ(bar->value, 9.0f); // the knob follows the newest lines
    const int px = bar->x + 5;
    console.hitTest(px, bar->y + bar->height - 1);
    console.leftButton(0, px, bar->y + bar->height - 1, true); // the top: first line
    EXPECT_EQ(page->first, 0);
    console.mouseMove(px, bar->y + 1);
    EXPECT_EQ(page->first, 9);
}

TEST(ConsoleWindow, KeepsItsSizeWhenTheWindowChanges) {
    ConsoleWindow console;
    console.createWithTitle(nullptr, 0, 0, 800, 200, nullptr, nullptr);
    console.resize(1280, 1024);
    EXPECT_EQ(console.width, 800);
    EXPECT_EQ(console.height, 200);
}

namespace {
struct FakeClock {
    double now = 100.0;
    Splash::Clock clock() {
        return [this] { return now; };
    }
};
} // namespace

TEST(Splash, TwoPicturesOverSixSecondsShowThreeSecondsEachWithFades) {
    Texture first, second;
    FakeClock time;
    Splash splash(time.clock());
    splash.create(140, 30, 512, 512, std::vector<Texture*>{&first, &second}, 6.0);
    EXPECT_DOUBLE_EQ(splash.perImage, 3.0);
    EXPECT_TRUE(splash.update(0.0));
    EXPECT_EQ(splash.index, 0);
    EXPECT_EQ(splash.texture, &first);
    EXPECT_NEAR(splash.alpha(), 0.0f, 1e-6);

    struct Sample {
        double at;
        int index;
        float alpha;
    };
    const Sample samples[] = {{0.5, 0, 0.5f},   {1.0, 0, 1.0f}, {2.0, 0, 1.0f},  {2.5, 0, 0.5f},
                              {3.25, 1, 0.25f}, {4.5, 1, 1.0f}, {5.75, 1, 0.25f}};
    for (const Sample& sample : samples) {
        time.now = 100.0 + sample.at;
        EXPECT_TRUE(splash.update(0.01)) << "at " << sample.at;
        EXPECT_EQ(splash.index, sample.index) << "at " << sample.at;
        EXPECT_NEAR(splash.alpha(), sample.alpha, 1e-4) << "at " << sample.at;
    }
    EXPECT_EQ(splash.texture, &second);
    time.now = 106.01;
    EXPECT_FALSE(splash.update(0.01));
}

TEST(Splash, FollowsTheClockNotTheCallersSteps) {
    Texture picture;
    FakeClock time;
    Splash splash(time.clock());
    splash.create(0, 0, 10, 10, std::vector<Texture*>{&picture, &picture}, 6.0);
    splash.update(0.0);
    // A thousand fast frames that each claim 0.01 s: no time passes.
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(splash.update(0.01));
    EXPECT_EQ(splash.index, 0);
    // One slow frame skips straight on.
    time.now += 7.0;
    EXPECT_FALSE(splash.update(0.01));
}

TEST(Splash, LastsItsDurationInRealTime) {
    Texture first, second;
    Splash splash; // the real clock
    splash.create(0, 0, 10, 10, std::vector<Texture*>{&first, &second}, 0.3);
    const auto start = std::chrono::steady_clock::now();
    int frames = 0;
    bool running = splash.update(0.0);
    while (running && frames < 100000) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        running = splash.update(0.01); // what the start-up loop passes
        ++frames;
    }
    const double lasted =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(running);
    EXPECT_GE(lasted, 0.3);
    EXPECT_LT(lasted, 0.3 + 0.25);
}

TEST(Splash, WithoutPicturesItEndsAtOnce) {
    Splash splash;
    splash.create(0, 0, 10, 10, std::vector<Texture*>{}, 6.0);
    EXPECT_FALSE(splash.update(0.0));
}

namespace {
// An info bar over a window of that size, with the items of the screen information.
std::unique_ptr<InfoBar> makeBar(int width, int height, EventPublisher* observer = nullptr,
                                 EventPublisher* application = nullptr) {
    auto bar = std::make_unique<InfoBar>();
    bar->create(0, 0, width, height);
    bar->createItems(observer, application);
    return bar;
}

Widget* item(const InfoBar& bar, std::size_t i) {
    return bar.children()[i].get();
}
} // namespace

TEST(InfoBar, RowsFillFromTheBottomWithTheFirstRowOnTop) {
    const auto bar = makeBar(800, 600);
    ASSERT_EQ(bar->children().size(), 9u);
    // 800 pixels hold five items of 140 (6 + 5 * 146 = 736 < 800), the rest go below.
    const int firstRowY = item(*bar, 0)->y;
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(item(*bar, i)->y, firstRowY) << i;
    for (std::size_t i = 5; i < 9; ++i)
        EXPECT_EQ(item(*bar, i)->y, 6) << i;
    EXPECT_EQ(firstRowY, 6 + 20 + 6);
    // Evenly spread: the spare width split in n + 1 gaps.
    const int spacing = (800 - 5 * 140) / 6;
    EXPECT_EQ(item(*bar, 0)->x, spacing);
    EXPECT_EQ(item(*bar, 1)->x, spacing + 140 + spacing);
    const int lowSpacing = (800 - 4 * 140) / 5;
    EXPECT_EQ(item(*bar, 5)->x, lowSpacing);
    for (std::size_t i = 1; i < 9; ++i) {
        if (item(*bar, i)->y == item(*bar, i - 1)->y) {
            EXPECT_GT(item(*bar, i)->x, item(*bar, i - 1)->x + 140) << i;
        }
    }
}

TEST(InfoBar, ANarrowWindowStacksMoreRows) {
    const auto bar = makeBar(300, 600); // one item a row: 6 + 146 + 146 = 298 < 300 holds two
    int rows = 0;
    int lastY = -1;
    for (const auto& child : bar->children()) {
        if (child->y != lastY) ++rows;
        lastY = child->y;
        EXPECT_LT(child->x + child->width, 300);
    }
    EXPECT_EQ(rows, 5);
    EXPECT_EQ(item(*bar, 8)->y, 6); // the newest row at the bottom
    EXPECT_EQ(item(*bar, 0)->y, 6 + 4 * 26);
}

TEST(InfoBar, AnItemTooWideForAnyRowGetsOneOfItsOwn) {
    const auto bar = makeBar(100, 600); // narrower than one item and its gaps
    ASSERT_EQ(bar->children().size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(item(*bar, i)->y, 6 + static_cast<int>(8 - i) * 26) << i;
        EXPECT_EQ(item(*bar, i)->x, 0) << i;
    }
}

TEST(InfoBar, FollowsTheWindowAndLaysOutAgain) {
    const auto bar = makeBar(300, 600);
    bar->resize(1600, 900);
    EXPECT_EQ(bar->width, 1600);
    for (const auto& child : bar->children())
        EXPECT_EQ(child->y, 6); // one row now
}

TEST(InfoBar, NeverTakesTheInput) {
    const auto bar = makeBar(800, 600);
    Widget* first = item(*bar, 0);
    EXPECT_FALSE(bar->hitTest(first->x + 1, first->y + 1));
    EXPECT_FALSE(first->active);
    bar->setActive(true);
    for (const auto& child : bar->children())
        EXPECT_FALSE(child->active);
    EXPECT_EQ(bar->activeChild, nullptr);
    EXPECT_TRUE(bar->noFill);
    EXPECT_EQ(bar->bevelStyle, BevelNone);
}

TEST(InfoBar, ItemsShowTheObserversAndTheApplicationsValues) {
    EventPublisher observer, application;
    const auto bar = makeBar(800, 600, &observer, &application);
    auto* wind = dynamic_cast<WindIndicator*>(item(*bar, 0));
    auto* windSpeed = dynamic_cast<InfoValue*>(item(*bar, 1));
    auto* spot = dynamic_cast<InfoText*>(item(*bar, 2));
    auto* azimuth = dynamic_cast<InfoValue*>(item(*bar, 3));
    auto* z = dynamic_cast<InfoValue*>(item(*bar, 7));
    auto* fps = dynamic_cast<InfoValue*>(item(*bar, 8));
    ASSERT_TRUE(wind && windSpeed && spot && azimuth && z && fps);
    EXPECT_EQ(azimuth->mask, 2u);
    EXPECT_EQ(z->mask, 128u);

    const char* spotName = "Ridge top";
    observer.publish(Event(1, reinterpret_cast<uintptr_t>(spotName)));
    const float heading = 271.4f;
    observer.publish(Event(2, reinterpret_cast<uintptr_t>(&heading)));
    const float height = 1203.6f;
    observer.publish(Event(128, reinterpret_cast<uintptr_t>(&height)));
    const float windSample[2] = {45.0f, 0.32f};
    observer.publish(Event(32, reinterpret_cast<uintptr_t>(windSample)));
    const float speed = 7.94f;
    observer.publish(Event(64, reinterpret_cast<uintptr_t>(&speed)));
    const float frameRate = 59.96f;
    application.publish(Event(1, reinterpret_cast<uintptr_t>(&frameRate)));

    EXPECT_EQ(spot->shownText(), "Ridge top");
    EXPECT_EQ(azimuth->shownText(), "Azimut(\xB0) 271");
    EXPECT_EQ(z->shownText(), "Z(m) 1204");
    EXPECT_EQ(windSpeed->shownText(), "Wind(m/s) 7.9");
    EXPECT_FLOAT_EQ(wind->direction, 45.0f);
    EXPECT_FLOAT_EQ(wind->strength, 0.32f);
    EXPECT_EQ(fps->shownText(), "Frames/Sec 60.0");
    // The observer's type 1 is the spot name, not the frame rate.
    EXPECT_EQ(fps->value, frameRate);
}

TEST(InfoItems, IgnoreOtherKindsAndCopyTheirText) {
    InfoText spot(1);
    spot.create("%s", 0, 0, 140, 20, nullptr, nullptr);
    std::string name = "Ridge";
    spot.onEvent(nullptr, Event(1, reinterpret_cast<uintptr_t>(name.c_str())));
    name = "changed";
    EXPECT_EQ(spot.shownText(), "Ridge");
    spot.onEvent(nullptr, RangeEvent(1, 3, 0, 5));
    EXPECT_EQ(spot.shownText(), "Ridge");

    InfoValue value(8);
    value.create("X(m) %.0f", 0, 0, 140, 20, nullptr, nullptr);
    EXPECT_EQ(value.shownText(), "X(m) 0");
    value.onEvent(nullptr, Event(8, 0)); // no value to read
    EXPECT_EQ(value.shownText(), "X(m) 0");
}
