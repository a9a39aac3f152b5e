#include "tests/support/MemoryProfile.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <tuple>

namespace testsupport {

namespace {
std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}
}  // namespace

// "*" stands for whatever path the code asks for.
MemoryProfile::Key MemoryProfile::key(const std::string& path, const std::string& section,
                                      const std::string& name) const {
    return {path, Lower(section), Lower(name)};
}

int MemoryProfile::getInt(const std::string& section, const std::string& k, int def, const std::string& path) {
    lastPath = path;
    auto it = values_.find(key("*", section, k));
    if (it == values_.end()) it = values_.find(key(path, section, k));
    if (it == values_.end() || it->second.empty()) return def;  // an empty value reads as missing
    const long long v = std::strtoll(it->second.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

std::string MemoryProfile::getString(const std::string& section, const std::string& k, const std::string& def,
                                     int size, const std::string& path) {
    lastPath = path;
    auto it = values_.find(key("*", section, k));
    if (it == values_.end()) it = values_.find(key(path, section, k));
    std::string v = it == values_.end() ? def : it->second;
    if (size <= 0) return {};
    if (v.size() > static_cast<std::size_t>(size - 1)) v.resize(static_cast<std::size_t>(size - 1));
    return v;
}

bool MemoryProfile::writeString(const std::string& section, const std::string& k, const std::string& value,
                                const std::string& path) {
    lastPath = path;
    if (refuseWrites) return false;
    ++writes;
    values_[key("*", section, k)] = value;
    return true;
}

void MemoryProfile::set(const std::string& section, const std::string& k, const std::string& value,
                        const std::string& path) {
    values_[key(path, section, k)] = value;
}

bool MemoryProfile::has(const std::string& section, const std::string& k, const std::string& path) const {
    return values_.count(key(path, section, k)) != 0;
}

std::string MemoryProfile::value(const std::string& section, const std::string& k, const std::string& path) const {
    auto it = values_.find(key(path, section, k));
    return it == values_.end() ? std::string() : it->second;
}

}  // namespace testsupport
