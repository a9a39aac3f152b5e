#include "platform/qt/FramePacer.h"

namespace platform::qt {

FramePacer::FramePacer(int frameMs, std::function<void()> due) : frameMs_(frameMs), due_(std::move(due)) {
    frameEnd_.setSingleShot(true);
    frameEnd_.setTimerType(Qt::PreciseTimer);  // a late frame end delays what is shown
    connect(&frameEnd_, &QTimer::timeout, this, [this] { frameEnded(); });
}

bool FramePacer::admit() {
    if (frameEnd_.isActive()) return false;
    if (turnOpen_) return true;
    if (sinceTaken_.isValid()) {
        const qint64 since = sinceTaken_.elapsed();
        if (since < frameMs_) {
            frameEnd_.start(static_cast<int>(frameMs_ - since));
            return false;
        }
    }
    sinceTaken_.start();
    openTurn();
    return true;
}

void FramePacer::settle() {
    if (!frameEnd_.isActive()) return;
    frameEnd_.stop();
    sinceTaken_.start();
}

// The turn ends with the first zero timer after it: by then the code that
// opened it has returned to the event loop.
void FramePacer::openTurn() {
    if (turnOpen_) return;
    turnOpen_ = true;
    QTimer::singleShot(0, this, [this] { turnOpen_ = false; });
}

void FramePacer::frameEnded() {
    sinceTaken_.start();
    due_();
}

}  // namespace platform::qt
