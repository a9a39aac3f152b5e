#include <gtest/gtest.h>

#include "tests/support/ConsoleFixture.h"
#include "tests/support/ModuleDevice.h"
#include "ui/Text.h"

namespace {

// The main window with the module model on the far end of its port.
class ConsoleWithModule : public testsupport::ConsoleFixture {
protected:
    ~ConsoleWithModule() override { port().attach(nullptr); }

    void attach(gsm::ModuleConfig config = {}) {
        device_ = std::make_unique<testsupport::ModuleDevice>(std::move(config));
        port().attach(device_.get());
    }

private:
    std::unique_ptr<testsupport::ModuleDevice> device_;
};

TEST_F(ConsoleWithModule, TheModuleAnswersACommandInTheLowerPane) {
    attach();
    load();
    clickOpen();
    ASSERT_TRUE(form().PortIsOpen);
    form().SendCommand(u"AT+CSQ");
    const std::u16string reply = form().RTextBuf.text();
    EXPECT_EQ(reply.find(u"AT+CSQ"), 0u) << ui::ToUtf8(reply);
    EXPECT_NE(reply.find(u"+CSQ: 25,99"), std::u16string::npos) << ui::ToUtf8(reply);
    EXPECT_NE(reply.find(u"OK"), std::u16string::npos) << ui::ToUtf8(reply);
}

TEST_F(ConsoleWithModule, AModuleAtAnotherSpeedLeavesThePaneEmpty) {
    gsm::ModuleConfig config;
    config.speeds = {57600};
    attach(config);
    load();
    clickOpen();
    form().SendCommand(u"AT+CSQ");
    EXPECT_EQ(form().RTextBuf.text(), u"");
}

TEST_F(ConsoleWithModule, TheModulesLinesShowThroughThePort) {
    gsm::ModuleConfig config;
    config.dsr = false;
    config.cts = true;
    config.cd = true;
    attach(config);
    load();
    clickOpen();
    EXPECT_FALSE(port().dsrHolding());
    EXPECT_TRUE(port().ctsHolding());
    EXPECT_TRUE(port().cdHolding());
}

}  // namespace
