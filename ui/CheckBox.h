#pragma once

#include <functional>

#include "ui/Control.h"

namespace ui {

class CheckBox : public Control {
public:
    CheckBox(Form& form, std::u16string name, int index = -1);

    const std::u16string& caption() const { return caption_; }
    void setCaption(const std::u16string& c) { assign(caption_, c, Prop::Caption); }
    int value() const { return value_; }  // 0 unticked, 1 ticked
    void setValue(int v);

    // A user click ticks or unticks the box, then raises Click.
    void userClick();

    std::function<void()> Click;

private:
    std::u16string caption_;
    int value_ = 0;
};

}  // namespace ui
