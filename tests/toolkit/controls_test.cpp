#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

#include "platform/Keys.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/Slider.h"

namespace {
EditField* makeField(int width) {
    auto* field = new EditField;
    field->font = monoFont();
    field->create(nullptr, 0, 0, width, 20, nullptr, nullptr, nullptr, false);
    field->hitTest(1, 1);
    return field;
}

ListBox* makeList(int width, int height, int items) {
    auto* list = new ListBox;
    list->font = monoFont();
    list->create(nullptr, 0, 0, width, height, nullptr, nullptr, nullptr);
    for (int i = 0; i < items; ++i)
        list->addItem("item" + std::to_string(i));
    return list;
}

// The y of the middle of a shown row of a list (row 0 at the top).
int rowY(const ListBox& list, int row) {
    const int pitch = list.charHeight + 4;
    return list.y + list.height - list.margin - row * pitch - pitch / 2;
}

template <class E> std::shared_ptr<Event> made(E event) {
    return std::make_shared<E>(event);
}
} // namespace

// Random key sequences: the text is what was typed less what was erased, the view
// never starts past the text, typing always shows the end, and every change is
// told once with the text and scroll the field then holds; Return tells the text.
TEST(EditField, KeySequencesKeepTextViewAndEventsTogether) {
    const int keys[] = {'a',       '.',          '%',        '\'',      '(',
                        Key::Back, Key::Delete,  Key::Home,  Key::Left, Key::Right,
                        Key::F1,   Key::Console, Key::Return};
    std::mt19937 random(1);
    for (int round = 0; round < 50; ++round) {
        std::unique_ptr<EditField> field(makeField(60 + 10 * (round % 8)));
        Recorder heard;
        field->subscribe(&heard);
        std::string typed;
        for (int step = 0; step < 60; ++step) {
            const int key = keys[random() % std::size(keys)], before = field->offset;
            const std::size_t told = heard.events.size();
            const bool printable = key >= 32 && key <= 126;
            const bool passedOn = field->keyDown(key); // the press, then the character typed
            if (printable) field->characterTyped(key);
            const bool erases = key == Key::Back || key == Key::Delete;
            if (printable) typed += static_cast<char>(key);
            if (erases && !typed.empty()) typed.pop_back();
            SCOPED_TRACE(testing::Message()
                         << "round " << round << " step " << step << " key " << key);
            ASSERT_EQ(field->content, typed);
            EXPECT_EQ(passedOn, key == Key::F1 || key == Key::Console);
            const int size = static_cast<int>(typed.size());
            const int last = std::max(0, size - field->visibleChars);
            // Typing shows the end; erasing may leave the view short, never past the end.
            ASSERT_GE(field->offset, printable ? last : 0);
            ASSERT_LE(field->offset, std::max(0, size - 1));
            const int moved = key == Key::Home    ? 0
                              : key == Key::Left  ? std::min(before + 1, std::max(before, last))
                              : key == Key::Right ? std::max(before - 1, 0)
                                                  : field->offset;
            EXPECT_EQ(field->offset, moved);
            if (heard.events.size() == told) continue;
            ASSERT_EQ(heard.events.size(), told + 1);
            const HeardEvent& e = heard.last();
            const bool emptied = erases && typed.empty(); // the view goes back to the start
            EXPECT_EQ((e.type & 2u) != 0, printable || erases);
            EXPECT_EQ((e.type & 8u) != 0, key == Key::Return);
            EXPECT_EQ((e.type & 32u) != 0, field->offset != before || key == Key::Home || emptied);
            EXPECT_EQ(std::tuple(e.text, e.length, e.visibleChars, e.offset),
                      std::tuple(typed, size, field->visibleChars, field->offset));
        }
        while (!field->content.empty()) // erasing an empty field uses the key, tells nothing
            field->keyDown(Key::Back);
        heard.clear();
        EXPECT_FALSE(field->keyDown(Key::Back));
        EXPECT_TRUE(heard.events.empty());
    }
}

