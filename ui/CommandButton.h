#pragma once

#include <functional>

#include "ui/Control.h"

namespace ui {

class CommandButton : public Control {
public:
    CommandButton(Form& form, std::u16string name, int index = -1);

    const std::u16string& caption() const { return caption_; }
    void setCaption(const std::u16string& c) { assign(caption_, c, Prop::Caption); }
    bool isDefault() const { return default_; }
    void setDefault(bool v) { default_ = v; }
    bool isCancel() const { return cancel_; }
    void setCancel(bool v) { cancel_ = v; }

    void userClick();

    std::function<void()> Click;

private:
    std::u16string caption_;
    bool default_ = false;
    bool cancel_ = false;
};

}  // namespace ui
