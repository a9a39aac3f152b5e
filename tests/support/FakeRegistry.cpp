#include "tests/support/FakeRegistry.h"

#include <algorithm>

namespace testsupport {

long FakeRegistry::openKey(std::uint32_t, const std::string& subKey, std::uint32_t, std::uint32_t access,
                           std::uint32_t& handle) {
    accessMasks.push_back(access);
    if (refuseOpen) return ERROR_ACCESS_DENIED;
    if (!keys.count(subKey)) return ERROR_FILE_NOT_FOUND;
    handle = next_++;
    open_[handle] = subKey;
    return ERROR_SUCCESS;
}

long FakeRegistry::queryValue(std::uint32_t handle, const std::string& name, std::uint32_t& type,
                              std::vector<std::uint8_t>& data, std::uint32_t& size) {
    auto k = open_.find(handle);
    if (k == open_.end()) return 6;  // invalid handle
    auto& values = keys[k->second];
    auto v = values.find(name);
    if (v == values.end()) return ERROR_FILE_NOT_FOUND;
    if (v->second.data.size() > size || v->second.data.size() > data.size()) {
        size = static_cast<std::uint32_t>(v->second.data.size());
        return ERROR_MORE_DATA;
    }
    type = v->second.type;
    std::copy(v->second.data.begin(), v->second.data.end(), data.begin());
    size = static_cast<std::uint32_t>(v->second.data.size());
    return ERROR_SUCCESS;
}

long FakeRegistry::closeKey(std::uint32_t handle) {
    closed.push_back(handle);
    open_.erase(handle);
    return ERROR_SUCCESS;
}

void FakeRegistry::setString(const std::string& key, const std::string& name, const std::string& text, bool withNul) {
    std::vector<std::uint8_t> d(text.begin(), text.end());
    if (withNul) d.push_back(0);
    setRaw(key, name, REG_SZ, std::move(d));
}

void FakeRegistry::setDword(const std::string& key, const std::string& name, std::uint32_t v) {
    setRaw(key, name, REG_DWORD,
           {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
            static_cast<std::uint8_t>(v >> 24)});
}

void FakeRegistry::setRaw(const std::string& key, const std::string& name, std::uint32_t type,
                          std::vector<std::uint8_t> data) {
    keys[key][name] = Value{type, std::move(data)};
}

}  // namespace testsupport
