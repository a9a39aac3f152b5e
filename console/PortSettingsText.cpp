#include "console/PortSettingsText.h"

#include "ui/Text.h"

namespace console {

long long LeadingNumber(const std::u16string& text) {
    long long v = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        if (v > 100'000'000'000LL) break;  // far beyond any line speed; stops an overflow
        v = v * 10 + (c - u'0');
    }
    return v;
}

std::u16string PortSettingsText(const std::u16string& speedEntry) {
    return ui::Decimal(LeadingNumber(speedEntry)) + u",N,8,1";
}

}  // namespace console
