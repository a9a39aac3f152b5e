#include "tests/e2e/TickCounter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace e2e {

TickCounter::TickCounter(int intervalMs) : intervalMs_(intervalMs) {
    QCoreApplication::instance()->installEventFilter(this);
}

TickCounter::~TickCounter() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool TickCounter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Timer) {
        const auto* timer = qobject_cast<const QTimer*>(watched);
        if (timer && timer->interval() == intervalMs_) ++count_;
    }
    return false;
}

}  // namespace e2e
