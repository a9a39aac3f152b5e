#pragma once

#include <QString>
#include <cstdint>
#include <optional>

class QKeyEvent;

namespace platform::qt {

// The character codes KeyPress handlers see: ASCII for ASCII, Enter 13,
// Backspace 8, Ctrl+letter 1..26, and a character outside ASCII as its code
// page 936 bytes, lead byte high, as a signed 16-bit number.
class KeyTranslator {
public:
    // Nothing for a key that types no character (arrows, Tab, Delete, F-keys).
    static std::optional<std::int16_t> code(const QKeyEvent& event);
    static std::int16_t charCode(char16_t ch);
    // The text a code types; used when a handler replaced the typed code.
    static QString text(std::int16_t code);
};

}  // namespace platform::qt
