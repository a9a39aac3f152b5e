#include "comm/LineSettings.h"

#include <vector>

#include "comm/CommError.h"
#include "ui/Error.h"
#include "ui/Text.h"

namespace comm {

namespace {

[[noreturn]] void Refuse() { throw ui::Error(err::InvalidSettings, "Invalid port settings"); }

std::vector<std::u16string> Fields(const std::u16string& text) {
    std::vector<std::u16string> out(1);
    for (char16_t c : text) {
        if (c == u',') {
            out.emplace_back();
        } else if (c != u' ') {
            out.back() += c;
        }
    }
    return out;
}

long Number(const std::u16string& field, long max) {
    if (field.empty() || field.size() > 9) Refuse();
    long v = 0;
    for (char16_t c : field) {
        if (c < u'0' || c > u'9') Refuse();
        v = v * 10 + (c - u'0');
    }
    if (v > max) Refuse();
    return v;
}

}  // namespace

LineSettings ParseLineSettings(const std::u16string& text) {
    const auto f = Fields(text);
    if (f.size() != 4) Refuse();
    LineSettings s;
    s.speed = Number(f[0], 4000000);
    if (s.speed <= 0) Refuse();
    if (f[1].size() != 1) Refuse();
    const char16_t p = f[1][0] >= u'a' && f[1][0] <= u'z' ? static_cast<char16_t>(f[1][0] - 32) : f[1][0];
    if (p != u'N' && p != u'E' && p != u'O' && p != u'M' && p != u'S') Refuse();
    s.parity = static_cast<char>(p);
    s.dataBits = static_cast<int>(Number(f[2], 8));
    if (s.dataBits < 5) Refuse();
    if (f[3] == u"1.5") {
        s.stopBits = 2;
    } else {
        s.stopBits = static_cast<int>(Number(f[3], 2));
        if (s.stopBits < 1) Refuse();
    }
    return s;
}

std::u16string FormatLineSettings(const LineSettings& s) {
    return ui::Decimal(s.speed) + u',' + static_cast<char16_t>(s.parity) + u',' + ui::Decimal(s.dataBits) + u',' +
           ui::Decimal(s.stopBits);
}

}  // namespace comm
