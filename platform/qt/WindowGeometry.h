#pragma once

#include <QTimer>

#include "platform/qt/PlacementLearner.h"

namespace ui {
class Form;
}
class QWidget;

namespace platform::qt {

class TwipsScale;

// A form's outer bounds and window state, between the model (twips, outer
// size) and the window (pixels, client size plus a frame).
//
// The model's bounds are the window's current ones, maximized included (the
// pane layout follows them); the normal ones are the placement's. The window
// reports a change as several events with half-updated geometry: it is read
// once they are all in, and what it reports never moves it.
class WindowGeometry {
public:
    WindowGeometry(QWidget& window, ui::Form& form, const TwipsScale& scale);

    void applyBounds();  // model -> window
    void applyState();
    // Just before the window is shown: a dialog whose place was never set
    // opens in the middle of the screen.
    void showing();
    // A move, resize or state change of the window.
    void changed();
    // What the window reports is read now: the model must have it before
    // Unload reads it.
    void flush();
    void stop() { settle_.stop(); }

private:
    void settled();  // window -> model
    void give(const Placing& p);
    void report(const TwipsBounds& b);
    TwipsBounds modelBounds() const;
    PixelFrame designFrame() const;
    PixelSize room() const;

    QWidget& window_;
    ui::Form& form_;
    const TwipsScale& scale_;
    PlacementLearner placement_;
    QTimer settle_;
};

}  // namespace platform::qt
