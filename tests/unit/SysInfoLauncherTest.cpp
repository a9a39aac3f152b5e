#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/frmAbout.h"
#include "tests/support/ConsoleFixture.h"
#include "ui/Error.h"

namespace {

const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

class SysInfoLauncherTest : public testsupport::ConsoleFixture {
protected:
    // Reads one value through the window's GetKeyValue.
    bool read(const std::string& key, const std::string& name, std::string& value) {
        std::uint32_t root = about::Registry::HKEY_LOCAL_MACHINE;
        std::string k = key;
        std::string n = name;
        return about.GetKeyValue(root, k, n, value);
    }
    std::string readOk(const std::string& key, const std::string& name) {
        std::string value = "untouched";
        EXPECT_TRUE(read(key, name, value));
        return value;
    }
    void expectUnavailable() {
        ASSERT_EQ(platform().messages.size(), 1u);
        EXPECT_EQ(platform().messages[0].text, u"此时系统信息不可用");
        EXPECT_EQ(platform().messages[0].style, ui::mb::OkOnly);
        EXPECT_EQ(platform().messages[0].title, u"Orvane测试工具");
    }
    // Every key opened was closed again.
    void expectKeysClosed() {
        EXPECT_EQ(registry().closed.size(), registry().accessMasks.size());
        for (std::uint32_t mask : registry().accessMasks) EXPECT_EQ(mask, 0x2003Fu);
    }

