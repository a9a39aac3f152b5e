#pragma once

#include <memory>

#include "ui/Cursor.h"

namespace console {

// The splitter bar's pointer: two short bars with an arrow up above them and
// an arrow down below, black with a white outline, 32 x 32, hot spot (15, 14)
// between the bars. One shared picture for the whole run.
std::shared_ptr<const ui::Cursor> SplitterCursor();

}  // namespace console
