#pragma once

#include <cstdint>
#include <string>

#include "console/settings/PrivateProfile.h"

namespace ui {
class Platform;
}

namespace console {

// The settings-file procedures. They hold no state: the file's path is
// built anew at every call, so a changed program directory is followed.
class PublicMod {
public:
    PublicMod(PrivateProfile& profile, ui::Platform& platform) : profile_(profile), platform_(platform) {}

    // The key's leading integer; 50 when the file, section or key is missing.
    std::int32_t ReadIniInt(const std::u16string& Section, const std::u16string& Key);
    // Writes Value and keeps the inline ";" comment the old value carried,
    // at its column while the new value leaves it at least 4 blanks.
    void WriteIniString(const std::u16string& Section, const std::u16string& Key, const std::u16string& Value);
    // While it lives, no other console's writes come between the ones made here.
    PrivateProfile::Hold HoldSettingsFile();

private:
    std::string SettingsFile() const;

    PrivateProfile& profile_;
    ui::Platform& platform_;
};

}  // namespace console
