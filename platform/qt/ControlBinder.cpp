#include "platform/qt/ControlBinder.h"

#include "platform/qt/FormView.h"
#include "platform/qt/WidgetFactory.h"
#include "ui/Form.h"

namespace platform::qt {

ControlBinder::ControlBinder(FormView& view) : view_(view) {}

ControlBinder::~ControlBinder() = default;

void ControlBinder::bindAll() {
    for (ui::Control* c : view_.form().controls())
        if (!find(*c)) bind(*c);
    view_.updateTabOrder();
}

void ControlBinder::showNow() {
    for (const std::unique_ptr<Binding>& b : bindings_) b->showNow();
}

Binding& ControlBinder::bind(ui::Control& control) {
    bindings_.push_back(WidgetFactory::create(view_, control));
    Binding& b = *bindings_.back();
    index_[&control] = &b;
    b.applyAll();
    return b;
}

Binding* ControlBinder::find(const ui::Control& control) const {
    auto it = index_.find(&control);
    return it == index_.end() ? nullptr : it->second;
}

// A control made after the window (a new member of a control array) is
// drawn when it first changes.
void ControlBinder::changed(ui::Control& control, ui::Prop prop) {
    if (Binding* b = find(control)) {
        b->apply(prop);
        return;
    }
    bind(control);
    view_.updateTabOrder();
}

void ControlBinder::formChanged(ui::Form&, ui::Prop prop) {
    view_.applyForm(prop);
}

}  // namespace platform::qt
