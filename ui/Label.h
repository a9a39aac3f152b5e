#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "ui/Control.h"
#include "ui/Cursor.h"

namespace ui {

class Label : public Control {
public:
    Label(Form& form, std::u16string name, int index = -1);

    const std::u16string& caption() const { return caption_; }
    void setCaption(const std::u16string& c) { assign(caption_, c, Prop::Caption); }

    const std::shared_ptr<const Cursor>& mouseIcon() const { return mouseIcon_; }
    void setMouseIcon(std::shared_ptr<const Cursor> c);

    // User input, from the front end or a test; goes through the platform's dispatch.
    void userClick();
    void userMouseMove(std::int16_t button, std::int16_t shift, float x, float y);

    std::function<void()> Click;
    std::function<void(std::int16_t button, std::int16_t shift, float x, float y)> MouseMove;

private:
    std::u16string caption_;
    std::shared_ptr<const Cursor> mouseIcon_;
};

}  // namespace ui
