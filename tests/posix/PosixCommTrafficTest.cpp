#include <termios.h>

#include <chrono>
#include <string>
#include <thread>

#include "comm/CommError.h"
#include "tests/posix/PtyPortFixture.h"
#include "ui/Text.h"

namespace {

namespace err = comm::err;
using posixtest::OpenDescriptorCount;
using PosixCommTraffic = posixtest::PtyPortFixture;

constexpr long ConsoleSpeeds[] = {50,   75,    110,   150,   300,   600,   1200,   2400,   4800,
                                  9600, 14400, 19200, 28800, 38400, 57600, 115200, 128000, 256000};

std::u16string SettingsText(long speed) {
    return ui::FromUtf8(std::to_string(speed) + ",N,8,1");
}

// Letters in an order that shows any byte lost, doubled or moved.
std::string Letters(std::size_t n, unsigned seed) {
    std::string s(n, 'A');
    for (auto& c : s) c = static_cast<char>('A' + ((seed = seed * 1103515245u + 12345u) >> 16) % 26);
    return s;
}

TEST_F(PosixCommTraffic, OpenAppliesRawModeAndTheHeldSettings) {
    port.setSettings(u"19200,N,8,2");
    port.setPortOpen(true);
    const posixtest::SlaveView v = pty.view();
    EXPECT_EQ(v.speed, 19200);
    EXPECT_EQ(v.cflag & (CSIZE | PARENB | CSTOPB), static_cast<unsigned>(CS8 | CSTOPB));
    EXPECT_EQ(v.cflag & CRTSCTS, 0u);
    EXPECT_EQ(v.lflag & (ECHO | ICANON | ISIG), 0u);
    EXPECT_EQ(v.iflag & (ICRNL | IXON), 0u);
    EXPECT_EQ(v.oflag & OPOST, 0u);
}

TEST_F(PosixCommTraffic, EveryByteTravelsBothWaysUnchanged) {
    port.setPortOpen(true);
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    pty.write(all);
    EXPECT_TRUE(receive(all.size()) == all);
    EXPECT_EQ(pty.readAvailable(), "");  // no echo
    EXPECT_EQ(port.inBufferCount(), 0);
    EXPECT_TRUE(port.input().empty());

    port.output(u"AT信号\r\n");
    EXPECT_EQ(pty.read(8), "AT\xD0\xC5\xBA\xC5\r\n");  // code page 936, no CR/LF translation
}

TEST_F(PosixCommTraffic, EverySpeedOfTheListReachesTheLine) {
    port.setPortOpen(true);
    for (long speed : ConsoleSpeeds) {
        port.setSettings(SettingsText(speed));
        EXPECT_EQ(pty.view().speed, speed);
        EXPECT_EQ(port.settings(), SettingsText(speed));
    }
    port.setPortOpen(false);
    port.setSettings(u"14400,N,8,1");  // held for the next open
    port.setPortOpen(true);
    EXPECT_EQ(pty.view().speed, 14400);
}

TEST_F(PosixCommTraffic, RefusedSettingsTextsKeepTheOldOnes) {
    port.setSettings(u"57600,N,8,1");
    port.setPortOpen(true);
    for (const std::u16string bad : {u"", u"9600bps", u"9600,N,8", u"9600,X,8,1", u"0,N,8,1", u"9600,N,9,1"}) {
        EXPECT_EQ(ErrorOf([&] { port.setSettings(bad); }), err::InvalidSettings) << ui::ToUtf8(bad);
        EXPECT_EQ(port.settings(), u"57600,N,8,1");
        EXPECT_EQ(pty.view().speed, 57600);
    }
    port.setPortOpen(false);
    EXPECT_EQ(ErrorOf([&] { port.setSettings(u",N,8,1"); }), err::InvalidSettings);
    port.setPortOpen(true);
    EXPECT_EQ(pty.view().speed, 57600);
}

// A pty forces 8 data bits without parity: a device that ignores part of a
// change must not leave the port half-switched.
TEST_F(PosixCommTraffic, FramingTheDeviceRefusesFailsAndTheOldSettingsStay) {
    port.setSettings(u"38400,N,8,2");
    port.setPortOpen(true);
    EXPECT_EQ(ErrorOf([&] { port.setSettings(u"115200,E,7,1"); }), err::SetStateFailed);
    EXPECT_EQ(port.settings(), u"38400,N,8,2");
    const posixtest::SlaveView v = pty.view();
    EXPECT_EQ(v.speed, 38400);
    EXPECT_EQ(v.cflag & CSTOPB, static_cast<unsigned>(CSTOPB));

    port.setPortOpen(false);
    port.setSettings(u"9600,O,8,1");  // closed: held as given, checked by the device at the open
    const std::size_t fds = OpenDescriptorCount();
    EXPECT_EQ(ErrorOf([&] { port.setPortOpen(true); }), err::SetStateFailed);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(OpenDescriptorCount(), fds);
}

TEST_F(PosixCommTraffic, OutputBeyondWhatTheKernelTakesArrivesWholeAndInOrder) {
    port.setPortOpen(true);
    std::string sent;
    const auto start = std::chrono::steady_clock::now();
    for (unsigned part = 1; part <= 4; ++part) {
        const std::string chunk = Letters(256 * 1024, part);
        port.output(ui::FromUtf8(chunk));
        sent += chunk;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));  // never waits for the line
    EXPECT_GT(port.outBufferCount(), 0);

    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < deadline) {
        const std::string more = pty.readAvailable();
        got += more;
        const int pending = port.outBufferCount();  // as the poll tick asks, which moves the queue on
        if (got.size() >= sent.size() && pending == 0) break;
        if (more.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(got.size(), sent.size());
    EXPECT_TRUE(got == sent) << "bytes lost, doubled or reordered";
    EXPECT_EQ(port.outBufferCount(), 0);
    port.output(ui::FromUtf8(Letters(256 * 1024, 9)));  // an emptied queue shows new output at once
    EXPECT_GT(port.outBufferCount(), 0);
}

// The poll counts, then reads: the read takes what was counted, and what
// came in between waits for the next one, in order.
TEST_F(PosixCommTraffic, AReadAfterACountTakesWhatWasCounted) {
    port.setPortOpen(true);
    pty.write("ABC");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (port.inBufferCount() < 3 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(port.inBufferCount(), 3);
    pty.write("DE");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // time for the terminal to take it
    EXPECT_EQ(port.input(), (std::vector<std::uint8_t>{'A', 'B', 'C'}));
    EXPECT_EQ(receive(2), "DE");
    EXPECT_TRUE(port.input().empty());
}

TEST_F(PosixCommTraffic, CloseDropsWhatWasNotSent) {
    port.setPortOpen(true);
    port.output(ui::FromUtf8(Letters(200 * 1024, 7)));
    ASSERT_GT(port.outBufferCount(), 0);
    port.setPortOpen(false);
    pty.readAvailable();
    port.setPortOpen(true);
    EXPECT_EQ(port.outBufferCount(), 0);
    EXPECT_EQ(pty.read(1, std::chrono::milliseconds(100)), "");
}

TEST_F(PosixCommTraffic, DeviceThatDisappearsGivesNumberedErrorsAndCanBeClosed) {
    port.setPortOpen(true);
    pty.closeMaster();
    EXPECT_EQ(ErrorOf([&] { port.inBufferCount(); }), err::DeviceGone);
    EXPECT_EQ(ErrorOf([&] { port.input(); }), err::DeviceGone);
    EXPECT_EQ(ErrorOf([&] { port.output(u"AT\r"); }), err::DeviceGone);
    EXPECT_EQ(ErrorOf([&] { port.outBufferCount(); }), err::DeviceGone);
    EXPECT_EQ(ErrorOf([&] { port.dsrHolding(); }), err::DeviceGone);
    EXPECT_EQ(ErrorOf([&] { port.setSettings(u"115200,N,8,1"); }), err::DeviceGone);
    EXPECT_EQ(port.settings(), u"9600,N,8,1");
    EXPECT_TRUE(port.portOpen());  // only the user closes it

    port.setPortOpen(false);
    EXPECT_FALSE(port.portOpen());
    const std::size_t fds = OpenDescriptorCount();
    EXPECT_EQ(ErrorOf([&] { port.setPortOpen(true); }), err::DeviceNotFound);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(OpenDescriptorCount(), fds);
}

}  // namespace
