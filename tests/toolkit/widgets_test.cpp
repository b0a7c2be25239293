#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>

#include "gfx/Texture.h"
#include "platform/Keys.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/ToggleButton.h"

// Values travel in the event's word; texts read as the numbers typed, 0 when none.
TEST(WidgetEvents, ValuesTravelInOneWordAndTextsReadAsTypedNumbers) {
    EXPECT_EQ(std::tuple(ValueEvent::floatOf(ValueEvent::ofFloat(2, -12.75f)),
                         ValueEvent::intOf(ValueEvent::ofInt(8, -1)),
                         ValueEvent::boolOf(ValueEvent::ofBool(2, true)),
                         ValueEvent::boolOf(Event(2, 0x100)), // only the low byte is the bool
                         std::string(ValueEvent::textOf(ValueEvent::ofText(8, nullptr)))),
              std::tuple(-12.75f, -1, true, false, std::string()));
    EXPECT_EQ(std::tuple(textToInt("+7 apples"), textToInt("abc"), textToFloat(" -0.25x"),
                         textToFloat("nan"), textToInt(nullptr)),
              std::tuple(7, 0, -0.25f, 0.0f, 0));
}

// The pointer goes to the child under it (edges in), which shows its hover look till it leaves.
TEST(Container, RoutesThePointerAndMovesItsChildren) {
    Container root;
    root.createWithTitle("Title", 0, 0, 300, 200, nullptr, nullptr);
    auto* left = new Label;
    left->create("left", 0, 0, 50, 50, &root, nullptr);
    auto* right = new Label;
    right->create("right", 40, 0, 50, 50, &root, nullptr);
    EXPECT_TRUE(left->isSubscribed(&root));
    Texture normal, hover;
    left->normalTexture = left->texture = &normal;
    left->hoverTexture = &hover;
    const std::tuple<int, int, Widget*, bool> moves[] = {
        {56, 16, left, true},   {6, 6, left, true},       {5, 16, nullptr, true},
        {20, 5, nullptr, true}, {46, 56, left, true},     {20, 57, nullptr, true},
        {96, 16, right, true},  {97, 16, nullptr, true},  {500, 10, nullptr, false},
        {56, 16, left, true},   {200, 150, nullptr, true}};
    for (const auto& [x, y, under, inside] : moves) {
        const bool onLeft = under == left;
        EXPECT_EQ(root.hitTest(x, y), inside) << x << "," << y;
        EXPECT_EQ(
            std::tuple(root.activeChild, left->active, right->active, left->fill, left->bevel,
                       left->texture),
            std::tuple(under, onLeft, under == right, onLeft ? &left->hoverFill : &left->normalFill,
                       onLeft ? &left->hoverBevel : &left->normalBevel, onLeft ? &hover : &normal))
            << x << "," << y;
    }
    EXPECT_TRUE(root.keyDown('a')) << "no child under the pointer: the key goes on";
    root.exclusive = true;
    EXPECT_FALSE(root.keyDown('a')) << "unless the container keeps the input";
    root.hitTest(56, 16);
    root.setActive(false);
    EXPECT_EQ(std::tuple(left->active, left->fill, root.activeChild == nullptr),
              std::tuple(false, &left->normalFill, true));
    const int labelTextX = left->textX;
    root.centreIn(1000, 600);
    EXPECT_EQ(std::tuple(root.x, root.y, left->x, left->y, left->textX, root.titleX, root.titleY),
              std::tuple(350, 200, 356, 206, labelTextX + 350, 356, 378));
    root.setPosition(351, 200); // the smallest moves too, each way
    root.setPosition(351, 201);
    EXPECT_EQ(std::pair(left->x, left->y), std::pair(357, 207));
}

