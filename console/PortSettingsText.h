#pragma once

#include <string>

namespace console {

// The number formed by the leading decimal digits of a text; 0 when there are none.
long long LeadingNumber(const std::u16string& text);

// The speed list entry's leading number followed by ",N,8,1": "9600bps" gives "9600,N,8,1".
std::u16string PortSettingsText(const std::u16string& speedEntry);

}  // namespace console
