#pragma once

#include <string>
#include <string_view>

namespace platform::posix {

// Code page 936 (GBK), the console's ANSI code page. Characters it cannot
// encode become '?'; bytes it cannot decode become U+FFFD.
std::string EncodeCp936(std::u16string_view text);
std::u16string DecodeCp936(std::string_view bytes);

}  // namespace platform::posix
