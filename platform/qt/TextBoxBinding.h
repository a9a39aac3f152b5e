#pragma once

#include <QLineEdit>

#include "platform/qt/Binding.h"
#include "platform/qt/KeyRouter.h"

namespace ui {
class TextBox;
}

namespace platform::qt {

// A single-line text box; also the send and receive lamps.
class TextBoxBinding : public Binding {
public:
    TextBoxBinding(FormView& view, ui::TextBox& box);

protected:
    bool applyOwn(ui::Prop prop) override;
    void applyAllOwn() override;
    std::vector<QPalette::ColorRole> backRoles() const override { return {QPalette::Base}; }
    std::vector<QPalette::ColorRole> foreRoles() const override { return {QPalette::Text}; }
    bool paintsOwnBackground() const override { return true; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showText();

    ui::TextBox& box_;
    QLineEdit* line_;
    KeyRouter keys_;
};

}  // namespace platform::qt