// Random pointer and key sequences: a release counts only after the button's own press.
TEST(Button, EventSequencesTellReleasesOnlyAfterTheirOwnPress) {
    enum Action { Enter, Leave, Down, Up, KeyDown, KeyUp, OtherKey };
    Texture normal, pressedLook, hover, checkedLook, checkedHover;
    std::mt19937 random(1);
    for (int round = 0; round < 40; ++round) {
        std::unique_ptr<Button> button(round % 2 ? new ToggleButton : new Button);
        auto* toggle = dynamic_cast<ToggleButton*>(button.get());
        if (toggle)
            toggle->create("T", 0, 0, 50, 30, nullptr, &normal, &checkedLook, &hover, &checkedHover,
                           &pressedLook);
        else
            button->create("B", 0, 0, 50, 30, nullptr, round % 4 ? &normal : nullptr, &pressedLook,
                           &hover);
        Recorder heard;
        button->subscribe(&heard);
        bool inside = false, pressed = false, checked = false;
        for (int step = 0; step < 40; ++step) {
            const auto action = static_cast<Action>(random() % 7);
            const int key = random() % 2 ? Key::Return : Key::Space;
            const std::size_t told = heard.events.size();
            const bool clickOutside = !inside && (action == Down || action == Up);
            const bool press = action == KeyDown || (action == Down && inside);
            const bool release = pressed && (action == KeyUp || (action == Up && inside));
            bool passedOn = false;
            if (action == Enter || action == Leave) {
                button->hitTest(action == Enter ? 5 : 500, 5);
                pressed = pressed && !(inside && action == Leave);
                inside = action == Enter;
            } else if (action == Down || action == Up) {
                passedOn = button->leftButton(0, 5, 5, action == Down);
            } else if (action == OtherKey) {
                passedOn = button->keyDown('a') && button->keyUp(Key::Escape);
            } else {
                passedOn = action == KeyDown ? button->keyDown(key) : button->keyUp(key);
            }
            pressed = (pressed && !clickOutside && !release) || press;
            checked = checked != (toggle && release);
            SCOPED_TRACE(testing::Message()
                         << "round " << round << " step " << step << " action " << action);
            EXPECT_EQ(passedOn, action == OtherKey || clickOutside);
            ASSERT_EQ(std::pair(button->pressed, toggle && toggle->checked),
                      std::pair(pressed, checked));
            ASSERT_EQ(heard.events.size(), told + (press || release ? 1 : 0));
            if (press || release) {
                EXPECT_EQ(std::pair(heard.last().type, heard.last().pressed),
                          std::pair(press    ? 16u
                                    : toggle ? 18u
                                             : 24u,
                                    pressed));
            }
            Texture* const shown = !toggle   ? (pressed  ? &pressedLook
                                                : inside ? &hover
                                                         : &normal)
                                   : pressed ? &checkedLook
                                   : inside  ? (checked ? &checkedHover : &hover)
                                             : (checked ? &checkedLook : &normal);
            const int bevel = pressed ? BevelSunken : BevelRaised;
            EXPECT_EQ(button->bevelStyle == BevelNone ? button->texture : shown, shown);
            EXPECT_EQ(button->bevelStyle == BevelNone ? bevel : button->bevelStyle, bevel);
        }
    }
    Button fallback; // pictures it lacks are its normal one (or its checked one)
    fallback.create("R", 0, 0, 50, 30, nullptr, &normal, nullptr, nullptr);
    ToggleButton sparse;
    sparse.create("S", 0, 0, 80, 20, nullptr, &normal, &checkedLook, nullptr, nullptr, nullptr);
    EXPECT_EQ(std::tuple(fallback.hoverTexture, fallback.pressedTexture, sparse.hoverTexture,
                         sparse.checkedHoverTexture, sparse.pressedTexture),
              std::tuple(&normal, &normal, &normal, &checkedLook, &checkedLook));
    sparse.onEvent(nullptr, ValueEvent::ofBool(2, true)); // as Reset or a group sends it
    EXPECT_EQ(std::pair(sparse.checked, sparse.texture), std::pair(true, &checkedLook));
    Recorder told;
    sparse.subscribe(&told), link(&fallback, &sparse), sparse.toggle();
    EXPECT_EQ(std::tuple(told.types(), sparse.checked, fallback.isSubscribed(&sparse)),
              std::tuple(std::vector<uint32_t>{18}, false, true));
    ToggleButton centred; // its text centred in the room right of its box
    centred.font = testFont("Arial", 18);
    centred.create("Speed", 110, 320, 160, 20, nullptr, nullptr, nullptr, nullptr, nullptr,
                   nullptr);
    centred.align = AlignCentre;
    centred.layoutText();
    EXPECT_NEAR(centred.textX + centred.font->textExtent("Speed").width / 2.0,
                centred.x + (centred.boxSize + 160) / 2.0, 1.0);
}

