#include "platform/qt/WindowGeometry.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/qt/TwipsScale.h"
#include "ui/Form.h"

namespace platform::qt {

namespace {

constexpr Qt::WindowStates kMinMax = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

bool IsNormal(const QWidget& w) {
    return (w.windowState() & kMinMax) == 0;
}

class Applying {
public:
    explicit Applying(bool& f) : f_(f), old_(f) { f_ = true; }
    ~Applying() { f_ = old_; }
    Applying(const Applying&) = delete;
    Applying& operator=(const Applying&) = delete;

private:
    bool& f_;
    bool old_;
};

}  // namespace

WindowGeometry::WindowGeometry(QWidget& window, ui::Form& form, const TwipsScale& scale)
    : window_(window),
      form_(form),
      scale_(scale),
      normalFrame_(designFrame()),
      applied_(normalFrame_),
      normal_(modelBounds()),
      previous_(normal_) {}

QMargins WindowGeometry::designFrame() const {
    if (form_.width() <= 0 || form_.height() <= 0 || form_.clientWidth() <= 0 || form_.clientHeight() <= 0) return {};
    const int dx = scale_.toPixels(form_.width()) - scale_.toPixels(form_.clientWidth());
    const int dy = scale_.toPixels(form_.height()) - scale_.toPixels(form_.clientHeight());
    if (dx < 0 || dy < 0) return {};
    const int side = std::min(dx / 2, dy);
    return QMargins(side, dy - side, dx - side, side);
}

QMargins WindowGeometry::reportedFrame() const {
    const QRect g = window_.geometry();
    const QRect f = window_.frameGeometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}

// The frame the window has now: a maximized window's may differ from a
// normal one's.
QMargins WindowGeometry::frame() const {
    const QMargins reported = reportedFrame();
    return window_.isVisible() && !reported.isNull() ? reported : normalFrame_;
}

OuterBounds WindowGeometry::modelBounds() const {
    return OuterBounds{form_.left(), form_.top(), form_.width(), form_.height()};
}

QSize WindowGeometry::clientSize() const {
    if (form_.width() <= 0 || form_.height() <= 0)
        return QSize(scale_.toPixels(form_.clientWidth()), scale_.toPixels(form_.clientHeight()));
    return normal_.clientSize(scale_, normalFrame_);
}

// Bounds set by code are normal bounds. A minimized or maximized window
// keeps its own until it is normal again; a hidden one takes them now, so
// that it is shown over them, maximized or not.
void WindowGeometry::applyBounds() {
    remember(modelBounds());
    if (window_.isVisible() && !IsNormal(window_)) return;
    place(normal_);
}

void WindowGeometry::place(const OuterBounds& b) {
    Applying applying(applying_);
    applied_ = normalFrame_;
    window_.move(scale_.toPixels(b.left), scale_.toPixels(b.top));
    // A fixed dialog keeps its design client area whatever frame the window
    // system draws around it.
    if (form_.sizable())
        window_.resize(clientSize());
    else
        window_.setFixedSize(scale_.toPixels(form_.clientWidth()), scale_.toPixels(form_.clientHeight()));
    form_.userSetBounds(b.left, b.top, b.width, b.height);
}

void WindowGeometry::remember(const OuterBounds& b) {
    if (b == normal_) return;
    previous_ = normal_;
    normal_ = b;
}

void WindowGeometry::refit() {
    if (!window_.isVisible() || !IsNormal(window_) || form_.width() <= 0) return;
    const QMargins reported = reportedFrame();
    if (reported.isNull()) return;
    normalFrame_ = reported;
    if (reported != applied_) place(normal_);
}

// The window's outer bounds reach the model. A normal window's are its
// normal bounds; when its frame turns out other than the one its size was
// given with (the first map, or back from maximized with another frame),
// the normal bounds are applied again first.
void WindowGeometry::reportBounds() {
    if (applying_) return;
    const bool normal = IsNormal(window_);
    if (normal && window_.isVisible() && form_.width() > 0 && !reportedFrame().isNull() && reportedFrame() != applied_)
        return refit();
    const OuterBounds b =
        OuterBounds::readBack(scale_, normal ? normal_ : modelBounds(), window_.pos(), window_.size(), frame());
    form_.userSetBounds(b.left, b.top, b.width, b.height);
    if (!normal) return;
    remember(b);
    lastSeen_ = window_.frameGeometry();
}

// Some window managers move a window to its maximized place before they
// say it is maximized: bounds that covered the whole work area just before
// were never normal ones. (Others say it first; then the last bounds seen
// are the normal ones and stay.)
void WindowGeometry::reportState() {
    const Qt::WindowStates s = window_.windowState();
    const QScreen* screen = window_.screen();
    if ((s & (Qt::WindowMaximized | Qt::WindowFullScreen)) && screen && lastSeen_.contains(screen->availableGeometry()))
        normal_ = previous_;
    lastSeen_ = QRect();
    form_.userSetWindowState((s & Qt::WindowMinimized)                            ? ui::Minimized
                             : (s & (Qt::WindowMaximized | Qt::WindowFullScreen)) ? ui::Maximized
                                                                                  : ui::Normal);
}

// A hidden window is shown in the model's state by the platform. A window
// made normal by code gets its normal bounds back and reports them at once:
// code that restores a window to read its bounds must not get the maximized
// ones, nor wait for the window manager.
void WindowGeometry::applyState() {
    if (!window_.isVisible()) return;
    const Qt::WindowStates have = window_.windowState();
    const int want = form_.windowState();
    Applying applying(applying_);
    if (want == ui::Minimized && !(have & Qt::WindowMinimized)) window_.showMinimized();
    if (want == ui::Maximized && (have & (Qt::WindowMinimized | Qt::WindowMaximized)) != Qt::WindowMaximized)
        window_.showMaximized();
    if (want == ui::Normal && (have & kMinMax)) {
        window_.showNormal();
        place(normal_);
    }
}

}  // namespace platform::qt
