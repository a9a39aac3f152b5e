#include "platform/qt/CheckBoxBinding.h"

#include <QSignalBlocker>

#include "platform/qt/FormView.h"
#include "ui/CheckBox.h"

namespace platform::qt {

// The widget ticks itself on a click; the model decides, and the widget then
// shows the model's value, so a click the model refused leaves no tick.
CheckBoxBinding::CheckBoxBinding(FormView& view, ui::CheckBox& box)
    : Binding(view, box, new QCheckBox(&view)), box_(box), check_(static_cast<QCheckBox*>(widget())) {
    connect(check_, &QCheckBox::clicked, this, [this] {
        if (!live()) return;
        box_.userClick();
        if (live()) showValue();
    });
}

void CheckBoxBinding::applyAllOwn() {
    check_->setText(QString::fromStdU16String(box_.caption()));
    showValue();
}

bool CheckBoxBinding::applyOwn(ui::Prop prop) {
    if (prop == ui::Prop::Caption) {
        check_->setText(QString::fromStdU16String(box_.caption()));
        return true;
    }
    if (prop == ui::Prop::Value) {
        showValue();
        return true;
    }
    return false;
}

void CheckBoxBinding::showValue() {
    const QSignalBlocker quiet(check_);
    check_->setChecked(box_.value() == 1);
}

}  // namespace platform::qt