namespace {
ListBox* makeList(int width, int height, int items) {
    auto* list = new ListBox;
    list->font = monoFont();
    list->create(nullptr, 0, 0, width, height, nullptr, nullptr, nullptr);
    for (int i = 0; i < items; ++i)
        list->addItem("item" + std::to_string(i));
    return list;
}

template <class E> std::shared_ptr<Event> made(E event) {
    return std::make_shared<E>(event);
}
} // namespace

// Random keys: the text, the view and the events follow what was typed and erased.
TEST(EditField, KeySequencesKeepTextViewAndEventsTogether) {
    const int keys[] = {'a',       '.',          '%',        '\'',      '(',
                        Key::Back, Key::Delete,  Key::Home,  Key::Left, Key::Right,
                        Key::F1,   Key::Console, Key::Return};
    std::mt19937 random(1);
    for (int round = 0; round < 50; ++round) {
        auto field = std::make_unique<EditField>();
        field->font = monoFont();
        field->create(nullptr, 0, 0, 60 + 10 * (round % 8), 20, nullptr, nullptr, nullptr, false);
        field->hitTest(1, 1);
        Recorder heard;
        field->subscribe(&heard);
        std::string typed;
        for (int step = 0; step < 60; ++step) {
            const int key = keys[random() % std::size(keys)], before = field->offset;
            const std::size_t told = heard.events.size();
            const bool printable = key >= 32 && key <= 126;
            const bool passedOn = field->keyDown(key); // the press, then the character typed
            if (printable) field->characterTyped(key);
            const bool erases = key == Key::Back || key == Key::Delete, wasEmpty = typed.empty();
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
            EXPECT_TRUE(!erases || !wasEmpty || heard.events.size() == told) << "nothing to erase";
            if (heard.events.size() == told) continue;
            ASSERT_EQ(heard.events.size(), told + 1);
            const HeardEvent& e = heard.last();
            const bool emptied = erases && typed.empty(); // the view goes back to the start
            EXPECT_EQ(
                std::tuple(e.type & 2u, e.type & 8u, e.type & 32u),
                std::tuple(printable || erases ? 2u : 0u, key == Key::Return ? 8u : 0u,
                           field->offset != before || key == Key::Home || emptied ? 32u : 0u));
            EXPECT_EQ(std::tuple(e.text, e.length, e.visibleChars, e.offset),
                      std::tuple(typed, size, field->visibleChars, field->offset));
        }
    }
}

// A click selects the row under the pointer; where no row is, nothing is selected or told.
TEST(ListBox, PointerHoversAndClickSelectsTheRowUnderIt) {
    std::unique_ptr<ListBox> list(makeList(120, 180, 8));
    const int pitch = list->charHeight + 4, inside = 180 - 2 * list->margin;
    EXPECT_TRUE(list->font == monoFont() && list->rows * pitch <= inside &&
                (list->rows + 1) * pitch > inside)
        << "the font it is given; as many rows as fit";
    list->first = 5;
    Recorder heard;
    list->subscribe(&heard);
    const int px = list->x + 10;
    for (int row : {-1, 3, 2}) {
        const int top = list->y + list->height,
                  py = row < 0 ? top - 2 : top - list->margin - row * pitch - pitch / 2;
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

// A dragged knob stays in bounds; the read-out shows the value however it moved.
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
    EXPECT_EQ(std::tuple(flat.value, flat.thumbRect.bottom, flat.thumbCentre.y, flat.thumbCentre.x),
              std::tuple(5.0f, 2, 5, 5));
}
