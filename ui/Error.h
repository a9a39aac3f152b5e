#pragma once

#include <stdexcept>
#include <string>

namespace ui {

// A failing platform operation, numbered like the runtime errors the
// console's handlers were written against; the handlers skip on it.
class Error : public std::runtime_error {
public:
    Error(int number, const std::string& description);

    int number() const { return number_; }

private:
    int number_;
};

// Numbers shared by every control.
namespace err {
inline constexpr int InvalidCall = 5;       // e.g. focus on a disabled control
inline constexpr int Overflow = 6;
inline constexpr int InvalidProperty = 380;
}  // namespace err

}  // namespace ui
