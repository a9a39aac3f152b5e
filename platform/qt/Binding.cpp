#include "platform/qt/Binding.h"

#include <QEvent>

#include "platform/qt/FontMapper.h"
#include "platform/qt/FormView.h"
#include "ui/Control.h"
#include "ui/Form.h"

namespace platform::qt {

namespace {

QColor ToQColor(ui::Color c) {
    return QColor(c.r, c.g, c.b);
}

}  // namespace

Binding::Binding(FormView& view, ui::Control& control, QWidget* widget)
    : view_(view), control_(control), widget_(widget) {
    if (widget_) {
        widget_->setObjectName(view.objectNameOf(control));
        widget_->installEventFilter(this);
    }
}

Binding::~Binding() = default;

bool Binding::live() const {
    return view_.attached();
}

void Binding::applyAll() {
    if (widget_) {
        applyGeometry();
        if (control_.hasBackColor()) applyBackColor();
        if (control_.hasForeColor()) applyForeColor();
        if (!control_.font().name.empty()) widget_->setFont(FontMapper::toQFont(control_.font()));
        widget_->setToolTip(QString::fromStdU16String(control_.toolTipText()));
        widget_->setEnabled(control_.enabled());
        widget_->setVisible(control_.visible());
    }
    applyAllOwn();
}

void Binding::apply(ui::Prop prop) {
    if (applyOwn(prop) || !widget_) return;
    switch (prop) {
        case ui::Prop::Left:
        case ui::Prop::Top:
        case ui::Prop::Width:
        case ui::Prop::Height:
            applyGeometry();
            break;
        case ui::Prop::Visible:
            widget_->setVisible(control_.visible());
            break;
        case ui::Prop::Enabled:
            widget_->setEnabled(control_.enabled());
            break;
        case ui::Prop::BackColor:
            applyBackColor();
            break;
        case ui::Prop::ForeColor:
            applyForeColor();
            break;
        case ui::Prop::Font:
            widget_->setFont(FontMapper::toQFont(control_.font()));
            break;
        case ui::Prop::ToolTip:
            widget_->setToolTip(QString::fromStdU16String(control_.toolTipText()));
            break;
        case ui::Prop::TabIndex:
            view_.updateTabOrder();
            break;
        default:
            break;
    }
}

void Binding::applyGeometry() {
    widget_->setGeometry(view_.scale().toPixels(control_.left(), control_.top(), control_.width(), control_.height()));
}

// The back colour holds in every state; the text colour only while enabled,
// so a disabled control still looks disabled.
void Binding::applyBackColor() {
    QPalette p = widget_->palette();
    p.setColor(widget_->backgroundRole(), ToQColor(control_.backColor()));
    for (QPalette::ColorRole role : backRoles()) p.setColor(role, ToQColor(control_.backColor()));
    widget_->setPalette(p);
    if (!paintsOwnBackground()) widget_->setAutoFillBackground(true);
}

void Binding::applyForeColor() {
    QPalette p = widget_->palette();
    std::vector<QPalette::ColorRole> roles = foreRoles();
    roles.push_back(widget_->foregroundRole());
    for (QPalette::ColorRole role : roles) {
        p.setColor(QPalette::Active, role, ToQColor(control_.foreColor()));
        p.setColor(QPalette::Inactive, role, ToQColor(control_.foreColor()));
    }
    widget_->setPalette(p);
}

bool Binding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget_ && event->type() == QEvent::FocusIn && live()) control_.form().setActiveControl(&control_);
    return false;
}

}  // namespace platform::qt
