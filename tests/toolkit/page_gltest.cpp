#include <gtest/gtest.h>

#include <string>

#include "shell/Accessors.h"
#include "support/GlScreen.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/Container.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/Gauge.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/TextView.h"
#include "ui/toolkit/WidgetEvents.h"

namespace {
// Colours as 8-bit channels: the bevel grey 0.5 darkened and lightened by 0.2, the fill 0.4.
constexpr int Dark = 77, Light = 178, Plain = 128, Fill = 102;

char classify(const Frame::Colour& c) {
    auto grey = [&](int level) { return near(c, {level, level, level}, 3); };
    if (grey(Dark)) return 'd';
    if (grey(Light)) return 'l';
    if (grey(Plain)) return 'p';
    return '.';
}

// The bevel colours met walking in from one edge of a widget at its mid-height,
// outermost first, each once.
std::string bevelFrom(const Frame& frame, const Widget& w, bool fromLeft) {
    std::string seen;
    const int y = w.y + w.height / 2;
    for (int step = -1; step <= 5; ++step) {
        const int x = fromLeft ? w.x + step : w.x + w.width - step;
        const char c = classify(frame.at(x, y));
        if (c != '.' && (seen.empty() || seen.back() != c)) seen += c;
    }
    return seen;
}

// One page holding every kind of control, as a menu page would.
struct ControlPage {
    ControlPage() {
        page.createWithTitle("Controls", 20, 20, 760, 560, nullptr, nullptr);

        caption = new Label;
        caption->noFill = true;
        caption->create("Speed (m/s)", 10, 505, 150, 20, &page, nullptr);

        plainButton = new Button;
        plainButton->create("Plain", 100, 450, 128, 32, &page, nullptr, nullptr, nullptr);
        pressedButton = new Button;
        pressedButton->create("Held", 100, 410, 128, 32, &page, nullptr, nullptr, nullptr);
        pressedButton->onEvent(nullptr, ValueEvent::ofBool(16, true));
        picturedButton = new Button;
        picturedButton->create("Load", 100, 365, 128, 32, &page, ::texture(412), ::texture(413),
                               ::texture(430));

        field = new EditField;
        field->create(nullptr, 400, 500, 120, 20, &page, nullptr, nullptr, false);
        field->setContent("ridge.sav");

        list = new ListBox;
        list->create(nullptr, 400, 300, 120, 150, &page, nullptr, nullptr);
        scroll = new Slider;
        scroll->scrollMode = true;
        scroll->setFromStart(false);
        scroll->create(nullptr, 522, 300, 10, 150, &page, nullptr, nullptr, nullptr);
        link(list, scroll);
        for (const char* item : {"alps.sav", "coast.sav", "dune.sav", "ridge.sav", "slope.sav",
                                 "valley.sav", "hill.sav", "cliff.sav", "bowl.sav", "moor.sav"}) {
            list->addItem(item);
        }
        list->onEvent(nullptr, ValueEvent::ofText(1, "dune.sav"));

        view = new TextView;
        view->create(nullptr, 560, 300, 180, 150, &page, nullptr, nullptr);
        for (int i = 1; i <= 12; ++i)
            view->addLine("line " + std::to_string(i));

        gauge = new Gauge;
        gauge->vertical = false;
        gauge->create(nullptr, 10, 250, 200, 20, &page, nullptr, nullptr, nullptr);
        gauge->setValue(60.0f);
        slider = new Slider;
        slider->vertical = false;
        slider->create(nullptr, 10, 225, 70, 8, &page, nullptr, nullptr, nullptr);
        readOut = new Label;
        readOut->noFill = true;
        readOut->create("0", 85, 219, 40, 20, &page, nullptr);
        slider->subscribe(readOut);
        slider->onEvent(nullptr, ValueEvent::ofFloat(2, 50.0f));
        upright = new Gauge;
        upright->create(nullptr, 250, 150, 20, 100, &page, nullptr, nullptr, nullptr);
        upright->setValue(30.0f);

        const int styles[4] = {BevelSunken, BevelRaised, BevelGroove, BevelRidge};
        for (int i = 0; i < 4; ++i) {
            bevels[i] = new Widget;
            bevels[i]->create(nullptr, 10 + 70 * i, 100, 60, 40, &page);
            bevels[i]->setBevel(styles[i]);
        }
    }

