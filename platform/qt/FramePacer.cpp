#include "platform/qt/FramePacer.h"

#include <algorithm>
#include <chrono>

namespace platform::qt {

namespace {

std::int64_t SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

FramePacer::FramePacer(int frameMs, std::function<void()> due)
    : frameMs_(frameMs), due_(std::move(due)), now_(&SteadyMs) {
    frameEnd_.setSingleShot(true);
    frameEnd_.setTimerType(Qt::PreciseTimer);  // a late frame end delays what is shown
    connect(&frameEnd_, &QTimer::timeout, this, [this] { endFrameIfDue(); });
}

// A change after a quiet spell is taken at once. While changes stream in, a
// change within a poll tick's jitter of the frame end brings the frame end
// forward to the end of this turn, so the frame takes all the tick did and
// is shown from the poll's own wake-up; the frame end is set that much late,
// so that it comes by itself only once the stream stops.
bool FramePacer::admit() {
    if (turnOpen_ && !dueAt_) return true;
    const std::int64_t now = now_();
    const std::int64_t since = takenAt_ ? now - *takenAt_ : frameMs_;
    const bool frameOver = since >= frameMs_ - kJitterMs;
    if (!dueAt_) {
        if (frameOver) {
            takenAt_ = now;
            openTurn();
            return true;
        }
        dueAt_ = *takenAt_ + frameMs_ + kJitterMs;
        arm(now);
        return false;
    }
    if (frameOver && *dueAt_ > now) {
        dueAt_ = now;
        arm(now);
    }
    return false;
}

void FramePacer::settle() {
    if (!dueAt_) return;
    frameEnd_.stop();
    dueAt_.reset();
    takenAt_ = now_();
}

// The turn ends with the first zero timer after it: by then the code that
// opened it has returned to the event loop.
void FramePacer::openTurn() {
    if (turnOpen_) return;
    turnOpen_ = true;
    QTimer::singleShot(0, this, [this] { turnOpen_ = false; });
}

// A timer that comes before the clock's frame end (a coarse one, or a clock
// of a test's) waits on for the rest.
void FramePacer::endFrameIfDue() {
    if (!dueAt_) return;
    const std::int64_t now = now_();
    if (now < *dueAt_) {
        arm(now);
        return;
    }
    dueAt_.reset();
    takenAt_ = now;
    due_();
}

void FramePacer::arm(std::int64_t now) {
    frameEnd_.start(static_cast<int>(std::max<std::int64_t>(*dueAt_ - now, 0)));
}

}  // namespace platform::qt
