#include <gtest/gtest.h>

#include <memory>

#include "gfx/Texture.h"
#include "toolkit/WidgetTestSupport.h"
#include "ui/toolkit/Container.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/WidgetEvents.h"

TEST(WidgetEvents, ValueEventCarriesEachShapeInOneWord) {
    EXPECT_FLOAT_EQ(ValueEvent::floatOf(ValueEvent::ofFloat(2, -12.75f)), -12.75f);
    EXPECT_EQ(ValueEvent::intOf(ValueEvent::ofInt(8, -1)), -1);
    EXPECT_EQ(ValueEvent::intOf(ValueEvent::ofInt(8, 17)), 17);
    EXPECT_TRUE(ValueEvent::boolOf(ValueEvent::ofBool(2, true)));
    EXPECT_FALSE(ValueEvent::boolOf(ValueEvent::ofBool(2, false)));
    // Only the low byte counts as the bool, as commands send it.
    EXPECT_FALSE(ValueEvent::boolOf(Event(2, 0x100)));
    const char* name = "ridge.sav";
    EXPECT_EQ(ValueEvent::textOf(ValueEvent::ofText(8, name)), name);
    EXPECT_STREQ(ValueEvent::textOf(ValueEvent::ofText(8, nullptr)), "");
    // A plain Event from a command reads the same way as a ValueEvent.
    EXPECT_FLOAT_EQ(ValueEvent::floatOf(Event(2, ValueEvent::wordOfFloat(3.5f))), 3.5f);
}

TEST(WidgetEvents, TextsReadAsNumbersLikeTypedInput) {
    EXPECT_EQ(textToInt("  42"), 42);
    EXPECT_EQ(textToInt("+7 apples"), 7);
    EXPECT_EQ(textToInt("-3"), -3);
    EXPECT_EQ(textToInt("abc"), 0);
    EXPECT_EQ(textToInt(nullptr), 0);
    EXPECT_EQ(textToInt("99999999999999"), 0);
    EXPECT_FLOAT_EQ(textToFloat("2.5"), 2.5f);
    EXPECT_FLOAT_EQ(textToFloat(" -0.25x"), -0.25f);
    EXPECT_FLOAT_EQ(textToFloat("nan"), 0.0f);
    EXPECT_FLOAT_EQ(textToFloat(""), 0.0f);
}

namespace {
// A root container to put widgets into, as a page would be.
std::unique_ptr<Container> makeRoot(int x = 100, int y = 50, int w = 300, int h = 200) {
    auto root = std::make_unique<Container>();
    root->create(nullptr, x, y, w, h, nullptr);
    return root;
}

Widget* makeChild(Container* parent, int x, int y, int w, int h) {
    auto* child = new Widget;
    child->create("child", x, y, w, h, parent);
    return child;
}
} // namespace

TEST(Widget, CreateInsideAParentIsRelativeToItsClientAreaAndReportsToIt) {
    auto root = makeRoot();
    Widget* child = makeChild(root.get(), 10, 20, 50, 30);
    EXPECT_EQ(child->x, 100 + 6 + 10);
    EXPECT_EQ(child->y, 50 + 6 + 20);
    EXPECT_EQ(child->width, 50);
    EXPECT_EQ(child->height, 30);
    EXPECT_EQ(child->text, "child");
    EXPECT_TRUE(child->isSubscribed(root.get()));
    ASSERT_EQ(root->children().size(), 1u);
    EXPECT_EQ(root->children()[0].get(), child);

    Recorder parentEars;
    Widget* grandChild = makeChild(root.get(), 0, 0, 5, 5);
    grandChild->subscribe(&parentEars);
    grandChild->publish(ValueEvent(2, 7));
    ASSERT_EQ(parentEars.events.size(), 1u);
    EXPECT_EQ(parentEars.last().from, grandChild);
}

