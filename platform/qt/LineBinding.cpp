#include "platform/qt/LineBinding.h"

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

}  // namespace platform::qt