// Hover follows the pointer, a click selects the row under it; where no row is (the
// margin, below the last item) nothing is selected and nothing told.
TEST(ListBox, PointerHoversAndClickSelectsTheRowUnderIt) {
    std::unique_ptr<ListBox> list(makeList(120, 180, 8));
    list->first = 5;
    Recorder heard;
    list->subscribe(&heard);
    const int px = list->x + 10;
    for (int row : {-1, 3, 2}) {
        const int py = row < 0 ? list->y + list->height - 2 : rowY(*list, row);
        list->hitTest(px, py);
        EXPECT_EQ(list->mouseMove(px, py), false);
        EXPECT_EQ(list->leftButton(0, px, py, true), row != 2);
        EXPECT_EQ(std::pair(list->hover, list->selected),
                  row == 2 ? std::pair(2, 7) : std::pair(-1, -1));
    }
    EXPECT_EQ(heard.types(), (std::vector<uint32_t>{4, 1}));
    EXPECT_EQ(std::pair(heard.last().text, heard.last().selected),
              std::pair(std::string("item7"), 7));
}

// Random Up and Down: the selection moves by one and stops at both ends, stays in
// view (scrolling just enough), and each move is told once, scrolled or not.
TEST(ListBox, ArrowSequencesMoveTheSelectionAndKeepItInView) {
    std::mt19937 random(1);
    for (int round = 0; round < 30; ++round) {
        const int count = 1 + static_cast<int>(random() % 25);
        std::unique_ptr<ListBox> list(makeList(100 + 7 * round, 100 + 20 * (round % 5), count));
        ASSERT_EQ(list->font, monoFont()) << "the list keeps the font it is given";
        const int pitch = list->charHeight + 4, inside = list->height - 2 * list->margin;
        EXPECT_TRUE(list->rows * pitch <= inside && (list->rows + 1) * pitch > inside);
        const int across = list->width - 2 * list->margin;
        EXPECT_TRUE(list->columns * list->charWidth <= across &&
                    (list->columns + 1) * list->charWidth > across);
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
            const bool inView = expected >= first && expected < first + list->rows;
            EXPECT_EQ(list->first, inView           ? first
                                   : key == Key::Up ? expected
                                                    : expected - list->rows + 1);
            if (expected == before) continue;
            EXPECT_EQ(std::tuple(heard.last().type, heard.last().selected, heard.last().first,
                                 heard.last().text),
                      std::tuple(inView ? 1u : 33u, expected, list->first,
                                 "item" + std::to_string(expected)));
        }
    }
}

