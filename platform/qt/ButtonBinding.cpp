#include "platform/qt/ButtonBinding.h"

#include "platform/qt/FormView.h"
#include "ui/CommandButton.h"

namespace platform::qt {

ButtonBinding::ButtonBinding(FormView& view, ui::CommandButton& button)
    : Binding(view, button, new QPushButton(&view)), button_(button), push_(static_cast<QPushButton*>(widget())) {
    push_->setAutoDefault(false);
    connect(push_, &QPushButton::clicked, this, [this] {
        if (live()) button_.userClick();
    });
}

void ButtonBinding::applyAllOwn() {
    push_->setText(QString::fromStdU16String(button_.caption()));
    push_->setDefault(button_.isDefault());
}

bool ButtonBinding::applyOwn(ui::Prop prop) {
    if (prop != ui::Prop::Caption) return false;
    push_->setText(QString::fromStdU16String(button_.caption()));
    return true;
}

}  // namespace platform::qt