    Container page;
    Label* caption;
    Button* plainButton;
    Button* pressedButton;
    Button* picturedButton;
    EditField* field;
    ListBox* list;
    Slider* scroll;
    TextView* view;
    Gauge* gauge;
    Slider* slider;
    Label* readOut;
    Gauge* upright;
    Widget* bevels[4];
};

class ControlPageDrawing : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        GlScreen& screen = GlScreen::get();
        controls = new ControlPage;
        screen.clear();
        controls->page.draw();
        frame = new Frame(screen.grab());
        frame->save(GlScreen::shotPath("controls_page"));
    }
    static void TearDownTestSuite() {
        delete controls;
        delete frame;
    }
    static ControlPage* controls;
    static Frame* frame;
};
ControlPage* ControlPageDrawing::controls = nullptr;
Frame* ControlPageDrawing::frame = nullptr;

int redPixels(const Frame& frame, int left, int bottom, int right, int top) {
    int n = 0;
    for (int y = bottom; y < top; ++y) {
        for (int x = left; x < right; ++x) {
            if (near(frame.at(x, y), {255, 51, 51}, 4)) ++n;
        }
    }
    return n;
}
} // namespace

TEST_F(ControlPageDrawing, EachBevelStyleHasItsLightAndDarkSides) {
    const Frame& f = *frame;
    // Walking in from the left edge, then from the right edge.
    EXPECT_EQ(bevelFrom(f, *controls->bevels[0], true), "d"); // sunken
    EXPECT_EQ(bevelFrom(f, *controls->bevels[0], false), "l");
    EXPECT_EQ(bevelFrom(f, *controls->bevels[1], true), "l"); // raised
    EXPECT_EQ(bevelFrom(f, *controls->bevels[1], false), "d");
    EXPECT_EQ(bevelFrom(f, *controls->bevels[2], true), "dpl"); // groove
    EXPECT_EQ(bevelFrom(f, *controls->bevels[2], false), "lpd");
    EXPECT_EQ(bevelFrom(f, *controls->bevels[3], true), "lpd"); // ridge
    EXPECT_EQ(bevelFrom(f, *controls->bevels[3], false), "dpl");
    // Nothing spills outside the widget, to the right or above.
    for (const Widget* b : controls->bevels) {
        EXPECT_EQ(classify(f.at(b->x + b->width + 1, b->y + b->height / 2)), '.');
        EXPECT_EQ(classify(f.at(b->x + b->width / 2, b->y + b->height + 1)), '.');
    }
    // Inside the bevel, the fill colour.
    const Widget& w = *controls->bevels[0];
    EXPECT_TRUE(near(f.average(w.x + 5, w.y + 5, w.x + w.width - 5, w.y + w.height - 5),
                     {Fill, Fill, Fill}, 2));
}

TEST_F(ControlPageDrawing, ButtonsRiseAndSinkAndShowTheirPictures) {
    const Frame& f = *frame;
    EXPECT_TRUE(controls->plainButton->font->matches("Arial", 24, true, false)) << "bold, upright";
    const Label& caption = *controls->caption;
    EXPECT_GT(f.brightPixels(caption.x, caption.y, caption.x + caption.width,
                             caption.y + caption.height, 200),
              30);
    EXPECT_EQ(bevelFrom(f, *controls->plainButton, true), "l");
    EXPECT_EQ(bevelFrom(f, *controls->pressedButton, true), "d");
    const Button& b = *controls->picturedButton;
    // The right half holds no text: it shows the picture as stored, top rows on top.
    for (double top : {0.0, 0.5}) {
        const Frame::Colour drawn =
            drawnAverage(f, b.x, b.y, b.x + b.width, b.y + b.height, 0.6, top, 1.0, top + 0.5);
        const Frame::Colour stored = pictureAverage(*b.normalTexture, 0.6, top, 1.0, top + 0.5);
        EXPECT_TRUE(near(drawn, stored, 12))
            << "half from the top at " << top << ": drawn " << drawn.r << "," << drawn.g << ","
            << drawn.b << " stored " << stored.r << "," << stored.g << "," << stored.b;
    }
}