// What a list does with the events of the scroll bars, fields and lists linked to it.
TEST(ListBox, FollowsEventsOfLinkedControls) {
    std::unique_ptr<ListBox> list(makeList(120, 180, 0));
    for (const char* item : {"alps", "coast", "dune"})
        list->addItem(item);
    for (int i = 3; i < list->rows + 4; ++i)
        list->addItem("item" + std::to_string(i));
    const int n = list->count(), unchecked = -9;
    auto text = [](uint32_t type, const char* typed) {
        TextEvent e(type);
        e.text = typed;
        return made(e);
    };
    ListEvent other(1 | 32);
    other.selected = 5, other.first = 1;
    const struct {
        const char* name;
        std::shared_ptr<Event> event;
        int selected, first, count;
    } rows[] = {{"bar moved", made(RangeEvent(32, 2.7f, 0, 4)), unchecked, 2, n},
                {"bar past the end", made(RangeEvent(32, 50.0f, 0, 4)), unchecked, 4, n},
                {"bar before the start", made(RangeEvent(32, -3.0f, 0, 4)), unchecked, 0, n},
                {"item named", made(ValueEvent::ofText(1, "coast")), 1, 0, n},
                {"unknown item", made(ValueEvent::ofText(1, "missing")), -1, 0, n},
                {"other list", made(other), 5, 1, n},
                {"Return, first item", text(8, "alps"), 0, unchecked, n},
                {"Return, known", text(8, "coast"), 1, unchecked, n},
                {"Return, new", text(8, "ridge"), n, unchecked, n + 1},
                {"Return, empty", text(8, ""), n, unchecked, n + 1},
                {"typing", text(2, "co"), 1, unchecked, n + 1},
                {"typing past all", text(2, "zz"), -1, unchecked, n + 1},
                {"item added", made(ValueEvent::ofText(2, "added")), unchecked, unchecked, n + 2},
                {"cleared", made(ValueEvent::ofText(2, nullptr)), unchecked, unchecked, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        list->onEvent(nullptr, *row.event);
        EXPECT_EQ(std::tuple(row.selected == unchecked ? unchecked : list->selected,
                             row.first == unchecked ? unchecked : list->first, list->count()),
                  std::tuple(row.selected, row.first, row.count));
    }
}

// Dragged past its ends the knob stays at the bounds, leaving the slider ends the drag;
// the read-out shows the value however it moved, and a command does not hear it shown.
TEST(Slider, DragStaysInBoundsAndTheReadOutFollows) {
    Label readOut;
    readOut.create("0", 436, 434, 40, 20, nullptr, nullptr);
    Recorder command(2 | 8 | 128);
    Slider slider;
    slider.vertical = false;
    slider.create(nullptr, 370, 445, 70, 8, nullptr, nullptr, nullptr, nullptr);
    slider.subscribe(&readOut), slider.subscribe(&command);
    slider.onEvent(nullptr, ValueEvent::ofFloat(2, 63.0f)); // as Reset sends it
    EXPECT_EQ(readOut.text, "63.0");
    slider.setRange(40.0f, 60.0f);
    EXPECT_EQ(readOut.text, "60.0");
    EXPECT_TRUE(command.events.empty());
    slider.setRange(40.0f, 80.0f);
    slider.hitTest(440, 449);
    slider.leftButton(0, 440, 449, true);
    ASSERT_EQ(command.events.size(), 1u);
    EXPECT_EQ(std::tuple(slider.value, readOut.text, command.last().type, command.last().value,
                         command.last().min, command.last().max),
              std::tuple(80.0f, std::string("80.0"), 2u, 80.0f, 40.0f, 80.0f));
    slider.mouseMove(370, 449);
    slider.hitTest(300, 449);
    EXPECT_TRUE(slider.mouseMove(420, 449));
    EXPECT_EQ(std::tuple(slider.value, readOut.text, slider.dragging, command.events.size()),
              std::tuple(40.0f, std::string("40.0"), false, std::size_t{2}));
    Slider flat; // equal bounds put the knob at the start
    flat.create(nullptr, 0, 0, 10, 100, nullptr, nullptr, nullptr, nullptr);
    flat.setRange(5.0f, 5.0f);
    EXPECT_EQ(std::tuple(flat.value, flat.thumbRect.bottom, flat.thumbCentre.y),
              std::tuple(5.0f, 2, 5));
}

// A scroll bar takes its range from the list or field it scrolls, not their selection;
// a plain slider takes a chosen number.
TEST(Slider, ScrollModeTakesItsRangeFromTheLinkedView) {
    Slider bar, plain;
    bar.scrollMode = true;
    bar.create(nullptr, 0, 0, 10, 100, nullptr, nullptr, nullptr, nullptr);
    plain.create(nullptr, 0, 0, 10, 100, nullptr, nullptr, nullptr, nullptr);
    ListEvent grown(2 | 32), chosen(1);
    grown.count = 30, grown.rows = 8, grown.first = 5, chosen.text = "7";
    TextEvent field(2 | 32);
    field.length = 40, field.visibleChars = 10, field.offset = 12;
    for (const Event* event : std::initializer_list<const Event*>{&grown, &field, &chosen}) {
        bar.onEvent(nullptr, *event), plain.onEvent(nullptr, *event);
        EXPECT_EQ(std::pair(bar.max, bar.value),
                  event == &grown ? std::pair(22.0f, 5.0f) : std::pair(30.0f, 12.0f));
    }
    EXPECT_FLOAT_EQ(plain.value, 7.0f);
}
