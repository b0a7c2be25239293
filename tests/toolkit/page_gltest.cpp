#include <gtest/gtest.h>

#include <string>

#include "shell/Accessors.h"
#include "support/GlScreen.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/Gauge.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/TextView.h"
#include "ui/toolkit/ToggleButton.h"

namespace {
// The bevel grey 0.5 darkened and lightened by 0.2, the fill 0.4, the bars, the selection.
const Frame::Colour Dark{77, 77, 77}, Light{178, 178, 178}, Plain{128, 128, 128},
    Fill{102, 102, 102}, Red{255, 51, 51}, Selection{77, 77, 128}, Edge{191, 191, 191},
    Mark{242, 217, 77};

// The bevel shades met walking in from one edge at mid-height, outermost first, each once.
std::string bevelFrom(const Frame& frame, const Widget& w, bool fromLeft) {
    std::string seen;
    for (int step = -1; step <= 5; ++step) {
        const Frame::Colour c =
            frame.at(fromLeft ? w.x + step : w.x + w.width - step, w.y + w.height / 2);
        for (const auto& [shade, name] : {std::pair{Dark, 'd'}, {Light, 'l'}, {Plain, 'p'}})
            if (near(c, shade, 3) && (seen.empty() || seen.back() != name)) seen += name;
    }
    return seen;
}

int countNear(const Frame& f, int left, int bottom, int right, int top, Frame::Colour colour) {
    int n = 0;
    for (int y = bottom; y < top; ++y)
        for (int x = left; x < right; ++x)
            n += near(f.at(x, y), colour, 4);
    return n;
}

int textPixels(const Frame& f, int left, int bottom, int right, int top) {
    return f.brightPixels(left, bottom, right, top, 200);
}

Container page;
template <class W, class... Pictures>
W* add(const char* text, int x, int y, int w, int h, Pictures... pictures) {
    auto* widget = new W;
    widget->create(text, x, y, w, h, &page, pictures...);
    return widget;
}
} // namespace

