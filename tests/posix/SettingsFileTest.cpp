#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "console/Lumetra.h"
#include "platform/posix/IniProfile.h"
#include "tests/posix/TempDir.h"
#include "tests/support/FakeRegistry.h"
#include "tests/support/FakeShell.h"
#include "tests/support/SimCommControl.h"
#include "tests/support/VirtualPlatform.h"

namespace {

using testsupport::TempDir;

// Notes the order in which the window's own properties change.
class RecordingPlatform : public testsupport::VirtualPlatform {
public:
    void formChanged(ui::Form& form, ui::Prop prop) override {
        changes.push_back(prop);
        VirtualPlatform::formChanged(form, prop);
    }
    std::vector<ui::Prop> changes;
};

// The main window over a real settings file in a temporary program directory.
class SettingsFileTest : public ::testing::Test {
protected:
    SettingsFileTest() { platform.appInfo().path = dir.path(); }

    console::Lumetra& start() {
        if (form) platform.unload(*form);
        form = std::make_unique<console::Lumetra>(console::Services{platform, port, ini, registry, shell});
        platform.changes.clear();
        platform.show(*form);
        return *form;
    }
    std::string file() const { return TempDir::read(dir.file("lumetra.ini")); }

    TempDir dir;
    RecordingPlatform platform;
    testsupport::SimCommControl port{[this] { return platform.nowUs(); }};
    platform::posix::IniProfile ini{std::chrono::minutes(1)};  // a slow disk must not look like a stuck writer
    testsupport::FakeRegistry registry;
    testsupport::FakeShell shell;
    std::unique_ptr<console::Lumetra> form;
};

TEST_F(SettingsFileTest, FirstRunCreatesTheFileAndTheNextRunRestoresIt) {
    start();
    form->ComboPort.userSelect(2);
    form->ComboSpeed.userSelect(15);
    form->userSetBounds(300, 400, 9000, 7000);
    form->userSetWindowState(ui::Maximized);
    platform.unload(*form);
    EXPECT_EQ(file(),
              "[LumetraSet]\nPort=2\nSpeed=15\n\n"
              "[Point]\nTop=400\nLeft=300\nWidth=9000\nHeight=7000\nWindowState=2\n");

    console::Lumetra& again = start();
    EXPECT_EQ(again.ComboPort.text(), u"COM 3");
    EXPECT_EQ(again.ComboSpeed.text(), u"115200bps");
    EXPECT_EQ(port.settings(), u"115200,N,8,1");
    EXPECT_EQ(again.top(), 400);
    EXPECT_EQ(again.left(), 300);
    EXPECT_EQ(again.width(), 9000);
    EXPECT_EQ(again.height(), 7000);
    EXPECT_EQ(again.windowState(), ui::Maximized);
    // The normal bounds are in place before the window is maximized over them.
    const auto state = std::find(platform.changes.begin(), platform.changes.end(), ui::Prop::WindowState);
    ASSERT_NE(state, platform.changes.end());
    for (ui::Prop bound : {ui::Prop::Top, ui::Prop::Left, ui::Prop::Width, ui::Prop::Height})
        EXPECT_NE(std::find(platform.changes.begin(), state, bound), state);
}

// A hand-written file keeps its comments and layout, and an inline comment
// keeps its column across runs.
TEST_F(SettingsFileTest, HandWrittenFileKeepsItsCommentsAcrossRuns) {
    TempDir::write(dir.file("lumetra.ini"),
                   "; Lumetra settings\r\n[LumetraSet]\r\nPort=2    ;the bench adapter\r\nSpeed=9\r\n\r\n"
                   "[Ports]\r\nCOM3=/dev/ttyUSB0\r\n");
    start();
    EXPECT_EQ(form->ComboPort.text(), u"COM 3");
    form->ComboPort.userSelect(3);
    platform.unload(*form);
    EXPECT_EQ(file(),
              "; Lumetra settings\r\n[LumetraSet]\r\nPort=3    ;the bench adapter\r\nSpeed=9\r\n\r\n"
              "[Ports]\r\nCOM3=/dev/ttyUSB0\r\n\r\n"
              "[Point]\r\nTop=50\r\nLeft=50\r\nWidth=8000\r\nHeight=6000\r\nWindowState=0\r\n");
}

TEST_F(SettingsFileTest, ReadOnlyProgramDirectoryStillClosesTheWindow) {
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    start();
    platform.unload(*form);
    EXPECT_FALSE(form->loaded());
    EXPECT_TRUE(platform.escapes.empty());
    EXPECT_EQ(dir.entries(), 0u);
}

// Two consoles closing again and again at the same time: under the lock
// the file only ever holds one save whole, renamed over or written in place.
TEST_F(SettingsFileTest, ConsolesClosingAtOnceLeaveOneSaveWhole) {
    const auto saveOf = [](int n) {
        return "[LumetraSet]\nPort=" + std::to_string(n) + "\nSpeed=6\n\n[Point]\nTop=" + std::to_string(n * 1000) +
               "\nLeft=50\nWidth=8000\nHeight=6000\nWindowState=0\n";
    };
    for (const bool inPlace : {false, true}) {
        TempDir::write(dir.file("lumetra.ini"), saveOf(0));
        ASSERT_EQ(::chmod(dir.path().c_str(), inPlace ? 0555 : 0700), 0);
        for (int n : {1, 2}) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child != 0) continue;
            for (int round = 0; round < 1000; ++round) {
                start().ComboPort.userSelect(n);
                form->userSetBounds(50, n * 1000.0f, 8000, 6000);
                platform.unload(*form);
            }
            ::_exit(0);
        }
        for (int exited = 0, status = 0; exited < 2;) {
            exited += ::waitpid(-1, &status, WNOHANG) > 0;
            EXPECT_EQ(status, 0);
            const console::PrivateProfile::Hold held(ini, dir.file("lumetra.ini"));
            const std::string now = file();
            ASSERT_TRUE(now == saveOf(0) || now == saveOf(1) || now == saveOf(2)) << now;
        }
    }
}

}  // namespace
