#pragma once

#include <cstdint>
#include <string>

namespace modemtest {

// How the signal button judges the answer to AT+CSQ.
enum class SignalVerdict { Fine, TooLow, NoAntenna };

// The reply names the SIM PIN anywhere, in any case (SIM PIN2 and PH-SIM PIN count).
bool AsksForSimPin(const std::u16string& reply);

// The strength is the two characters five after "CSQ:" (position 0 when absent);
// below 14 is too low, 99 is no antenna, and otherwise the six characters from
// the strength's second digit must hold the "99" of an unknown bit error rate.
SignalVerdict JudgeSignal(const std::u16string& reply);

// Digits and control characters pass; a double-byte character (negative code)
// passes; blanks, signs, points and letters are cancelled (0).
std::int16_t FilterDigitKey(std::int16_t keyAscii);

// 1-based Mid of the toolkit: up to `length` characters from `start`; empty past the end.
std::u16string Mid(const std::u16string& text, std::size_t start, std::size_t length);

}  // namespace modemtest
