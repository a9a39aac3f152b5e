#pragma once

#include <cstdint>
#include <functional>

#include "ui/Control.h"

namespace ui {

// The two panes: plain text with a caret and a selection, counted in characters.
// What the box does to its text it reports as an edit wherever it can, so a
// front end that mirrors it never needs a copy of the text before.
class RichTextBox : public Control {
public:
    struct Edit {
        int start = 0;    // where the replaced characters began
        int removed = 0;  // how many there were
        std::u16string inserted;
    };

    RichTextBox(Form& form, std::u16string name, int index = -1);

    const std::u16string& text() const { return text_; }
    // A text that keeps only the end of the one before (the receive pane's
    // cut) is reported as a removal at the front, any other as a new text.
    void setText(const std::u16string& t);

    int selStart() const { return selStart_; }
    void setSelStart(int pos);  // clamps to the text; empties the selection
    int selLength() const { return selLength_; }
    void setSelLength(int len);  // clamps to what follows the caret
    std::u16string selText() const;
    void setSelText(const std::u16string& t);  // replaces the selection; caret after it

    // The edit behind the last Prop::Edit notification.
    const Edit& lastEdit() const { return lastEdit_; }

    void refresh();
    void setFocus();
    bool hasFocus() const;

    std::int16_t userKeyPress(std::int16_t keyAscii);
    // The user moved the caret or the selection.
    void userSelect(int start, int length);
    // The user replaced `removed` characters at `start` of the text as it is
    // now; the caret goes after what was put in.
    void userEdit(int start, int removed, const std::u16string& inserted);
    // Test helper: a key press followed by the edit the box makes at its caret.
    void userType(char16_t ch, std::int16_t keyAscii);

    std::function<void(std::int16_t& keyAscii)> KeyPress;

private:
    void setSelection(int start, int length);
    void replace(int start, int removed, const std::u16string& inserted);

    std::u16string text_;
    int selStart_ = 0;
    int selLength_ = 0;
    Edit lastEdit_;
};

}  // namespace ui
