#include "platform/posix/ErrnoMapping.h"

#include <cerrno>
#include <system_error>

#include "comm/CommError.h"
#include "ui/Error.h"

namespace platform::posix {

namespace {

// An unplugged USB adapter or a hung-up line answers with one of these.
bool DeviceVanished(int e) {
    return e == EIO || e == ENXIO || e == ENODEV;
}

int OpenError(int e) {
    switch (e) {
        case ENOENT:
        case ENOTDIR:
        case ENODEV:
        case ENXIO:
        case EIO:  // a ttyS node without a UART behind it
            return comm::err::DeviceNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return comm::err::PermissionDenied;
        case EBUSY:
        case EWOULDBLOCK:
            return comm::err::PortBusy;
        case EISDIR:
        case ENOTTY:
            return comm::err::NotASerialDevice;
        default:
            return comm::err::OpenFailed;
    }
}

int ModemLineError(int e) {
    if (DeviceVanished(e)) return comm::err::DeviceGone;
    return comm::err::NoModemLines;
}

}  // namespace

int CommErrorNumber(PortStep step, int e) {
    switch (step) {
        case PortStep::Open:
            return OpenError(e);
        case PortStep::Lock:
            return e == EWOULDBLOCK ? comm::err::PortBusy : comm::err::OpenFailed;
        case PortStep::Configure:
            if (e == ENOTTY) return comm::err::NotASerialDevice;
            return DeviceVanished(e) ? comm::err::DeviceGone : comm::err::SetStateFailed;
        case PortStep::ModemLines:
            return ModemLineError(e);
        case PortStep::Read:
            return DeviceVanished(e) ? comm::err::DeviceGone : comm::err::ReadFailed;
        case PortStep::Write:
            return DeviceVanished(e) ? comm::err::DeviceGone : comm::err::WriteFailed;
    }
    return comm::err::OpenFailed;
}

void ThrowPortError(PortStep step, int errnum, const char* what, const std::string& path) {
    throw ui::Error(CommErrorNumber(step, errnum),
                    std::string(what) + " " + path + ": " + std::system_category().message(errnum));
}

}  // namespace platform::posix
