#pragma once

#include <string>

namespace comm {

// Error numbers of the serial control. The console shows the text of the
// number, never the description attached to the error.
namespace err {
inline constexpr int InvalidPortNumber = 8002;
inline constexpr int PortAlreadyOpen = 8005;
inline constexpr int DeviceNotFound = 8010;      // no such device
inline constexpr int OpenFailed = 8011;          // any other reason the system gave
inline constexpr int PortNotOpen = 8012;
inline constexpr int PortBusy = 8013;            // another program holds it
inline constexpr int PermissionDenied = 8014;    // no access to the device
inline constexpr int SetStateFailed = 8015;      // speed or framing refused
inline constexpr int NotASerialDevice = 8016;    // a file, folder or other device
inline constexpr int InvalidSettings = 8018;     // unparsable "speed,parity,data,stop"
inline constexpr int NoModemLines = 8019;        // device has no modem control lines
inline constexpr int ReadFailed = 8020;
inline constexpr int WriteFailed = 8021;
inline constexpr int DeviceGone = 8022;          // unplugged while open
inline constexpr int InvalidProperty = 380;
}  // namespace err

// The standard text for an error number; a generic one for an unknown number.
std::u16string ErrorText(int number);

}  // namespace comm
