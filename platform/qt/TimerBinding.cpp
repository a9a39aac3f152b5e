#include "platform/qt/TimerBinding.h"

#include "platform/qt/FormView.h"
#include "ui/Form.h"
#include "ui/Platform.h"
#include "ui/Timer.h"

namespace platform::qt {

TimerBinding::TimerBinding(FormView& view, ui::Timer& timer) : Binding(view, timer, nullptr), timer_(timer) {
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, [this] { tick(); });
}

bool TimerBinding::applyOwn(ui::Prop prop) {
    if (prop == ui::Prop::Interval || prop == ui::Prop::Enabled || prop == ui::Prop::TimerEnabled) schedule();
    return true;
}

void TimerBinding::schedule() {
    if (live() && timer_.running() && timer_.form().loaded())
        clock_.start(timer_.interval());
    else
        clock_.stop();
}

void TimerBinding::tick() {
    if (ticking_ || !live() || !timer_.Tick) return;
    ticking_ = true;
    timer_.form().platform().dispatch(timer_.Tick);
    ticking_ = false;
}

}  // namespace platform::qt
