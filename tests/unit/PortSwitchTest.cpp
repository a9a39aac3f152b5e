#include <gtest/gtest.h>

#include "comm/CommError.h"
#include "console/Colors.h"
#include "console/PortSettingsText.h"
#include "tests/support/ConsoleFixture.h"

namespace {

using console::colors::Green;
using console::colors::LightRed;
using console::colors::LightYellow;

class PortSwitchTest : public testsupport::ConsoleFixture {
protected:
    void SetUp() override {
        load();
        selectPort(0);
        selectSpeed(9);
        port().setLines(true, true, false);
    }
};

TEST_F(PortSwitchTest, OpenSetsUpThePortAndTheOpenState) {
    port().setRTSEnable(false);
    port().setDTREnable(false);
    port().calls.clear();
    form().SendPos = 7;
    form().SendLen = 9;
    form().SendInProgress = true;
    form().ComStartStop.userClick();

    const std::vector<std::string> expected = {"Settings=9600,N,8,1", "CommPort=1", "PortOpen=True", "InputLen=0",
                                               "InputMode=1", "Handshaking=0", "RThreshold=0", "SThreshold=0",
                                               "RTSEnable=True"};
    EXPECT_EQ(port().calls, expected);  // DTR is never written by the open
    EXPECT_FALSE(port().dtrEnable());
    EXPECT_TRUE(form().PortIsOpen);
    EXPECT_EQ(form().SendPos, 0);
    EXPECT_EQ(form().SendLen, 0);
    EXPECT_FALSE(form().SendInProgress);
    EXPECT_EQ(form().ComStartStop.caption(), u"关 闭 端 口");
    EXPECT_FALSE(form().ComboPort.enabled());
    EXPECT_TRUE(form().ComboSpeed.enabled());
    EXPECT_TRUE(form().TextOut.enabled());
    EXPECT_EQ(form().TextOut.text(), u"");
    EXPECT_TRUE(form().TextOut.hasFocus());
    EXPECT_TRUE(form().TimerRead.running());
    EXPECT_EQ(form().TimerRead.interval(), 5);
    EXPECT_EQ(form().caption(), u"测试中连接 COM 1 状态9600,N,8,1 ......");
    EXPECT_EQ(form().LabelDTR.caption(), u"DTR=1 Disable");
    EXPECT_EQ(form().LabelDTR.backColor(), LightRed);
    EXPECT_EQ(form().LabelRTS.caption(), u"RTS=0 Enable");
    EXPECT_EQ(form().LabelDSR.caption(), u"DSR=0 True");
    EXPECT_EQ(form().LabelCD.caption(), u"CD=1 OFF");
    EXPECT_EQ(form().LabelCD.backColor(), LightRed);
}

TEST_F(PortSwitchTest, SpeedTextComesFromTheEntrysLeadingDigits) {
    selectSpeed(15);
    form().ComStartStop.userClick();
    EXPECT_EQ(port().settings(), u"115200,N,8,1");
    form().ComStartStop.userClick();
    selectSpeed(0);
    form().ComStartStop.userClick();
    EXPECT_EQ(port().settings(), u"50,N,8,1");
    EXPECT_EQ(form().caption(), u"测试中连接 COM 1 状态50,N,8,1 ......");
}

TEST_F(PortSwitchTest, FailedOpenShowsTheNumberedTextAndKeepsTheClosedState) {
    selectPort(2);
    port().setPortExists(3, false);
    form().ComStartStop.userClick();

    ASSERT_EQ(platform().messages.size(), 1u);
    const auto& m = platform().messages[0];
    EXPECT_EQ(m.text, u"串口不能被打开:COM 3 9600,N,8,1\r\n" + comm::ErrorText(comm::err::DeviceNotFound));
    EXPECT_EQ(m.style, 0);  // no icon
    EXPECT_EQ(m.title, u"Orvane测试工具");
    EXPECT_FALSE(form().PortIsOpen);
    EXPECT_EQ(form().ComStartStop.caption(), u"打 开 端 口");
    EXPECT_TRUE(form().ComboPort.enabled());
    EXPECT_FALSE(form().TimerRead.running());
    EXPECT_FALSE(form().TextOut.enabled());

    // The user picks another port and tries again.
    selectPort(0);
    form().ComStartStop.userClick();
    EXPECT_TRUE(form().PortIsOpen);
}

TEST_F(PortSwitchTest, AnOpenThatFailsButLeftThePortOpenClosesItAgain) {
    port().failAfterOpen(comm::err::PortBusy);
    form().ComStartStop.userClick();
    EXPECT_FALSE(port().portOpen());
    EXPECT_FALSE(form().PortIsOpen);
    ASSERT_EQ(platform().messages.size(), 1u);
    EXPECT_NE(platform().messages[0].text.find(comm::ErrorText(comm::err::PortBusy)), std::u16string::npos);
}

TEST_F(PortSwitchTest, RefusedPortNumberAndSettingsAreDroppedBeforeTheOpen) {
    form().ComboPort.setListIndex(-1);  // no port selected: port number 0
    port().fail(Member::Settings, comm::err::InvalidSettings, 1);
    port().calls.clear();
    form().ComStartStop.userClick();
    EXPECT_EQ(port().calls[1], "CommPort=0");
    EXPECT_TRUE(form().PortIsOpen);  // opened with what the control held
    EXPECT_EQ(port().commPort(), 1);
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(PortSwitchTest, CloseReturnsToItsOwnClosedStateAndKeepsThePane) {
    form().ComStartStop.userClick();
    form().RTextBuf.setText(u"reply");
    form().LabelDTR.userClick();  // DTR off, held by the control
    form().SendPos = 3;
    form().SendLen = 10;
    form().ComStartStop.userClick();

    EXPECT_FALSE(port().portOpen());
    EXPECT_FALSE(form().PortIsOpen);
    EXPECT_FALSE(form().TimerRead.running());
    EXPECT_EQ(form().ComStartStop.caption(), u"打 开 端 口");
    EXPECT_TRUE(form().ComboPort.enabled());
    EXPECT_FALSE(form().TextOut.enabled());
    EXPECT_EQ(form().TextOut.text(), u"请先打开端口!");
    for (auto* l : {&form().LabelDTR, &form().LabelRTS, &form().LabelDSR, &form().LabelCTS, &form().LabelCD})
        EXPECT_EQ(l->backColor(), LightYellow);
    EXPECT_EQ(form().LabelDTR.caption(), u"DTR");
    EXPECT_EQ(form().LabelRTS.caption(), u"RTS");
    EXPECT_EQ(form().LabelDSR.caption(), u"DSR");
    EXPECT_EQ(form().LabelCTS.caption(), u"CTS");
    EXPECT_EQ(form().LabelCD.caption(), u"CD");
    EXPECT_EQ(form().caption(), u"Orvane设备测试程序  版本 V1.12");
    EXPECT_EQ(form().RTextBuf.text(), u"reply");
    EXPECT_EQ(form().SendPos, 3);
    EXPECT_FALSE(port().dtrEnable());

    form().ComStartStop.userClick();  // reopening resets the cut-off transmission
    EXPECT_EQ(form().SendPos, 0);
    EXPECT_EQ(form().SendLen, 0);
    EXPECT_EQ(form().RTextBuf.text(), u"reply");
    EXPECT_TRUE(port().rtsEnable());
    EXPECT_FALSE(port().dtrEnable());
}

TEST_F(PortSwitchTest, SpeedChangeWritesSettingsAndCaptionOnlyWhenOpenAndAccepted) {
    selectSpeed(14);
    EXPECT_EQ(port().settings(), u"57600,N,8,1");
    EXPECT_EQ(form().caption(), u"设备测试程序  版本 V1.12");

    form().ComStartStop.userClick();
    selectSpeed(17);
    EXPECT_EQ(port().settings(), u"256000,N,8,1");
    EXPECT_EQ(form().caption(), u"ORVANE测试中连接 COM 1 状态256000,N,8,1 ......");

    port().fail(Member::Settings, comm::err::SetStateFailed);
    selectSpeed(3);
    EXPECT_EQ(port().settings(), u"256000,N,8,1");
    EXPECT_EQ(form().caption(), u"ORVANE测试中连接 COM 1 状态256000,N,8,1 ......");
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(PortSwitchTest, LineLabelsFollowWhatTheyShow) {
    form().ComStartStop.userClick();
    ASSERT_EQ(form().LabelDTR.caption(), u"DTR=0 Enable");
    form().LabelDTR.userClick();
    EXPECT_FALSE(port().dtrEnable());
    EXPECT_EQ(form().LabelDTR.caption(), u"DTR=1 Disable");
    EXPECT_EQ(form().LabelDTR.backColor(), LightRed);
    form().LabelDTR.userClick();
    EXPECT_TRUE(port().dtrEnable());
    EXPECT_EQ(form().LabelDTR.caption(), u"DTR=0 Enable");
    EXPECT_EQ(form().LabelDTR.backColor(), Green);

    port().setLines(true, false, true);
    form().LabelRTS.userClick();
    EXPECT_FALSE(port().rtsEnable());
    EXPECT_EQ(form().LabelCTS.caption(), u"CTS=1 False");
    EXPECT_EQ(form().LabelCD.caption(), u"CD=0 ON");
    EXPECT_EQ(form().LabelCD.backColor(), Green);
}

TEST_F(PortSwitchTest, LabelClickOnAClosedPortSetsTheLineAndEndsQuietly) {
    port().setRTSEnable(false);
    form().LabelRTS.userClick();  // the closed-state "  RTS" means "turn it on"
    EXPECT_TRUE(port().rtsEnable());
    EXPECT_EQ(form().LabelRTS.caption(), u"RTS=0 Enable");
    EXPECT_EQ(form().LabelDSR.caption(), u"  DSR");  // the closed port cannot report its inputs
    EXPECT_TRUE(platform().escapes.empty());
    EXPECT_FALSE(form().PortIsOpen);
}

TEST_F(PortSwitchTest, AFailingLineReadStopsTheRefreshThere) {
    form().ComStartStop.userClick();
    port().fail(Member::CTS, comm::err::NoModemLines);
    port().setDTREnable(false);
    port().setLines(false, true, true);
    run(5);
    EXPECT_EQ(form().LabelDTR.caption(), u"DTR=1 Disable");
    EXPECT_EQ(form().LabelDSR.caption(), u"DSR=1 False");
    EXPECT_EQ(form().LabelCD.caption(), u"CD=1 OFF");  // not reached this tick
    EXPECT_TRUE(form().TimerRead.running());          // and the tick goes on
    EXPECT_TRUE(form().PortIsOpen);
}

TEST(PortSettingsText, LeadingDigitsOrZero) {
    EXPECT_EQ(console::PortSettingsText(u"9600bps"), u"9600,N,8,1");
    EXPECT_EQ(console::PortSettingsText(u""), u"0,N,8,1");
    EXPECT_EQ(console::PortSettingsText(u"bps"), u"0,N,8,1");
}

}  // namespace
