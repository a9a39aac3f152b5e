#include "platform/qt/MouseState.h"

namespace platform::qt {

std::int16_t MouseState::buttons(Qt::MouseButtons b) {
    std::int16_t mask = 0;
    if (b & Qt::LeftButton) mask |= 1;
    if (b & Qt::RightButton) mask |= 2;
    if (b & Qt::MiddleButton) mask |= 4;
    return mask;
}

std::int16_t MouseState::shift(Qt::KeyboardModifiers m) {
    std::int16_t mask = 0;
    if (m & Qt::ShiftModifier) mask |= 1;
    if (m & Qt::ControlModifier) mask |= 2;
    if (m & Qt::AltModifier) mask |= 4;
    return mask;
}

}  // namespace platform::qt
