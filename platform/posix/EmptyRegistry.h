#pragma once

#include "about/Registry.h"

namespace platform::posix {

// Linux keeps no registry: no key exists, so every lookup fails the way a
// missing key does.
class EmptyRegistry : public about::Registry {
public:
    long openKey(std::uint32_t root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                 std::uint32_t& handle) override;
    long queryValue(std::uint32_t handle, const std::string& name, std::uint32_t& type, std::vector<std::uint8_t>& data,
                    std::uint32_t& size) override;
    long closeKey(std::uint32_t handle) override;

    static constexpr long ERROR_INVALID_HANDLE = 6;
};

}  // namespace platform::posix
