#include "platform/qt/PaintThrottle.h"

#include <QEvent>
#include <QWidget>

namespace platform::qt {

PaintThrottle::PaintThrottle(QWidget& widget, QWidget& painted, int frameMs)
    : widget_(widget), painted_(painted), frameMs_(frameMs) {
    release_.setSingleShot(true);
    connect(&release_, &QTimer::timeout, this, [this] { frameEnded(); });
    painted_.installEventFilter(this);
}

// Changes made before the next paint need no holding: that paint shows them.
void PaintThrottle::beforeChange() {
    if (holding_ || !sincePaint_.isValid()) return;
    const qint64 since = sincePaint_.elapsed();
    if (since >= frameMs_) return;
    holding_ = true;
    widget_.setUpdatesEnabled(false);
    release_.start(static_cast<int>(frameMs_ - since));
}

// Enabling updates again repaints the whole widget, children included.
void PaintThrottle::frameEnded() {
    holding_ = false;
    widget_.setUpdatesEnabled(true);
}

bool PaintThrottle::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &painted_ && event->type() == QEvent::Paint) sincePaint_.start();
    return false;
}

}  // namespace platform::qt
