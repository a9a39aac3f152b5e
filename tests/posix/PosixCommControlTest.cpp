#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "comm/CommError.h"
#include "tests/posix/PtyPortFixture.h"
#include "tests/posix/TempDir.h"

namespace {

namespace err = comm::err;
using posixtest::OpenDescriptorCount;
using PosixCommControl = posixtest::PtyPortFixture;

// A program other than ours, holding or trying the same device.
class OtherProgram {
public:
    explicit OtherProgram(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~OtherProgram() {
        if (fd_ >= 0) ::close(fd_);
    }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;
    int fd() const { return fd_; }
    bool lock() { return fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0; }

private:
    int fd_;
};

TEST_F(PosixCommControl, OpensTheMappedDeviceClosesAndReopens) {
    EXPECT_FALSE(port.portOpen());
    port.setPortOpen(true);
    EXPECT_TRUE(port.portOpen());
    EXPECT_EQ(profile.lastPath, IniPath);
    EXPECT_EQ(profile.writes, 0);  // the mapping is only read

    EXPECT_EQ(ErrorOf([&] { port.setPortOpen(true); }), err::PortAlreadyOpen);
    EXPECT_EQ(ErrorOf([&] { port.setCommPort(2); }), err::PortAlreadyOpen);
    EXPECT_TRUE(port.portOpen());
    EXPECT_EQ(port.commPort(), 1);

    port.setPortOpen(false);
    EXPECT_FALSE(port.portOpen());
    port.setPortOpen(false);  // closing a closed port does nothing
    {
        OtherProgram other(pty.slavePath());  // the hold went with the close
        EXPECT_TRUE(other.lock());
    }
    port.setPortOpen(true);
    EXPECT_TRUE(port.portOpen());
}

TEST_F(PosixCommControl, SecondControlOnTheSameDeviceIsRefusedAsBusy) {
    port.setPortOpen(true);
    platform::posix::PosixCommControl second(profile, IniPath);
    const std::size_t fds = OpenDescriptorCount();
    EXPECT_EQ(ErrorOf([&] { second.setPortOpen(true); }), err::PortBusy);
    EXPECT_FALSE(second.portOpen());
    EXPECT_EQ(OpenDescriptorCount(), fds);
    port.output(u"still mine");  // the loser did not disturb the holder
    EXPECT_EQ(pty.read(10), "still mine");
}

TEST_F(PosixCommControl, AnotherProgramCannotTakeTheOpenPort) {
    port.setPortOpen(true);
    OtherProgram other(pty.slavePath());
    if (other.fd() < 0) {
        EXPECT_EQ(errno, EBUSY);  // TIOCEXCL; root is let through it, hence the lock
    } else {
        EXPECT_FALSE(other.lock());
    }
}

TEST_F(PosixCommControl, PortHeldByAnotherProgramIsBusyUntilReleased) {
    {
        OtherProgram other(pty.slavePath());
        ASSERT_TRUE(other.lock());
        const std::size_t fds = OpenDescriptorCount();
        const int number = ErrorOf([&] { port.setPortOpen(true); });
        EXPECT_EQ(number, err::PortBusy);
        EXPECT_NE(comm::ErrorText(number), comm::ErrorText(0));
        EXPECT_FALSE(port.portOpen());
        EXPECT_EQ(OpenDescriptorCount(), fds);
    }
    port.setPortOpen(true);
    EXPECT_TRUE(port.portOpen());
}

TEST_F(PosixCommControl, MissingDeviceIsNotFoundWithAdviceAndLeaksNothing) {
    testsupport::TempDir dir;
    profile.set("Ports", "COM1", dir.file("ttyUSB9"), IniPath);
    const std::size_t fds = OpenDescriptorCount();
    const int number = ErrorOf([&] { port.setPortOpen(true); });
    EXPECT_EQ(number, err::DeviceNotFound);
    EXPECT_NE(comm::ErrorText(number).find(u"[Ports]"), std::u16string::npos);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(OpenDescriptorCount(), fds);
}

TEST_F(PosixCommControl, FilesFoldersAndOtherDevicesAreNotSerialDevices) {
    testsupport::TempDir dir;
    const std::string file = dir.file("Lumetra.ini");
    testsupport::TempDir::write(file, "[Ports]\r\nCOM1=here\r\n");
    const std::size_t fds = OpenDescriptorCount();
    for (const std::string& path : {file, dir.path(), std::string("/dev/null")}) {
        profile.set("Ports", "COM1", path, IniPath);
        EXPECT_EQ(ErrorOf([&] { port.setPortOpen(true); }), err::NotASerialDevice) << path;
        EXPECT_FALSE(port.portOpen());
    }
    EXPECT_EQ(OpenDescriptorCount(), fds);
    EXPECT_EQ(testsupport::TempDir::read(file), "[Ports]\r\nCOM1=here\r\n");
}

TEST_F(PosixCommControl, PortNumberOutOfRangeIsRefusedAndTheOldKept) {
    port.setCommPort(3);
    for (int bad : {0, -1, 256}) {
        EXPECT_EQ(ErrorOf([&] { port.setCommPort(bad); }), err::InvalidPortNumber) << bad;
        EXPECT_EQ(port.commPort(), 3);
    }
    port.setCommPort(255);
    EXPECT_EQ(port.commPort(), 255);
}

TEST_F(PosixCommControl, ModemLinesOfAPtyRaiseNoModemLinesAndHeldValuesStay) {
    EXPECT_TRUE(port.dtrEnable());  // up before anyone touches it
    EXPECT_FALSE(port.rtsEnable());
    EXPECT_EQ(ErrorOf([&] { port.dsrHolding(); }), err::PortNotOpen);
    EXPECT_FALSE(port.inputLinesReadable());

    port.setDTREnable(false);  // closed: held for the next open
    port.setRTSEnable(true);
    port.setPortOpen(true);  // a device without the lines still opens
    EXPECT_FALSE(port.dtrEnable());
    EXPECT_TRUE(port.rtsEnable());

    EXPECT_TRUE(port.inputLinesReadable());  // not known until asked
    EXPECT_EQ(ErrorOf([&] { port.dsrHolding(); }), err::NoModemLines);
    EXPECT_FALSE(port.inputLinesReadable());
    EXPECT_EQ(ErrorOf([&] { port.ctsHolding(); }), err::NoModemLines);
    EXPECT_EQ(ErrorOf([&] { port.cdHolding(); }), err::NoModemLines);
    EXPECT_EQ(ErrorOf([&] { port.setDTREnable(true); }), err::NoModemLines);
    EXPECT_EQ(ErrorOf([&] { port.setRTSEnable(false); }), err::NoModemLines);
    EXPECT_TRUE(port.dtrEnable());  // what the user asked for
    EXPECT_FALSE(port.rtsEnable());

    port.setPortOpen(false);
    EXPECT_TRUE(port.dtrEnable());
    EXPECT_FALSE(port.rtsEnable());
    port.setPortOpen(true);  // another device may sit behind the name now
    EXPECT_TRUE(port.inputLinesReadable());
}

TEST_F(PosixCommControl, ClosedPortRefusesTrafficAndTakesTheConsoleOpenSequence) {
    EXPECT_EQ(ErrorOf([&] { port.inBufferCount(); }), err::PortNotOpen);
    EXPECT_EQ(ErrorOf([&] { port.input(); }), err::PortNotOpen);
    EXPECT_EQ(ErrorOf([&] { port.outBufferCount(); }), err::PortNotOpen);
    EXPECT_EQ(ErrorOf([&] { port.output(u"AT\r"); }), err::PortNotOpen);
    EXPECT_EQ(port.outBufferSize(), 512);
    EXPECT_EQ(port.commEvent(), 0);

    port.setPortOpen(true);
    EXPECT_EQ(ErrorOf([&] {
                  port.setInputLen(0);
                  port.setInputMode(1);
                  port.setHandshaking(0);
                  port.setRThreshold(0);
                  port.setSThreshold(0);
              }),
              0);
    // What this control cannot do is refused rather than quietly ignored.
    EXPECT_EQ(ErrorOf([&] { port.setHandshaking(2); }), err::InvalidProperty);
    EXPECT_EQ(ErrorOf([&] { port.setInputLen(16); }), err::InvalidProperty);
    EXPECT_EQ(ErrorOf([&] { port.setRThreshold(1); }), err::InvalidProperty);
}

}  // namespace
