#pragma once

#include <string>
#include <string_view>

namespace ui {

// UTF-8 <-> UTF-16 for logs, tests and file names; the model itself is UTF-16.
std::u16string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::u16string_view text);

// Decimal text of an integer, as the toolkit's Str/CStr would give it.
std::u16string Decimal(long long value);

// Case-insensitive (ASCII letters) substring search; 1-based position, 0 when absent.
std::size_t InStrNoCase(std::u16string_view haystack, std::u16string_view needle);

}  // namespace ui
