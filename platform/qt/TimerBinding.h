#pragma once

#include <QTimer>

#include "platform/qt/Binding.h"

namespace ui {
class Timer;
}

namespace platform::qt {

// A Timer control on a QTimer: ticks every interval while enabled with an
// interval above 0 and its form loaded. Enabling it or a new interval starts
// the countdown again. A tick that is still running (it may pump events) is
// never entered a second time.
class TimerBinding : public Binding {
public:
    TimerBinding(FormView& view, ui::Timer& timer);

    void stop() { clock_.stop(); }
    void schedule();
    bool active() const { return clock_.isActive(); }

protected:
    bool applyOwn(ui::Prop prop) override;
    void applyAllOwn() override {}

private:
    void tick();

    ui::Timer& timer_;
    QTimer clock_;
    bool ticking_ = false;
};

}  // namespace platform::qt
