#include "platform/qt/WidgetFactory.h"

#include "platform/qt/ButtonBinding.h"
#include "platform/qt/CheckBoxBinding.h"
#include "platform/qt/ComboBoxBinding.h"
#include "platform/qt/LabelBinding.h"
#include "platform/qt/LineBinding.h"
#include "platform/qt/PaneBinding.h"
#include "platform/qt/TextBoxBinding.h"
#include "platform/qt/TimerBinding.h"
#include "ui/Controls.h"

namespace platform::qt {

std::unique_ptr<Binding> WidgetFactory::create(FormView& view, ui::Control& c) {
    switch (c.kind()) {
        case ui::Kind::Label:
            return std::make_unique<LabelBinding>(view, static_cast<ui::Label&>(c));
        case ui::Kind::CommandButton:
            return std::make_unique<ButtonBinding>(view, static_cast<ui::CommandButton&>(c));
        case ui::Kind::TextBox:
            return std::make_unique<TextBoxBinding>(view, static_cast<ui::TextBox&>(c));
        case ui::Kind::CheckBox:
            return std::make_unique<CheckBoxBinding>(view, static_cast<ui::CheckBox&>(c));
        case ui::Kind::ComboBox:
            return std::make_unique<ComboBoxBinding>(view, static_cast<ui::ComboBox&>(c));
        case ui::Kind::RichTextBox:
            return std::make_unique<PaneBinding>(view, static_cast<ui::RichTextBox&>(c));
        case ui::Kind::Timer:
            return std::make_unique<TimerBinding>(view, static_cast<ui::Timer&>(c));
        case ui::Kind::Line:
            break;
    }
    return std::make_unique<LineBinding>(view, static_cast<ui::Line&>(c));
}

}  // namespace platform::qt
