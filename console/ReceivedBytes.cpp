#include "console/ReceivedBytes.h"

#include "ui/Error.h"

namespace console {

namespace {
const char16_t kHexDigits[] = u"0123456789ABCDEF";
}  // namespace

char16_t Cp936SingleByte(std::uint8_t byte) {
    if (byte < 0x80) return static_cast<char16_t>(byte);
    if (byte == 0x80) return u'\u20AC';
    return u'\uFFFD';
}

std::u16string RenderByte(std::uint8_t byte, bool hex) {
    std::u16string out;
    AppendRendered(out, byte, hex);
    return out;
}

void AppendRendered(std::u16string& out, std::uint8_t byte, bool hex) {
    if (!hex && byte == 0) {
        out += u"[EOF]";
    } else if (hex || byte < 10) {
        const char16_t bracketed[] = {u'[', kHexDigits[byte >> 4], kHexDigits[byte & 0xF], u']'};
        out.append(bracketed, 4);
    } else {
        out += Cp936SingleByte(byte);
    }
}

std::u16string FormatHex(std::int16_t Value, std::int16_t Digits) {
    if (Digits < 0) throw ui::Error(ui::err::InvalidCall, "Invalid procedure call or argument");
    auto pattern = static_cast<std::uint16_t>(Value);
    std::u16string h;
    do {
        h.insert(h.begin(), kHexDigits[pattern & 0xF]);
        pattern = static_cast<std::uint16_t>(pattern >> 4);
    } while (pattern != 0);
    const auto d = static_cast<std::size_t>(Digits);
    if (d == 0) return h;
    if (d > h.size()) return std::u16string(d - h.size(), u'0') + h;
    return h.substr(h.size() - d);
}

std::int32_t HexStrToLong(const std::u16string& HexStr) {
    std::int64_t result = 0;
    const std::size_t n = HexStr.size() < 9 ? HexStr.size() : 9;
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = HexStr[i];
        int digit;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        } else {
            break;
        }
        result = result * 16 + digit;
        if (result > 0x7FFFFFFF) throw ui::Error(ui::err::Overflow, "Overflow");
    }
    return static_cast<std::int32_t>(result);
}

}  // namespace console
