#pragma once

#include <cstdint>
#include <vector>

namespace ui {

// A two-colour mouse cursor drawn in code: one byte a pixel, row by row.
struct Cursor {
    enum Pixel : std::uint8_t { Clear = 0, Black = 1, White = 2 };
    int width = 32;
    int height = 32;
    int hotX = 0;
    int hotY = 0;
    std::vector<std::uint8_t> pixels;  // width * height entries
};

}  // namespace ui
