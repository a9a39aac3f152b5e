#include <gtest/gtest.h>

#include "modemtest/ReplyChecks.h"
#include "tests/support/ConsoleFixture.h"
#include "tests/support/ScriptedDevice.h"

namespace {

using modemtest::JudgeSignal;
using modemtest::SignalVerdict;

const std::u16string kLow = u"信号太低,至少应在14以上";
const std::u16string kAntenna = u"天线没有接好";

class CommandButtonsTest : public testsupport::ConsoleFixture {
protected:
    void SetUp() override {
        load();
        port().attach(&device);
        clickOpen();
        ASSERT_TRUE(form().PortIsOpen);
    }
    std::vector<std::u16string> messages() const {
        std::vector<std::u16string> out;
        for (const auto& m : const_cast<CommandButtonsTest*>(this)->platform().messages) out.push_back(m.text);
        return out;
    }
    std::vector<std::u16string> signalMessagesFor(const std::string& answer) {
        device.replies["AT+CSQ"] = answer;
        platform().messages.clear();
        form().ComSignal.userClick();
        return messages();
    }
    testsupport::ScriptedDevice device;
};

TEST_F(CommandButtonsTest, EachButtonSendsItsLine) {
    form().ComCallID.userClick();
    form().Comcops.userClick();
    form().ComHandOff.userClick();
    form().ComDial[4]->userClick();
    form().ComDial[9]->userClick();
    form().ComDial[10]->userClick();
    form().ComDial[11]->userClick();
    form().TextNumber.setText(u"12");
    form().Command3.userClick();
    const std::vector<std::string> expected = {"AT+CLCC",   "AT+COPS?", "AT+CHUP", "AT+VTS=5",
                                               "AT+VTS=*",  "AT+VTS=0", "AT+VTS=#", "ATD12;"};
    EXPECT_EQ(device.heard(), expected);
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(CommandButtonsTest, DialTestFillsTheDefaultNumberEvenWithThePortClosed) {
    form().TextNumber.setText(u"7");
    form().Command3.userClick();
    EXPECT_EQ(device.heard().back(), "ATD10086;");
    form().ComStartStop.userClick();  // close
    port().clearWrites();
    form().TextNumber.setText(u"");
    form().Command3.userClick();
    EXPECT_EQ(form().TextNumber.text(), u"10086");
    EXPECT_TRUE(port().writes().empty());
}

TEST_F(CommandButtonsTest, ClosedPortButtonsDoNothingAndSayNothing) {
    form().ComStartStop.userClick();
    port().clearWrites();
    form().RTextBuf.setText(u"last reply");
    for (ui::CommandButton* b : {&form().ComCallID, &form().Comcops, &form().ComHandOff, &form().ComPIN,
                                 &form().ComSignal, form().ComDial[0].get(), &form().ComVersion})
        b->userClick();
    EXPECT_TRUE(port().writes().empty());
    EXPECT_TRUE(platform().messages.empty());
    EXPECT_EQ(form().RTextBuf.text(), u"last reply");
    EXPECT_EQ(platform().nowMs(), 0.0);
}

TEST_F(CommandButtonsTest, PinGoesOutOnlyWhenAskedForAndFourCharactersLong) {
    device.replies["AT+CPIN?"] = "\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n";
    device.replies["AT+CPIN=1234"] = "\r\nOK\r\n";
    form().TextPIN.setText(u"1234");
    form().ComPIN.userClick();
    EXPECT_EQ(device.heard(), (std::vector<std::string>{"AT+CPIN?", "AT+CPIN=1234"}));
    EXPECT_EQ(form().RTextBuf.text(), u"\r\nOK\r\n");  // only the answer to the PIN

    device.lines.clear();
    form().TextPIN.setMaxLength(0);  // a PIN of five set by code is not sent either
    form().TextPIN.setText(u"12345");
    form().ComPIN.userClick();
    EXPECT_EQ(device.heard(), std::vector<std::string>{"AT+CPIN?"});

    device.lines.clear();
    form().TextPIN.setText(u"123");
    form().ComPIN.userClick();
    EXPECT_EQ(device.heard(), std::vector<std::string>{"AT+CPIN?"});

    device.lines.clear();
    device.replies["AT+CPIN?"] = "\r\n+cpin: sim pin2\r\n";
    form().TextPIN.setText(u"4321");
    form().ComPIN.userClick();
    EXPECT_EQ(device.heard(), (std::vector<std::string>{"AT+CPIN?", "AT+CPIN=4321"}));

    device.lines.clear();
    device.replies["AT+CPIN?"] = "\r\n+CPIN: READY\r\n\r\nOK\r\n";
    form().ComPIN.userClick();
    EXPECT_EQ(device.heard(), std::vector<std::string>{"AT+CPIN?"});
    EXPECT_TRUE(platform().messages.empty());
}

TEST_F(CommandButtonsTest, SignalVerdictsOnRealAnswers) {
    using V = std::vector<std::u16string>;
    EXPECT_EQ(signalMessagesFor("\r\n+CSQ: 25,99\r\n\r\nOK\r\n"), V{});
    EXPECT_EQ(signalMessagesFor("\r\n+CSQ: 25,0\r\n\r\nOK\r\n"), V{kAntenna});
    EXPECT_EQ(signalMessagesFor("\r\n+CSQ: 13,99\r\n\r\nOK\r\n"), V{kLow});
    EXPECT_EQ(signalMessagesFor("\r\n+CSQ: 14,99\r\n\r\nOK\r\n"), V{});
    EXPECT_EQ(signalMessagesFor("\r\n+CSQ: 99,99\r\n\r\nOK\r\n"), V{kAntenna});
    EXPECT_EQ(signalMessagesFor("\r\n+CSQ: 9,99\r\n\r\nOK\r\n"), V{kLow});
    EXPECT_EQ(signalMessagesFor("\r\n+CSQ:25,99\r\n\r\nOK\r\n"), V{kLow});
    EXPECT_EQ(signalMessagesFor(""), V{kLow});
    EXPECT_EQ(signalMessagesFor("\r\nERROR\r\n"), V{kLow});
    ASSERT_FALSE(platform().messages.empty());
    EXPECT_EQ(platform().messages.back().style, 64);
    EXPECT_EQ(platform().messages.back().title, u"Orvane测试工具");
}

TEST_F(CommandButtonsTest, HexDisplayHidesTheAnswersFromTheChecks) {
    form().CheckDisplay.userClick();
    device.replies["AT+CPIN?"] = "\r\n+CPIN: SIM PIN\r\n";
    form().ComPIN.userClick();
    EXPECT_EQ(device.heard(), std::vector<std::string>{"AT+CPIN?"});
    EXPECT_EQ(signalMessagesFor("\r\n+CSQ: 25,99\r\n\r\nOK\r\n"), std::vector<std::u16string>{kLow});
}

TEST(JudgeSignal, WithoutCsqTheFifthAndSixthCharactersAreRead) {
    EXPECT_EQ(JudgeSignal(u"abcd14,99xx"), SignalVerdict::Fine);
    EXPECT_EQ(JudgeSignal(u"abcd14,00xx"), SignalVerdict::NoAntenna);
    EXPECT_EQ(JudgeSignal(u"abcd"), SignalVerdict::TooLow);
    EXPECT_EQ(JudgeSignal(u"+csq: 31,99"), SignalVerdict::Fine);  // case does not matter
    EXPECT_EQ(JudgeSignal(u"+CSQ: 20"), SignalVerdict::NoAntenna);  // the answer ends early
    EXPECT_EQ(JudgeSignal(u"+CSQ: 25,0 xx99"), SignalVerdict::NoAntenna);  // the 99 lies past the six characters
}

TEST_F(CommandButtonsTest, NumberAndPinBoxesTakeDigitsAndControlKeysOnly) {
    for (ui::TextBox* box : {&form().TextNumber, &form().TextPIN}) {
        box->setText(u"");
        box->userType(u'1', '1');
        box->userType(u'a', 'a');
        box->userType(u'Z', 'Z');
        box->userType(u' ', ' ');
        box->userType(u'-', '-');
        box->userType(u'.', '.');
        box->userType(u'+', '+');
        box->userType(u'9', '9');
        EXPECT_EQ(box->text(), u"19");
        box->userType(0, 8);  // Backspace passes
        EXPECT_EQ(box->text(), u"1");
    }
    for (std::int16_t k : {48, 57, 31, 0}) EXPECT_EQ(modemtest::FilterDigitKey(k), k);
    for (std::int16_t k : {47, 58, 32}) EXPECT_EQ(modemtest::FilterDigitKey(k), 0);
    std::int16_t enter = 13, chinese = static_cast<std::int16_t>(0xD0C5), paste = 22;
    form().TextNumber.KeyPress(enter);
    form().TextNumber.KeyPress(chinese);
    form().TextNumber.KeyPress(paste);
    EXPECT_EQ(enter, 13);
    EXPECT_EQ(chinese, static_cast<std::int16_t>(0xD0C5));
    EXPECT_EQ(paste, 22);
}

}  // namespace
