#include "platform/qt/SessionEnd.h"

#include <QCoreApplication>
#include <csignal>

#include "platform/qt/QtPlatform.h"
#include "ui/Form.h"

namespace platform::qt {

namespace {

constexpr int kRetryMs = 20;

}  // namespace

SessionEnd::SessionEnd(QtPlatform& platform, ui::Form& main)
    : platform_(platform),
      main_(main),
      pipe_({SIGTERM, SIGHUP, SIGINT}),
      notifier_(pipe_.readFd(), QSocketNotifier::Read) {
    notifier_.setEnabled(pipe_.ok());
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    connect(&notifier_, &QSocketNotifier::activated, this, &SessionEnd::signalled);
    connect(&retry_, &QTimer::timeout, this, &SessionEnd::endWhenIdle);
}

// A handler waiting in a message box would hold the end until someone
// clicked: its box is answered for it.
void SessionEnd::signalled() {
    if (pipe_.take() == 0) return;
    platform_.endSession();
    endWhenIdle();
}

// Unloading from inside a handler would pull the form from under it. Once
// the main form is gone, an About window left open does not hold the
// program, as it would after the close box.
void SessionEnd::endWhenIdle() {
    if (platform_.handlersRunning() > 0) return retry_.start();
    if (main_.loaded()) platform_.unload(main_);
    if (!main_.loaded()) QCoreApplication::exit(0);
}

}  // namespace platform::qt
