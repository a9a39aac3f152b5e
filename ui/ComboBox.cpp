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

// A pick of the entry already shown changes nothing but still raises Click:
// the user asked for it, and the handler may have something to apply again.
void ComboBox::userSelect(int i) {
    if (!acceptsInput()) return;
    form().platform().dispatch([this, i] {
        if (i != listIndex_ || i < 0 || i >= listCount())
            setListIndex(i);
        else if (Click)
            Click();
    });
}

}  // namespace ui
