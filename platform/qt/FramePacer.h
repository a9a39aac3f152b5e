#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace platform::qt {

// Decides when a widget takes changes that code makes faster than a screen
// shows them. A change after a quiet spell is taken at once, and so is
// everything else done in the same turn of the event loop; a change within
// a frame of the last one waits, and `due` runs once when the frame ends to
// take everything that waited (at most a couple of milliseconds late).
class FramePacer : public QObject {
public:
    FramePacer(int frameMs, std::function<void()> due);

    // True: take the change now. False: it waits for `due`.
    bool admit();
    // The owner took everything now (the user needs it): no frame end is due.
    void settle();
    // Changes made until the event loop turns again are taken at once.
    void openTurn();

private:
    void frameEnded();

    static constexpr int kJitterMs = 2;
    const int frameMs_;
    std::function<void()> due_;
    QElapsedTimer sinceTaken_;
    QTimer frameEnd_;
    bool turnOpen_ = false;
    bool endingNow_ = false;  // the frame ends when this turn does
};

}  // namespace platform::qt
