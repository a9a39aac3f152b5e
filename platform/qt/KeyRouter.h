#pragma once

#include <cstdint>
#include <functional>

class QEvent;
class QWidget;

namespace platform::qt {

// Runs what the user types through the control's KeyPress before the widget
// takes it: a code left at 0 cancels the character, a changed code types the
// new character instead, an unchanged one lets the widget go on as usual.
class KeyRouter {
public:
    // Raises KeyPress with a code and returns the code it left (0: cancelled).
    using Press = std::function<std::int16_t(std::int16_t)>;

    explicit KeyRouter(Press press) : press_(std::move(press)) {}

    // True when the event was consumed here.
    bool route(QWidget& widget, QEvent* event);

private:
    bool keyPress(QWidget& widget, QEvent* event);
    bool inputMethod(QWidget& widget, QEvent* event);
    void deliver(QWidget& widget, QEvent& replacement);

    Press press_;
    bool delivering_ = false;  // our own replacement is on its way to the widget
};

}  // namespace platform::qt
