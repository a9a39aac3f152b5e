#pragma once

#include <string>

namespace ui {

struct Font {
    std::u16string name;  // empty: the form's default font
    float size = 9.0f;    // points
    bool bold = false;
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace ui
