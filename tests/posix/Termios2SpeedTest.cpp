// The speed helpers speak in termios2 codes; <asm/termbits.h> gives them here
// and may not meet <termios.h> in the same file.
#include <asm/termbits.h>
#include <gtest/gtest.h>

#include "platform/posix/Termios2Speed.h"

namespace {

using platform::posix::SpeedBits;
using platform::posix::SpeedConfirmed;
using platform::posix::SpeedFromBits;

constexpr long ConsoleSpeeds[] = {50,   75,    110,   150,   300,   600,   1200,   2400,   4800,
                                  9600, 14400, 19200, 28800, 38400, 57600, 115200, 128000, 256000};

TEST(Termios2Speed, StandardRatesKeepTheirCodesOthersTravelAsBother) {
    EXPECT_EQ(SpeedBits(50), static_cast<std::uint32_t>(B50));
    EXPECT_EQ(SpeedBits(9600), static_cast<std::uint32_t>(B9600));
    EXPECT_EQ(SpeedBits(115200), static_cast<std::uint32_t>(B115200));
    for (long odd : {14400L, 28800L, 128000L, 256000L, 1L, 3999999L}) {
        EXPECT_EQ(SpeedBits(odd), static_cast<std::uint32_t>(BOTHER)) << odd;
    }
}

TEST(Termios2Speed, EveryConsoleSpeedSurvivesEncodingAndDecoding) {
    for (long speed : ConsoleSpeeds) {
        // c_ospeed deliberately wrong for standard codes: their code alone must decide.
        const std::uint32_t ospeed = SpeedBits(speed) == BOTHER ? static_cast<std::uint32_t>(speed) : 7u;
        EXPECT_EQ(SpeedFromBits(SpeedBits(speed) | CS8 | CREAD, ospeed), speed);
    }
    EXPECT_EQ(SpeedFromBits(B0, 0), 0);
}

TEST(Termios2Speed, ReadBackWithinTwoPercentConfirms) {
    EXPECT_TRUE(SpeedConfirmed(9600, 9600));
    EXPECT_TRUE(SpeedConfirmed(9600, 9792));
    EXPECT_FALSE(SpeedConfirmed(9600, 9793));
    EXPECT_TRUE(SpeedConfirmed(256000, 251000));
    EXPECT_FALSE(SpeedConfirmed(256000, 250000));
    EXPECT_FALSE(SpeedConfirmed(256000, 115200));  // a UART clamped to its ceiling
    EXPECT_FALSE(SpeedConfirmed(14400, 9600));     // a driver that fell back to its default
    EXPECT_FALSE(SpeedConfirmed(0, 0));
}

}  // namespace
