#pragma once

#include "platform/qt/Binding.h"

namespace ui {
class Line;
}

class QPainter;

namespace platform::qt {

// A line has no widget: the form paints it; a change repaints the form.
class LineBinding : public Binding {
public:
    LineBinding(FormView& view, ui::Line& line);

    ui::Line& line() const { return line_; }
    void paint(QPainter& painter) const;

protected:
    bool applyOwn(ui::Prop prop) override;
    void applyAllOwn() override {}

private:
    ui::Line& line_;
};

}  // namespace platform::qt
