#pragma once

#include <string>

namespace comm {

// "speed,parity,data,stop", as the Settings property takes it.
struct LineSettings {
    long speed = 9600;
    char parity = 'N';  // N, E, O, M or S
    int dataBits = 8;   // 5 to 8
    int stopBits = 1;   // 1 or 2 (1.5 is taken as 2)
    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Throws ui::Error(err::InvalidSettings) for anything but a well-formed text.
LineSettings ParseLineSettings(const std::u16string& text);
std::u16string FormatLineSettings(const LineSettings& s);

}  // namespace comm
