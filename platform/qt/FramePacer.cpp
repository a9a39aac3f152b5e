#include "platform/qt/FramePacer.h"

namespace platform::qt {

FramePacer::FramePacer(int frameMs, std::function<void()> due) : frameMs_(frameMs), due_(std::move(due)) {
    frameEnd_.setSingleShot(true);
    frameEnd_.setTimerType(Qt::PreciseTimer);  // a late frame end delays what is shown
    connect(&frameEnd_, &QTimer::timeout, this, [this] { frameEnded(); });
}

// A change after a quiet spell is taken at once. While changes stream in, a
// change within a poll tick's jitter of the frame end brings the frame end
// forward to the end of this turn, so the frame takes all the tick did and
// is shown from the poll's own wake-up; the timer is set that much late, so
// that it fires by itself only once the stream stops.
bool FramePacer::admit() {
    if (turnOpen_ && !frameEnd_.isActive()) return true;
    const qint64 since = sinceTaken_.isValid() ? sinceTaken_.elapsed() : frameMs_;
    const bool frameOver = since >= frameMs_ - kJitterMs;
    if (!frameEnd_.isActive()) {
        if (!frameOver) {
            frameEnd_.start(static_cast<int>(frameMs_ - since + kJitterMs));
            return false;
        }
        sinceTaken_.start();
        openTurn();
        return true;
    }
    if (frameOver && !endingNow_) {
        endingNow_ = true;
        frameEnd_.start(0);
    }
    return false;
}

void FramePacer::settle() {
    if (!frameEnd_.isActive()) return;
    frameEnd_.stop();
    endingNow_ = false;
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
    endingNow_ = false;
    sinceTaken_.start();
    due_();
}

}  // namespace platform::qt
