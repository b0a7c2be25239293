#include "ui/toolkit/Gauge.h"

#include <algorithm>
#include <cmath>

#include "ui/toolkit/Draw2d.h"
#include "ui/toolkit/WidgetEvents.h"

Gauge::Gauge() {
    mask = EventChanged;
}

bool Gauge::create(const char* newText, int newX, int newY, int newWidth, int newHeight,
                   Widget* parent, Texture* picture, Texture* thumbPicture, Texture* hover) {
    Widget::create(newText, newX, newY, newWidth, newHeight, parent);
    setBevel(BevelSunken);
    normalTexture = picture;
    texture = picture;
    hoverTexture = hover ? hover : picture;
    thumbTexture = thumbPicture;
    layout();
    return true;
}

void Gauge::sizeThumb() {
    const int cross = std::max(0, crossLength() - 2 * margin);
    thumbSize = vertical ? Size{cross, 0} : Size{0, cross};
}

void Gauge::layout() {
    sizeThumb();
    setValue(value);
}

void Gauge::setRange(float a, float b) {
    min = fromStart ? a : b;
    max = fromStart ? b : a;
    setValue(value);
    valueMoved();
}

void Gauge::setFromStart(bool flag) {
    const float low = lowBound();
    const float high = highBound();
    fromStart = flag;
    min = flag ? low : high;
    max = flag ? high : low;
    layout();
    valueMoved();
}

void Gauge::setVertical(bool flag) {
    vertical = flag;
    layout();
}

void Gauge::setValue(float newValue) {
    if (!std::isfinite(newValue)) newValue = value;
    value = std::clamp(newValue, lowBound(), highBound());
    const double fraction = max == min ? 0.0 : (value - min) / static_cast<double>(max - min);
    const double half = thumbLength() / 2.0;
    const int pos = static_cast<int>(fraction * travel() + axisStart() + margin + half);
    const int start = axisStart() + margin;
    const int end = axisStart() + axisLength() - margin;
    if (thumbLength() > 0) {
        placeThumb(static_cast<int>(pos - half), static_cast<int>(pos + half), pos);
    } else if (fromStart) {
        placeThumb(start, pos, pos);
    } else {
        placeThumb(pos, end, pos);
    }
}

void Gauge::placeThumb(int alongLow, int alongHigh, int centre) {
    const int crossLow = crossStart() + (crossLength() - thumbCross()) / 2;
    const int crossHigh = crossLow + thumbCross();
    const int crossCentre = crossLow + thumbCross() / 2;
    if (vertical) {
        thumbRect = Edges{crossLow, crossHigh, alongLow, alongHigh};
        thumbCentre = Point{crossCentre, centre};
    } else {
        thumbRect = Edges{alongLow, alongHigh, crossLow, crossHigh};
        thumbCentre = Point{centre, crossCentre};
    }
}

bool Gauge::setRect(int newX, int newY, int newWidth, int newHeight) {
    Widget::setRect(newX, newY, newWidth, newHeight);
    layout();
    return true;
}

void Gauge::setPosition(int newX, int newY) {
    setRect(newX, newY, width, height);
}

void Gauge::draw() {
    Widget::draw();
    const Edges& r = thumbRect;
    if (texture != nullptr && thumbTexture != nullptr) {
        drawTexturedRect(thumbTexture, r.left, r.bottom, r.right, r.top, 1.0f);
        return;
    }
    const float red[3] = {1.0f, 0.2f, 0.2f};
    if (r.right > r.left && r.top > r.bottom) fillRect(r.left, r.bottom, r.right, r.top, red);
}

void Gauge::onEvent(EventPublisher*, const Event& event) {
    switch (event.kind()) {
    case KindValue:
        setValue(ValueEvent::floatOf(event));
        break;
    case KindText:
        setValue(textToFloat(static_cast<const TextEvent&>(event).text));
        break;
    case KindRange:
        setValue(static_cast<const RangeEvent&>(event).value);
        break;
    case KindList:
        setValue(static_cast<float>(static_cast<const ListEvent&>(event).count));
        break;
    default:
        break;
    }
}
