#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "gfx/Texture.h"
#include "platform/Keys.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/Container.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/ToggleButton.h"
#include "ui/toolkit/ToggleGroup.h"

namespace {
struct Panel {
    Panel() { root.create(nullptr, 0, 0, 400, 300, nullptr); }
    Container root;
};

// Press and release the left button at the middle of a widget, as the layer would.
void click(Container& root, Widget* widget) {
    const int px = widget->x + widget->width / 2;
    const int py = widget->y + widget->height / 2;
    root.hitTest(px, py);
    root.leftButton(0, px, py, true);
    root.leftButton(0, px, py, false);
}
} // namespace

// Wherever the label is and however it is aligned, its capitals are centred on its
// height and its text sits against the margin it is aligned to (or in the middle).
TEST(Label, PlacesItsTextByAlignmentWhereverItMoves) {
    Font* font = testFont("Arial", 18);
    for (const char* text : {"Speed", "Speed (m/s)"}) {
        const TextSize size = font->textExtent(text);
        const int capital = static_cast<int>(size.height * 0.6);
        Label label;
        label.font = font;
        label.create(text, 100, 40, 200, 30, nullptr, nullptr);
        for (int align : {AlignLeft, AlignCentre, AlignRight}) {
            label.align = align;
            label.setPosition(10 + align, 20);
            SCOPED_TRACE(testing::Message() << text << " align " << align);
            EXPECT_NEAR(label.textY + capital / 2.0, label.y + label.height / 2.0, 1.0);
            const int expected[] = {label.x + label.margin,
                                    label.x + (label.width - size.width) / 2,
                                    label.x + label.width - label.margin - size.width};
            EXPECT_EQ(label.textX, expected[align == AlignLeft ? 0 : align == AlignCentre ? 1 : 2]);
        }
        // A toggle centres its text in the room right of its box.
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
// this button's own press with no leave or click elsewhere in between, and the
// look follows; a toggle flips on each release it tells, never on a press.
TEST(Button, EventSequencesTellReleasesOnlyAfterTheirOwnPress) {
    enum Action { Enter, Leave, Down, Up, KeyDown, KeyUp, OtherKey };
    Texture normal, pressedLook, hover;
    std::mt19937 random(1);
    for (int round = 0; round < 40; ++round) {
        const bool isToggle = round % 2;
        std::unique_ptr<Button> button(isToggle ? new ToggleButton : new Button);
        if (isToggle)
            static_cast<ToggleButton*>(button.get())
                ->create("T", 0, 0, 50, 30, nullptr, &normal, &normal, &hover, &hover,
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
            bool passedOn = false, release = false, press = false;
            switch (action) {
            case Enter:
                button->hitTest(5, 5);
                inside = true;
                break;
            case Leave:
                button->hitTest(500, 5);
                if (inside) pressed = false;
                inside = false;
                break;
            case Down:
                passedOn = button->leftButton(0, 5, 5, true);
                press = inside;
                break;
            case Up:
                passedOn = button->leftButton(0, 5, 5, false);
                release = inside && pressed;
                break;
            case KeyDown:
                passedOn = button->keyDown(key);
                press = true;
                break;
            case KeyUp:
                passedOn = button->keyUp(key);
                release = pressed;
                break;
            case OtherKey:
                passedOn = button->keyDown('a') && button->keyUp(Key::Escape);
                break;
            }
            if (!inside && (action == Down || action == Up)) pressed = false;
            if (press) pressed = true;
            if (release) pressed = false, checked = isToggle != checked;
            SCOPED_TRACE(testing::Message()
                         << "round " << round << " step " << step << " action " << action);
            EXPECT_EQ(passedOn,
                      action == OtherKey || (!inside && (action == Down || action == Up)));
            ASSERT_EQ(button->pressed, pressed);
            ASSERT_EQ(heard.events.size(), told + (press || release ? 1 : 0));
            if (press) {
                EXPECT_EQ(heard.last().type, 16u);
            }
            if (release) {
                EXPECT_EQ(heard.last().type, isToggle ? 18u : 24u);
            }
            if (press || release) {
                EXPECT_EQ(heard.last().pressed, pressed);
            }
            if (isToggle) {
                ASSERT_EQ(static_cast<ToggleButton*>(button.get())->checked, checked);
            }
            if (isToggle) continue;
            if (button->bevelStyle != BevelNone) {
                EXPECT_EQ(button->bevelStyle, pressed ? BevelSunken : BevelRaised);
            } else
                EXPECT_EQ(button->texture, pressed ? &pressedLook : inside ? &hover : &normal);
        }
    }
    Button fallback; // pictures it lacks are its normal one
    fallback.create("R", 0, 0, 50, 30, nullptr, &normal, nullptr, nullptr);
    EXPECT_EQ(fallback.hoverTexture, &normal);
    EXPECT_EQ(fallback.pressedTexture, &normal);
}

TEST(ToggleButton, PicturesFollowCheckedAndHover) {
    Texture normal, checked, hover, checkedHover, pressed;
    ToggleButton toggle;
    toggle.create("T", 0, 0, 80, 20, nullptr, &normal, &checked, &hover, &checkedHover, &pressed);
    EXPECT_EQ(toggle.texture, &normal);
    toggle.setChecked(true);
    EXPECT_EQ(toggle.texture, &checked);
    toggle.hitTest(5, 5);
    EXPECT_EQ(toggle.texture, &checkedHover);
    toggle.leftButton(0, 5, 5, true);
    EXPECT_EQ(toggle.texture, &checked);
    toggle.leftButton(0, 5, 5, false);
    EXPECT_EQ(toggle.texture, &hover);

    ToggleButton sparse;
    sparse.create("S", 0, 0, 80, 20, nullptr, &normal, &checked, nullptr, nullptr, nullptr);
    EXPECT_EQ(sparse.hoverTexture, &normal);
    EXPECT_EQ(sparse.checkedHoverTexture, &checked);
    EXPECT_EQ(sparse.pressedTexture, &checked);
}

TEST(ToggleGroup, KeepsExactlyTheLastTouchedToggleChecked) {
    Panel panel;
    auto* group = new ToggleGroup;
    group->create(nullptr, 0, 0, 100, 130, &panel.root);
    std::vector<ToggleButton*> toggles;
    for (int i = 0; i < 4; ++i) {
        auto* toggle = new ToggleButton;
        toggle->create("T", 5, 100 - 30 * i, 80, 20, &panel.root, nullptr, nullptr, nullptr,
                       nullptr, nullptr);
        link(group, toggle);
        toggles.push_back(toggle);
    }
    toggles[0]->setChecked(true);

    click(panel.root, toggles[2]);
    EXPECT_FALSE(toggles[0]->checked);
    EXPECT_FALSE(toggles[1]->checked);
    EXPECT_TRUE(toggles[2]->checked);
    EXPECT_FALSE(toggles[3]->checked);

    click(panel.root, toggles[2]); // clicking the checked one leaves it checked
    EXPECT_TRUE(toggles[2]->checked);
    int checkedCount = 0;
    for (auto* toggle : toggles)
        checkedCount += toggle->checked ? 1 : 0;
    EXPECT_EQ(checkedCount, 1);

    // The group lies under the toggles but never takes the pointer.
    EXPECT_FALSE(group->hitTest(group->x + 1, group->y + 1));
    panel.root.hitTest(toggles[1]->x + 1, toggles[1]->y + 1);
    EXPECT_EQ(panel.root.activeChild, toggles[1]);
}
