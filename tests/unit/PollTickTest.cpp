#include <gtest/gtest.h>

#include "comm/CommError.h"
#include "console/Colors.h"
#include "tests/support/ConsoleFixture.h"

namespace {

using console::colors::Green;
using console::colors::Yellow;

class PollTickTest : public testsupport::ConsoleFixture {
protected:
    void SetUp() override {
        load();
        clickOpen();
        ASSERT_TRUE(form().PortIsOpen);
    }
    void receive(const std::string& bytes) {
        port().deliverText(bytes);
        tick();
    }
    ui::RichTextBox& pane() { return form().RTextBuf; }
};

TEST_F(PollTickTest, BytesShowAsTextOrBracketsAndTheLampFollows) {
    receive(std::string("AT\r\n", 4));
    EXPECT_EQ(pane().text(), u"AT\r\n");
    EXPECT_EQ(form().TextReceive.backColor(), Green);
    receive(std::string("\0\t\n", 3));
    EXPECT_EQ(pane().text(), u"AT\r\n[EOF][09]\n");
    tick();  // nothing waiting
    EXPECT_EQ(form().TextReceive.backColor(), Yellow);

    form().CheckDisplay.userClick();  // applies from the next byte rendered
    EXPECT_EQ(pane().text(), u"AT\r\n[EOF][09]\n");
    receive(std::string("\0A\r", 3));
    EXPECT_EQ(pane().text(), u"AT\r\n[EOF][09]\n[00][41][0D]");
    EXPECT_EQ(pane().selStart(), static_cast<int>(pane().text().size()));
}

TEST_F(PollTickTest, ADoubleByteCharacterArrivingAsTwoBytesStaysTwoCharacters) {
    receive("\xD0\xC5");  // 信 in code page 936
    EXPECT_EQ(pane().text().size(), 2u);
    EXPECT_EQ(pane().text().find(u'信'), std::u16string::npos);
}

TEST_F(PollTickTest, CutComesBeforeTheAppendAndOnlyAbove4000) {
    pane().setText(std::u16string(4000, u'x'));
    receive("ab");
    EXPECT_EQ(pane().text().size(), 4002u);  // 4000 is not cut; the pane may now exceed it
    receive("c");
    EXPECT_EQ(pane().text(), std::u16string(1998, u'x') + u"abc");

    // The cut counts characters and may split a bracket group or CR LF.
    form().CheckDisplay.setValue(1);
    pane().setText(std::u16string(2000, u'y') + u"[0D]" + std::u16string(1997, u'z'));
    receive("Q");
    EXPECT_EQ(pane().text(), u"0D]" + std::u16string(1997, u'z') + u"[51]");
    form().CheckDisplay.setValue(0);
    pane().setText(std::u16string(2000, u'y') + u"\r\n" + std::u16string(1999, u'z'));
    receive("Q");
    EXPECT_EQ(pane().text(), u"\n" + std::u16string(1999, u'z') + u"Q");
}

TEST_F(PollTickTest, EmptyReadAfterACountLeavesThePaneAndTheLampGreen) {
    port().fail(Member::Input, comm::err::ReadFailed, 1);
    pane().setText(u"kept");
    receive("lost?");
    EXPECT_EQ(pane().text(), u"kept");
    EXPECT_EQ(form().TextReceive.backColor(), Green);
    tick();  // the bytes are still waiting and come now
    EXPECT_EQ(pane().text(), u"keptlost?");
}

TEST_F(PollTickTest, EveryFailingStepIsSkippedAndTheTickGoesOn) {
    port().fail(Member::InBufferCount, comm::err::DeviceGone);
    port().fail(Member::OutBufferCount, comm::err::DeviceGone);
    port().fail(Member::DSR, comm::err::DeviceGone);
    run(50);
    EXPECT_TRUE(form().TimerRead.running());
    EXPECT_TRUE(platform().escapes.empty());
    port().healAll();
    receive("ok");
    EXPECT_EQ(pane().text(), u"ok");
}

}  // namespace
