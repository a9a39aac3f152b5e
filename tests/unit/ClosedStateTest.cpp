#include <gtest/gtest.h>

#include "console/Colors.h"
#include "tests/support/ConsoleFixture.h"

namespace {

using testsupport::ConsoleFixture;

TEST_F(ConsoleFixture, LoadLeavesTheClosedState) {
    load();
    const std::pair<ui::Label*, const char16_t*> lines[] = {{&form().LabelDTR, u"  DTR"},
                                                            {&form().LabelRTS, u"  RTS"},
                                                            {&form().LabelDSR, u"  DSR"},
                                                            {&form().LabelCTS, u"  CTS"},
                                                            {&form().LabelCD, u"  CD"}};
    for (auto [label, caption] : lines) {
        EXPECT_EQ(label->caption(), caption);
        EXPECT_EQ(label->backColor(), console::colors::LightYellow);
    }
    EXPECT_FALSE(form().PortIsOpen);
    EXPECT_FALSE(form().TextOut.enabled());
    EXPECT_EQ(form().TextOut.text(), u"请先打开端口!");
    EXPECT_EQ(form().RTextBuf.text(), u"");
    EXPECT_EQ(form().LabelMove.caption(), u"");
    EXPECT_EQ(form().caption(), u"设备测试程序  版本 V1.12");
    EXPECT_FALSE(form().TimerRead.running());
    EXPECT_FALSE(form().TimerDelay.running());
    EXPECT_FALSE(port().portOpen());
}

TEST_F(ConsoleFixture, VersionCaptionJoinsMinorAndRevision) {
    platform().appInfo().major = 2;
    platform().appInfo().minor = 0;
    platform().appInfo().revision = 15;
    load();
    EXPECT_EQ(form().caption(), u"设备测试程序  版本 V2.015");
}

TEST_F(ConsoleFixture, UnloadClosesAnOpenPortAndTouchesNothingElse) {
    load();
    clickOpen();
    ASSERT_TRUE(port().portOpen());
    port().calls.clear();
    platform().unload(form());
    EXPECT_FALSE(port().portOpen());
    EXPECT_FALSE(form().loaded());
    EXPECT_EQ(port().calls, std::vector<std::string>{"PortOpen=False"});
}

TEST_F(ConsoleFixture, UnloadWithThePortClosedMakesNoOtherCall) {
    load();
    port().calls.clear();
    platform().unload(form());
    EXPECT_TRUE(port().calls.empty());
    EXPECT_FALSE(form().loaded());
}

TEST_F(ConsoleFixture, UnloadGoesOnWhenTheControlFails) {
    load();
    clickOpen();
    port().fail(Member::PortOpenGet, 8020);
    port().fail(Member::PortOpenSet, 8021);
    platform().unload(form());
    EXPECT_FALSE(form().loaded());
    EXPECT_TRUE(platform().escapes.empty());
}

}  // namespace
