#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "console/settings/PrivateProfile.h"

namespace platform::posix {

class DirectoryLock;

// The private-profile functions over real files. Reads take the file as it
// is; a write goes to a temporary file beside it, is flushed to disk and
// renamed over the old one, so the file is always either the old or the new
// whole. A file that may be written in a folder that may not is written in
// place, once room for the new text is sure. A file that may not be
// written is left alone. Each write, and each hold, locks the file's folder
// against the other processes that write it.
class IniProfile : public console::PrivateProfile {
public:
    // A writer stuck with the lock is waited for this long, then ignored.
    explicit IniProfile(std::chrono::milliseconds lockWait = std::chrono::seconds(2));
    ~IniProfile() override;

    // A missing, empty or unreadable value gives the default.
    int getInt(const std::string& section, const std::string& key, int def, const std::string& path) override;
    std::string getString(const std::string& section, const std::string& key, const std::string& def, int size,
                          const std::string& path) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& path) override;

protected:
    void hold(const std::string& path) override;
    void release() override;

private:
    std::chrono::milliseconds lockWait_;
    std::vector<std::unique_ptr<DirectoryLock>> holds_;  // null where an outer hold has the folder already
};

}  // namespace platform::posix
