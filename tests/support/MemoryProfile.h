#pragma once

#include <map>
#include <string>
#include <utility>

#include "console/settings/PrivateProfile.h"

namespace testsupport {

// Settings files held in memory, by path; names match without regard to case.
class MemoryProfile : public console::PrivateProfile {
public:
    int getInt(const std::string& section, const std::string& key, int def, const std::string& path) override;
    std::string getString(const std::string& section, const std::string& key, const std::string& def, int size,
                          const std::string& path) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& path) override;

    void set(const std::string& section, const std::string& key, const std::string& value,
             const std::string& path = "*");
    bool has(const std::string& section, const std::string& key, const std::string& path = "*") const;
    std::string value(const std::string& section, const std::string& key, const std::string& path = "*") const;

    bool refuseWrites = false;
    int writes = 0;
    std::string lastPath;

private:
    using Key = std::tuple<std::string, std::string, std::string>;
    Key key(const std::string& path, const std::string& section, const std::string& name) const;
    std::map<Key, std::string> values_;
};

}  // namespace testsupport
