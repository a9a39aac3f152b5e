#include "platform/qt/LineBinding.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "platform/qt/FormView.h"
#include "ui/Line.h"

namespace platform::qt {

LineBinding::LineBinding(FormView& view, ui::Line& line) : Binding(view, line, nullptr), line_(line) {}

bool LineBinding::applyOwn(ui::Prop prop) {
    switch (prop) {
        case ui::Prop::LinePoints:
        case ui::Prop::ForeColor:
        case ui::Prop::Visible:
            view().update();
            break;
        default:
            break;
    }
    return true;
}

// A level or upright line fills whole pixels below (or right of) its points,
// its end point left out: a rule one pixel under another leaves the upper
// one showing, as a sunken separator needs.
void LineBinding::paint(QPainter& painter) const {
    const TwipsScale& s = view().scale();
    const QPoint a(s.toPixels(line_.x1()), s.toPixels(line_.y1()));
    const QPoint b(s.toPixels(line_.x2()), s.toPixels(line_.y2()));
    const int w = std::max(1, line_.borderWidth());
    const QColor colour(line_.foreColor().r, line_.foreColor().g, line_.foreColor().b);
    if (a.y() == b.y()) {
        painter.fillRect(QRect(std::min(a.x(), b.x()), a.y(), std::max(1, std::abs(b.x() - a.x())), w), colour);
    } else if (a.x() == b.x()) {
        painter.fillRect(QRect(a.x(), std::min(a.y(), b.y()), w, std::abs(b.y() - a.y())), colour);
    } else {
        painter.setPen(QPen(colour, w));
        painter.drawLine(a, b);
    }
}

}  // namespace platform::qt
