#include "ui/Error.h"

namespace ui {

Error::Error(int number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

}  // namespace ui
