#include "ui/RichTextBox.h"

#include <algorithm>

#include "ui/Error.h"
#include "ui/Form.h"
#include "ui/Platform.h"

namespace ui {

RichTextBox::RichTextBox(Form& form, std::u16string name, int index)
    : Control(form, Kind::RichTextBox, std::move(name), index) {}

void RichTextBox::setText(const std::u16string& t) {
    // The box puts its caret at the start of a new text.
    const bool moved = selStart_ != 0 || selLength_ != 0;
    selStart_ = 0;
    selLength_ = 0;
    if (text_ != t) {
        text_ = t;
        notify(Prop::Text);
    }
    if (moved) notify(Prop::Selection);
}

void RichTextBox::setSelection(int start, int length) {
    const int size = static_cast<int>(text_.size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (start == selStart_ && length == selLength_) return;
    selStart_ = start;
    selLength_ = length;
    notify(Prop::Selection);
}

void RichTextBox::setSelStart(int pos) {
    if (pos < 0) throw Error(err::InvalidProperty, "Invalid property value");
    setSelection(pos, 0);
}

void RichTextBox::setSelLength(int len) {
    if (len < 0) throw Error(err::InvalidProperty, "Invalid property value");
    setSelection(selStart_, len);
}

std::u16string RichTextBox::selText() const {
    return text_.substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
}

void RichTextBox::setSelText(const std::u16string& t) {
    lastEdit_ = Edit{selStart_, selLength_, t};
    text_.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_), t);
    selStart_ += static_cast<int>(t.size());
    selLength_ = 0;
    if (lastEdit_.removed != 0 || !t.empty()) notify(Prop::Edit);
    notify(Prop::Selection);
}

void RichTextBox::refresh() { notify(Prop::Refresh); }

void RichTextBox::setFocus() {
    if (!acceptsInput()) throw Error(err::InvalidCall, "Invalid procedure call or argument");
    form().setActiveControl(this);
    notify(Prop::Focus);
}

bool RichTextBox::hasFocus() const { return form().activeControl() == this; }

std::int16_t RichTextBox::userKeyPress(std::int16_t keyAscii) {
    if (!acceptsInput()) return 0;
    if (KeyPress) form().platform().dispatch([&] { KeyPress(keyAscii); });
    return keyAscii;
}

void RichTextBox::userSetText(const std::u16string& t, int caret) {
    if (text_ != t) {
        text_ = t;
        notify(Prop::Text);
    }
    setSelection(caret, 0);
}

void RichTextBox::userType(char16_t ch, std::int16_t keyAscii) {
    if (userKeyPress(keyAscii) == 0) return;
    std::u16string t = text_;
    int caret = selStart_;
    if (keyAscii == 8) {
        if (selLength_ > 0) {
            t.erase(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
        } else if (caret > 0) {
            t.erase(static_cast<std::size_t>(--caret), 1);
        }
    } else {
        const char16_t c = keyAscii == 13 ? u'\r' : ch;
        t.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_), 1, c);
        ++caret;
    }
    userSetText(t, caret);
}

}  // namespace ui
