#pragma once

#include <cstdint>
#include <string>

namespace ui {
class Platform;
}

namespace about {

class Registry;
class SystemShell;

// Finds the system information program through the registry and starts it.
// Texts are the registry's bytes as they come, in the system's code page.
class SysInfoLauncher {
public:
    SysInfoLauncher(ui::Platform& platform, Registry& registry, SystemShell& shell)
        : platform_(platform), registry_(registry), shell_(shell) {}

    void StartSysInfo();
    bool GetKeyValue(std::uint32_t& KeyRoot, std::string& KeyName, std::string& SubKeyRef, std::string& KeyVal);

    static constexpr std::uint32_t kAccessMask = 0x2003F;  // read and write rights, as the lookup always asked
    static constexpr std::uint32_t kBufferSize = 1024;

private:
    bool findProgram(std::string& path);
    void unavailable();

    ui::Platform& platform_;
    Registry& registry_;
    SystemShell& shell_;
};

}  // namespace about
