#include "console/PaneLayout.h"

#include <cmath>
#include <limits>

#include "console/Lumetra.h"

namespace console {

namespace {

constexpr double kMinSplit = 600;       // the upper pane never drags smaller
constexpr double kLowerReserve = 1000;  // room a drag always leaves below the split
constexpr double kMinLayoutHeight = 2000;

// Halves go to the even neighbour, whatever rounding mode the FPU was left in.
double RoundHalfEven(double v) {
    const double down = std::floor(v);
    const double frac = v - down;
    if (frac < 0.5) return down;
    if (frac > 0.5) return down + 1;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

// The requested split as a 32-bit integer. A pointer report far outside any
// screen would overflow it; it is held at the integer's range instead, which
// the limits of the drag then treat like any other out-of-bounds request.
std::int32_t RequestedSplit(double v) {
    const double r = RoundHalfEven(v);
    if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(r);
}

}  // namespace

void PaneLayout::Form_Resize() {
    fitWidths();
    const double H = f_.height();
    if (H > kMinLayoutHeight) {
        f_.TextOut.setHeight(static_cast<float>(H * 0.4 - 340));
    } else {
        f_.TextOut.setHeight(460);
    }
    placeBar();
    placeLowerPane(H > kMinLayoutHeight ? H : kMinLayoutHeight, false);
}

void PaneLayout::fitWidths() {
    const double W = f_.width();
    const double left = f_.TextOut.left();
    if (left + 200 < W) {
        f_.TextOut.setWidth(static_cast<float>(W - left - 100));
    } else {
        f_.TextOut.setWidth(100);
    }
    f_.RTextBuf.setWidth(f_.TextOut.width());
    f_.LabelMove.setWidth(f_.TextOut.width());
}

// A pointer position that is not a number requests no split at all.
void PaneLayout::LabelMove_MouseMove(std::int16_t Button, std::int16_t Shift, float, float Y) {
    if (Button == 1 && Shift == 0 && f_.height() > kLowerReserve && !std::isnan(Y)) dragTo(Y);
    placeBar();
}

void PaneLayout::dragTo(float Y) {
    const double H = f_.height();
    const std::int32_t R = RequestedSplit(double{f_.LabelMove.top()} + Y - 20);
    const bool atLowerLimit = H - kLowerReserve < R;
    if (atLowerLimit) {
        f_.TextOut.setHeight(static_cast<float>(H - kLowerReserve));
    } else if (R > kMinSplit) {
        f_.TextOut.setHeight(static_cast<float>(R));
    } else {
        f_.TextOut.setHeight(static_cast<float>(kMinSplit));
    }
    placeLowerPane(H, !atLowerLimit);
}

// The lower pane starts 40 twips below the split and ends 410 twips above the
// given bottom. In a window only a little over 1000 twips high the split's
// 600-twip floor leaves it no room at all; it then shrinks to nothing rather
// than to a negative height.
void PaneLayout::placeLowerPane(double bottomFrame, bool wholeTwips) {
    f_.RTextBuf.setTop(static_cast<float>(double{f_.TextOut.top()} + f_.TextOut.height() + 40));
    double h = bottomFrame - f_.RTextBuf.top() - 410;
    if (wholeTwips) h = RoundHalfEven(h);
    f_.RTextBuf.setHeight(static_cast<float>(h < 0 ? 0.0 : h));
}

void PaneLayout::placeBar() {
    f_.LabelMove.setTop(static_cast<float>(double{f_.TextOut.top()} + f_.TextOut.height() - 10));
    f_.LabelMove.setHeight(60);
}

}  // namespace console
