#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "about/frmAbout.h"
#include "platform/posix/EmptyRegistry.h"
#include "platform/posix/PosixShell.h"
#include "tests/posix/TempDir.h"
#include "tests/support/VirtualPlatform.h"
#include "ui/Error.h"

namespace {

using platform::posix::EmptyRegistry;
using platform::posix::PosixShell;
using testsupport::TempDir;

// Real processes: poll with a generous limit rather than trusting a fixed wait.
bool PollFor(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

std::string WriteScript(const TempDir& dir, const std::string& name, const std::string& body) {
    const std::string path = dir.file(name);
    TempDir::write(path, "#!/bin/sh\n" + body);
    ::chmod(path.c_str(), 0755);
    return path;
}

// Children of this process that have ended but were never waited for.
int ZombieChildrenNamed(const std::string& comm) {
    int count = 0;
    DIR* proc = ::opendir("/proc");
    if (!proc) return 0;
    while (dirent* e = ::readdir(proc)) {
        std::ifstream stat(std::string("/proc/") + e->d_name + "/stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        const auto open = line.find('(');
        const auto close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos) continue;
        char state = 0;
        int ppid = 0;
        if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &ppid) != 2) continue;
        if (state == 'Z' && ppid == ::getpid() && line.substr(open + 1, close - open - 1) == comm) ++count;
    }
    ::closedir(proc);
    return count;
}

TEST(PosixShell, PlainFilesAreVisibleRegularFiles) {
    TempDir dir;
    PosixShell shell;
    TempDir::write(dir.file("MSINFO32.EXE"), "x");
    TempDir::write(dir.file(".hidden"), "x");
    std::filesystem::create_directory(dir.file("folder"));
    std::filesystem::create_symlink(dir.file("MSINFO32.EXE"), dir.file("link"));
    EXPECT_TRUE(shell.plainFileExists(dir.file("MSINFO32.EXE")));
    EXPECT_TRUE(shell.plainFileExists(dir.file("link")));
    EXPECT_FALSE(shell.plainFileExists(dir.file(".hidden")));
    EXPECT_FALSE(shell.plainFileExists(dir.file("folder")));
    EXPECT_FALSE(shell.plainFileExists(dir.file("missing")));
    EXPECT_FALSE(shell.plainFileExists(""));
}

TEST(PosixShell, StartsAProgramWithoutWaitingForIt) {
    TempDir dir;
    const std::string script = WriteScript(dir, "lmtr-started",
                                           "touch \"$(dirname \"$0\")/begun\"\n"
                                           "while [ ! -e \"$(dirname \"$0\")/release\" ]; do sleep 0.02; done\n"
                                           "touch \"$(dirname \"$0\")/done\"\n");
    PosixShell shell;
    shell.startProgram(script, about::SystemShell::NormalFocus);  // returns while the script still waits
    ASSERT_TRUE(PollFor([&] { return Exists(dir.file("begun")); }));
    EXPECT_FALSE(Exists(dir.file("done")));
    TempDir::write(dir.file("release"), "");
    EXPECT_TRUE(PollFor([&] { return Exists(dir.file("done")); }));
}

TEST(PosixShell, AnEndedProgramLeavesNoZombie) {
    TempDir dir;
    const std::string script = WriteScript(dir, "lmtr-reaped", "touch \"$(dirname \"$0\")/ran\"\n");
    PosixShell shell;
    shell.startProgram(script, about::SystemShell::NormalFocus);
    ASSERT_TRUE(PollFor([&] { return Exists(dir.file("ran")); }));
    EXPECT_TRUE(PollFor([] { return ZombieChildrenNamed("lmtr-reaped") == 0; }));
}

TEST(PosixShell, NothingToStartIsANumberedError) {
    TempDir dir;
    TempDir::write(dir.file("notexec"), "#!/bin/sh\n");
    ::chmod(dir.file("notexec").c_str(), 0644);
    PosixShell shell;
    auto failure = [&](const std::string& path) {
        try {
            shell.startProgram(path, about::SystemShell::NormalFocus);
        } catch (const ui::Error& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(failure(dir.file("missing")), 53);
    EXPECT_EQ(failure(""), 53);
    EXPECT_EQ(failure(dir.file("notexec")), 70);
    EXPECT_NE(failure(dir.path()), 0);  // a folder
}

TEST(EmptyRegistry, NoKeyExists) {
    EmptyRegistry registry;
    std::uint32_t handle = 0;
    EXPECT_EQ(registry.openKey(about::Registry::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", 0,
                               0x2003F, handle),
              about::Registry::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(handle, 0u);
}

TEST(EmptyRegistry, SystemInformationIsUnavailableOnLinux) {
    testsupport::VirtualPlatform platform;
    EmptyRegistry registry;
    PosixShell shell;
    about::frmAbout about(platform, registry, shell);
    about.StartSysInfo();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, u"此时系统信息不可用");
}

}  // namespace
