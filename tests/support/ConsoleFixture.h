#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "console/Lumetra.h"
#include "tests/support/FakeRegistry.h"
#include "tests/support/FakeShell.h"
#include "tests/support/MemoryProfile.h"
#include "tests/support/SimCommControl.h"
#include "tests/support/VirtualPlatform.h"

namespace testsupport {

// The main window on the virtual platform with a simulated port.
class ConsoleFixture : public ::testing::Test {
protected:
    using Member = SimCommControl::Member;

    ConsoleFixture();
    ~ConsoleFixture() override;

    VirtualPlatform& platform() { return platform_; }
    SimCommControl& port() { return port_; }
    MemoryProfile& profile() { return profile_; }
    FakeRegistry& registry() { return registry_; }
    FakeShell& shell() { return shell_; }
    console::Lumetra& form() { return *form_; }

    void load();  // shows the main window (Form_Load runs)
    void selectSpeed(int index) { form().ComboSpeed.userSelect(index); }
    void selectPort(int index) { form().ComboPort.userSelect(index); }
    void clickOpen();  // selects COM 1 and 9600bps, then opens
    void tick() { platform_.doEvents(); }
    void run(double ms) { platform_.advance(ms); }
    std::string messageTexts() const;

private:
    VirtualPlatform platform_;
    SimCommControl port_;
    MemoryProfile profile_;
    FakeRegistry registry_;
    FakeShell shell_;
    std::unique_ptr<console::Lumetra> form_;
};

}  // namespace testsupport
