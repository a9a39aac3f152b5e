#include "console/AppIdentity.h"
#include "tests/qt/QtHelpers.h"

#include <QApplication>

#include "platform/qt/PaneBinding.h"

namespace qttest {

ui::AppInfo TestApp() { return console::AppIdentity("/nonexistent", "lumetra"); }

void Pump(int ms) {
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    } while (t.elapsed() < ms);
    QCoreApplication::sendPostedEvents();
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

void Type(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mods) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(w, &release);
}

void TypeText(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        const int key = ch.isLetter() && ch.unicode() < 128 ? Qt::Key_A + (ch.toUpper().unicode() - 'A') : 0;
        Type(w, key, QString(ch));
    }
}

void Mouse(QWidget* child, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
           Qt::KeyboardModifiers mods) {
    QWidget* top = child->window();
    const QPointF local = child->mapTo(top, at);
    const QPointF global = child->mapToGlobal(at);
    QMouseEvent e(type, local, local, global, button, held, mods);
    QCoreApplication::sendEvent(top->windowHandle(), &e);
}

platform::qt::FramePacer& PacerOf(platform::qt::FormView& view, const ui::Control& pane) {
    return static_cast<platform::qt::PaneBinding*>(view.binder().find(pane))->pacer();
}

PaintCounter::PaintCounter(QWidget* w) {
    w->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) ++count;
    return false;
}

}  // namespace qttest
