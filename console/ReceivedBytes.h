#pragma once

#include <cstdint>
#include <string>

namespace console {

// A byte 128..255 on its own, through code page 936: 0x80 is the euro sign;
// the lead bytes 0x81..0xFE mean nothing alone, and neither does 0xFF, so they
// show as U+FFFD. One character a byte either way, so the pane's counts hold.
char16_t Cp936SingleByte(std::uint8_t byte);

// One received byte as the lower pane shows it.
std::u16string RenderByte(std::uint8_t byte, bool hex);
// The same, added to `out`: the poll renders every byte it reads.
void AppendRendered(std::u16string& out, std::uint8_t byte, bool hex);

// Value's hexadecimal digits as a 16-bit pattern, fitted to Digits (0: as is).
// Throws ui::Error for a negative Digits.
std::u16string FormatHex(std::int16_t Value, std::int16_t Digits);

// Up to 9 leading hexadecimal digits; throws ui::Error (overflow) past 7FFFFFFF.
std::int32_t HexStrToLong(const std::u16string& HexStr);

}  // namespace console
