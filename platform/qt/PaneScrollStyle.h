#pragma once

#include <QProxyStyle>

namespace platform::qt {

// The panes' scroll bars in the toolkit's plain "Windows" look, with the
// groove filled in one solid colour. A pane's scroll bar is redrawn every
// frame while text streams in; the default style's gradients and the
// dithered groove are painted by helper threads that cost more to wake
// than the few pixels they fill. Every pixel of the bar is its own, so
// nothing behind it is drawn first.
class PaneScrollStyle : public QProxyStyle {
public:
    explicit PaneScrollStyle(QObject* owner);

    using QProxyStyle::polish;
    void polish(QWidget* widget) override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

private:
    QPixmap partPixmap(ControlElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const;
};

}  // namespace platform::qt
