// The settings file reader and writer on arbitrary bytes: reading never
// fails, and a write followed by a read gives the value written while every
// other entry reads as before.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/posix/IniText.h"

using platform::posix::IniText;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The input is a file, then after the last 0xFF byte: section NUL key NUL value.
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = all.rfind('\xFF');
    const std::string_view file = cut == std::string_view::npos ? all : all.substr(0, cut);
    const std::string_view tail = cut == std::string_view::npos ? std::string_view() : all.substr(cut + 1);
    const std::size_t a = tail.find('\0');
    const std::size_t b = a == std::string_view::npos ? a : tail.find('\0', a + 1);
    if (b == std::string_view::npos) {
        IniText t{std::string(file)};
        (void)t.get("LumetraSet", "Port");
        (void)IniText::LeadingInt(file);
        return 0;
    }
    const std::string section(tail.substr(0, a)), key(tail.substr(a + 1, b - a - 1)), value(tail.substr(b + 1));

    IniText t{std::string(file)};
    const auto otherBefore = t.get("Point", "Top");
    const bool otherIsTarget = section.size() == 5 && key.size() == 3;  // may be the same entry, any case
    if (!t.put(section, key, value)) {
        if (t.bytes() != file) std::abort();  // a refused write changes nothing
        return 0;
    }
    const auto back = t.get(section, key);
    // Surrounding blanks are not part of a value.
    const std::size_t first = value.find_first_not_of(" \t");
    const std::string trimmed =
        first == std::string::npos ? std::string() : value.substr(first, value.find_last_not_of(" \t") - first + 1);
    if (!back || *back != trimmed) std::abort();
    if (!otherIsTarget && t.get("Point", "Top") != otherBefore) std::abort();
    return 0;
}
