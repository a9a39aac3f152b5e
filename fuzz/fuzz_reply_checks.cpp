// The signal and PIN checks and the hex conversion on arbitrary text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "console/ReceivedBytes.h"
#include "modemtest/ReplyChecks.h"
#include "ui/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    std::u16string bytes(data, data + size);  // the same input as the pane would hold it

    for (const auto& reply : {text, bytes}) {
        const auto verdict = modemtest::JudgeSignal(reply);
        if (verdict != modemtest::SignalVerdict::Fine && verdict != modemtest::SignalVerdict::TooLow &&
            verdict != modemtest::SignalVerdict::NoAntenna)
            std::abort();
        (void)modemtest::AsksForSimPin(reply);
        try {
            const std::int32_t v = console::HexStrToLong(reply);
            if (v < 0) std::abort();
        } catch (const ui::Error& e) {
            if (e.number() != ui::err::Overflow) std::abort();
        }
    }
    for (std::size_t i = 0; i < size; ++i) {
        const std::int16_t k = static_cast<std::int16_t>(data[i] | (i + 1 < size ? data[i + 1] << 8 : 0));
        const std::int16_t f = modemtest::FilterDigitKey(k);
        if (f != 0 && f != k) std::abort();
    }
    return 0;
}
