#pragma once

#include <cstdint>

#include "ui/toolkit/Container.h"

class EventPublisher;
class InfoText;
class InfoValue;
class WindIndicator;

/*
===============================================================================
InfoBar: the screen information over the whole window: items of 140 by 20
laid out in rows from the bottom edge up, the first row on top. It has no fill
and no bevel and never takes the input (its hit test is false), so the scene
under it keeps the pointer and the keys. It follows the window's size and lays
its items out again.

Each item's subscriber mask is its item id; createItems subscribes them to
the observer and the application, as the screen information needs.
===============================================================================
*/
class InfoBar : public Container {
  public:
    static constexpr int itemWidth = 140;
    static constexpr int itemHeight = 20;

    InfoBar();

    using Container::create;
    bool create(int x, int y, int width, int height);

    InfoValue* addValue(uint32_t itemId, const char* format);
    InfoText* addText(uint32_t itemId, const char* format);
    WindIndicator* addWind(uint32_t itemId);
    // The items of the screen information, subscribed to their publishers, then laid out.
    void createItems(EventPublisher* observer, EventPublisher* application);
    void layout();

    bool hitTest(int px, int py) override;
    void setActive(bool isActive) override;
    void resize(int newWidth, int newHeight) override;

    int gap = 6;

  private:
    int placeRow(std::size_t firstItem);
};
