#pragma once

#include <exception>
#include <utility>

namespace ui {

// Runs one step of a handler that goes on after a failing statement.
// Returns false when the step failed, for the few places that need to know.
template <class Step>
bool Skip(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace ui
