#pragma once

#include <string>

namespace console {

// The private-profile (INI) file functions the settings procedures build on.
// Texts are bytes in the ANSI code page; names match without regard to case.
class PrivateProfile {
public:
    virtual ~PrivateProfile() = default;
    // The key's leading decimal integer; the default when the file, section or key is missing.
    virtual int getInt(const std::string& section, const std::string& key, int def, const std::string& path) = 0;
    // The key's value cut to size - 1 bytes; the default when missing.
    virtual std::string getString(const std::string& section, const std::string& key, const std::string& def,
                                  int size, const std::string& path) = 0;
    // False when the file could not be written; the file is then unchanged.
    virtual bool writeString(const std::string& section, const std::string& key, const std::string& value,
                             const std::string& path) = 0;
};

}  // namespace console
