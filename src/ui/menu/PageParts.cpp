#include "ui/menu/PageParts.h"

#include "shell/Accessors.h"
#include "ui/composites/Page.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/Slider.h"
#include "ui/toolkit/ToggleButton.h"
#include "ui/toolkit/ToggleGroup.h"

namespace {
// Built-in pictures of the menu.
constexpr int NavigationNormal = 416;
constexpr int NavigationHover = 417;
constexpr int NavigationPressed = 418;
constexpr int ActionNormal = 412;
constexpr int ActionPressed = 413;
constexpr int ActionHover = 430;
constexpr int ToggleUnchecked = 408;
constexpr int ToggleChecked = 409;

constexpr int NavigationX = 58;
constexpr int NavigationWidth = 164;
constexpr int NavigationHeight = 41;
constexpr int ScrollBarWidth = 10;
constexpr int ScrollBarGap = 2;
constexpr int SliderWidth = 70;
constexpr int SliderHeight = 8;
constexpr int SliderLift = 5;
constexpr int ReadOutWidth = 40;
constexpr int RowHeight = 20;
} // namespace

Button* addNavigationButton(Page& page, int textId, int y) {
    auto* button = new Button;
    button->create(text(textId), NavigationX, y, NavigationWidth, NavigationHeight, &page,
                   texture(NavigationNormal), texture(NavigationPressed), texture(NavigationHover));
    return button;
}

Button* addActionButton(Page& page, int textId, int x, int y, int width, int height) {
    auto* button = new Button;
    button->create(text(textId), x, y, width, height, &page, texture(ActionNormal),
                   texture(ActionPressed), texture(ActionHover));
    return button;
}

Button* addPageActionButton(Page& page, int textId, int width) {
    return addActionButton(page, textId, 78, 140, width, 32);
}

Label* addPicture(Page& page, int imageId, int x, int y, int width, int height) {
    auto* picture = new Label;
    picture->create(nullptr, x, y, width, height, &page, texture(imageId));
    return picture;
}

Label* addCaption(Page& page, int textId, int x, int y, int width, int height) {
    auto* caption = new Label;
    caption->create(text(textId), x, y, width, height, &page, nullptr);
    caption->noFill = true;
    return caption;
}

EditField* addEditField(Page& page, int x, int y, int width, int height) {
    auto* field = new EditField;
    field->create(nullptr, x, y, width, height, &page, nullptr, nullptr, false);
    return field;
}

ToggleButton* addToggle(Page& page, int textId, int x, int y, int width, int height, bool checked) {
    auto* toggle = new ToggleButton;
    toggle->create(text(textId), x, y, width, height, &page, texture(ToggleUnchecked),
                   texture(ToggleChecked), nullptr, nullptr, nullptr);
    toggle->setChecked(checked);
    return toggle;
}

ToggleGroup* addToggleGroup(Page& page, int x, int y, int width, int height, bool filled) {
    auto* group = new ToggleGroup;
    group->create(nullptr, x, y, width, height, &page);
    group->noFill = !filled;
    return group;
}

ScrolledList addScrolledList(Page& page, int x, int y, int width, int height) {
    ScrolledList made;
    made.list = new ListBox;
    made.list->create(nullptr, x, y, width, height, &page, nullptr, nullptr);
    made.scrollBar = new Slider;
    made.scrollBar->scrollMode = true;
    made.scrollBar->create(nullptr, x + width + ScrollBarGap, y, ScrollBarWidth, height, &page,
                           nullptr, nullptr, nullptr);
    // The far bound sits at the bottom, so pulling the knob down scrolls down.
    made.scrollBar->setFromStart(false);
    link(made.list, made.scrollBar);
    return made;
}

ValueRow addValueRow(Page& page, int textId, int y, const ValueRowPlacement& placement, float low,
                     float high) {
    ValueRow row;
    row.caption =
        addCaption(page, textId, placement.captionX, y, placement.captionWidth, RowHeight);
    row.slider = new Slider;
    row.slider->vertical = false;
    row.slider->create(nullptr, placement.sliderX, y + SliderLift, SliderWidth, SliderHeight, &page,
                       nullptr, nullptr, nullptr);
    row.slider->setRange(low, high);
    row.readOut = new Label;
    row.readOut->create("0", placement.readOutX, y, ReadOutWidth, RowHeight, &page, nullptr);
    row.readOut->noFill = true;
    row.slider->subscribe(row.readOut);
    return row;
}
