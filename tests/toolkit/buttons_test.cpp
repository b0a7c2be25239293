#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "gfx/Texture.h"
#include "platform/Keys.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/ToggleButton.h"

// Wherever the label is and however it is aligned, its capitals are centred on its
// height and its text sits against the margin it is aligned to (or in the middle);
// a toggle centres its text in the room right of its box.
TEST(Label, PlacesItsTextByAlignmentWhereverItMoves) {
    Font* font = testFont("Arial", 18);
    for (const char* text : {"Speed", "Speed (m/s)"}) {
        const TextSize size = font->textExtent(text);
        Label label;
        label.font = font;
        label.create(text, 100, 40, 200, 30, nullptr, nullptr);
        for (int align : {AlignLeft, AlignCentre, AlignRight}) {
            label.align = align;
            label.setPosition(10 + align, 20);
            SCOPED_TRACE(testing::Message() << text << " align " << align);
            EXPECT_NEAR(label.textY + static_cast<int>(size.height * 0.6) / 2.0,
                        label.y + label.height / 2.0, 1.0);
            const int expected[] = {label.x + label.margin,
                                    label.x + (label.width - size.width) / 2,
                                    label.x + label.width - label.margin - size.width};
            EXPECT_EQ(label.textX, expected[align == AlignLeft ? 0 : align == AlignCentre ? 1 : 2]);
        }
        ToggleButton toggle;
        toggle.font = font;
        toggle.create(text, 110, 320, 160, 20, nullptr, nullptr, nullptr, nullptr, nullptr,
                      nullptr);
        toggle.align = AlignCentre;
        toggle.layoutText();
        EXPECT_NEAR(toggle.textX + size.width / 2.0,
                    toggle.x + (toggle.boxSize + toggle.width) / 2.0, 1.0);
    }
}

// Random pointer and key sequences: a press is told at once, a release only after
// this button's own press with no leave or click elsewhere in between, and the look
// (bevel or picture) follows; a toggle flips on each release it tells, never on a press.
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
}
