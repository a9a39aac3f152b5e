#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace about {

// The read side of a registry, shaped like the calls the launcher makes.
// Results are 0 on success, a non-zero code otherwise.
class Registry {
public:
    static constexpr std::uint32_t HKEY_LOCAL_MACHINE = 0x80000002u;
    static constexpr std::uint32_t REG_SZ = 1;
    static constexpr std::uint32_t REG_EXPAND_SZ = 2;
    static constexpr std::uint32_t REG_DWORD = 4;
    static constexpr long ERROR_SUCCESS = 0;
    static constexpr long ERROR_FILE_NOT_FOUND = 2;
    static constexpr long ERROR_ACCESS_DENIED = 5;
    static constexpr long ERROR_MORE_DATA = 234;

    virtual ~Registry() = default;
    virtual long openKey(std::uint32_t root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                         std::uint32_t& handle) = 0;
    // `data` holds `size` bytes going in; on success `size` is the value's byte count.
    virtual long queryValue(std::uint32_t handle, const std::string& name, std::uint32_t& type,
                            std::vector<std::uint8_t>& data, std::uint32_t& size) = 0;
    virtual long closeKey(std::uint32_t handle) = 0;
};

}  // namespace about
