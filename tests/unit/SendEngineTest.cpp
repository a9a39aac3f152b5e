#include <gtest/gtest.h>

#include "comm/CommError.h"
#include "console/Colors.h"
#include "tests/support/ConsoleFixture.h"
#include "tests/support/ScriptedDevice.h"

namespace {

using console::colors::Green;
using console::colors::Yellow;

class SendEngineTest : public testsupport::ConsoleFixture {
protected:
    void SetUp() override {
        load();
        port().attach(&device);
        clickOpen();
        ASSERT_TRUE(form().PortIsOpen);
        port().calls.clear();
    }
    void typeAndEnter(const std::u16string& text) {
        form().TextOut.userEdit(0, static_cast<int>(form().TextOut.text().size()), text);
        form().TextOut.userType(u'\r', 13);
    }
    // Ticks until the transmission is complete; returns the writes made meanwhile.
    void runUntilIdle() {
        for (int i = 0; i < 10000 && form().SendInProgress; ++i) tick();
    }
    testsupport::ScriptedDevice device;
};

TEST_F(SendEngineTest, ClosedPortChangesNothing) {
    form().ComStartStop.userClick();
    form().RTextBuf.setText(u"old reply");
    const double before = platform().nowMs();
    form().SendCommand(u"AT+CSQ");
    EXPECT_EQ(platform().nowMs(), before);
    EXPECT_EQ(form().RTextBuf.text(), u"old reply");
    EXPECT_EQ(form().TextOut.text(), u"请先打开端口!");
    EXPECT_EQ(form().TextSend.backColor(), Yellow);
    EXPECT_TRUE(port().writes().empty());
}

TEST_F(SendEngineTest, CommandGoesOutWholeAndTheReplyCollectsDuringOneWait) {
    device.replies["AT+CSQ"] = "\r\n+CSQ: 25,99\r\n\r\nOK\r\n";
    form().RTextBuf.setText(u"stale");
    bool disabledDuringWait = false;
    form().TimerRead.Tick = [&, tick = form().TimerRead.Tick] {
        disabledDuringWait = disabledDuringWait || !form().enabled();
        tick();
    };
    const double before = platform().nowMs();
    form().SendCommand(u"AT+CSQ");

    EXPECT_DOUBLE_EQ(platform().nowMs() - before, 300.0);
    ASSERT_EQ(port().writes().size(), 1u);
    EXPECT_EQ(port().writes()[0].bytes, "AT+CSQ\r\n");
    EXPECT_EQ(form().RTextBuf.text(), u"\r\n+CSQ: 25,99\r\n\r\nOK\r\n");
    EXPECT_TRUE(disabledDuringWait);
    EXPECT_TRUE(form().enabled());
    EXPECT_FALSE(form().TimerDelay.enabled());
    EXPECT_FALSE(form().InSendDelay);
    // The echo left the transmit buffer long ago: the pane is idle again.
    EXPECT_EQ(form().TextOut.text(), u"");
    EXPECT_EQ(form().TextSend.backColor(), Yellow);
}

TEST_F(SendEngineTest, EchoReplacesTypedTextAndTheLowerPaneIsEmptiedBeforeTheWrite) {
    form().TextOut.userEdit(0, 0, u"half typed");
    form().RTextBuf.setText(u"old");
    port().deliverText("early");  // waiting before the command: shows after the clear
    form().TimerDelay.Tick = [&, t = form().TimerDelay.Tick] {
        EXPECT_EQ(form().TextOut.text(), u"ATI\r\n");
        t();
    };
    port().setOutBufferSize(512);
    device.speeds.clear();  // a slow line keeps the echo in the pane
    selectSpeed(0);         // 50 bit/s: 5 bytes take a second
    form().SendCommand(u"ATI");
    EXPECT_EQ(form().RTextBuf.text(), u"early");
}

TEST_F(SendEngineTest, LongCommandGoesOutInChunksWithoutTerminatorOnTheFirst) {
    port().setOutBufferSize(16);
    const std::u16string cmd = u"AT+CMGS=\"0123456789012345\"";
    form().SendCommand(cmd);
    runUntilIdle();
    ASSERT_GE(port().writes().size(), 2u);
    EXPECT_EQ(port().writes()[0].bytes, "AT+CMGS=\"0123456");
    EXPECT_EQ(port().writes()[1].bytes, "789012345\"\r\n\r");
}

TEST_F(SendEngineTest, SecondCommandWaitsItsFull300msAgain) {
    form().SendCommand(u"AT");
    const double mid = platform().nowMs();
    form().SendCommand(u"AT");
    EXPECT_DOUBLE_EQ(platform().nowMs() - mid, 300.0);
}

TEST_F(SendEngineTest, FailingOutputNeitherCrashesNorLeavesTheWindowDisabled) {
    port().fail(Member::Output, comm::err::DeviceGone);
    port().fail(Member::OutBufferSize, comm::err::DeviceGone);
    form().SendCommand(u"AT+CSQ");
    EXPECT_TRUE(form().enabled());
    EXPECT_TRUE(platform().escapes.empty());
    EXPECT_GE(form().SendChunk, 1);
}

TEST_F(SendEngineTest, EnterSendsTheTypedLineWithCrOnlyAfterA) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"ati", "ati\r"}, {u"ATI", "ATI\r"}, {u"+CSQ", "+CSQ"}, {u" ati", " ati"}, {u"1a", "1a"}, {u"信号", "??"}};
    for (const auto& [typed, sent] : cases) {
        port().clearWrites();
        form().RTextBuf.setText(u"keep");
        typeAndEnter(typed);
        ASSERT_EQ(port().writes().size(), 1u);
        EXPECT_EQ(port().writes()[0].bytes, sent);
        EXPECT_FALSE(form().TextOut.enabled());
        EXPECT_EQ(form().TextSend.backColor(), Green);
        EXPECT_EQ(form().TextOut.text(), typed);  // Enter inserts nothing
        EXPECT_EQ(form().RTextBuf.text(), u"keep");
        runUntilIdle();
        EXPECT_TRUE(form().TextOut.enabled());
        EXPECT_EQ(form().TextOut.text(), u"");
    }
}

