#include <gtest/gtest.h>

#include <cerrno>

#include "comm/CommError.h"
#include "platform/posix/ErrnoMapping.h"
#include "platform/posix/PortNames.h"
#include "tests/support/MemoryProfile.h"

namespace {

using platform::posix::CommErrorNumber;
using platform::posix::PortDevicePath;
using platform::posix::PortStep;
namespace err = comm::err;

TEST(PortNames, SettingsFileMappingWinsElseTheNumberedTtyS) {
    testsupport::MemoryProfile profile;
    profile.set("Ports", "COM1", " /dev/ttyUSB0 ", "/opt/lumetra/Lumetra.ini");
    profile.set("ports", "com12", "/dev/serial/by-id/usb-GSM", "/opt/lumetra/Lumetra.ini");
    profile.set("Ports", "COM2", "/dev/elsewhere", "/somewhere/else.ini");
    const std::string ini = "/opt/lumetra/Lumetra.ini";
    EXPECT_EQ(PortDevicePath(profile, ini, 1), "/dev/ttyUSB0");
    EXPECT_EQ(PortDevicePath(profile, ini, 12), "/dev/serial/by-id/usb-GSM");
    EXPECT_EQ(PortDevicePath(profile, ini, 2), "/dev/ttyS1");  // another file's mapping is not ours
    EXPECT_EQ(PortDevicePath(profile, ini, 6), "/dev/ttyS5");
    EXPECT_EQ(profile.lastPath, ini);
    EXPECT_EQ(profile.writes, 0);
}

TEST(PortNames, EmptyMappingFallsBackToTtyS) {
    testsupport::MemoryProfile profile;
    profile.set("Ports", "COM3", "   ");
    EXPECT_EQ(PortDevicePath(profile, "x.ini", 3), "/dev/ttyS2");
}

// Causes a pty cannot produce (the pty tests cover the rest): each keeps its
// own number, so the failure message gives the right advice.
TEST(ErrnoMapping, OpenFailuresAPtyCannotShow) {
    EXPECT_EQ(CommErrorNumber(PortStep::Open, EACCES), err::PermissionDenied);
    EXPECT_EQ(CommErrorNumber(PortStep::Open, EPERM), err::PermissionDenied);
    EXPECT_EQ(CommErrorNumber(PortStep::Open, EBUSY), err::PortBusy);      // TIOCEXCL for a non-root user
    EXPECT_EQ(CommErrorNumber(PortStep::Open, EIO), err::DeviceNotFound);  // ttyS node without a UART
    EXPECT_EQ(CommErrorNumber(PortStep::Open, EMFILE), err::OpenFailed);
    EXPECT_EQ(CommErrorNumber(PortStep::Configure, EINVAL), err::SetStateFailed);
    EXPECT_EQ(CommErrorNumber(PortStep::Read, EBADF), err::ReadFailed);
}

}  // namespace
