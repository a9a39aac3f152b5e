#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include "platform/posix/SignalPipe.h"

namespace ui {
class Form;
}

namespace platform::qt {

class QtPlatform;

// The end of a session asked by the system (SIGTERM at logout or from kill,
// SIGHUP when the terminal goes, SIGINT from Ctrl+C) is taken as the close
// box: the main form unloads (the port closes, the settings are saved) and
// the program leaves with status 0. A handler that is running, a command's
// wait or the self-test's pauses, is let finish first; its message boxes
// take their default answer. Signals that come meanwhile join that end.
class SessionEnd : public QObject {
public:
    SessionEnd(QtPlatform& platform, ui::Form& main);

private:
    void signalled();
    void endWhenIdle();

    QtPlatform& platform_;
    ui::Form& main_;
    posix::SignalPipe pipe_;
    QSocketNotifier notifier_;
    QTimer retry_;
};

}  // namespace platform::qt
