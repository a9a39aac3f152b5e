#pragma once

#include <QPushButton>

#include "platform/qt/Binding.h"

namespace ui {
class CommandButton;
}

namespace platform::qt {

class ButtonBinding : public Binding {
public:
    ButtonBinding(FormView& view, ui::CommandButton& button);

    ui::CommandButton& button() const { return button_; }

protected:
    bool applyOwn(ui::Prop prop) override;
    void applyAllOwn() override;
    std::vector<QPalette::ColorRole> backRoles() const override { return {QPalette::Button}; }
    std::vector<QPalette::ColorRole> foreRoles() const override { return {QPalette::ButtonText}; }
    bool paintsOwnBackground() const override { return true; }

private:
    ui::CommandButton& button_;
    QPushButton* push_;
};

}  // namespace platform::qt
