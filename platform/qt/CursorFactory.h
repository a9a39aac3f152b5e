#pragma once

#include <QCursor>

#include "ui/Cursor.h"

namespace platform::qt {

// A two-colour cursor from the model's pixel array: a bitmap and a mask,
// as a window system without colour cursors takes it too.
class CursorFactory {
public:
    static QCursor make(const ui::Cursor& cursor);
};

}  // namespace platform::qt
