#pragma once

#include <Qt>
#include <cstdint>

namespace platform::qt {

// Mouse buttons and modifier keys as the model's masks number them.
class MouseState {
public:
    // 1 left, 2 right, 4 middle.
    static std::int16_t buttons(Qt::MouseButtons buttons);
    // 1 Shift, 2 Ctrl, 4 Alt.
    static std::int16_t shift(Qt::KeyboardModifiers modifiers);
};

}  // namespace platform::qt
