#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QWidget;

namespace platform::qt {

// Paints a widget that code changes faster than a screen shows at most about
// once a frame. A change more than a frame after the last paint shows as
// usual; one that comes sooner holds the widget's paints back until a frame
// has passed, and then everything changed meanwhile is painted at once. The
// receive pane changes on every 5 ms poll tick while data comes in and would
// otherwise be drawn 200 times a second. Only painting waits: the widget's
// content changes at once.
class PaintThrottle : public QObject {
public:
    // `widget` is held back; `painted` is the child whose paints mark a frame.
    PaintThrottle(QWidget& widget, QWidget& painted, int frameMs);

    // Call before the change is made: updates asked for while held are
    // dropped, and made good by one whole repaint when the frame ends.
    void beforeChange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void frameEnded();

    QWidget& widget_;
    QWidget& painted_;
    const int frameMs_;
    QElapsedTimer sincePaint_;
    QTimer release_;
    bool holding_ = false;
};

}  // namespace platform::qt
