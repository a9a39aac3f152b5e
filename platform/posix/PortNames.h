#pragma once

#include <string>

#include "console/settings/PrivateProfile.h"

namespace platform::posix {

// The device behind port n: key COMn of section [Ports] in the settings file
// when it names one (a USB adapter at /dev/ttyUSB0 becomes port 1 that way),
// else /dev/ttyS<n-1>. The mapping is only read, never written.
std::string PortDevicePath(console::PrivateProfile& profile, const std::string& iniPath, int port);

}  // namespace platform::posix