    about::frmAbout about{platform(), registry(), shell()};
};

TEST_F(SysInfoLauncherTest, StartsThePathAsReadWithoutTestingIt) {
    const std::string program = "C:\\WINDOWS\\msinfo32.exe";
    registry().setString(kPathKey, "PATH", program);
    shell().startable.insert(program);
    about.StartSysInfo();
    ASSERT_EQ(shell().started.size(), 1u);
    EXPECT_EQ(shell().started[0].first, program);
    EXPECT_EQ(shell().started[0].second, about::SystemShell::NormalFocus);
    EXPECT_TRUE(platform().messages.empty());
    EXPECT_EQ(registry().accessMasks.size(), 1u);
    expectKeysClosed();
}

TEST_F(SysInfoLauncherTest, PathThatCannotStartGivesTheMessageWithoutTheSecondLookup) {
    registry().setString(kPathKey, "PATH", "C:\\nowhere\\msinfo32.exe");
    registry().setString(kFolderKey, "MSINFO", "C:\\Tools");
    shell().files.insert("C:\\Tools\\MSINFO32.EXE");
    shell().startable.insert("C:\\Tools\\MSINFO32.EXE");
    about.StartSysInfo();
    EXPECT_TRUE(shell().started.empty());
    EXPECT_EQ(registry().accessMasks.size(), 1u);
    expectUnavailable();
}

TEST_F(SysInfoLauncherTest, FallsBackToTheFolderHoldingTheProgram) {
    registry().setString(kFolderKey, "MSINFO", "C:\\Tools");
    shell().files.insert("C:\\Tools\\MSINFO32.EXE");
    shell().startable.insert("C:\\Tools\\MSINFO32.EXE");
    about.StartSysInfo();
    ASSERT_EQ(shell().started.size(), 1u);
    EXPECT_EQ(shell().started[0].first, "C:\\Tools\\MSINFO32.EXE");
    EXPECT_TRUE(platform().messages.empty());
    expectKeysClosed();
}

TEST_F(SysInfoLauncherTest, PathKeyWithoutItsValueAlsoFallsBack) {
    registry().setRaw(kPathKey, "OTHER", about::Registry::REG_SZ, {'x', 0});
    registry().setString(kFolderKey, "MSINFO", "C:\\Tools");
    shell().files.insert("C:\\Tools\\MSINFO32.EXE");
    shell().startable.insert("C:\\Tools\\MSINFO32.EXE");
    about.StartSysInfo();
    ASSERT_EQ(shell().started.size(), 1u);
    EXPECT_EQ(shell().started[0].first, "C:\\Tools\\MSINFO32.EXE");
    expectKeysClosed();
}

TEST_F(SysInfoLauncherTest, FolderWithoutTheProgramGivesTheMessage) {
    registry().setString(kFolderKey, "MSINFO", "C:\\Tools");
    shell().startable.insert("C:\\Tools\\MSINFO32.EXE");  // startable, but not there as a plain file
    about.StartSysInfo();
    EXPECT_TRUE(shell().started.empty());
    expectUnavailable();
}

TEST_F(SysInfoLauncherTest, NeitherValueGivesTheMessageAndStartsNothing) {
    about.StartSysInfo();
    EXPECT_TRUE(shell().started.empty());
    expectUnavailable();
    EXPECT_EQ(registry().closed, (std::vector<std::uint32_t>{0, 0}));  // neither key ever opened
}

TEST_F(SysInfoLauncherTest, StringsLoseOnlyAStoredTerminatingNul) {
    registry().setString(kPathKey, "withNul", "abc", true);
    registry().setString(kPathKey, "withoutNul", "abc", false);
    registry().setString(kPathKey, "gbk", "\xB2\xE2\xCA\xD4", false);  // two characters, four bytes
    EXPECT_EQ(readOk(kPathKey, "withNul"), "abc");
    EXPECT_EQ(readOk(kPathKey, "withoutNul"), "abc");
    EXPECT_EQ(readOk(kPathKey, "gbk"), "\xB2\xE2\xCA\xD4");
    registry().setString(kPathKey, "full", std::string(1024, 'x'), false);
    EXPECT_EQ(readOk(kPathKey, "full"), std::string(1024, 'x'));
    expectKeysClosed();
}

TEST_F(SysInfoLauncherTest, DwordsReadMostSignificantByteFirst) {
    registry().setDword(kPathKey, "small", 258);
    registry().setDword(kPathKey, "large", 0x8A0B0C0Du);
    EXPECT_EQ(readOk(kPathKey, "small"), "&h000102");
    EXPECT_EQ(readOk(kPathKey, "large"), "&h8A0B0C0D");
}

TEST_F(SysInfoLauncherTest, OtherTypesSucceedAndLeaveTheTextAlone) {
    registry().setRaw(kPathKey, "expand", about::Registry::REG_EXPAND_SZ, {'%', 'x', '%', 0});
    EXPECT_EQ(readOk(kPathKey, "expand"), "untouched");
    expectKeysClosed();
}

TEST_F(SysInfoLauncherTest, FailuresEmptyTheTextAndCloseWhatWasOpened) {
    registry().setString(kPathKey, "long", std::string(1025, 'x'), false);
    std::string value = "old";
    EXPECT_FALSE(read(kPathKey, "long", value));
    EXPECT_EQ(value, "");
    value = "old";
    EXPECT_FALSE(read(kPathKey, "missing", value));
    EXPECT_EQ(value, "");
    ASSERT_EQ(registry().closed.size(), 2u);
    EXPECT_NE(registry().closed[0], 0u);
    EXPECT_NE(registry().closed[1], 0u);

    registry().refuseOpen = true;  // an account without the write rights the mask asks for
    value = "old";
    EXPECT_FALSE(read(kPathKey, "long", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry().closed.back(), 0u);
    for (std::uint32_t mask : registry().accessMasks) EXPECT_EQ(mask, 0x2003Fu);
}

TEST_F(SysInfoLauncherTest, EmptyValueFailsToTheCallerWithTheKeyClosed) {
    registry().setRaw(kPathKey, "PATH", about::Registry::REG_DWORD, {});
    std::uint32_t root = about::Registry::HKEY_LOCAL_MACHINE;
    std::string key = kPathKey, name = "PATH", value = "kept";
    EXPECT_THROW(about.GetKeyValue(root, key, name, value), ui::Error);
    EXPECT_EQ(value, "kept");
    expectKeysClosed();
}

TEST_F(SysInfoLauncherTest, EmptyPathGivesTheMessage) {
    registry().setRaw(kPathKey, "PATH", about::Registry::REG_SZ, {});
    registry().setString(kFolderKey, "MSINFO", "C:\\Tools");
    shell().files.insert("C:\\Tools\\MSINFO32.EXE");
    shell().startable.insert("C:\\Tools\\MSINFO32.EXE");
    about.StartSysInfo();
    EXPECT_TRUE(shell().started.empty());
    expectUnavailable();
    expectKeysClosed();
}

}  // namespace
