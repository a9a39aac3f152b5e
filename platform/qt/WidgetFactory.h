#pragma once

#include <memory>

namespace ui {
class Control;
}

namespace platform::qt {

class Binding;
class FormView;

// The standard widget for each kind of control, with its binding.
class WidgetFactory {
public:
    static std::unique_ptr<Binding> create(FormView& view, ui::Control& control);
};

}  // namespace platform::qt
