#pragma once

#include <QMargins>
#include <QRect>

namespace ui {
class Form;
}
class QWidget;

namespace platform::qt {

class TwipsScale;

// A form's outer bounds and window state, between the model (twips, outer
// size) and the window (pixels, client size plus a frame). While the window
// system reports no frame (before the window is mapped, or on a platform
// without decorations) the frame is taken from the design: the outer size
// less the client area.
class WindowGeometry {
public:
    WindowGeometry(QWidget& window, ui::Form& form, const TwipsScale& scale);

    void applyBounds();  // model -> window
    // Once the window system shows its frame, the client area is sized again
    // so that the outer size is still the model's.
    void refit();
    void applyState();
    void reportBounds();  // window -> model
    void reportState();

    // The client area for the model's outer size.
    QSize clientSize() const;
    QMargins frame() const;

private:
    QMargins designFrame() const;
    QMargins reportedFrame() const;
    void reportNormal(const QRect& normal);

    QWidget& window_;
    ui::Form& form_;
    const TwipsScale& scale_;
    QMargins design_;
    QMargins applied_;  // the frame the window's size was last given with
    bool applying_ = false;
};

}  // namespace platform::qt
