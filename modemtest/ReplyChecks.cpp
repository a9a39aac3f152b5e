#include "modemtest/ReplyChecks.h"

#include "ui/Text.h"

namespace modemtest {

std::u16string Mid(const std::u16string& text, std::size_t start, std::size_t length) {
    if (start == 0 || start > text.size()) return {};
    return text.substr(start - 1, length);
}

bool AsksForSimPin(const std::u16string& reply) { return ui::InStrNoCase(reply, u"SIM PIN") > 0; }

namespace {

// The leading decimal number of a short text; a text not starting with a digit is 0.
int LeadingValue(const std::u16string& text) {
    int v = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        v = v * 10 + (c - u'0');
    }
    return v;
}

}  // namespace

SignalVerdict JudgeSignal(const std::u16string& reply) {
    const std::size_t p = ui::InStrNoCase(reply, u"CSQ:");
    const int strength = LeadingValue(Mid(reply, p + 5, 2));
    if (strength < 14) return SignalVerdict::TooLow;
    if (strength == 99) return SignalVerdict::NoAntenna;
    if (Mid(reply, p + 6, 6).find(u"99") == std::u16string::npos) return SignalVerdict::NoAntenna;
    return SignalVerdict::Fine;
}

std::int16_t FilterDigitKey(std::int16_t k) {
    if (k > 57) return 0;
    if (k >= 48 || k <= 31) return k;
    return 0;
}

}  // namespace modemtest
