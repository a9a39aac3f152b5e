#pragma once

#include <QMargins>
#include <QPoint>
#include <QSize>

namespace platform::qt {

class TwipsScale;

// A window's outer bounds in twips, frame included, and their way to and
// from the window's client area in pixels: the frame is taken off once on
// the way in and added once on the way back.
struct OuterBounds {
    float left = 0, top = 0, width = 0, height = 0;

    bool operator==(const OuterBounds&) const = default;

    // The client area these bounds leave inside the frame; at least 1 x 1.
    QSize clientSize(const TwipsScale& scale, const QMargins& frame) const;
    // The bounds of a window whose frame stands at framePos around a client
    // area of the given size. A value whose pixels are those of `like`'s
    // keeps like's twips, so bounds set in twips read back as they were set.
    static OuterBounds readBack(const TwipsScale& scale, const OuterBounds& like, QPoint framePos, QSize client,
                                const QMargins& frame);
};

}  // namespace platform::qt
