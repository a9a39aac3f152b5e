#pragma once

#include "ui/Control.h"

namespace ui {

// A drawn line; its colour is the fore colour, its width in pixels.
class Line : public Control {
public:
    Line(Form& form, std::u16string name, int index = -1);

    float x1() const { return x1_; }
    float y1() const { return y1_; }
    float x2() const { return x2_; }
    float y2() const { return y2_; }
    int borderWidth() const { return borderWidth_; }
    void setPoints(float x1, float y1, float x2, float y2);
    void setBorderWidth(int w) { assign(borderWidth_, w, Prop::LinePoints); }

private:
    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int borderWidth_ = 1;
};

}  // namespace ui
