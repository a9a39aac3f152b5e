#include "ui/Line.h"

namespace ui {

Line::Line(Form& form, std::u16string name, int index) : Control(form, Kind::Line, std::move(name), index) {}

void Line::setPoints(float x1, float y1, float x2, float y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    notify(Prop::LinePoints);
}

}  // namespace ui
