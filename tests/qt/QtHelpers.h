#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <functional>

#include "platform/qt/FormView.h"
#include "platform/qt/FramePacer.h"
#include "ui/Platform.h"

namespace qttest {

// The AppInfo the tests give the platform.
ui::AppInfo TestApp();

// Runs the event loop for `ms` of real time.
void Pump(int ms = 0);
// Runs the event loop until `done` or the timeout; true when done.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);

// A key typed into a widget, as the window system would deliver it.
void Type(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier);
void TypeText(QWidget* w, const QString& text);

// A mouse event on a top-level window at a point of `child`, through the
// window, so the toolkit picks the receiver and grabs as on screen.
void Mouse(QWidget* child, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
           Qt::KeyboardModifiers mods = Qt::NoModifier);

// The frame pacer of a pane's widget, to run it on a test's clock.
platform::qt::FramePacer& PacerOf(platform::qt::FormView& view, const ui::Control& pane);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w);
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace qttest
