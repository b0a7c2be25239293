#include <gtest/gtest.h>

#include "gfx/Texture.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/toolkit/Label.h"

TEST(WidgetEvents, ValuesTravelInOneWordAndTextsReadAsTypedNumbers) {
    EXPECT_FLOAT_EQ(ValueEvent::floatOf(ValueEvent::ofFloat(2, -12.75f)), -12.75f);
    EXPECT_EQ(ValueEvent::intOf(ValueEvent::ofInt(8, -1)), -1);
    EXPECT_TRUE(ValueEvent::boolOf(ValueEvent::ofBool(2, true)));
    EXPECT_FALSE(ValueEvent::boolOf(Event(2, 0x100))) << "only the low byte is the bool";
    EXPECT_STREQ(ValueEvent::textOf(ValueEvent::ofText(8, nullptr)), "");
    const std::tuple<const char*, int, float> cases[] = {
        {"  42", 42, 42.0f},         {"+7 apples", 7, 7.0f},
        {"-3", -3, -3.0f},           {"abc", 0, 0.0f},
        {" -0.25x", 0, -0.25f},      {"nan", 0, 0.0f},
        {"99999999999999", 0, 1e14f}};
    for (const auto& [text, asInt, asFloat] : cases) {
        EXPECT_EQ(textToInt(text), asInt) << text;
        EXPECT_FLOAT_EQ(textToFloat(text), asFloat) << text;
    }
    EXPECT_EQ(textToInt(nullptr), 0);
}

// The container routes the pointer to the child under it (both edges in; the first made
// where they overlap) and to none outside them, the child under it showing its hover
// colours and picture till the pointer or the input leaves; moving the container moves
// its children and title.
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
