#include "platform/qt/WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <chrono>

#include "platform/qt/TwipsScale.h"
#include "ui/Form.h"

namespace platform::qt {

namespace {

constexpr Qt::WindowStates kMinMax = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

bool IsNormal(const QWidget& w) {
    return (w.windowState() & kMinMax) == 0;
}

int StateOf(Qt::WindowStates s) {
    if (s & Qt::WindowMinimized) return ui::Minimized;
    return (s & (Qt::WindowMaximized | Qt::WindowFullScreen)) ? ui::Maximized : ui::Normal;
}

long long Now() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

PixelRect RectOf(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

const QScreen* ScreenOf(const QWidget& w) {
    const QScreen* s = w.screen();
    return s ? s : QGuiApplication::primaryScreen();
}

}  // namespace

WindowGeometry::WindowGeometry(QWidget& window, ui::Form& form, const TwipsScale& scale)
    : window_(window), form_(form), scale_(scale), placement_(scale.twipsPerPixel(), designFrame()) {
    if (!form_.sizable())
        placement_.fixClientSize({scale_.toPixels(form_.clientWidth()), scale_.toPixels(form_.clientHeight())});
    // Queued behind the events of one change, so it reads the window once
    // they are all in.
    settle_.setSingleShot(true);
    QObject::connect(&settle_, &QTimer::timeout, [this] { settled(); });
}

// The frame the design's outer and client sizes leave: the guess until the
// window system shows its own.
PixelFrame WindowGeometry::designFrame() const {
    if (form_.width() <= 0 || form_.height() <= 0 || form_.clientWidth() <= 0 || form_.clientHeight() <= 0) return {};
    const int dx = scale_.toPixels(form_.width()) - scale_.toPixels(form_.clientWidth());
    const int dy = scale_.toPixels(form_.height()) - scale_.toPixels(form_.clientHeight());
    if (dx < 0 || dy < 0) return {};
    const int side = std::min(dx / 2, dy);
    return {side, dy - side, dx - side, side};
}

TwipsBounds WindowGeometry::modelBounds() const {
    return {form_.left(), form_.top(), form_.width(), form_.height()};
}

// A window's client area may be as large as the desktop's available area,
// no larger: what no screen can show only costs memory and time.
PixelSize WindowGeometry::room() const {
    const QScreen* screen = ScreenOf(window_);
    if (!screen) return {1 << 15, 1 << 15};
    const QSize s = screen->availableVirtualGeometry().size();
    return {s.width(), s.height()};
}

void WindowGeometry::give(const Placing& p) {
    window_.move(p.x, p.y);
    if (form_.sizable())
        window_.resize(p.client.width, p.client.height);
    else
        window_.setFixedSize(p.client.width, p.client.height);
}

void WindowGeometry::report(const TwipsBounds& b) {
    form_.userSetBounds(b.left, b.top, b.width, b.height);
}

// Bounds set by code are normal bounds. A minimized or maximized window
// keeps its own until it is normal again; a hidden one takes them now, so
// that it is shown over them, maximized or not.
void WindowGeometry::applyBounds() {
    const Placing p = placement_.place(modelBounds(), room(), Now());
    report(placement_.normal());
    if (window_.isVisible() && !IsNormal(window_)) return;
    give(p);
}

void WindowGeometry::showing() {
    applyBounds();
    if (form_.sizable() || form_.left() != 0 || form_.top() != 0) return;
    const QScreen* screen = ScreenOf(window_);
    if (!screen) return;
    const QPoint at = screen->availableGeometry().center() - QPoint(window_.width() / 2, window_.height() / 2);
    form_.userSetBounds(scale_.toTwips(at.x()), scale_.toTwips(at.y()), form_.width(), form_.height());
    applyBounds();
}

void WindowGeometry::changed() {
    settle_.start(0);
}

void WindowGeometry::settled() {
    settle_.stop();
    if (!window_.isVisible()) return;
    const QRect f = window_.frameGeometry();
    const QRect g = window_.geometry();
    const QScreen* screen = ScreenOf(window_);
    const PlacementSample s{
        StateOf(window_.windowState()), RectOf(f),
        PixelFrame{g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()},
        screen ? RectOf(screen->availableGeometry()) : PixelRect{}, Now()};
    const PlacementLearner::Outcome o = placement_.settled(s, modelBounds());
    form_.userSetWindowState(s.state);
    report(o.bounds);
    if (o.newClient && form_.sizable()) window_.resize(o.newClient->width, o.newClient->height);
    if (o.lookAgainMs > 0) settle_.start(o.lookAgainMs);
}

void WindowGeometry::flush() {
    if (settle_.isActive()) settled();
}

// A hidden window is shown in the model's state by the platform. A window
// made normal by code gets its normal bounds back and reports them at once:
// code that restores a window to read its bounds must not get the maximized
// ones, nor wait for the window manager.
void WindowGeometry::applyState() {
    if (!window_.isVisible()) return;
    const Qt::WindowStates have = window_.windowState();
    const int want = form_.windowState();
    if (want == ui::Minimized && !(have & Qt::WindowMinimized)) window_.showMinimized();
    if (want == ui::Maximized && (have & (Qt::WindowMinimized | Qt::WindowMaximized)) != Qt::WindowMaximized)
        window_.showMaximized();
    if (want == ui::Normal && (have & kMinMax)) {
        window_.showNormal();
        give(placement_.restore(Now()));
        report(placement_.normal());
    }
}

}  // namespace platform::qt
