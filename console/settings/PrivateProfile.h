#pragma once

#include <string>

namespace console {

// The private-profile (INI) file functions the settings procedures build on.
// Texts are bytes in the ANSI code page; names match without regard to case.
class PrivateProfile {
public:
    // Keeps other writers of the file out while it lives, so that several
    // reads and writes made under it land as one. Holds nest.
    class Hold {
    public:
        Hold(PrivateProfile& profile, const std::string& path) : profile_(profile) { profile_.hold(path); }
        ~Hold() { profile_.release(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        PrivateProfile& profile_;
    };

    virtual ~PrivateProfile() = default;
    // The key's leading decimal integer; the default when the file, section or key is missing.
    virtual int getInt(const std::string& section, const std::string& key, int def, const std::string& path) = 0;
    // The key's value cut to size - 1 bytes; the default when missing.
    virtual std::string getString(const std::string& section, const std::string& key, const std::string& def,
                                  int size, const std::string& path) = 0;
    // False when the file could not be written; the file is then unchanged.
    virtual bool writeString(const std::string& section, const std::string& key, const std::string& value,
                             const std::string& path) = 0;

protected:
    // A file no one else writes needs no hold. A hold that cannot be had in
    // good time is given up: the writes go on without it.
    virtual void hold(const std::string& /*path*/) {}
    virtual void release() {}
};

}  // namespace console
