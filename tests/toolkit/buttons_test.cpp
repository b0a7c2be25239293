#include <gtest/gtest.h>

#include <memory>

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

TEST(Label, LaysTextOutByAlignmentOnTheCapitalHeight) {
    Font* font = testFont("Arial", 18);
    const TextSize size = font->textExtent("Speed");
    ASSERT_GT(size.width, 0);
    Label label;
    label.font = font;
    label.create("Speed", 100, 40, 200, 30, nullptr, nullptr);
    EXPECT_EQ(label.textX, 100 + 6); // left when made
    EXPECT_EQ(label.textY, 40 + (30 - static_cast<int>(size.height * 0.6)) / 2);

    label.align = AlignCentre;
    label.layoutText();
    EXPECT_EQ(label.textX, 100 + (200 - size.width) / 2);
    label.align = AlignRight;
    label.layoutText();
    EXPECT_EQ(label.textX, 100 + 200 - 6 - size.width);
    // The text stays centred in its box wherever the label moves.
    label.setPosition(10, 10);
    EXPECT_EQ(label.textX, 10 + 200 - 6 - size.width);

    const int before = label.textX;
    label.setText("Speed (m/s)");
    EXPECT_LT(label.textX, before);
}

TEST(Label, ShowsWhatLinkedControlsSend) {
    Label readOut;
    readOut.create("0", 0, 0, 40, 20, nullptr, nullptr);
    EXPECT_EQ(readOut.mask & 3u, 3u);
    readOut.onEvent(nullptr, RangeEvent(2, 42.25f, 0, 100));
    EXPECT_EQ(readOut.text, "42.2");
    readOut.onEvent(nullptr, ValueEvent::ofText(2, "hello"));
    EXPECT_EQ(readOut.text, "hello");
    ListEvent chosen(1);
    chosen.text = "ridge.sav";
    readOut.onEvent(nullptr, chosen);
    EXPECT_EQ(readOut.text, "ridge.sav");
    TextEvent typed(2);
    typed.text = "abc";
    readOut.onEvent(nullptr, typed);
    EXPECT_EQ(readOut.text, "abc");
    readOut.onEvent(nullptr, ButtonEvent(18, false, true));
    EXPECT_EQ(readOut.text, "abc");
}

TEST(Button, PressThenReleaseGivesTypes16Then24) {
    Panel panel;
    auto* button = new Button;
    button->create("Load", 10, 10, 100, 30, &panel.root, nullptr, nullptr, nullptr);
    Recorder everything;
    Recorder releasesOnly(8);
    button->subscribe(&everything);
    button->subscribe(&releasesOnly);

    click(panel.root, button);
    EXPECT_EQ(everything.types(), (std::vector<uint32_t>{16, 24}));
    EXPECT_TRUE(everything.events[0].pressed);
    EXPECT_FALSE(everything.events[1].pressed);
    ASSERT_EQ(releasesOnly.events.size(), 1u);
    EXPECT_EQ(releasesOnly.last().type, 24u);
    EXPECT_EQ(button->mask, 16u);
}

TEST(Button, ClickOnTheRightOrTopEdgeStillHits) {
    Panel panel;
    auto* button = new Button;
    button->create("Edge", 10, 10, 100, 30, &panel.root, nullptr, nullptr, nullptr);
    Recorder heard(8);
    button->subscribe(&heard);
    const int right = button->x + button->width;
    const int top = button->y + button->height;
    panel.root.hitTest(right, top);
    panel.root.leftButton(0, right, top, true);
    panel.root.leftButton(0, right, top, false);
    EXPECT_EQ(heard.events.size(), 1u);
    panel.root.hitTest(right + 1, top);
    panel.root.leftButton(0, right + 1, top, true);
    panel.root.leftButton(0, right + 1, top, false);
    EXPECT_EQ(heard.events.size(), 1u);
}

TEST(Button, ReleaseTypeIsThePagesChoice) {
    Button reset;
    reset.create("Reset", 0, 0, 96, 32, nullptr, nullptr, nullptr, nullptr);
    reset.releaseType = 128;
    Recorder heard;
    reset.subscribe(&heard);
    reset.hitTest(5, 5);
    reset.leftButton(0, 5, 5, true);
    reset.leftButton(0, 5, 5, false);
    EXPECT_EQ(heard.types(), (std::vector<uint32_t>{16, 144}));
    heard.clear();
    reset.fire();
    EXPECT_EQ(heard.types(), (std::vector<uint32_t>{144}));
}

TEST(Button, ReturnAndSpacePressOtherKeysPassOn) {
    Button button;
    button.create("Yes", 0, 0, 90, 30, nullptr, nullptr, nullptr, nullptr);
    Recorder heard;
    button.subscribe(&heard);
    EXPECT_TRUE(button.keyDown('a'));
    EXPECT_TRUE(button.keyUp(Key::Escape));
    EXPECT_FALSE(button.keyDown(Key::Return));
    EXPECT_FALSE(button.keyUp(Key::Return));
    EXPECT_FALSE(button.keyDown(Key::Space));
    EXPECT_FALSE(button.keyUp(Key::Space));
    EXPECT_EQ(heard.types(), (std::vector<uint32_t>{16, 24, 16, 24}));
}

