#pragma once

#include <QCheckBox>

#include "platform/qt/Binding.h"

namespace ui {
class CheckBox;
}

namespace platform::qt {

class CheckBoxBinding : public Binding {
public:
    CheckBoxBinding(FormView& view, ui::CheckBox& box);

protected:
    bool applyOwn(ui::Prop prop) override;
    void applyAllOwn() override;

private:
    void showValue();

    ui::CheckBox& box_;
    QCheckBox* check_;
};

}  // namespace platform::qt
