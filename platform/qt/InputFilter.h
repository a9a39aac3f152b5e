#pragma once

#include <QEvent>
#include <QObject>

namespace platform::qt {

// Keeps the user's mouse and keyboard away from a disabled form and all its
// controls (the window is disabled while a command waits for its reply),
// without disabling the widgets: nothing greys, painting and timers go on.
// Releases pass: the model refuses what they would trigger, and a widget
// pressed before is not left hanging.
class InputFilter : public QObject {
public:
    static bool isRefusedInput(QEvent::Type type);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace platform::qt
