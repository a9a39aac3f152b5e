#include "ui/ComboBox.h"

#include "ui/Form.h"
#include "ui/Platform.h"

namespace ui {

ComboBox::ComboBox(Form& form, std::u16string name, int index)
    : Control(form, Kind::ComboBox, std::move(name), index) {}

void ComboBox::addItem(const std::u16string& item) {
    list_.push_back(item);
    notify(Prop::List);
}

std::u16string ComboBox::list(int i) const {
    if (i < 0 || i >= listCount()) return {};
    return list_[static_cast<std::size_t>(i)];
}

void ComboBox::setListIndex(int i) {
    if (i < -1 || i >= listCount()) i = -1;
    if (!assign(listIndex_, i, Prop::ListIndex)) return;
    if (Click) Click();
}

void ComboBox::userSelect(int i) {
    if (!acceptsInput()) return;
    form().platform().dispatch([this, i] { setListIndex(i); });
}

}  // namespace ui
