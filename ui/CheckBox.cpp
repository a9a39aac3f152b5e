#include "ui/CheckBox.h"

#include "ui/Error.h"
#include "ui/Form.h"
#include "ui/Platform.h"

namespace ui {

CheckBox::CheckBox(Form& form, std::u16string name, int index)
    : Control(form, Kind::CheckBox, std::move(name), index) {}

void CheckBox::setValue(int v) {
    if (v != 0 && v != 1) throw Error(err::InvalidProperty, "Invalid property value");
    if (!assign(value_, v, Prop::Value)) return;
    // As in the toolkit, a value change made by code raises Click too.
    if (Click) Click();
}

void CheckBox::userClick() {
    if (!acceptsInput()) return;
    form().platform().dispatch([this] { setValue(value_ == 0 ? 1 : 0); });
}

}  // namespace ui
