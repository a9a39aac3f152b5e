#include "platform/qt/TwipsScale.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace platform::qt {

TwipsScale TwipsScale::ofPrimaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return TwipsScale(dpi > 0 ? 1440.0 / dpi : 15.0);
}

int TwipsScale::toPixels(float twips) const {
    return static_cast<int>(std::lround(twips / tpp_));
}

QRect TwipsScale::toPixels(float left, float top, float width, float height) const {
    return QRect(toPixels(left), toPixels(top), std::max(0, toPixels(width)), std::max(0, toPixels(height)));
}

float TwipsScale::readBack(float modelTwips, int pixels) const {
    return toPixels(modelTwips) == pixels ? modelTwips : toTwips(pixels);
}

}  // namespace platform::qt
