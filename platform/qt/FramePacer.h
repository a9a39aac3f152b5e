#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>

namespace platform::qt {

// Decides when a widget takes changes that code makes faster than a screen
// shows them. A change after a quiet spell is taken at once, and so is
// everything else done in the same turn of the event loop; a change within
// a frame of the last one waits, and `due` runs once when the frame ends to
// take everything that waited (at most a couple of milliseconds late).
class FramePacer : public QObject {
public:
    // Milliseconds on a steady clock.
    using Clock = std::function<std::int64_t()>;

    FramePacer(int frameMs, std::function<void()> due);
    // Tests hand in a clock of their own, to run the frames in virtual time.
    void setClock(Clock now) { now_ = std::move(now); }

    // True: take the change now. False: it waits for `due`.
    bool admit();
    // The owner took everything now (the user needs it): no frame end is due.
    void settle();
    // Changes made until the event loop turns again are taken at once.
    void openTurn();
    // What the frame timer does: runs `due` once the clock says the frame is over.
    void endFrameIfDue();
    bool waiting() const { return dueAt_.has_value(); }

private:
    void arm(std::int64_t now);

    static constexpr int kJitterMs = 2;
    const int frameMs_;
    std::function<void()> due_;
    Clock now_;
    std::optional<std::int64_t> takenAt_;
    std::optional<std::int64_t> dueAt_;
    QTimer frameEnd_;
    bool turnOpen_ = false;
};

}  // namespace platform::qt
