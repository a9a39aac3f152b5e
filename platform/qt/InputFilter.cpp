#include "platform/qt/InputFilter.h"

#include <QWidget>

#include "platform/qt/FormView.h"

namespace platform::qt {

bool InputFilter::isRefusedInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TabletPress:
            return true;
        default:
            return false;
    }
}

bool InputFilter::eventFilter(QObject* watched, QEvent* event) {
    if (!isRefusedInput(event->type()) || !watched->isWidgetType()) return false;
    const FormView* view = FormView::owning(static_cast<QWidget*>(watched));
    return view && view->refusesInput();
}

}  // namespace platform::qt
