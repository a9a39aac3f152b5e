#pragma once

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include "bench/figures_support/Usage.h"

namespace figures {

// Notes when the first top-level window has been painted: the paint event
// comes before the painting, so the time is taken once the event loop is
// back, after the whole window was drawn and flushed.
class FirstPaint : public QObject {
public:
    double at() const { return at_; }
    bool seen() const { return at_ > 0; }
    void quitOnPaint(QEventLoop* loop) { loop_ = loop; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !asked_ && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            asked_ = true;
            QTimer::singleShot(0, this, [this] {
                at_ = MonoSeconds();
                if (loop_) loop_->quit();
            });
        }
        return false;
    }

private:
    bool asked_ = false;
    double at_ = 0;
    QEventLoop* loop_ = nullptr;
};

}  // namespace figures