TEST(Button, InactiveClicksAndStrayReleasesDoNothing) {
    Button button;
    button.create("Yes", 0, 0, 90, 30, nullptr, nullptr, nullptr, nullptr);
    Recorder heard;
    button.subscribe(&heard);
    EXPECT_TRUE(button.leftButton(0, 5, 5, true)); // not under the pointer
    EXPECT_FALSE(button.pressed);
    button.hitTest(5, 5);
    EXPECT_FALSE(button.leftButton(0, 5, 5, false)); // released here, pressed elsewhere
    EXPECT_TRUE(heard.events.empty());
}

TEST(Button, LeavingWhilePressedCancelsTheClick) {
    Panel panel;
    auto* first = new Button;
    first->create("A", 0, 0, 50, 30, &panel.root, nullptr, nullptr, nullptr);
    auto* second = new Button;
    second->create("B", 100, 0, 50, 30, &panel.root, nullptr, nullptr, nullptr);
    Recorder heard(8);
    first->subscribe(&heard);
    second->subscribe(&heard);
    panel.root.hitTest(20, 20);
    panel.root.leftButton(0, 20, 20, true);
    EXPECT_TRUE(first->pressed);
    panel.root.hitTest(120, 20);
    EXPECT_FALSE(first->pressed);
    panel.root.leftButton(0, 120, 20, false);
    EXPECT_TRUE(heard.events.empty());
}

TEST(Button, LookFollowsStateWithPicturesOrBevel) {
    Texture normal, pressed, hover;
    Button pictured;
    pictured.create("P", 0, 0, 50, 30, nullptr, &normal, &pressed, &hover);
    EXPECT_EQ(pictured.bevelStyle, BevelNone);
    pictured.hitTest(5, 5);
    EXPECT_EQ(pictured.texture, &hover);
    pictured.leftButton(0, 5, 5, true);
    EXPECT_EQ(pictured.texture, &pressed);
    EXPECT_EQ(pictured.bevelStyle, BevelNone); // no bevel to sink
    pictured.leftButton(0, 5, 5, false);
    EXPECT_EQ(pictured.texture, &hover);
    pictured.hitTest(500, 5);
    EXPECT_EQ(pictured.texture, &normal);

    Button plain;
    plain.create("Q", 0, 0, 50, 30, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(plain.bevelStyle, BevelRaised);
    plain.hitTest(5, 5);
    plain.leftButton(0, 5, 5, true);
    EXPECT_EQ(plain.bevelStyle, BevelSunken);
    plain.leftButton(0, 5, 5, false);
    EXPECT_EQ(plain.bevelStyle, BevelRaised);

    Button fallback;
    fallback.create("R", 0, 0, 50, 30, nullptr, &normal, nullptr, nullptr);
    EXPECT_EQ(fallback.hoverTexture, &normal);
    EXPECT_EQ(fallback.pressedTexture, &normal);
}

TEST(Button, LinkedButtonsShareThePressedState) {
    Button a, b;
    a.create("A", 0, 0, 50, 30, nullptr, nullptr, nullptr, nullptr);
    b.create("B", 0, 0, 50, 30, nullptr, nullptr, nullptr, nullptr);
    link(&a, &b);
    a.hitTest(5, 5);
    a.leftButton(0, 5, 5, true);
    EXPECT_TRUE(b.pressed);
    EXPECT_EQ(b.bevelStyle, BevelSunken);
    b.onEvent(nullptr, ValueEvent::ofBool(16, false));
    EXPECT_FALSE(b.pressed);
}

TEST(ToggleButton, FlipsOnReleaseNotOnPress) {
    ToggleButton toggle;
    toggle.create("Wind", 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    Recorder heard;
    toggle.subscribe(&heard);
    toggle.hitTest(5, 5);
    toggle.leftButton(0, 5, 5, true);
    EXPECT_FALSE(toggle.checked);
    toggle.leftButton(0, 5, 5, false);
    EXPECT_TRUE(toggle.checked);
    EXPECT_EQ(heard.types(), (std::vector<uint32_t>{16, 18}));
    EXPECT_TRUE(heard.last().checked);
    toggle.keyDown(Key::Space);
    toggle.keyUp(Key::Space);
    EXPECT_FALSE(toggle.checked);
    EXPECT_FALSE(heard.last().checked);
    heard.clear();
    toggle.toggle();
    EXPECT_TRUE(toggle.checked);
    EXPECT_EQ(heard.types(), (std::vector<uint32_t>{18}));
}

TEST(ToggleButton, LeavesRoomForTheBox) {
    Font* font = testFont("Arial", 18);
    const TextSize size = font->textExtent("Clouds");
    ToggleButton toggle;
    toggle.font = font;
    toggle.create("Clouds", 110, 320, 80, 20, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(toggle.boxSize, 20);
    EXPECT_EQ(toggle.textX, 110 + 6 + 20);
    EXPECT_EQ(toggle.textY, 320 + (20 - size.height) / 2);
    toggle.align = AlignCentre;
    toggle.layoutText();
    EXPECT_EQ(toggle.textX, 110 + (80 + 20 - size.width) / 2);
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

TEST(ToggleButton, LinkedTogglesShowTheSameState) {
    ToggleButton a, b;
    a.create("A", 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    b.create("B", 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    link(&a, &b);
    a.hitTest(5, 5);
    a.leftButton(0, 5, 5, true);
    a.leftButton(0, 5, 5, false);
    EXPECT_TRUE(a.checked);
    EXPECT_TRUE(b.checked);
    b.onEvent(nullptr, ValueEvent::ofBool(2, false)); // a command reporting the world
    EXPECT_FALSE(b.checked);
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
