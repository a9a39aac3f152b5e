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
        const std::size_t kept = t.size();
        if (kept > 0 && kept < text_.size() && text_.compare(text_.size() - kept, kept, t) == 0) {
            replace(0, static_cast<int>(text_.size() - kept), {});
        } else {
            text_ = t;
            notify(Prop::Text);
        }
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
    const int at = selStart_;
    replace(at, selLength_, t);
    selStart_ = at + static_cast<int>(t.size());
    selLength_ = 0;
    notify(Prop::Selection);
}

void RichTextBox::replace(int start, int removed, const std::u16string& inserted) {
    lastEdit_ = Edit{start, removed, inserted};
    text_.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(removed), inserted);
    if (removed != 0 || !inserted.empty()) notify(Prop::Edit);
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

void RichTextBox::userSelect(int start, int length) {
    setSelection(start, length);
}

void RichTextBox::userEdit(int start, int removed, const std::u16string& inserted) {
    const int size = static_cast<int>(text_.size());
    start = std::clamp(start, 0, size);
    removed = std::clamp(removed, 0, size - start);
    replace(start, removed, inserted);
    setSelection(start + static_cast<int>(inserted.size()), 0);
}

void RichTextBox::userType(char16_t ch, std::int16_t keyAscii) {
    if (userKeyPress(keyAscii) == 0) return;
    if (keyAscii != 8) {
        userEdit(selStart_, selLength_, std::u16string(1, keyAscii == 13 ? u'\r' : ch));
    } else if (selLength_ > 0) {
        userEdit(selStart_, selLength_, {});
    } else if (selStart_ > 0) {
        userEdit(selStart_ - 1, 1, {});
    }
}

}  // namespace ui
