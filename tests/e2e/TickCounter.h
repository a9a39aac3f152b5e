#pragma once

#include <QObject>

namespace e2e {

// Counts the firings of every running timer with a given interval, seen on
// their way through the application, without touching the program.
class TickCounter : public QObject {
public:
    explicit TickCounter(int intervalMs);
    ~TickCounter() override;
    TickCounter(const TickCounter&) = delete;
    TickCounter& operator=(const TickCounter&) = delete;

    long count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int intervalMs_;
    long count_ = 0;
};

}  // namespace e2e
