#pragma once

#include <QMargins>
#include <QRect>

#include "platform/qt/OuterBounds.h"

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
// pane layout follows them). The normal-state bounds are kept here as well:
// they are what the window is given before it is shown, whatever its state,
// what it returns to when it is made normal, and what code that makes it
// normal reads at once. Only bounds seen while the window is normal are
// taken as normal ones, with the frame the window system draws around a
// normal window; until that frame is known, the design's is used.
class WindowGeometry {
public:
    WindowGeometry(QWidget& window, ui::Form& form, const TwipsScale& scale);

    void applyBounds();  // model -> window
    // Once the window system shows its frame, the client area is sized again
    // so that the outer size is still the normal one.
    void refit();
    void applyState();
    void reportBounds();  // window -> model
    void reportState();

private:
    // The client area for the normal outer size.
    QSize clientSize() const;
    QMargins frame() const;
    QMargins designFrame() const;
    QMargins reportedFrame() const;
    OuterBounds modelBounds() const;
    void place(const OuterBounds& b);
    void remember(const OuterBounds& b);

    QWidget& window_;
    ui::Form& form_;
    const TwipsScale& scale_;
    QMargins normalFrame_;  // around a normal window: the design's until the window system shows its own
    QMargins applied_;      // the frame the window's size was last given with
    OuterBounds normal_;
    OuterBounds previous_;  // the normal bounds before the last ones seen
    QRect lastSeen_;        // the outer rectangle the last normal bounds were read from
    bool applying_ = false;
};

}  // namespace platform::qt
