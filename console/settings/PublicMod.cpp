#include "console/settings/PublicMod.h"

#include "console/settings/PrivateProfile.h"
#include "ui/Platform.h"
#include "ui/Text.h"

namespace console {

namespace {

constexpr int kDefaultValue = 50;
constexpr int kOldValueBuffer = 300;  // the old value arrives cut to 299 bytes
constexpr std::int16_t kMinCommentGap = 4;

}  // namespace

std::string PublicMod::SettingsFile() const {
    const ui::AppInfo& app = platform_.app();
    return app.path + "/" + app.exeName + ".ini";
}

std::int32_t PublicMod::ReadIniInt(const std::u16string& Section, const std::u16string& Key) {
    return profile_.getInt(ui::ToUtf8(Section), ui::ToUtf8(Key), kDefaultValue, SettingsFile());
}

// The old value is kept as bytes: a comment in the file's code page passes
// through untouched.
void PublicMod::WriteIniString(const std::u16string& Section, const std::u16string& Key, const std::u16string& Value) {
    const std::string section = ui::ToUtf8(Section);
    const std::string key = ui::ToUtf8(Key);
    const std::string old = profile_.getString(section, key, "", kOldValueBuffer, SettingsFile());
    std::string text = ui::ToUtf8(Value);
    const std::size_t semicolon = old.find(';');
    if (semicolon != std::string::npos) {
        const long long p = static_cast<long long>(semicolon) + 1;
        const long long n = static_cast<long long>(text.size());
        // A 16-bit count, as the column arithmetic was written: it wraps.
        auto pad = static_cast<std::int16_t>(static_cast<std::uint16_t>(p - n - 1));
        if (pad < kMinCommentGap) pad = kMinCommentGap;
        text += std::string(static_cast<std::size_t>(pad), ' ') + old.substr(semicolon);
    }
    profile_.writeString(section, key, text, SettingsFile());
}

}  // namespace console
