#include "ui/CommandButton.h"

#include "ui/Form.h"
#include "ui/Platform.h"

namespace ui {

CommandButton::CommandButton(Form& form, std::u16string name, int index)
    : Control(form, Kind::CommandButton, std::move(name), index) {}

void CommandButton::userClick() {
    if (!acceptsInput() || !Click) return;
    form().platform().dispatch([this] { Click(); });
}

}  // namespace ui
