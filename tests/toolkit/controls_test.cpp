#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "platform/Keys.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/toolkit/Container.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/Gauge.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/TextView.h"

namespace {
EditField* makeField(int width, Widget* parent = nullptr) {
    auto* field = new EditField;
    field->font = monoFont();
    field->create(nullptr, 0, 0, width, 20, parent, nullptr, nullptr, false);
    return field;
}

void type(EditField& field, const std::string& keys) {
    for (char c : keys) {
        field.keyDown(static_cast<unsigned char>(c));
        field.characterTyped(static_cast<unsigned char>(c));
    }
}

ListBox* makeList(int width, int height, Widget* parent = nullptr) {
    auto* list = new ListBox;
    list->font = monoFont();
    list->create(nullptr, 0, 0, width, height, parent, nullptr, nullptr);
    return list;
}

// The y of the middle of a shown row of a list (row 0 at the top).
int rowY(const ListBox& list, int row) {
    const int pitch = list.charHeight + 4;
    return list.y + list.height - list.margin - row * pitch - pitch / 2;
}
} // namespace

// Random key sequences: the text is what was typed less what was erased, the view
// never starts past the text, typing always shows the end, and every change is
// told once with the text and scroll the field then holds.
TEST(EditField, KeySequencesKeepTextViewAndEventsTogether) {
    const int keys[] = {'a',        'Z',       '.',         '%',       '\'',
                        '(',        Key::Back, Key::Delete, Key::Home, Key::Left,
                        Key::Right, Key::F1,   Key::Console};
    std::mt19937 random(1);
    for (int round = 0; round < 50; ++round) {
        std::unique_ptr<EditField> field(makeField(60 + 10 * (round % 8)));
        Recorder heard;
        field->subscribe(&heard);
        field->hitTest(1, 1);
        std::string typed;
        for (int step = 0; step < 60; ++step) {
            const int key = keys[random() % std::size(keys)];
            const int before = field->offset;
            const std::size_t told = heard.events.size();
            const bool printable = key >= 32 && key <= 126;
            // As the window delivers it: the press, then the character it typed.
            const bool passedOn = field->keyDown(key);
            if (printable) field->characterTyped(key);
            const bool erases = key == Key::Back || key == Key::Delete;
            if (printable) typed += static_cast<char>(key);
            if (erases && !typed.empty()) typed.pop_back();
            SCOPED_TRACE(testing::Message()
                         << "round " << round << " step " << step << " key " << key);
            ASSERT_EQ(field->content, typed);
            EXPECT_EQ(passedOn, key == Key::F1 || key == Key::Console);
            const int last = std::max(0, static_cast<int>(typed.size()) - field->visibleChars);
            ASSERT_GE(field->offset, 0); // erasing may leave the view short, never past the end
            ASSERT_LE(field->offset, std::max(0, static_cast<int>(typed.size()) - 1));
            if (printable) {
                EXPECT_GE(field->offset, last); // the end shows
            }
            if (key == Key::Home) {
                EXPECT_EQ(field->offset, 0);
            }
            if (key == Key::Left) {
                EXPECT_EQ(field->offset, std::min(before + 1, std::max(before, last)));
            }
            if (key == Key::Right) {
                EXPECT_EQ(field->offset, std::max(before - 1, 0));
            }
            if (heard.events.size() == told) continue;
            ASSERT_EQ(heard.events.size(), told + 1);
            const HeardEvent& e = heard.last();
            EXPECT_EQ((e.type & 2u) != 0, printable || erases);
            const bool emptied = erases && typed.empty(); // the view goes back to the start
            EXPECT_EQ((e.type & 32u) != 0, field->offset != before || key == Key::Home || emptied);
            EXPECT_EQ(e.text, typed);
            EXPECT_EQ(e.length, static_cast<int>(typed.size()));
            EXPECT_EQ(e.visibleChars, field->visibleChars);
            EXPECT_EQ(e.offset, field->offset);
        }
        // Erasing an empty field uses the key but has nothing to tell.
        while (!field->content.empty())
            field->keyDown(Key::Back);
        heard.clear();
        EXPECT_FALSE(field->keyDown(Key::Back));
        EXPECT_TRUE(heard.events.empty());
    }
}

