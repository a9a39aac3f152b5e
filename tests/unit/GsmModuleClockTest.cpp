#include <gtest/gtest.h>

#include "tools/gsm/ModuleClock.h"

namespace {

using gsm::ClockMode;
using gsm::ModuleClock;

constexpr std::int64_t kSecond = 1'000'000;

struct Rollover {
    const char* set;
    const char* fiveSecondsLater;
};

// A clock set to the last second of a day and read 5 s later.
class ClockRollover : public ::testing::TestWithParam<Rollover> {};

TEST_P(ClockRollover, RunsIntoTheNextDay) {
    ModuleClock clock(ClockMode::Running);
    ASSERT_TRUE(clock.set(GetParam().set, 7 * kSecond));
    EXPECT_EQ(clock.read(12 * kSecond), GetParam().fiveSecondsLater);
}

INSTANTIATE_TEST_SUITE_P(Calendar, ClockRollover,
                         ::testing::Values(Rollover{"06/11/18,23:59:59", "06/11/19,00:00:04"},
                                           Rollover{"10/01/31,23:59:59", "10/02/01,00:00:04"},
                                           Rollover{"10/04/30,23:59:59", "10/05/01,00:00:04"},
                                           Rollover{"23/02/28,23:59:59", "23/03/01,00:00:04"},
                                           Rollover{"24/02/28,23:59:59", "24/02/29,00:00:04"},
                                           Rollover{"24/02/29,23:59:59", "24/03/01,00:00:04"},
                                           Rollover{"00/02/28,23:59:59", "00/02/29,00:00:04"},
                                           Rollover{"26/12/31,23:59:59", "27/01/01,00:00:04"},
                                           Rollover{"99/12/31,23:59:59", "00/01/01,00:00:04"}));

TEST(ModuleClock, CountsWholeSecondsFromTheSetting) {
    ModuleClock clock(ClockMode::Running);
    ASSERT_TRUE(clock.set("26/12/08,10:20:30", 3 * kSecond));
    EXPECT_EQ(clock.read(3 * kSecond), "26/12/08,10:20:30");
    EXPECT_EQ(clock.read(3 * kSecond + 999'999), "26/12/08,10:20:30");
    EXPECT_EQ(clock.read(4 * kSecond), "26/12/08,10:20:31");
    EXPECT_EQ(clock.read(3 * kSecond + 3600 * kSecond + 90 * kSecond), "26/12/08,11:22:00");
    EXPECT_EQ(clock.read(3 * kSecond + 366LL * 86400 * kSecond), "27/12/09,10:20:30");
}

TEST(ModuleClock, DateArithmeticRoundTripsEveryDayOfTheCentury) {
    std::int64_t day = 0;
    for (; day < 36525; ++day) {
        const std::string text = ModuleClock::Format(day * 86400 + 45296);
        const auto back = ModuleClock::Parse(text);
        ASSERT_TRUE(back) << text;
        ASSERT_EQ(*back, day * 86400 + 45296) << text;
        ASSERT_EQ(text.substr(9), "12:34:56");
    }
    EXPECT_EQ(ModuleClock::Format(day * 86400), "00/01/01,00:00:00");
}

TEST(ModuleClock, RejectsTextsThatAreNoMoment) {
    ModuleClock clock(ClockMode::Running);
    ASSERT_TRUE(clock.set("20/05/05,05:05:05", 0));
    for (const char* bad :
         {"23/02/29,00:00:00", "23/13/01,00:00:00", "23/00/10,00:00:00", "23/04/31,00:00:00", "23/01/00,00:00:00",
          "23/01/01,24:00:00", "23/01/01,00:60:00", "23/01/01,00:00:60", "23/1/01,00:00:00", "23-01-01,00:00:00",
          "23/01/01 00:00:00", "2023/01/01,00:00:00", "23/01/01,00:00:0x", "23/01/01,00:00:00+97",
          "23/01/01,00:00:00+8", "23/01/01,00:00:00x08", ""}) {
        EXPECT_FALSE(clock.set(bad, 1 * kSecond)) << bad;
    }
    EXPECT_TRUE(clock.set("24/02/29,00:00:00", 0));
    EXPECT_EQ(clock.read(0), "24/02/29,00:00:00");
}

TEST(ModuleClock, KeepsTheZoneItWasGiven) {
    ModuleClock clock(ClockMode::Running);
    ASSERT_TRUE(clock.set("26/12/08,10:00:00+32", 0));
    EXPECT_EQ(clock.read(2 * kSecond), "26/12/08,10:00:02+32");
    ASSERT_TRUE(clock.set("26/12/08,10:00:00-04", 0));
    EXPECT_EQ(clock.read(0), "26/12/08,10:00:00-04");
}

TEST(ModuleClock, AStoppedClockShowsWhatWasSet) {
    ModuleClock clock(ClockMode::Stopped);
    EXPECT_EQ(clock.read(90 * kSecond), "00/01/01,00:00:00");
    ASSERT_TRUE(clock.set("06/11/18,23:59:59", 100 * kSecond));
    EXPECT_EQ(clock.read(200 * kSecond), "06/11/18,23:59:59");
}

TEST(ModuleClock, AResettingClockRunsFromTheStartOfTwoThousand) {
    ModuleClock clock(ClockMode::ResetsTo000101);
    ASSERT_TRUE(clock.set("06/11/18,23:59:59+32", 100 * kSecond));
    EXPECT_EQ(clock.read(105 * kSecond), "00/01/01,00:00:05");
    EXPECT_FALSE(clock.set("06/11/31,23:59:59", 200 * kSecond));
    EXPECT_EQ(clock.read(205 * kSecond), "00/01/01,00:01:45");
}

TEST(ModuleClock, NeverSetItRunsFromPowerOn) {
    ModuleClock clock(ClockMode::Running);
    EXPECT_EQ(clock.read(61 * kSecond), "00/01/01,00:01:01");
}

}  // namespace
