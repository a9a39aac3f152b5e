#pragma once

#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <vector>

#include "ui/Prop.h"

namespace ui {
class Control;
}

namespace platform::qt {

class FormView;

// One control drawn as one widget. It applies what the model reports as
// changed, and only that, and feeds the user's input back through the
// model's user* calls.
class Binding : public QObject {
public:
    Binding(FormView& view, ui::Control& control, QWidget* widget);
    ~Binding() override;

    ui::Control& control() const { return control_; }
    // Null for a control the form paints itself or one without a face.
    QWidget* widget() const { return widget_; }

    void applyAll();
    void apply(ui::Prop prop);
    // The thread is about to block: whatever the widget holds back is shown now.
    virtual void showNow() {}

protected:
    // The kind's own properties; true when `prop` was one of them.
    virtual bool applyOwn(ui::Prop prop) = 0;
    virtual void applyAllOwn() = 0;
    virtual std::vector<QPalette::ColorRole> backRoles() const { return {QPalette::Window}; }
    virtual std::vector<QPalette::ColorRole> foreRoles() const { return {QPalette::WindowText}; }
    virtual bool paintsOwnBackground() const { return false; }

    bool eventFilter(QObject* watched, QEvent* event) override;
    // False once the view is detached from its form: nothing may reach the model.
    bool live() const;
    FormView& view() const { return view_; }

private:
    void applyGeometry();
    void applyBackColor();
    void applyForeColor();

    FormView& view_;
    ui::Control& control_;
    QPointer<QWidget> widget_;
};

}  // namespace platform::qt