TEST(EditField, ReturnReportsTheTextOrAddsALine) {
    std::unique_ptr<EditField> field(makeField(100));
    Recorder heard;
    field->subscribe(&heard);
    field->hitTest(1, 1);
    type(*field, "spot");
    heard.clear();
    EXPECT_FALSE(field->keyDown(Key::Return));
    ASSERT_EQ(heard.events.size(), 1u);
    EXPECT_EQ(heard.last().type, 8u);
    EXPECT_EQ(heard.last().text, "spot");
    EXPECT_EQ(field->content, "spot");

    EditField notes;
    notes.font = monoFont();
    notes.create(nullptr, 0, 0, 100, 60, nullptr, nullptr, nullptr, true);
    notes.hitTest(1, 1);
    type(notes, "a");
    notes.keyDown(Key::Return);
    type(notes, "b");
    EXPECT_EQ(notes.content, "a\nb");
}

TEST(ListBox, PointerHoversAndClickSelectsTheRowUnderIt) {
    std::unique_ptr<ListBox> list(makeList(120, 180));
    for (const char* item : {"a", "b", "c"})
        list->addItem(item);
    Recorder heard;
    list->subscribe(&heard);
    const int px = list->x + 10;
    list->hitTest(px, rowY(*list, 2));
    EXPECT_FALSE(list->mouseMove(px, rowY(*list, 2)));
    EXPECT_EQ(list->hover, 2);
    EXPECT_EQ(heard.last().type, 4u);
    EXPECT_FALSE(list->leftButton(0, px, rowY(*list, 2), true));
    EXPECT_FALSE(list->leftButton(0, px, rowY(*list, 2), false));
    EXPECT_EQ(list->selected, 2);
    EXPECT_EQ(heard.types(), (std::vector<uint32_t>{4, 1, 1}));
    EXPECT_EQ(heard.last().text, "c");
    EXPECT_EQ(heard.last().selected, 2);
}

// Random Up and Down: the selection moves by one and stops at both ends, stays in
// view (scrolling just enough), and each move is told once, scrolled or not.
TEST(ListBox, ArrowSequencesMoveTheSelectionAndKeepItInView) {
    std::mt19937 random(1);
    for (int round = 0; round < 30; ++round) {
        std::unique_ptr<ListBox> list(makeList(100 + 7 * round, 100 + 20 * (round % 5)));
        ASSERT_EQ(list->font, monoFont()) << "the list keeps the font it is given";
        const int pitch = list->charHeight + 4, inside = list->height - 2 * list->margin;
        EXPECT_TRUE(list->rows * pitch <= inside && (list->rows + 1) * pitch > inside)
            << "as many rows as fit";
        const int across = list->width - 2 * list->margin;
        EXPECT_TRUE(list->columns * list->charWidth <= across &&
                    (list->columns + 1) * list->charWidth > across);
        const int count = 1 + static_cast<int>(random() % 25);
        for (int i = 0; i < count; ++i)
            list->addItem("item" + std::to_string(i));
        Recorder heard;
        list->subscribe(&heard);
        for (int step = 0; step < 60; ++step) {
            const int key = random() % 5 == 0 ? 'x' : random() % 2 ? Key::Up : Key::Down;
            const int before = list->selected, first = list->first;
            EXPECT_EQ(list->keyUp(key), key == 'x');
            const int expected =
                key == 'x' ? before : std::clamp(before + (key == Key::Up ? -1 : 1), 0, count - 1);
            SCOPED_TRACE(testing::Message() << "round " << round << " step " << step);
            ASSERT_EQ(list->selected, expected);
            if (expected < 0) continue; // nothing chosen yet
            ASSERT_GE(list->selected, list->first);
            ASSERT_LT(list->selected, list->first + list->rows);
            const bool inView = expected >= first && expected < first + list->rows;
            EXPECT_EQ(list->first, inView           ? first
                                   : key == Key::Up ? expected
                                                    : expected - list->rows + 1);
            if (expected == before) continue;
            EXPECT_EQ(heard.last().type, inView ? 1u : 33u);
            EXPECT_EQ(heard.last().selected, expected);
            EXPECT_EQ(heard.last().first, list->first);
            EXPECT_EQ(heard.last().text, "item" + std::to_string(expected));
        }
    }
}

