#include "about/SysInfoLauncher.h"

#include <exception>
#include <vector>

#include "about/Registry.h"
#include "about/SystemShell.h"
#include "ui/Error.h"
#include "ui/Platform.h"

namespace about {

namespace {

const char* const kProgram = "\\MSINFO32.EXE";

std::string DwordText(const std::string& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text = "&h";
    for (auto b = bytes.rbegin(); b != bytes.rend(); ++b) {
        const auto v = static_cast<unsigned char>(*b);
        text += kDigits[v >> 4];
        text += kDigits[v & 0x0F];
    }
    return text;
}

}  // namespace

// Any failure on the way, including a program that will not start, ends in
// the one message.
void SysInfoLauncher::StartSysInfo() {
    bool started = false;
    try {
        std::string path;
        if (findProgram(path)) {
            shell_.startProgram(path, SystemShell::NormalFocus);
            started = true;
        }
    } catch (const std::exception&) {
    }
    if (!started) unavailable();
}

// The full path comes first; the folder is the fallback and must hold the program.
bool SysInfoLauncher::findProgram(std::string& path) {
    std::uint32_t root = Registry::HKEY_LOCAL_MACHINE;
    std::string key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    std::string name = "PATH";
    if (GetKeyValue(root, key, name, path)) return true;
    key = "SOFTWARE\\Microsoft\\Shared Tools Location";
    name = "MSINFO";
    if (!GetKeyValue(root, key, name, path)) return false;
    if (!shell_.plainFileExists(path + kProgram)) return false;
    path += kProgram;
    return true;
}

void SysInfoLauncher::unavailable() {
    platform_.messageBox(u"此时系统信息不可用", ui::mb::OkOnly, platform_.app().title);
}

// The key is closed on every way out; after a failed open that is handle 0.
bool SysInfoLauncher::GetKeyValue(std::uint32_t& KeyRoot, std::string& KeyName, std::string& SubKeyRef,
                                  std::string& KeyVal) {
    std::uint32_t hKey = 0;
    const bool opened = registry_.openKey(KeyRoot, KeyName, 0, kAccessMask, hKey) == Registry::ERROR_SUCCESS;
    if (!opened) hKey = 0;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> buffer(kBufferSize, 0);
    std::uint32_t size = kBufferSize;
    if (!opened || registry_.queryValue(hKey, SubKeyRef, type, buffer, size) != Registry::ERROR_SUCCESS) {
        KeyVal.clear();
        registry_.closeKey(hKey);
        return false;
    }
    if (size > buffer.size()) size = static_cast<std::uint32_t>(buffer.size());  // never read past what came back
    // A value with no data bytes has no character to test: the lookup fails
    // to its caller, which reports system information as unavailable. The key
    // is closed first, and KeyVal keeps what it held.
    if (size == 0) {
        registry_.closeKey(hKey);
        throw ui::Error(ui::err::InvalidCall, "empty registry value");
    }
    // A terminating NUL is not part of the text.
    if (buffer[size - 1] == 0) --size;
    const std::string value(buffer.begin(), buffer.begin() + size);
    if (type == Registry::REG_SZ) {
        KeyVal = value;
    } else if (type == Registry::REG_DWORD) {
        KeyVal = DwordText(value);
    }
    registry_.closeKey(hKey);
    return true;
}

}  // namespace about
