#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "about/Registry.h"

namespace testsupport {

// A registry of a few values, with every answer the real one can give.
class FakeRegistry : public about::Registry {
public:
    struct Value {
        std::uint32_t type;
        std::vector<std::uint8_t> data;
    };

    long openKey(std::uint32_t root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                 std::uint32_t& handle) override;
    long queryValue(std::uint32_t handle, const std::string& name, std::uint32_t& type,
                    std::vector<std::uint8_t>& data, std::uint32_t& size) override;
    long closeKey(std::uint32_t handle) override;

    void setString(const std::string& key, const std::string& name, const std::string& text, bool withNul = true);
    void setDword(const std::string& key, const std::string& name, std::uint32_t v);
    void setRaw(const std::string& key, const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data);

    std::map<std::string, std::map<std::string, Value>> keys;
    std::vector<std::uint32_t> accessMasks;  // as asked at each open
    std::vector<std::uint32_t> closed;       // handles given to closeKey
    bool refuseOpen = false;

private:
    std::map<std::uint32_t, std::string> open_;
    std::uint32_t next_ = 0x100;
};

}  // namespace testsupport