TEST(ListBox, FollowsEventsOfLinkedControls) {
    std::unique_ptr<ListBox> list(makeList(120, 180));
    const int rows = list->rows;
    for (int i = 0; i < rows + 4; ++i)
        list->addItem("item" + std::to_string(i));
    list->onEvent(nullptr, RangeEvent(32, 2.7f, 0, 4));
    EXPECT_EQ(list->first, 2);
    list->onEvent(nullptr, RangeEvent(32, 50.0f, 0, 4));
    EXPECT_EQ(list->first, 4); // clamped to count - rows
    list->onEvent(nullptr, RangeEvent(32, -3.0f, 0, 4));
    EXPECT_EQ(list->first, 0);
    list->onEvent(nullptr, ValueEvent::ofText(1, "item3"));
    EXPECT_EQ(list->selected, 3);
    list->onEvent(nullptr, ValueEvent::ofText(1, "missing"));
    EXPECT_EQ(list->selected, -1);
    ListEvent other(1 | 32);
    other.selected = 5;
    other.first = 1;
    list->onEvent(nullptr, other);
    EXPECT_EQ(list->selected, 5);
    EXPECT_EQ(list->first, 1);
    const int before = list->count();
    list->onEvent(nullptr, ValueEvent::ofText(2, "added"));
    EXPECT_EQ(list->count(), before + 1);
    list->onEvent(nullptr, ValueEvent::ofText(2, nullptr));
    EXPECT_EQ(list->count(), 0);
}

