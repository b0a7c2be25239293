#include <gtest/gtest.h>

#include <memory>

#include "gfx/Texture.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/toolkit/Container.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/WidgetEvents.h"

TEST(WidgetEvents, ValuesTravelInOneWordAndTextsReadAsTypedNumbers) {
    EXPECT_FLOAT_EQ(ValueEvent::floatOf(ValueEvent::ofFloat(2, -12.75f)), -12.75f);
    EXPECT_EQ(ValueEvent::intOf(ValueEvent::ofInt(8, -1)), -1);
    EXPECT_TRUE(ValueEvent::boolOf(ValueEvent::ofBool(2, true)));
    EXPECT_FALSE(ValueEvent::boolOf(Event(2, 0x100))) << "only the low byte is the bool";
    EXPECT_STREQ(ValueEvent::textOf(ValueEvent::ofText(8, nullptr)), "");
    EXPECT_FLOAT_EQ(ValueEvent::floatOf(Event(2, ValueEvent::wordOfFloat(3.5f))), 3.5f);
    const std::pair<const char*, int> ints[] = {{"  42", 42}, {"+7 apples", 7},
                                                {"-3", -3},   {"abc", 0},
                                                {nullptr, 0}, {"99999999999999", 0}};
    for (const auto& [text, value] : ints)
        EXPECT_EQ(textToInt(text), value) << (text ? text : "null");
    const std::pair<const char*, float> floats[] = {
        {"2.5", 2.5f}, {" -0.25x", -0.25f}, {"nan", 0.0f}, {"", 0.0f}};
    for (const auto& [text, value] : floats)
        EXPECT_FLOAT_EQ(textToFloat(text), value) << text;
}

// A child lies in its parent's client area and reports to it; hover takes both edges
// and switches colours and pictures, and leaving or losing the input switches back.
TEST(Widget, ChildrenHitTestsAndHoverLooks) {
    Container root;
    root.create(nullptr, 100, 50, 300, 200, nullptr);
    auto* child = new Widget;
    child->create("child", 10, 20, 30, 40, &root);
    EXPECT_EQ(std::make_pair(child->x, child->y), std::make_pair(116, 76));
    EXPECT_TRUE(child->isSubscribed(&root));
    Texture normal, hover;
    child->normalTexture = child->texture = &normal;
    child->hoverTexture = &hover;
    const struct {
        int x, y;
        bool inside;
    } points[] = {{116, 76, true},   {146, 116, true}, {147, 116, false},
                  {146, 117, false}, {115, 90, false}, {120, 75, false}};
    for (const auto& p : points) {
        EXPECT_EQ(child->hitTest(p.x, p.y), p.inside) << p.x << "," << p.y;
        EXPECT_EQ(child->active, p.inside);
        EXPECT_EQ(child->fill, p.inside ? &child->hoverFill : &child->normalFill);
        EXPECT_EQ(child->bevel, p.inside ? &child->hoverBevel : &child->normalBevel);
        EXPECT_EQ(child->texture, p.inside ? &hover : &normal);
    }
    child->hitTest(120, 80);
    child->setActive(false);
    EXPECT_EQ(child->fill, &child->normalFill);
}

// The container routes the pointer to the child under it (the first made where they
// overlap) and to none outside them; moving it moves its children and title.
TEST(Container, RoutesInputToTheChildUnderThePointerAndMovesItsChildren) {
    Container root;
    root.createWithTitle("Title", 0, 0, 300, 200, nullptr, nullptr);
    auto* left = new Label;
    left->create("left", 0, 0, 50, 50, &root, nullptr);
    auto* right = new Label;
    right->create("right", 40, 0, 50, 50, &root, nullptr);
    const struct {
        int x, y;
        Widget* child;
        bool inside;
    } moves[] = {{56, 16, left, true},      {96, 16, right, true}, {46, 56, left, true},
                 {500, 10, nullptr, false}, {96, 16, right, true}, {200, 150, nullptr, true}};
    for (const auto& m : moves) {
        EXPECT_EQ(root.hitTest(m.x, m.y), m.inside) << m.x << "," << m.y;
        EXPECT_EQ(root.activeChild, m.child);
        EXPECT_EQ(left->active, m.child == left);
        EXPECT_EQ(right->active, m.child == right);
    }
    EXPECT_TRUE(root.keyDown('a')) << "no child under the pointer: the key goes on";
    root.exclusive = true;
    EXPECT_FALSE(root.keyDown('a')) << "unless the container keeps the input";
    root.hitTest(56, 16);
    root.setActive(false);
    EXPECT_FALSE(left->active);
    EXPECT_EQ(root.activeChild, nullptr);

    const int labelTextX = left->textX;
    root.centreIn(1000, 600);
    EXPECT_EQ(std::make_pair(root.x, root.y), std::make_pair(350, 200));
    EXPECT_EQ(std::make_pair(left->x, left->y), std::make_pair(356, 206));
    EXPECT_EQ(left->textX, labelTextX + 350);
    EXPECT_EQ(std::make_pair(root.titleX, root.titleY), std::make_pair(356, 378));
    root.setPosition(351, 200); // the smallest moves too, each way
    root.setPosition(351, 201);
    EXPECT_EQ(std::make_pair(left->x, left->y), std::make_pair(357, 207));
}
