#include "tests/support/VirtualPlatform.h"

#include <algorithm>

#include "console/AppIdentity.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/Timer.h"

namespace testsupport {

VirtualPlatform::VirtualPlatform() : app_(console::AppIdentity("/nonexistent", "lumetra")) {}

void VirtualPlatform::schedule(ui::Timer& t) {
    if (t.running() && t.form().loaded()) {
        timers_[&t] = Entry{nowUs_ + static_cast<std::int64_t>(t.interval()) * 1000, seq_++};
    } else {
        timers_.erase(&t);
    }
}

// Runs the timers due at the earliest due time, moving the clock there.
bool VirtualPlatform::runDue() {
    ui::Timer* next = nullptr;
    Entry best{};
    for (auto& [t, e] : timers_) {
        if (std::find(ticking_.begin(), ticking_.end(), t) != ticking_.end()) continue;
        if (!next || e.dueUs < best.dueUs || (e.dueUs == best.dueUs && e.seq < best.seq)) {
            next = t;
            best = e;
        }
    }
    if (!next) return false;
    nowUs_ = std::max(nowUs_, best.dueUs);
    timers_[next] = Entry{nowUs_ + static_cast<std::int64_t>(next->interval()) * 1000, seq_++};
    ticking_.push_back(next);
    if (next->Tick) dispatch(next->Tick);
    ticking_.erase(std::find(ticking_.begin(), ticking_.end(), next));
    return true;
}

void VirtualPlatform::doEvents() {
    // Everything due at one instant runs in one pass.
    if (!runDue()) return;
    const std::int64_t at = nowUs_;
    for (;;) {
        bool more = false;
        for (auto& [t, e] : timers_) {
            if (e.dueUs <= at && std::find(ticking_.begin(), ticking_.end(), t) == ticking_.end()) more = true;
        }
        if (!more || !runDue()) break;
    }
}

void VirtualPlatform::advance(double ms) {
    const std::int64_t end = nowUs_ + static_cast<std::int64_t>(ms * 1000.0);
    for (;;) {
        bool due = false;
        for (auto& [t, e] : timers_) {
            if (e.dueUs <= end && std::find(ticking_.begin(), ticking_.end(), t) == ticking_.end()) due = true;
        }
        if (!due || !runDue()) break;
    }
    nowUs_ = std::max(nowUs_, end);
}

void VirtualPlatform::sleep(int ms) {
    ++sleeps;
    sleptMs += ms;
    nowUs_ += static_cast<std::int64_t>(ms) * 1000;
}

int VirtualPlatform::messageBox(const std::u16string& text, int style, const std::u16string& title) {
    Message m{text, style, title};
    if (onMessage) onMessage(m);
    messages.push_back(std::move(m));
    return ui::mb::Ok;
}

void VirtualPlatform::show(ui::Form& form) {
    if (form.loaded()) return;
    form.setObserver(this);
    form.setLoaded(true);
    shown.push_back(&form);
    for (ui::Control* c : form.controls())
        if (c->kind() == ui::Kind::Timer) schedule(static_cast<ui::Timer&>(*c));
    if (form.Load) dispatch(form.Load);
    if (form.loaded() && form.Resize) dispatch(form.Resize);  // first show
}

void VirtualPlatform::unload(ui::Form& form) {
    if (!form.loaded()) return;
    std::int16_t cancel = 0;
    if (form.Unload) dispatch([&] { form.Unload(cancel); });
    if (cancel != 0) return;
    form.setLoaded(false);
    shown.erase(std::remove(shown.begin(), shown.end(), &form), shown.end());
    for (ui::Control* c : form.controls())
        if (c->kind() == ui::Kind::Timer) timers_.erase(static_cast<ui::Timer*>(c));
}

void VirtualPlatform::changed(ui::Control& control, ui::Prop prop) {
    if (control.kind() != ui::Kind::Timer) return;
    if (prop == ui::Prop::Interval || prop == ui::Prop::Enabled) schedule(static_cast<ui::Timer&>(control));
}

void VirtualPlatform::formChanged(ui::Form&, ui::Prop) {}

void VirtualPlatform::escaped(const char* what) noexcept {
    try {
        escapes.emplace_back(what);
    } catch (...) {
    }
}

}  // namespace testsupport
