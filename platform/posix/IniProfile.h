#pragma once

#include <string>

#include "console/settings/PrivateProfile.h"

namespace platform::posix {

// The private-profile functions over real files. Reads take the file as it
// is; a write goes to a temporary file beside it, is flushed to disk and
// renamed over the old one, so the file is always either the old or the new
// whole. A file that may be written in a folder that may not is written in
// place, once room for the new text is sure. A file that may not be
// written is left alone.
class IniProfile : public console::PrivateProfile {
public:
    // A missing, empty or unreadable value gives the default.
    int getInt(const std::string& section, const std::string& key, int def, const std::string& path) override;
    std::string getString(const std::string& section, const std::string& key, const std::string& def, int size,
                          const std::string& path) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& path) override;
};

}  // namespace platform::posix
