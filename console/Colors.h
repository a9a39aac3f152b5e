#pragma once

#include "ui/Color.h"

namespace console::colors {

inline constexpr ui::Color Green{0, 255, 0};           // active lamp, enabled or asserted line
inline constexpr ui::Color Yellow{255, 255, 0};        // idle lamp
inline constexpr ui::Color LightYellow{255, 255, 192}; // line labels while the port is closed
inline constexpr ui::Color LightRed{255, 128, 128};    // disabled or not asserted line
inline constexpr ui::Color Blue{0, 0, 255};
inline constexpr ui::Color LightCyan{192, 255, 255};
inline constexpr ui::Color LightBlue{128, 128, 255};
inline constexpr ui::Color Red{255, 0, 0};
inline constexpr ui::Color Black{0, 0, 0};
inline constexpr ui::Color White{255, 255, 255};
inline constexpr ui::Color Grey{128, 128, 128};

}  // namespace console::colors
