#pragma once

#include <cstdint>
#include <string>

#include "ui/toolkit/Label.h"

/*
===============================================================================
The info bar's items: labels whose subscriber mask is their item id, the piece
of screen information they accept. Each takes its data from a kind-0 event
whose value points at it and shows it through its text used as a format
(a format from the string table, e.g. "X(m) %.0f"). Other kinds are ignored.
===============================================================================
*/

// A float, shown with the item's format.
class InfoValue : public Label {
  public:
    explicit InfoValue(uint32_t itemId);
    std::string shownText() const override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    float value = 0.0f;
};

// A text (copied), shown with the item's format.
class InfoText : public Label {
  public:
    explicit InfoText(uint32_t itemId);
    std::string shownText() const override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    std::string value;
};

/*
WindIndicator: a small wind sock seen from above, standing at the middle of the
item's bottom edge: a pole and a cone through a ring of eight points, turned by
the wind direction (degrees, relative to the view: 0 points up the screen) and
lifted from hanging to horizontal as the strength goes from 0 to 1. The event
carries two floats: direction, then strength. The text, empty as made, is a
format for the strength.
*/
class WindIndicator : public Label {
  public:
    explicit WindIndicator(uint32_t itemId);
    std::string shownText() const override;
    void draw() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    float direction = 0.0f;
    float strength = 0.0f;
    float ring[8][2]; // unit circle at k * 45 degrees

  private:
    void drawSock() const;
};

// A format of the string table applied to one value; an empty format shows nothing.
std::string formatValue(const std::string& format, double value);
std::string formatText(const std::string& format, const std::string& value);
