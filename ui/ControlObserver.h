#pragma once

#include "ui/Prop.h"

namespace ui {

class Control;
class Form;

// The front end (Qt, or the virtual platform in tests) watches the model here.
class ControlObserver {
public:
    virtual ~ControlObserver() = default;
    virtual void changed(Control& control, Prop prop) = 0;
    virtual void formChanged(Form& form, Prop prop) = 0;
};

}  // namespace ui
