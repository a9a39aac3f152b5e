#pragma once

#include <cstdint>
#include <functional>

#include "ui/Control.h"

namespace ui {

// A single-line text box. Typing runs KeyPress first; a code set to 0 cancels it.
class TextBox : public Control {
public:
    TextBox(Form& form, std::u16string name, int index = -1);

    const std::u16string& text() const { return text_; }
    void setText(const std::u16string& t);
    int maxLength() const { return maxLength_; }  // 0: no limit
    void setMaxLength(int n) { maxLength_ = n; }

    // Runs KeyPress through the dispatch; returns the code left (0: cancelled).
    std::int16_t userKeyPress(std::int16_t keyAscii);
    // The front end reports an edit the user made.
    void userSetText(const std::u16string& t);
    // Test helper: a key press followed by the insertion a box makes at its end.
    void userType(char16_t ch, std::int16_t keyAscii);

    std::function<void(std::int16_t& keyAscii)> KeyPress;

private:
    std::u16string text_;
    int maxLength_ = 0;
};

}  // namespace ui
