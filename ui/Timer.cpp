#include "ui/Timer.h"

#include "ui/Error.h"

namespace ui {

Timer::Timer(Form& form, std::u16string name) : Control(form, Kind::Timer, std::move(name)) { setVisible(false); }

void Timer::setInterval(int ms) {
    if (ms < 0 || ms > 65535) throw Error(err::InvalidProperty, "Invalid property value");
    assign(interval_, ms, Prop::Interval);
}

}  // namespace ui
