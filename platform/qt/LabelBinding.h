#pragma once

#include <QLabel>

#include "platform/qt/Binding.h"

namespace ui {
class Label;
}

namespace platform::qt {

// A label: caption, pointer, clicks and pointer moves. A move that started
// with a button pressed on the label keeps coming after the pointer left it.
class LabelBinding : public Binding {
public:
    LabelBinding(FormView& view, ui::Label& label);

protected:
    bool applyOwn(ui::Prop prop) override;
    void applyAllOwn() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mouseEvent(QEvent* event);
    void applyCursor();

    ui::Label& label_;
    QLabel* qlabel_;
    bool afterDoubleClick_ = false;
};

}  // namespace platform::qt
