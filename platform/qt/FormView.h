#pragma once

#include <QWidget>

#include "platform/qt/ControlBinder.h"
#include "platform/qt/TwipsScale.h"
#include "platform/qt/WindowGeometry.h"
#include "ui/Prop.h"

namespace ui {
class CommandButton;
class Control;
class Form;
}  // namespace ui

namespace platform::qt {

class QtPlatform;

// One loaded form as a top-level window: a widget per control, the form's
// lines painted on its background, and the window's own events (close,
// resize, move, state, double click, Enter and Escape) fed to the model.
class FormView : public QWidget {
public:
    FormView(QtPlatform& platform, ui::Form& form, TwipsScale scale);
    ~FormView() override;

    ui::Form& form() const { return form_; }
    const TwipsScale& scale() const { return scale_; }
    ControlBinder& binder() { return binder_; }
    static QString objectNameOf(const ui::Control& control);
    // The view a widget belongs to (a combo box's drop-down list included).
    static FormView* owning(QWidget* widget);

    // False once the form was unloaded: the window may outlive it briefly.
    bool attached() const { return attached_; }
    bool refusesInput() const;
    void detach();

    void showFromModel();
    void closeFromPlatform();
    void scheduleTimers();
    void stopTimers();
    void updateTabOrder();
    void applyForm(ui::Prop prop);
    // The model gets what the window reported so far, before Unload reads it.
    void settleGeometry() { geometry_.flush(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyFlags();
    void applyTopMost();
    void applyBackColor();
    bool clickFocusedButton();
    bool clickButton(bool (*role)(const ui::CommandButton&));

    QtPlatform& platform_;
    ui::Form& form_;
    TwipsScale scale_;
    ControlBinder binder_;
    WindowGeometry geometry_;
    bool attached_ = true;
    bool closing_ = false;    // the platform closes the window after Unload ran
    bool reshowing_ = false;  // a flag change hides and shows the window
};

}  // namespace platform::qt
