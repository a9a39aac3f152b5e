#pragma once

#include <string>

namespace platform::posix {

// What the port was doing when a system call failed: the same errno means
// something different to the user in each (ENOTTY at open is "not a serial
// device", on a modem-line call it is "no modem lines").
enum class PortStep { Open, Lock, Configure, ModemLines, Read, Write };

// The comm::err number for a failed system call.
int CommErrorNumber(PortStep step, int errnum);

// Throws ui::Error with that number; the description names the call, the
// device and the system's reason. Callers pass errno straight in, so nothing
// in the argument list may allocate (and so touch errno) before it is read.
[[noreturn]] void ThrowPortError(PortStep step, int errnum, const char* what, const std::string& path);

}  // namespace platform::posix
