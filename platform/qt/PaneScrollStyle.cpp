#include "platform/qt/PaneScrollStyle.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
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
// The arrow buttons and the thumb are drawn by the plain style once for each
// size and state and then copied: the thumb changes place and size every
// frame while text streams in, but takes few distinct sizes.
void PaneScrollStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
    const bool page = element == CE_ScrollBarAddPage || element == CE_ScrollBarSubPage;
    const bool part = element == CE_ScrollBarAddLine || element == CE_ScrollBarSubLine || element == CE_ScrollBarSlider;
    if (part && !option->rect.isEmpty()) {
        painter->drawPixmap(option->rect.topLeft(), partPixmap(element, option, painter, widget));
        return;
    }
    if (!page || (option->state & State_Sunken)) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QColor light = option->palette.light().color();
    const QColor window = option->palette.window().color();
    painter->fillRect(option->rect, QColor((light.red() + window.red()) / 2, (light.green() + window.green()) / 2,
                                           (light.blue() + window.blue()) / 2));
}

QPixmap PaneScrollStyle::partPixmap(ControlElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    const QString key = QStringLiteral("lumetra-scroll-%1-%2-%3-%4x%5-%6-%7")
                            .arg(int(element))
                            .arg(int(option->state))
                            .arg(int(option->direction))
                            .arg(option->rect.width())
                            .arg(option->rect.height())
                            .arg(option->palette.cacheKey())
                            .arg(ratio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) return pixmap;
    pixmap = QPixmap(option->rect.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.translate(-option->rect.topLeft());  // the part drawn where it stands, seen from its corner
        QProxyStyle::drawControl(element, option, &p, widget);
    }
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

}  // namespace platform::qt
