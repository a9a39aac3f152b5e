#include "ui/Label.h"

#include "ui/Form.h"
#include "ui/Platform.h"

namespace ui {

Label::Label(Form& form, std::u16string name, int index) : Control(form, Kind::Label, std::move(name), index) {}

void Label::setMouseIcon(std::shared_ptr<const Cursor> c) {
    if (mouseIcon_ == c) return;
    mouseIcon_ = std::move(c);
    notify(Prop::MousePointer);
}

void Label::userClick() {
    if (!acceptsInput() || !Click) return;
    form().platform().dispatch([this] { Click(); });
}

void Label::userMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
    if (!acceptsInput() || !MouseMove) return;
    form().platform().dispatch([=, this] { MouseMove(button, shift, x, y); });
}

}  // namespace ui