TEST_F(SendEngineTest, EnterInAnEmptyPaneSendsNothing) {
    typeAndEnter(u"at");
    runUntilIdle();
    port().clearWrites();
    typeAndEnter(u"");
    EXPECT_EQ(form().SendLen, 0);
    EXPECT_EQ(form().SendPos, 0);  // the finished transmission left 2 there
    EXPECT_TRUE(port().writes().empty());
    EXPECT_TRUE(form().TextOut.enabled());
    EXPECT_EQ(form().TextOut.text(), u"");
    form().TextOut.userType(u'x', 'x');  // other keys type as usual
    EXPECT_EQ(form().TextOut.text(), u"x");
    EXPECT_TRUE(port().writes().empty());
}

TEST_F(SendEngineTest, ExactlyOneBufferIsOneChunkAndOneMoreIsTwo) {
    typeAndEnter(std::u16string(512, u'b'));
    runUntilIdle();
    EXPECT_EQ(port().writes().size(), 1u);
    port().clearWrites();
    typeAndEnter(std::u16string(513, u'b'));
    runUntilIdle();
    ASSERT_EQ(port().writes().size(), 2u);
    EXPECT_EQ(port().writes()[1].bytes, "b\r");
}

TEST_F(SendEngineTest, LongLineIsPacedOneChunkPerTickThatFindsTheBufferEmpty) {
    std::u16string text;
    for (int i = 0; i < 1200; ++i) text += static_cast<char16_t>(u'A' + i % 26);
    typeAndEnter(text);
    ASSERT_EQ(port().writes().size(), 1u);
    const auto drainUs = [](std::size_t bytes) { return static_cast<std::int64_t>(bytes) * 10'000'000 / 9600; };

    // No continuation while the first chunk drains.
    run(500);
    EXPECT_EQ(port().writes().size(), 1u);
    while (port().writes().size() < 2) tick();
    const auto& w = port().writes();
    EXPECT_EQ(w[0].bytes, std::string(text.begin(), text.begin() + 512) + "\r");  // it starts with "A"
    EXPECT_EQ(w[1].bytes, std::string(text.begin() + 512, text.begin() + 1024) + "\r");
    EXPECT_GE(w[1].atUs, w[0].atUs + drainUs(513));
    EXPECT_LT(w[1].atUs, w[0].atUs + drainUs(513) + 5000);  // the first tick after the drain
    EXPECT_TRUE(form().SendInProgress);

    while (port().writes().size() < 3) tick();
    EXPECT_EQ(port().writes()[2].bytes, std::string(text.begin() + 1024, text.end()) + "\r");
    EXPECT_EQ(form().SendPos, 1200);
    EXPECT_TRUE(form().SendInProgress);  // never completed in the tick of the last chunk
    tick();
    EXPECT_TRUE(form().SendInProgress);  // the last chunk is still draining
    runUntilIdle();
    EXPECT_EQ(port().writes().size(), 3u);
    EXPECT_EQ(form().TextSend.backColor(), Yellow);
}

TEST_F(SendEngineTest, CompletionFocusesThePaneAndAnIdleTickLeavesTypingAlone) {
    typeAndEnter(u"at");
    form().setActiveControl(nullptr);  // the user clicked elsewhere meanwhile
    runUntilIdle();
    EXPECT_TRUE(form().TextOut.hasFocus());
    form().TextOut.userEdit(0, 0, u"at+c");
    run(50);
    EXPECT_EQ(form().TextOut.text(), u"at+c");
    EXPECT_TRUE(form().TextOut.enabled());
}

TEST_F(SendEngineTest, ClosingMidTransmissionDropsTheRestAndKeepsTheLampGreen) {
    typeAndEnter(std::u16string(1024, u'c'));
    form().ComStartStop.userClick();
    run(2000);
    EXPECT_EQ(port().writes().size(), 1u);
    EXPECT_EQ(form().TextSend.backColor(), Green);
    EXPECT_LT(form().SendPos, form().SendLen);
}

TEST_F(SendEngineTest, TwoFullChunksEndWithCrOnTheSecond) {
    typeAndEnter(std::u16string(1024, u'd'));
    runUntilIdle();
    ASSERT_EQ(port().writes().size(), 2u);
    EXPECT_EQ(port().writes()[0].bytes, std::string(512, 'd'));
    EXPECT_EQ(port().writes()[1].bytes, std::string(512, 'd') + "\r");
}

}  // namespace
