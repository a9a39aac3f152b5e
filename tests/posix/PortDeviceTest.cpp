// A device without modem lines is asked once per open: the poll tick asks
// every 5 ms, and the answer cannot change while the device stays open.
#include <gtest/gtest.h>

#include <string>

#include "comm/CommError.h"
#include "platform/posix/PortDevice.h"
#include "tests/posix/PtyPair.h"
#include "ui/Error.h"

namespace posixtest {
namespace {

using platform::posix::InputLine;
using platform::posix::PortDevice;

// The number and description of the error a modem-line read raises.
std::pair<int, std::string> LineError(PortDevice& device, InputLine line) {
    try {
        device.holding(line);
    } catch (const ui::Error& e) {
        return {e.number(), e.what()};
    }
    return {0, ""};
}

TEST(PortDeviceModemLines, APtyFailsEveryReadAndEachOpenAsksItsOwnDevice) {
    PtyPair first;
    PtyPair second;
    PortDevice device;
    device.open(first.slavePath());
    const auto asked = LineError(device, InputLine::Dsr);
    EXPECT_EQ(asked.first, comm::err::NoModemLines);
    EXPECT_NE(asked.second.find(first.slavePath() + ":"), std::string::npos) << asked.second;
    for (InputLine line : {InputLine::Dsr, InputLine::Cts, InputLine::Cd})
        EXPECT_EQ(LineError(device, line), asked);  // the same failure every time

    device.close();
    device.open(second.slavePath());
    const auto again = LineError(device, InputLine::Cts);
    EXPECT_EQ(again.first, comm::err::NoModemLines);
    EXPECT_NE(again.second.find(second.slavePath() + ":"), std::string::npos) << again.second;
    EXPECT_EQ(again.second.find(first.slavePath() + ":"), std::string::npos) << again.second;
}

}  // namespace
}  // namespace posixtest
