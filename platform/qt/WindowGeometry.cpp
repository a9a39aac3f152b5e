#include "platform/qt/WindowGeometry.h"

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
    : window_(window), form_(form), scale_(scale), design_(designFrame()), applied_(design_) {}

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

QMargins WindowGeometry::frame() const {
    const QMargins reported = reportedFrame();
    return window_.isVisible() && !reported.isNull() ? reported : design_;
}

QSize WindowGeometry::clientSize() const {
    if (form_.width() <= 0 || form_.height() <= 0)
        return QSize(scale_.toPixels(form_.clientWidth()), scale_.toPixels(form_.clientHeight()));
    const QMargins m = frame();
    return QSize(std::max(1, scale_.toPixels(form_.width()) - m.left() - m.right()),
                 std::max(1, scale_.toPixels(form_.height()) - m.top() - m.bottom()));
}

// A minimized or maximized window keeps its bounds; the model's are applied
// when it is normal again.
void WindowGeometry::applyBounds() {
    if (!IsNormal(window_)) return;
    Applying applying(applying_);
    applied_ = frame();
    window_.move(scale_.toPixels(form_.left()), scale_.toPixels(form_.top()));
    // A fixed dialog keeps its design client area whatever frame the window
    // system draws around it.
    if (form_.sizable())
        window_.resize(clientSize());
    else
        window_.setFixedSize(scale_.toPixels(form_.clientWidth()), scale_.toPixels(form_.clientHeight()));
}

void WindowGeometry::refit() {
    if (frame() != applied_ && IsNormal(window_) && window_.isVisible() && form_.width() > 0) applyBounds();
}

// The window's outer bounds; a value whose pixels are those of the model's
// twips keeps the model's twips. When the frame turns out other than the
// one the size was given with, the model's outer size is applied again.
void WindowGeometry::reportBounds() {
    if (applying_) return;
    const QMargins m = frame();
    if (m != applied_ && IsNormal(window_) && window_.isVisible() && form_.width() > 0) return applyBounds();
    const QPoint pos = window_.pos();
    const QSize size = window_.size();
    form_.userSetBounds(scale_.readBack(form_.left(), pos.x()), scale_.readBack(form_.top(), pos.y()),
                        scale_.readBack(form_.width(), size.width() + m.left() + m.right()),
                        scale_.readBack(form_.height(), size.height() + m.top() + m.bottom()));
}

void WindowGeometry::reportState() {
    const Qt::WindowStates s = window_.windowState();
    form_.userSetWindowState((s & Qt::WindowMinimized)                            ? ui::Minimized
                             : (s & (Qt::WindowMaximized | Qt::WindowFullScreen)) ? ui::Maximized
                                                                                  : ui::Normal);
}

// A window made normal by code reports its normal bounds at once: code that
// restores a window to read its bounds must not get the maximized ones.
void WindowGeometry::applyState() {
    const Qt::WindowStates have = window_.windowState();
    const int want = form_.windowState();
    Applying applying(applying_);
    if (!window_.isVisible()) {
        window_.setWindowState(want == ui::Maximized   ? Qt::WindowMaximized
                               : want == ui::Minimized ? Qt::WindowMinimized
                                                       : Qt::WindowNoState);
        return;
    }
    if (want == ui::Minimized && !(have & Qt::WindowMinimized)) window_.showMinimized();
    if (want == ui::Maximized && (have & (Qt::WindowMinimized | Qt::WindowMaximized)) != Qt::WindowMaximized)
        window_.showMaximized();
    if (want == ui::Normal && (have & kMinMax)) {
        const QRect normal = window_.normalGeometry();
        window_.showNormal();
        reportNormal(normal);
    }
}

void WindowGeometry::reportNormal(const QRect& normal) {
    if (!normal.isValid()) return;
    const QMargins m = frame();
    const QPoint offset = window_.geometry().topLeft() - window_.pos();
    form_.userSetBounds(scale_.readBack(form_.left(), normal.x() - offset.x()),
                        scale_.readBack(form_.top(), normal.y() - offset.y()),
                        scale_.readBack(form_.width(), normal.width() + m.left() + m.right()),
                        scale_.readBack(form_.height(), normal.height() + m.top() + m.bottom()));
}

}  // namespace platform::qt
