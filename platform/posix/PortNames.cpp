#include "platform/posix/PortNames.h"

namespace platform::posix {

namespace {

constexpr int PathRoom = 300;

// A hand-edited settings file easily carries a blank after the path.
std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

}  // namespace

std::string PortDevicePath(console::PrivateProfile& profile, const std::string& iniPath, int port) {
    const std::string key = "COM" + std::to_string(port);
    std::string mapped = Trimmed(profile.getString("Ports", key, "", PathRoom, iniPath));
    if (!mapped.empty()) return mapped;
    return "/dev/ttyS" + std::to_string(port - 1);
}

}  // namespace platform::posix