TEST_F(ControlPageDrawing, TextControlsShowTheirTextSelectionAndBevel) {
    const Frame& f = *frame;
    const EditField& field = *controls->field;
    EXPECT_EQ(bevelFrom(f, field, true), "d");
    EXPECT_GT(f.brightPixels(field.x, field.y, field.x + field.width, field.y + field.height, 200),
              20);
    // Text keeps inside the margins: none left of them, none below the field.
    EXPECT_EQ(
        f.brightPixels(field.x - 4, field.y, field.x + field.margin, field.y + field.height, 200),
        0);
    EXPECT_EQ(f.brightPixels(field.x, field.y - 8, field.x + field.width, field.y, 200), 0);

    const ListBox& list = *controls->list;
    const int pitch = list.charHeight + 4;
    const int selectedTop =
        list.y + list.height - list.margin - (list.selected - list.first) * pitch;
    int selectionPixels = 0;
    for (int y = selectedTop - pitch; y < selectedTop; ++y)
        for (int x = list.x + list.margin; x < list.x + list.width - list.margin; ++x)
            if (near(f.at(x, y), {77, 77, 128}, 3)) ++selectionPixels;
    EXPECT_GT(selectionPixels, (list.width - 2 * list.margin) * pitch / 2);
    EXPECT_FALSE(near(f.at(list.x + 1, selectedTop - pitch / 2), {77, 77, 128}, 3))
        << "not over the bevel";
    const int rowsTop = list.y + list.height - list.margin;
    EXPECT_GT(f.brightPixels(list.x, rowsTop - pitch, list.x + list.width, rowsTop, 200), 10);

    const TextView& view = *controls->view;
    EXPECT_GT(view.first, 0); // twelve lines scrolled the view
    EXPECT_GT(f.brightPixels(view.x, view.y, view.x + view.width, view.y + view.height, 200), 100);
    const int viewTop = view.y + view.height;
    EXPECT_EQ(f.brightPixels(view.x, viewTop - view.margin, view.x + view.width, viewTop + 20, 200),
              0)
        << "lines start below the top margin";
    EXPECT_EQ(f.brightPixels(view.x - 4, view.y, view.x + view.margin, viewTop, 200), 0);
}

TEST_F(ControlPageDrawing, GaugesAndSlidersDrawTheirThumbs) {
    const Frame& f = *frame;
    const Gauge& gauge = *controls->gauge;
    const Gauge::Edges& bar = gauge.thumbRect;
    EXPECT_EQ(bar.right - bar.left, static_cast<int>(0.6 * (gauge.width - 4)));
    const int barPixels =
        redPixels(f, gauge.x, gauge.y, gauge.x + gauge.width, gauge.y + gauge.height);
    EXPECT_NEAR(barPixels, (bar.right - bar.left) * (bar.top - bar.bottom),
                (bar.top - bar.bottom) * 2 + (bar.right - bar.left) * 2);

    const Slider& slider = *controls->slider;
    const Gauge::Edges& knob = slider.thumbRect;
    EXPECT_GT(redPixels(f, knob.left - 1, knob.bottom - 1, knob.right + 1, knob.top + 1), 4);
    EXPECT_EQ(controls->readOut->text, "50.0");

    const Gauge& upright = *controls->upright;
    EXPECT_GT(redPixels(f, upright.x, upright.y, upright.x + upright.width,
                        upright.y + upright.height / 3),
              20);
    EXPECT_EQ(redPixels(f, upright.x, upright.y + upright.height / 2, upright.x + upright.width,
                        upright.y + upright.height),
              0);
}

namespace {
// Sets the application's clock, as the frame timer does each frame.
void setTime(double seconds) {
    GlScreen::get().app().timer.now = seconds;
}
} // namespace

TEST(TimedDrawing, AHeldAutoRepeatButtonRepeatsEveryTenthOfASecond) {
    GlScreen::get();
    Button arrow;
    arrow.create("Up", 10, 10, 60, 30, nullptr, nullptr, nullptr, nullptr);
    arrow.autoRepeat = true;
    Recorder heard;
    arrow.subscribe(&heard);
    setTime(10.0);
    arrow.hitTest(20, 20);
    arrow.leftButton(0, 20, 20, true);
    heard.clear();
    arrow.draw();
    EXPECT_EQ(heard.types(), std::vector<uint32_t>{16}); // long since the last repeat
    setTime(10.05);
    arrow.draw();
    EXPECT_EQ(heard.events.size(), 1u);
    setTime(10.11);
    arrow.draw();
    EXPECT_EQ(heard.events.size(), 2u);
    arrow.leftButton(0, 20, 20, false);
    heard.clear();
    setTime(11.0);
    arrow.draw();
    EXPECT_TRUE(heard.events.empty());
    setTime(0.0);
}