TEST(Widget, HoverSwitchesColoursAndPicturesAndBack) {
    Texture normal, hover;
    Widget widget;
    widget.create(nullptr, 0, 0, 10, 10, nullptr);
    widget.normalTexture = widget.texture = &normal;
    widget.hoverTexture = &hover;
    EXPECT_TRUE(widget.hitTest(5, 5));
    EXPECT_EQ(widget.fill, &widget.hoverFill);
    EXPECT_EQ(widget.bevel, &widget.hoverBevel);
    EXPECT_EQ(widget.texture, &hover);
    EXPECT_FALSE(widget.hitTest(50, 5));
    EXPECT_EQ(widget.fill, &widget.normalFill);
    EXPECT_EQ(widget.bevel, &widget.normalBevel);
    EXPECT_EQ(widget.texture, &normal);
    // Without a hover picture the normal one stays.
    widget.hoverTexture = nullptr;
    widget.hitTest(5, 5);
    EXPECT_EQ(widget.texture, &normal);
}

TEST(Widget, HitTestIncludesBothEdges) {
    Widget widget;
    widget.create(nullptr, 10, 20, 30, 40, nullptr);
    EXPECT_TRUE(widget.hitTest(10, 20));
    EXPECT_TRUE(widget.hitTest(40, 60)); // right and top edges
    EXPECT_TRUE(widget.active);
    EXPECT_FALSE(widget.hitTest(41, 60));
    EXPECT_FALSE(widget.active);
    EXPECT_FALSE(widget.hitTest(40, 61));
    EXPECT_FALSE(widget.hitTest(9, 30));
    EXPECT_FALSE(widget.hitTest(20, 19));
}

TEST(Container, RoutesInputToTheChildUnderThePointer) {
    auto root = makeRoot(0, 0, 200, 200);
    auto* left = new Label;
    left->create("left", 0, 0, 50, 50, root.get(), nullptr);
    auto* right = new Label;
    right->create("right", 100, 0, 50, 50, root.get(), nullptr);

    EXPECT_TRUE(root->hitTest(110, 10));
    EXPECT_EQ(root->activeChild, right);
    EXPECT_TRUE(right->active);
    EXPECT_FALSE(left->active);

    EXPECT_TRUE(root->hitTest(6 + 50, 6 + 50)); // the left child's top-right corner
    EXPECT_EQ(root->activeChild, left);
    EXPECT_FALSE(right->active);

    EXPECT_FALSE(root->hitTest(500, 10)); // straight from a child to outside
    EXPECT_EQ(root->activeChild, nullptr);
    EXPECT_FALSE(left->active);

    root->hitTest(110, 10);
    EXPECT_TRUE(root->hitTest(90, 150)); // inside, over no child
    EXPECT_EQ(root->activeChild, nullptr);
    EXPECT_FALSE(right->active);
}

namespace {
class KeyTaker : public Widget {
  public:
    bool keyDown(int key) override {
        keys.push_back(key);
        return false;
    }
    std::vector<int> keys;
};
} // namespace

TEST(Container, MovingItMovesChildrenAndTitle) {
    Container box;
    box.createWithTitle("Title", 0, 0, 300, 100, nullptr, nullptr);
    Widget* child = makeChild(&box, 10, 10, 20, 20);
    auto* label = new Label;
    label->create("x", 30, 10, 40, 20, &box, nullptr);
    const int labelTextX = label->textX;
    box.centreIn(1000, 600);
    EXPECT_EQ(box.x, 350);
    EXPECT_EQ(box.y, 250);
    EXPECT_EQ(child->x, 350 + 16);
    EXPECT_EQ(child->y, 250 + 16);
    EXPECT_EQ(label->textX, labelTextX + 350);
    EXPECT_EQ(box.titleX, 356);
    EXPECT_EQ(box.titleY, 250 + 78);
    box.setPosition(351, 250); // the smallest moves too, each way
    box.setPosition(351, 251);
    EXPECT_EQ(child->x, 351 + 16);
    EXPECT_EQ(child->y, 251 + 16);
}

