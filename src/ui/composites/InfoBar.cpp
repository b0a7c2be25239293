#include "ui/composites/InfoBar.h"

#include <algorithm>

#include "shell/Accessors.h"
#include "shell/Event.h"
#include "ui/composites/InfoItems.h"

InfoBar::InfoBar() {
    noFill = true;
    setBevel(BevelNone);
}

bool InfoBar::create(int newX, int newY, int newWidth, int newHeight) {
    Widget::create(nullptr, newX, newY, newWidth, newHeight, nullptr);
    noFill = true;
    setBevel(BevelNone);
    return true;
}

InfoValue* InfoBar::addValue(uint32_t itemId, const char* format) {
    auto* item = new InfoValue(itemId);
    item->create(format, 0, 0, itemWidth, itemHeight, this, nullptr);
    return item;
}

InfoText* InfoBar::addText(uint32_t itemId, const char* format) {
    auto* item = new InfoText(itemId);
    item->create(format, 0, 0, itemWidth, itemHeight, this, nullptr);
    return item;
}

WindIndicator* InfoBar::addWind(uint32_t itemId) {
    auto* item = new WindIndicator(itemId);
    item->create(nullptr, 0, 0, itemWidth, itemHeight, this, nullptr);
    return item;
}

void InfoBar::createItems(EventPublisher* observer, EventPublisher* application) {
    EventSubscriber* fromObserver[] = {
        addWind(32),
        addValue(64, ::text(150)),
        addText(1, ::text(10)),
        addValue(2, ::text(126)),
        addValue(4, ::text(145)),
        addValue(8, ::text(146)),
        addValue(16, ::text(147)),
        addValue(128, ::text(153)),
    };
    InfoValue* frameRate = addValue(1, ::text(9));
    if (observer) {
        for (EventSubscriber* item : fromObserver)
            observer->subscribe(item);
    }
    if (application) application->subscribe(frameRate);
    layout();
}

// Rows fill from the first item not yet placed; each new row goes at the bottom
// and pushes the earlier rows up, so the first row ends on top.
void InfoBar::layout() {
    std::size_t next = 0;
    while (next < children().size()) {
        const std::size_t rowStart = next;
        next += static_cast<std::size_t>(placeRow(rowStart));
        int rowHeight = 0;
        for (std::size_t i = rowStart; i < next; ++i) {
            rowHeight = std::max(rowHeight, children()[i]->height);
        }
        for (std::size_t i = 0; i < rowStart; ++i) {
            Widget* earlier = children()[i].get();
            earlier->setPosition(earlier->x, earlier->y + rowHeight + gap);
        }
    }
}

// Places the items that fit one row at the bottom; an item too wide for any
// row gets a row of its own. Returns how many items the row took.
int InfoBar::placeRow(std::size_t firstItem) {
    const auto& items = children();
    int used = gap;
    int itemsWidth = 0;
    std::size_t end = firstItem;
    while (end < items.size() && used + gap + items[end]->width < width) {
        used += gap + items[end]->width;
        itemsWidth += items[end]->width;
        ++end;
    }
    if (end == firstItem) {
        itemsWidth = items[end]->width;
        ++end;
    }
    const int count = static_cast<int>(end - firstItem);
    const int spacing = std::max(0, (width - itemsWidth) / (count + 1));
    int left = x + spacing;
    for (std::size_t i = firstItem; i < end; ++i) {
        items[i]->setPosition(left, y + gap);
        left += items[i]->width + spacing;
    }
    return count;
}

bool InfoBar::hitTest(int, int) {
    setActive(false);
    return false;
}

void InfoBar::setActive(bool isActive) {
    active = isActive;
    activeChild = nullptr;
    for (const auto& item : children())
        item->setActive(false);
}

void InfoBar::resize(int newWidth, int newHeight) {
    Element::setRect(x, y, newWidth, newHeight);
    layout();
}
