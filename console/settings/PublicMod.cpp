#include "console/settings/PublicMod.h"

#include "console/settings/PrivateProfile.h"
#include "ui/Platform.h"
#include "ui/Text.h"

namespace console {

namespace {

constexpr int kDefaultValue = 50;
constexpr int kOldValueBuffer = 300;  // the old value arrives cut to 299 bytes
constexpr long kMinCommentGap = 4;

// The ';' column counted in characters of the ANSI code page (936): a lead
// byte 0x81..0xFE and the byte after it are one character.
long CharacterColumn(const std::string& bytes, std::size_t index) {
    long column = 0;
    for (std::size_t i = 0; i < index; ++i, ++column) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x81 && b <= 0xFE && i + 1 < index) ++i;
    }
    return column + 1;
}

}  // namespace

std::string PublicMod::SettingsFile() const {
    const ui::AppInfo& app = platform_.app();
    return app.path + "/" + app.exeName + ".ini";
}

std::int32_t PublicMod::ReadIniInt(const std::u16string& Section, const std::u16string& Key) {
    return profile_.getInt(ui::ToUtf8(Section), ui::ToUtf8(Key), kDefaultValue, SettingsFile());
}

PrivateProfile::Hold PublicMod::HoldSettingsFile() {
    return PrivateProfile::Hold(profile_, SettingsFile());
}

// The old value is kept as bytes: a comment in the file's code page passes
// through untouched. The gap is computed exactly: a value too long to leave
// 4 blanks pushes the comment right, it never wraps round.
void PublicMod::WriteIniString(const std::u16string& Section, const std::u16string& Key, const std::u16string& Value) {
    const std::string section = ui::ToUtf8(Section);
    const std::string key = ui::ToUtf8(Key);
    const std::string old = profile_.getString(section, key, "", kOldValueBuffer, SettingsFile());
    std::string text = ui::ToUtf8(Value);
    const std::size_t semicolon = old.find(';');
    if (semicolon != std::string::npos) {
        const long p = CharacterColumn(old, semicolon);
        const long n = static_cast<long>(Value.size());
        long pad = p - n - 1;
        if (pad < kMinCommentGap) pad = kMinCommentGap;
        text += std::string(static_cast<std::size_t>(pad), ' ') + old.substr(semicolon);
    }
    profile_.writeString(section, key, text, SettingsFile());
}

}  // namespace console
