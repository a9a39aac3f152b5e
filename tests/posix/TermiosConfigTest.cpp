#include <gtest/gtest.h>

#include "comm/LineSettings.h"
#include "platform/posix/TermiosConfig.h"

namespace {

using platform::posix::FramingMatches;
using platform::posix::MakeRaw;
using platform::posix::SetFraming;

// A terminal as a login shell leaves it: canonical, echoing, translating.
termios Cooked() {
    termios t{};
    t.c_iflag = ICRNL | IXON | IXOFF | BRKINT | ISTRIP | INPCK | IGNCR | INLCR | PARMRK;
    t.c_oflag = OPOST | ONLCR;
    t.c_lflag = ECHO | ECHOE | ECHOK | ICANON | ISIG | IEXTEN;
    t.c_cflag = CS7 | PARENB | CSTOPB | CRTSCTS | HUPCL | B38400;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 5;
    return t;
}

TEST(TermiosConfig, RawModePassesEveryByteAndNeverWaits) {
    termios t = Cooked();
    MakeRaw(t);
    EXPECT_EQ(t.c_iflag & (ICRNL | IXON | IXOFF | BRKINT | ISTRIP | INPCK | IGNCR | INLCR | PARMRK), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_cflag & (CREAD | CLOCAL), static_cast<tcflag_t>(CREAD | CLOCAL));
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
    // The speed is not raw mode's business.
    EXPECT_EQ(t.c_cflag & CBAUD, static_cast<tcflag_t>(B38400));
}

TEST(TermiosConfig, FramingOfEveryParityDataAndStopCombination) {
    struct Case {
        char parity;
        tcflag_t bits;
    };
    const Case parities[] = {
        {'N', 0}, {'E', PARENB}, {'O', PARENB | PARODD}, {'M', PARENB | CMSPAR | PARODD}, {'S', PARENB | CMSPAR}};
    const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    for (const Case& p : parities) {
        for (int data = 5; data <= 8; ++data) {
            for (int stop = 1; stop <= 2; ++stop) {
                const comm::LineSettings s{9600, p.parity, data, stop};
                termios t = Cooked();
                MakeRaw(t);
                SetFraming(t, s);
                const tcflag_t want = sizes[data - 5] | p.bits | (stop == 2 ? CSTOPB : 0);
                EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB), want) << p.parity << data << stop;
                EXPECT_TRUE(FramingMatches(t, s));
                EXPECT_EQ(t.c_cflag & (CREAD | CLOCAL | CBAUD), static_cast<tcflag_t>(CREAD | CLOCAL | B38400));
            }
        }
    }
}

TEST(TermiosConfig, FramingReadBackNoticesEachFieldTheDeviceIgnored) {
    const comm::LineSettings asked{9600, 'E', 7, 2};
    termios t{};
    SetFraming(t, asked);
    ASSERT_TRUE(FramingMatches(t, asked));
    for (const comm::LineSettings& kept :
         {comm::LineSettings{9600, 'N', 7, 2}, comm::LineSettings{9600, 'O', 7, 2}, comm::LineSettings{9600, 'S', 7, 2},
          comm::LineSettings{9600, 'E', 8, 2}, comm::LineSettings{9600, 'E', 7, 1}}) {
        termios device{};
        SetFraming(device, kept);
        EXPECT_FALSE(FramingMatches(device, asked)) << kept.parity << kept.dataBits << kept.stopBits;
    }
}

}  // namespace