TEST(Gauge, BarGrowsFromTheStartToTheValueAndIsClamped) {
    Gauge gauge;
    gauge.vertical = false;
    gauge.create(nullptr, 100, 50, 204, 20, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(gauge.thumbSize.height, 16); // cross extent less the margins
    EXPECT_EQ(gauge.thumbSize.width, 0);
    gauge.setValue(0.0f);
    EXPECT_EQ(gauge.thumbRect.left, 102);
    EXPECT_EQ(gauge.thumbRect.right, 102); // empty
    gauge.setValue(50.0f);
    EXPECT_EQ(gauge.thumbRect.right, 102 + 100);
    gauge.setValue(250.0f);
    EXPECT_FLOAT_EQ(gauge.value, 100.0f);
    EXPECT_EQ(gauge.thumbRect.right, 100 + 204 - 2);
    EXPECT_EQ(gauge.thumbRect.bottom, 52);
    EXPECT_EQ(gauge.thumbRect.top, 68);
    gauge.setValue(-5.0f);
    EXPECT_FLOAT_EQ(gauge.value, 0.0f);

    gauge.setFromStart(false); // the bar now comes from the end
    gauge.setValue(100.0f);
    EXPECT_EQ(gauge.thumbRect.left, 102);
    EXPECT_EQ(gauge.thumbRect.right, 302);
    gauge.setValue(25.0f);
    EXPECT_EQ(gauge.thumbRect.left, 102 + 150);
    EXPECT_EQ(gauge.thumbRect.right, 302);
}

TEST(Slider, DraggedPastItsEndStaysAtTheBound) {
    Slider slider;
    slider.vertical = false;
    slider.create(nullptr, 370, 445, 70, 8, nullptr, nullptr, nullptr, nullptr);
    slider.setRange(40.0f, 80.0f);
    Recorder heard;
    slider.subscribe(&heard);
    slider.hitTest(440, 449);
    slider.leftButton(0, 440, 449, true); // the far right edge, past the knob's travel
    EXPECT_FLOAT_EQ(slider.value, 80.0f);
    EXPECT_EQ(heard.last().type, 2u);
    EXPECT_FLOAT_EQ(heard.last().value, 80.0f);
    EXPECT_FLOAT_EQ(heard.last().min, 40.0f);
    EXPECT_FLOAT_EQ(heard.last().max, 80.0f);
    slider.mouseMove(370, 449);
    EXPECT_FLOAT_EQ(slider.value, 40.0f);
    // Leaving the slider ends the drag: later motion changes nothing.
    slider.hitTest(300, 449);
    EXPECT_FALSE(slider.dragging);
    const std::size_t heardBefore = heard.events.size();
    EXPECT_TRUE(slider.mouseMove(420, 449));
    EXPECT_EQ(heard.events.size(), heardBefore);
}

TEST(Slider, ScrollModeTakesItsRangeFromTheLinkedView) {
    Slider slider;
    slider.scrollMode = true;
    slider.create(nullptr, 0, 0, 10, 100, nullptr, nullptr, nullptr, nullptr);
    ListEvent grown(2 | 32);
    grown.count = 30;
    grown.rows = 8;
    grown.first = 5;
    slider.onEvent(nullptr, grown);
    EXPECT_FLOAT_EQ(slider.max, 22.0f); // fromStart: max is the far bound
    EXPECT_FLOAT_EQ(slider.value, 5.0f);
    TextEvent field(2 | 32);
    field.length = 40;
    field.visibleChars = 10;
    field.offset = 12;
    slider.onEvent(nullptr, field);
    EXPECT_FLOAT_EQ(slider.max, 30.0f);
    EXPECT_FLOAT_EQ(slider.value, 12.0f);
    ListEvent chosen(1);
    chosen.text = "7";
    slider.onEvent(nullptr, chosen); // a selection does not move a scroll bar
    EXPECT_FLOAT_EQ(slider.value, 12.0f);

    Slider plain;
    plain.create(nullptr, 0, 0, 10, 100, nullptr, nullptr, nullptr, nullptr);
    plain.onEvent(nullptr, chosen);
    EXPECT_FLOAT_EQ(plain.value, 7.0f);
}

// A click where no row is, equal slider bounds, read-outs moved by commands, list typing.
TEST(ListBox, ClickWhereNoRowIsSelectsNothing) {
    std::unique_ptr<ListBox> list(makeList(120, 180));
    for (int i = 0; i < 20; ++i)
        list->addItem("item" + std::to_string(i));
    list->first = 5; // scrolled
    list->selected = 7;
    Recorder heard;
    list->subscribe(&heard);
    const int px = list->x + 10;
    const int inTopMargin = list->y + list->height - 2;
    list->hitTest(px, inTopMargin);
    list->mouseMove(px, inTopMargin);
    EXPECT_EQ(list->hover, -1);
    EXPECT_TRUE(list->leftButton(0, px, inTopMargin, true));
    EXPECT_EQ(list->selected, 7);

    std::unique_ptr<ListBox> shortList(makeList(120, 180));
    shortList->addItem("only");
    const int belowItems = rowY(*shortList, 3);
    shortList->hitTest(px, belowItems);
    EXPECT_TRUE(shortList->leftButton(0, px, belowItems, true));
    EXPECT_EQ(shortList->selected, -1);
    EXPECT_TRUE(heard.events.empty());
}
TEST(Slider, EqualBoundsPutTheKnobAtTheStart) {
    Slider slider;
    slider.create(nullptr, 0, 0, 10, 100, nullptr, nullptr, nullptr, nullptr);
    slider.setRange(5.0f, 5.0f);
    EXPECT_FLOAT_EQ(slider.value, 5.0f);
    EXPECT_EQ(slider.thumbRect.bottom, 2);
    EXPECT_EQ(slider.thumbCentre.y, 2 + 3);
}
TEST(Slider, ReadOutShowsTheValueAlsoWhenACommandMovesIt) {
    Container page;
    page.create(nullptr, 0, 0, 500, 500, nullptr);
    auto* slider = new Slider;
    slider->vertical = false;
    slider->create(nullptr, 364, 439, 70, 8, &page, nullptr, nullptr, nullptr);
    auto* readOut = new Label;
    readOut->noFill = true;
    readOut->create("0", 436, 434, 40, 20, &page, nullptr);
    slider->subscribe(readOut);
    EXPECT_EQ(readOut->text, "0");
    // "Reset": the command sends the world's value to the slider.
    slider->onEvent(nullptr, ValueEvent::ofFloat(2, 63.0f));
    EXPECT_FLOAT_EQ(slider->value, 63.0f);
    EXPECT_EQ(readOut->text, "63.0");
    slider->setRange(40.0f, 60.0f);
    EXPECT_EQ(readOut->text, "60.0");
    // A command listening to the slider does not hear the read-out's update.
    Recorder command(2 | 8 | 128);
    slider->subscribe(&command);
    slider->onEvent(nullptr, RangeEvent(2, 50.0f, 40, 60));
    EXPECT_EQ(readOut->text, "50.0");
    EXPECT_TRUE(command.events.empty());
}
TEST(ListBox, ReturnInALinkedFieldSelectsOrAddsTheName) {
    std::unique_ptr<ListBox> list(makeList(120, 180));
    for (const char* item : {"alps", "coast", "dune"})
        list->addItem(item);
    TextEvent entered(8);
    for (int row : {1, 0}) {
        entered.text = row ? "coast" : "alps";
        list->onEvent(nullptr, entered);
        EXPECT_EQ(list->selected, row);
    }
    entered.text = "ridge";
    list->onEvent(nullptr, entered);
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(list->selected, 3);
    TextEvent typing(2);
    typing.text = "co";
    list->onEvent(nullptr, typing);
    EXPECT_EQ(list->selected, 1);
    typing.text = "zz";
    list->onEvent(nullptr, typing);
    EXPECT_EQ(list->selected, -1);
}