// A page holding every kind of control, drawn once.
TEST(ControlPageDrawing, EachControlDrawsItsParts) {
    GlScreen& screen = GlScreen::get();
    page.createWithTitle("Controls", 20, 20, 760, 560, nullptr, nullptr);
    Widget* bevels[4];
    for (int i = 0; i < 4; ++i)
        bevels[i] = add<Widget>(nullptr, 10 + 70 * i, 100, 60, 40);
    bevels[0]->setBevel(BevelSunken), bevels[1]->setBevel(BevelRaised);
    bevels[2]->setBevel(BevelGroove), bevels[3]->setBevel(BevelRidge);
    auto* plain = add<Button>("Plain", 100, 450, 128, 32, nullptr, nullptr, nullptr);
    auto* held = add<Button>("Held", 100, 410, 128, 32, nullptr, nullptr, nullptr);
    held->onEvent(nullptr, ValueEvent::ofBool(16, true));
    auto* pictured =
        add<Button>("Load", 100, 365, 128, 32, ::texture(412), ::texture(413), ::texture(430));
    auto* toggle =
        add<ToggleButton>("On", 250, 450, 100, 20, nullptr, nullptr, nullptr, nullptr, nullptr);
    toggle->setChecked(true);
    auto* right = add<Label>("Speed", 250, 400, 150, 24, nullptr);
    right->align = AlignRight;
    right->layoutText();
    auto* field = add<EditField>(nullptr, 400, 500, 120, 20, nullptr, nullptr, false);
    field->setContent("ridge.sav");
    auto* list = add<ListBox>(nullptr, 400, 300, 120, 150, nullptr, nullptr);
    for (const char* item : {"alps", "coast", "dune", "ridge", "slope", "valley", "hill", "cliff"})
        list->addItem(item);
    list->onEvent(nullptr, ValueEvent::ofText(1, "dune"));
    auto* view = add<TextView>(nullptr, 560, 300, 180, 150, nullptr, nullptr);
    for (int i = 1; i <= 12; ++i)
        view->addLine("line " + std::to_string(i));
    auto* few = add<TextView>(nullptr, 560, 200, 180, 60, nullptr, nullptr);
    few->addLine("W"); // all of its one character
    auto* upright = add<Gauge>(nullptr, 250, 150, 20, 100, nullptr, nullptr, nullptr);
    upright->setValue(30.0f);
    screen.clear();
    page.draw();
    const Frame f = screen.grab();
    f.save(GlScreen::shotPath("controls_page"));

    const char* sides[4] = {"d|l", "l|d", "dpl|lpd", "lpd|dpl"};
    for (int i = 0; i < 4; ++i) {
        const Widget& b = *bevels[i];
        EXPECT_EQ(bevelFrom(f, b, true) + "|" + bevelFrom(f, b, false), sides[i]) << i;
        for (const auto& [px, py] : {std::pair{b.x - 2, b.y + 20},
                                     {b.x + b.width + 1, b.y + 20},
                                     {b.x + 30, b.y - 2},
                                     {b.x + 30, b.y + b.height + 1}})
            EXPECT_TRUE(near(f.at(px, py), Fill, 3)) << i << ": nothing outside, at " << px;
        EXPECT_TRUE(
            near(f.average(b.x + 5, b.y + 5, b.x + b.width - 5, b.y + b.height - 5), Fill, 2));
    }
    EXPECT_TRUE(plain->font->matches("Arial", 24, true, false)) << "bold, upright";
    EXPECT_EQ(bevelFrom(f, *plain, true) + bevelFrom(f, *held, true), "ld");
    for (double top : {0.0, 0.5}) // the right half holds no text: the picture, top rows on top
        EXPECT_TRUE(near(drawnAverage(f, pictured->x, pictured->y, pictured->x + 128,
                                      pictured->y + 32, 0.6, top, 1.0, top + 0.5),
                         pictureAverage(*pictured->normalTexture, 0.6, top, 1.0, top + 0.5), 12))
            << "from the top at " << top;
    const int inset = toggle->boxSize / 4, side = toggle->boxSize - 2 * inset;
    const int left = toggle->x + inset, bottom = toggle->y + inset;
    EXPECT_GT(countNear(f, left, bottom, left + side + 1, bottom + side + 1, Edge), side);
    EXPECT_GT(countNear(f, left + 3, bottom + 3, left + side - 2, bottom + side - 2, Mark), 4);

    const int middle = right->x + 75, top = right->y + 24; // a right-aligned label
    EXPECT_EQ(std::pair(textPixels(f, right->x, right->y, middle, top),
                        textPixels(f, middle, right->y, middle + 75, top) > 20),
              std::pair(0, true));
    EXPECT_GT(textPixels(f, toggle->x, toggle->y, toggle->x + 100, toggle->y + 20), 10) << "On";
    EXPECT_EQ(bevelFrom(f, *field, true), "d");
    EXPECT_GT(textPixels(f, field->x, field->y, field->x + 120, field->y + 20), 20);
    EXPECT_EQ(textPixels(f, field->x - 4, field->y, field->x + field->margin, field->y + 20), 0);
    EXPECT_EQ(textPixels(f, field->x, field->y - 8, field->x + 120, field->y), 0);
    const int pitch = list->charHeight + 4, rowsTop = list->y + 150 - list->margin;
    const int selectedTop = rowsTop - (list->selected - list->first) * pitch;
    EXPECT_GT(countNear(f, list->x + list->margin, selectedTop - pitch,
                        list->x + 120 - list->margin, selectedTop, Selection),
              (120 - 2 * list->margin) * pitch / 2);
    EXPECT_FALSE(near(f.at(list->x + 1, selectedTop - pitch / 2), Selection, 3))
        << "not on the bevel";
    EXPECT_GT(textPixels(f, list->x, rowsTop - pitch, list->x + 120, rowsTop), 10);
    const int viewTop = view->y + 150;
    EXPECT_GT(view->first, 0) << "twelve lines scrolled the view";
    EXPECT_GT(textPixels(f, few->x, few->y, few->x + 180, few->y + 60), 3) << "one line shows";
    EXPECT_GT(textPixels(f, view->x, view->y, view->x + 180, view->y + 40), 20) << "to the bottom";
    EXPECT_EQ(textPixels(f, view->x, viewTop - view->margin, view->x + 180, viewTop + 20), 0);
    EXPECT_EQ(textPixels(f, view->x - 4, view->y, view->x + view->margin, viewTop), 0);
    const Gauge::Edges& bar = upright->thumbRect;
    const int barArea = (bar.right - bar.left) * (bar.top - bar.bottom);
    EXPECT_EQ(bar.top - bar.bottom, static_cast<int>(0.3 * (100 - 4)));
    EXPECT_NEAR(countNear(f, upright->x, upright->y, upright->x + 20, upright->y + 100, Red),
                barArea, barArea / 4);
    EXPECT_EQ(countNear(f, upright->x, upright->y + 50, upright->x + 20, upright->y + 100, Red), 0);
}
