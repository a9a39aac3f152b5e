#pragma once

#include <QComboBox>

#include "platform/qt/Binding.h"

namespace ui {
class ComboBox;
}

namespace platform::qt {

// A drop-down list: the user picks, the model selects.
class ComboBoxBinding : public Binding {
public:
    ComboBoxBinding(FormView& view, ui::ComboBox& combo);

protected:
    bool applyOwn(ui::Prop prop) override;
    void applyAllOwn() override;
    std::vector<QPalette::ColorRole> backRoles() const override { return {QPalette::Base, QPalette::Button}; }
    std::vector<QPalette::ColorRole> foreRoles() const override { return {QPalette::Text, QPalette::ButtonText}; }
    bool paintsOwnBackground() const override { return true; }

private:
    void showList();
    void showIndex();

    ui::ComboBox& combo_;
    QComboBox* list_;
};

}  // namespace platform::qt
