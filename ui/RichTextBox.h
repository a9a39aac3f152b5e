#pragma once

#include <cstdint>
#include <functional>

#include "ui/Control.h"

namespace ui {

// The two panes: plain text with a caret and a selection, counted in characters.
class RichTextBox : public Control {
public:
    struct Edit {
        int start = 0;         // where the replaced selection began
        int removed = 0;       // characters it held
        std::u16string inserted;
    };

    RichTextBox(Form& form, std::u16string name, int index = -1);

    const std::u16string& text() const { return text_; }
    void setText(const std::u16string& t);

    int selStart() const { return selStart_; }
    void setSelStart(int pos);  // clamps to the text; empties the selection
    int selLength() const { return selLength_; }
    void setSelLength(int len);  // clamps to what follows the caret
    std::u16string selText() const;
    void setSelText(const std::u16string& t);  // replaces the selection; caret after it

    // The edit behind the last Prop::Edit notification, for an incremental repaint.
    const Edit& lastEdit() const { return lastEdit_; }

    void refresh();
    void setFocus();
    bool hasFocus() const;

    std::int16_t userKeyPress(std::int16_t keyAscii);
    // The front end reports the text and caret after an edit the user made.
    void userSetText(const std::u16string& t, int caret);
    // Test helper: a key press followed by the insertion the box makes at its caret.
    void userType(char16_t ch, std::int16_t keyAscii);

    std::function<void(std::int16_t& keyAscii)> KeyPress;

private:
    void setSelection(int start, int length);

    std::u16string text_;
    int selStart_ = 0;
    int selLength_ = 0;
    Edit lastEdit_;
};

}  // namespace ui
