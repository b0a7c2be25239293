#pragma once

#include "ui/toolkit/Widget.h"

/*
===============================================================================
Gauge: a bar that shows value in [min, max] along its long axis (y when
vertical, x otherwise). With fromStart the bar grows from the start of the
axis, else from its end; min holds the bound at the start. Values are clamped
to the range; a range whose bounds are equal puts the thumb at the start.

thumbRect is (left, right, bottom, top) in window pixels. The bar is filled red
unless the gauge has a picture and a thumb picture.
===============================================================================
*/
class Gauge : public Widget {
  public:
    struct Point {
        int x = 0;
        int y = 0;
    };
    struct Size {
        int width = 0;
        int height = 0;
    };
    struct Edges {
        int left = 0;
        int right = 0;
        int bottom = 0;
        int top = 0;
    };

    Gauge();

    using Widget::create;
    virtual bool create(const char* text, int x, int y, int width, int height, Widget* parent,
                        Texture* picture, Texture* thumbPicture, Texture* hover);
    void setRange(float a, float b);
    void setFromStart(bool flag);
    void setVertical(bool flag);
    virtual void setValue(float newValue);
    float lowBound() const { return min < max ? min : max; }
    float highBound() const { return min < max ? max : min; }

    bool setRect(int newX, int newY, int newWidth, int newHeight) override;
    void setPosition(int newX, int newY) override;
    void draw() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    Texture* thumbTexture = nullptr;
    Point thumbCentre;
    Size thumbSize;
    Edges thumbRect;
    bool vertical = true;
    bool fromStart = true;
    float min = 0.0f;
    float max = 100.0f;
    float value = 0.0f;
    int margin = 2;

  protected:
    // A gauge's thumb has no length (the bar ends at the value); a slider's is square.
    virtual void sizeThumb();
    // Called after the range or the direction changed the value from outside.
    virtual void valueMoved() {}
    void layout();
    int axisStart() const { return vertical ? y : x; }
    int axisLength() const { return vertical ? height : width; }
    int thumbLength() const { return vertical ? thumbSize.height : thumbSize.width; }
    int crossStart() const { return vertical ? x : y; }
    int crossLength() const { return vertical ? width : height; }
    int thumbCross() const { return vertical ? thumbSize.width : thumbSize.height; }
    int travel() const { return axisLength() - 2 * margin - thumbLength(); }

  private:
    void placeThumb(int alongLow, int alongHigh, int centre);
};
