#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/qt/Binding.h"
#include "ui/ControlObserver.h"

namespace platform::qt {

class FormView;

// The form's observer: one binding per control, and each change reported by
// the model goes to the one binding (or the window) it concerns.
class ControlBinder : public ui::ControlObserver {
public:
    explicit ControlBinder(FormView& view);
    ~ControlBinder() override;

    void bindAll();
    // Before the thread blocks: every widget shows what it holds back.
    void showNow();
    Binding* find(const ui::Control& control) const;
    const std::vector<std::unique_ptr<Binding>>& bindings() const { return bindings_; }

    void changed(ui::Control& control, ui::Prop prop) override;
    void formChanged(ui::Form& form, ui::Prop prop) override;

private:
    Binding& bind(ui::Control& control);

    FormView& view_;
    std::vector<std::unique_ptr<Binding>> bindings_;
    std::unordered_map<const ui::Control*, Binding*> index_;
};

}  // namespace platform::qt
