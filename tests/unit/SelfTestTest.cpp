#include <gtest/gtest.h>

#include "comm/CommError.h"
#include "modemtest/SelfTest.h"
#include "tests/support/ConsoleFixture.h"
#include "tests/support/ScriptedDevice.h"
#include "ui/Platform.h"

namespace {

using modemtest::SelfTest;

const std::vector<std::string> kSetUp = {"ATV1E1+IPR=0", "AT+IFC=0,0;+WRIM=1", "AT+Speaker=1;+VGR=96",
                                         "AT+SIDET=0",   "AT+Speaker=0;+VGR=96", "AT+VGT=32",
                                         "AT+SIDET=0",   "AT+ECHO=1,1,0,3,10,7"};

class SelfTestTest : public testsupport::ConsoleFixture {
protected:
    void SetUp() override {
        platform().setToday(ui::Date{2026, 12, 8});
        load();
        port().attach(&device);
        device.answer = [this](const std::string& line) { return answer(line); };
        clickOpen();  // COM 1 at 9600bps
        ASSERT_TRUE(form().PortIsOpen);
        port().calls.clear();
    }
    std::string answer(const std::string& line) {
        if (auto it = overrides.find(line); it != overrides.end()) return it->second;
        if (line == "AT+CCLK?") return "\r\n+CCLK: \"26/12/09,00:00:05\"\r\n\r\nOK\r\n";
        if (line == "ATI") return "\r\nOrvane GSM\r\n\r\nOK\r\n";
        return "\r\nOK\r\n";
    }
    double runScript() {
        const double start = platform().nowMs();
        form().ComVersion.userClick();
        return platform().nowMs() - start;
    }
    std::vector<std::u16string> messages() {
        std::vector<std::u16string> out;
        for (const auto& m : platform().messages) out.push_back(m.text);
        return out;
    }
    std::vector<long> huntSpeeds() {
        std::vector<long> out;
        for (const auto& l : device.lines)
            if (l.text == "ATE1V1") out.push_back(l.baud);
        return out;
    }
    int settingsWrites() {
        int n = 0;
        for (const auto& c : port().calls) n += c.rfind("Settings=", 0) == 0;
        return n;
    }
    testsupport::ScriptedDevice device;
    std::map<std::string, std::string> overrides;
};

TEST(ClockText, TwoDigitYearMonthDayAndAlwaysBeforeMidnight) {
    EXPECT_EQ(SelfTest::ClockText(ui::Date{2006, 11, 18}), u"06/11/18,23:59:59");
    EXPECT_EQ(SelfTest::ClockText(ui::Date{2010, 1, 5}), u"10/01/05,23:59:59");
}

TEST_F(SelfTestTest, PassingRunAtTheFirstTrySendsTheWholeScriptIn7150ms) {
    EXPECT_DOUBLE_EQ(runScript(), 7150.0);
    std::vector<std::string> expected = {"ATE1V1", "AT+CCLK=\"26/12/08,23:59:59\""};
    expected.insert(expected.end(), kSetUp.begin(), kSetUp.end());
    expected.insert(expected.end(), {"AT+CCLK?", "ATD*#06#", "AT+CGMR", "ATI"});
    EXPECT_EQ(device.heard(), expected);
    EXPECT_TRUE(platform().messages.empty());
    EXPECT_EQ(settingsWrites(), 0);  // 9600 was selected already and the hunt hit at once
    EXPECT_EQ(platform().sleptMs, 2950);
    EXPECT_EQ(form().RTextBuf.text(), u"\r\nOrvane GSM\r\n\r\nOK\r\n");
    EXPECT_TRUE(form().enabled());
}

TEST_F(SelfTestTest, ClosedPortDoesNothing) {
    form().ComStartStop.userClick();
    selectSpeed(3);
    port().calls.clear();
    device.lines.clear();
    EXPECT_EQ(runScript(), 0.0);
    EXPECT_TRUE(device.lines.empty());
    EXPECT_TRUE(platform().messages.empty());
    EXPECT_EQ(form().ComboSpeed.listIndex(), 3);
    EXPECT_EQ(port().settings(), u"150,N,8,1");
}

TEST_F(SelfTestTest, ModuleAt57600IsFoundAtTheSecondTryAndTheSelectorStaysAt9600) {
    device.speeds = {57600};
    const std::u16string caption = form().caption();
    EXPECT_DOUBLE_EQ(runScript(), 7450.0);  // one more try, 300 ms more
    EXPECT_EQ(huntSpeeds(), (std::vector<long>{9600, 57600}));
    EXPECT_EQ(form().ComboSpeed.text(), u"9600bps");
    EXPECT_EQ(form().caption(), caption);
    EXPECT_EQ(port().settings(), u"57600,N,8,1");  // re-selecting 9600 raised no click
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(SelfTestTest, NoModuleTriesElevenSpeedsAndReportsNoResponse) {
    device.speeds.clear();
    EXPECT_DOUBLE_EQ(runScript(), 3300.0);
    EXPECT_EQ(huntSpeeds(),
              (std::vector<long>{9600, 57600, 38400, 28800, 19200, 14400, 9600, 4800, 2400, 1200, 600}));
    EXPECT_EQ(port().settings(), u"300,N,8,1");
    EXPECT_EQ(messages(), std::vector<std::u16string>{u"Orvane没有反应"});
    EXPECT_EQ(platform().messages[0].style, ui::mb::Information);
    EXPECT_EQ(device.lines.size(), 11u);
    selectSpeed(9);  // the entry shown all along: the user's pick applies it
    EXPECT_EQ(port().settings(), u"9600,N,8,1");
    EXPECT_EQ(form().caption(), u"ORVANE测试中连接 COM 1 状态9600,N,8,1 ......");
}

TEST_F(SelfTestTest, LowerCaseOkCountsInTheHuntAndAtTheEnd) {
    overrides["ATE1V1"] = "\r\nok\r\n";
    overrides["AT+ECHO=1,1,0,3,10,7"] = "\r\nok\r\n";
    runScript();
    EXPECT_EQ(huntSpeeds().size(), 1u);
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(SelfTestTest, DsrDownReportsAndEndsBeforeCtsIsRead) {
    port().setLines(false, false, false);
    runScript();
    EXPECT_EQ(messages(), std::vector<std::u16string>{u"Orvane的DSR信号线有问题"});
    EXPECT_EQ(device.lines.size(), 1u);
}

TEST_F(SelfTestTest, CtsDownReports) {
    port().setLines(true, false, false);
    runScript();
    EXPECT_EQ(messages(), std::vector<std::u16string>{u"Orvane的CTS信号线有问题"});
    EXPECT_EQ(device.lines.size(), 1u);
}

TEST_F(SelfTestTest, OnlyTheLastSetUpCommandsAnswerIsJudged) {
    for (std::size_t i = 0; i < 7; ++i) overrides[kSetUp[i]] = "\r\nERROR\r\n";
    runScript();
    EXPECT_TRUE(platform().messages.empty());
    overrides["AT+ECHO=1,1,0,3,10,7"] = "\r\nERROR\r\n";
    runScript();
    EXPECT_EQ(messages(), std::vector<std::u16string>{u"Orvane 初始化不正确"});
}

TEST_F(SelfTestTest, ClockThatStandsStillOrWasResetIsReported) {
    overrides["AT+CCLK?"] = "\r\n+CCLK: \"26/12/08,23:59:59\"\r\n\r\nOK\r\n";
    runScript();
    overrides["AT+CCLK?"] = "\r\n+CCLK: \"00/01/01,00:00:04\"\r\n\r\nOK\r\n";
    runScript();
    EXPECT_EQ(messages(), (std::vector<std::u16string>{u"Orvane的时钟回读出错,没有走时!", u"设置Orvane的时钟出错!"}));
    EXPECT_EQ(device.heard().back(), "AT+CCLK?");  // nothing after a report
}

TEST_F(SelfTestTest, StoppedAndResetAtOnceShowsOnlyTheStoppedClock) {
    platform().setToday(ui::Date{2000, 1, 1});
    overrides["AT+CCLK?"] = "\r\n+CCLK: \"00/01/01,23:59:59\"\r\n\r\nOK\r\n";
    runScript();
    EXPECT_EQ(messages(), std::vector<std::u16string>{u"Orvane的时钟回读出错,没有走时!"});
}

TEST_F(SelfTestTest, LateOkFromOneTryCountsForTheNext) {
    device.delayUs = 350'000;  // the answer comes after the wait has ended
    runScript();
    EXPECT_EQ(huntSpeeds(), (std::vector<long>{9600, 57600}));
    EXPECT_EQ(port().settings(), u"57600,N,8,1");
    // At 57600 nothing answers any more: the set-up check fails.
    EXPECT_EQ(messages(), std::vector<std::u16string>{u"Orvane 初始化不正确"});
}

TEST_F(SelfTestTest, FailingPortOperationsFollowTheSkipRules) {
    device.speeds = {38400};
    port().fail(Member::Settings, comm::err::SetStateFailed, 1);  // the write for try 2 fails
    runScript();
    // Try 2 went out at the previous speed; the hunt still reached 38400 at try 3.
    EXPECT_EQ(huntSpeeds(), (std::vector<long>{9600, 9600, 38400}));
    EXPECT_TRUE(platform().messages.empty());

    port().fail(Member::DSR, comm::err::NoModemLines);  // a condition that cannot be read reports
    runScript();
    EXPECT_EQ(messages(), std::vector<std::u16string>{u"Orvane的DSR信号线有问题"});
    EXPECT_TRUE(platform().escapes.empty());
}

TEST_F(SelfTestTest, SelectsNineHundredFirstAndKeepsItsPauses) {
    selectSpeed(14);  // the user left 57600 selected
    port().calls.clear();
    device.lines.clear();
    runScript();
    ASSERT_FALSE(port().calls.empty());
    EXPECT_EQ(port().calls.front(), "Settings=9600,N,8,1");
    EXPECT_EQ(form().caption(), u"ORVANE测试中连接 COM 1 状态9600,N,8,1 ......");
    ASSERT_EQ(device.lines.size(), 14u);
    EXPECT_EQ(device.lines[0].baud, 9600);
    auto at = [&](const std::string& line) {
        for (const auto& w : port().writes())
            if (w.bytes == line + "\r\n") return w.atUs / 1000;
        return std::int64_t{-1};
    };
    const std::string clockSet = "AT+CCLK=\"26/12/08,23:59:59\"";
    EXPECT_EQ(at(clockSet) - at("ATE1V1"), 300 + 50);
    EXPECT_EQ(at("AT+CCLK?") - at(clockSet), 300 + 8 * (300 + 250) + 200);
    EXPECT_EQ(at("AT+CGMR") - at("ATD*#06#"), 300);
    EXPECT_EQ(at("ATI") - at("AT+CGMR"), 300 + 550);
}

TEST_F(SelfTestTest, AHitAtTheEleventhTryIsNoMiss) {
    device.speeds = {600};
    runScript();
    EXPECT_EQ(huntSpeeds().size(), 11u);
    EXPECT_EQ(port().settings(), u"600,N,8,1");
    // At 600 bit/s the later answers outlast their waits, but the module did answer.
    for (const auto& m : messages()) EXPECT_NE(m, u"Orvane没有反应");
    EXPECT_NE(device.heard().size(), 11u);
}

}  // namespace
