#include "console/SplitterCursor.h"

#include <cstdlib>

namespace console {

namespace {

constexpr int kSize = 32;
constexpr int kCentre = 15;  // the column the arrows run down
constexpr int kMiddle = 14;  // the row between the bars; the picture mirrors about it

bool IsBlack(int x, int y) {
    const int dx = std::abs(x - kCentre);
    const int dy = std::abs(y - kMiddle);           // distance from the middle row, mirrored
    if (dy == 1 || dy == 2) return dx <= 8;         // the two bars
    if (dy >= 4 && dy <= 7) return dx <= 1;         // the arrow shafts
    if (dy >= 8 && dy <= 12) return dx <= 12 - dy;  // the arrow heads, tips outermost
    return false;
}

bool TouchesBlack(int x, int y) {
    for (int ny = y - 1; ny <= y + 1; ++ny)
        for (int nx = x - 1; nx <= x + 1; ++nx)
            if (nx >= 0 && ny >= 0 && nx < kSize && ny < kSize && IsBlack(nx, ny)) return true;
    return false;
}

ui::Cursor Draw() {
    ui::Cursor c;
    c.width = kSize;
    c.height = kSize;
    c.hotX = kCentre;
    c.hotY = kMiddle;
    c.pixels.resize(kSize * kSize, ui::Cursor::Clear);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            std::uint8_t& p = c.pixels[static_cast<std::size_t>(y * kSize + x)];
            if (IsBlack(x, y)) {
                p = ui::Cursor::Black;
            } else if (TouchesBlack(x, y)) {
                p = ui::Cursor::White;  // the outline keeps it visible on the blue bar
            }
        }
    return c;
}

}  // namespace

std::shared_ptr<const ui::Cursor> SplitterCursor() {
    static const auto cursor = std::make_shared<const ui::Cursor>(Draw());
    return cursor;
}

}  // namespace console
