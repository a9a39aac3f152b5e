#pragma once

#include <functional>

#include "ui/Control.h"

namespace ui {

// Ticks every interval ms while enabled; an interval of 0 never ticks.
// Enabling it, or setting a new interval, restarts the countdown.
class Timer : public Control {
public:
    Timer(Form& form, std::u16string name);

    int interval() const { return interval_; }
    void setInterval(int ms);
    bool running() const { return enabled() && interval_ > 0; }

    std::function<void()> Tick;  // the control's Timer event

private:
    int interval_ = 0;
};

}  // namespace ui
