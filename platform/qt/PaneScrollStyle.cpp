#include "platform/qt/PaneScrollStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace platform::qt {

PaneScrollStyle::PaneScrollStyle(QObject* owner) : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {
    setParent(owner);
}

void PaneScrollStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    widget->setAttribute(Qt::WA_OpaquePaintEvent);
}

// The groove is shown as the even mix the dither pattern gives to the eye.
void PaneScrollStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
    const bool page = element == CE_ScrollBarAddPage || element == CE_ScrollBarSubPage;
    if (!page || (option->state & State_Sunken)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QColor light = option->palette.light().color();
    const QColor window = option->palette.window().color();
    painter->fillRect(option->rect, QColor((light.red() + window.red()) / 2, (light.green() + window.green()) / 2,
                                           (light.blue() + window.blue()) / 2));
}

}  // namespace platform::qt
