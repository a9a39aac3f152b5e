#include "platform/qt/OuterBounds.h"

#include <algorithm>

#include "platform/qt/TwipsScale.h"

namespace platform::qt {

QSize OuterBounds::clientSize(const TwipsScale& scale, const QMargins& frame) const {
    return QSize(std::max(1, scale.toPixels(width) - frame.left() - frame.right()),
                 std::max(1, scale.toPixels(height) - frame.top() - frame.bottom()));
}

OuterBounds OuterBounds::readBack(const TwipsScale& scale, const OuterBounds& like, QPoint framePos, QSize client,
                                  const QMargins& frame) {
    return OuterBounds{scale.readBack(like.left, framePos.x()), scale.readBack(like.top, framePos.y()),
                       scale.readBack(like.width, client.width() + frame.left() + frame.right()),
                       scale.readBack(like.height, client.height() + frame.top() + frame.bottom())};
}

}  // namespace platform::qt
