#include "platform/qt/LabelBinding.h"

#include <QMouseEvent>

#include "platform/qt/CursorFactory.h"
#include "platform/qt/FormView.h"
#include "platform/qt/MouseState.h"
#include "ui/Label.h"

namespace platform::qt {

LabelBinding::LabelBinding(FormView& view, ui::Label& label)
    : Binding(view, label, new QLabel(&view)), label_(label), qlabel_(static_cast<QLabel*>(widget())) {
    qlabel_->setTextFormat(Qt::PlainText);
    qlabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    qlabel_->setMouseTracking(true);
}

void LabelBinding::applyAllOwn() {
    qlabel_->setText(QString::fromStdU16String(label_.caption()));
    applyCursor();
}

bool LabelBinding::applyOwn(ui::Prop prop) {
    if (prop == ui::Prop::Caption) {
        qlabel_->setText(QString::fromStdU16String(label_.caption()));
        return true;
    }
    if (prop == ui::Prop::MousePointer) {
        applyCursor();
        return true;
    }
    return false;
}

void LabelBinding::applyCursor() {
    if (label_.mouseIcon())
        qlabel_->setCursor(CursorFactory::make(*label_.mouseIcon()));
    else
        qlabel_->unsetCursor();
}

bool LabelBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qlabel_ && live()) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
                return mouseEvent(event);
            default:
                break;
        }
    }
    return Binding::eventFilter(watched, event);
}

// A label is a control, not the form's background: its clicks stay with it.
// A double click gives one Click, as the first press already did.
bool LabelBinding::mouseEvent(QEvent* event) {
    const auto* e = static_cast<QMouseEvent*>(event);
    const double tpp = view().scale().twipsPerPixel();
    switch (event->type()) {
        case QEvent::MouseMove:
            label_.userMouseMove(MouseState::buttons(e->buttons()), MouseState::shift(e->modifiers()),
                                 static_cast<float>(e->position().x() * tpp),
                                 static_cast<float>(e->position().y() * tpp));
            break;
        case QEvent::MouseButtonDblClick:
            afterDoubleClick_ = true;
            break;
        case QEvent::MouseButtonRelease:
            if (e->button() == Qt::LeftButton && !afterDoubleClick_ &&
                qlabel_->rect().contains(e->position().toPoint()))
                label_.userClick();
            afterDoubleClick_ = false;
            break;
        default:
            break;
    }
    return qlabel_->isEnabled();
}

}  // namespace platform::qt
