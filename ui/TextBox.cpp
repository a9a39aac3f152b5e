#include "ui/TextBox.h"

#include "ui/Form.h"
#include "ui/Platform.h"

namespace ui {

TextBox::TextBox(Form& form, std::u16string name, int index) : Control(form, Kind::TextBox, std::move(name), index) {}

void TextBox::setText(const std::u16string& t) {
    // The toolkit cuts code-set text to MaxLength, as a real box does.
    std::u16string v = (maxLength_ > 0 && t.size() > static_cast<std::size_t>(maxLength_)) ? t.substr(0, maxLength_) : t;
    assign(text_, v, Prop::Text);
}

std::int16_t TextBox::userKeyPress(std::int16_t keyAscii) {
    if (!acceptsInput()) return 0;
    if (KeyPress) form().platform().dispatch([&] { KeyPress(keyAscii); });
    return keyAscii;
}

void TextBox::userSetText(const std::u16string& t) { setText(t); }

void TextBox::userType(char16_t ch, std::int16_t keyAscii) {
    if (userKeyPress(keyAscii) == 0) return;
    if (keyAscii == 8) {
        if (!text_.empty()) userSetText(text_.substr(0, text_.size() - 1));
        return;
    }
    if (keyAscii > 0 && keyAscii < 32) return;
    if (maxLength_ > 0 && text_.size() >= static_cast<std::size_t>(maxLength_)) return;
    userSetText(text_ + ch);
}

}  // namespace ui
