#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <limits>
#include <random>

#include "platform/posix/IniProfile.h"
#include "tests/posix/TempDir.h"

namespace {

using namespace std::string_literals;
using testsupport::TempDir;

class IniProfileTest : public ::testing::Test {
protected:
    std::string file(const std::string& bytes) {
        TempDir::write(path, bytes);
        return path;
    }
    int readInt(const std::string& key, int def = 50) { return ini.getInt("LumetraSet", key, def, path); }
    std::string readString(const std::string& key, int size = 300) {
        return ini.getString("LumetraSet", key, "dflt", size, path);
    }
    ino_t inode() const {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
    }

    TempDir dir;
    std::string path = dir.file("lumetra.ini");
    platform::posix::IniProfile ini;
};

TEST_F(IniProfileTest, MissingFileSectionOrKeyReadsTheDefault) {
    EXPECT_EQ(readInt("Port"), 50);
    EXPECT_EQ(readString("Port"), "dflt");
    file("[Point]\nTop=1\n[LumetraSet]\nSpeed=3\n");
    EXPECT_EQ(readInt("Port"), 50);
    EXPECT_EQ(ini.getInt("Nowhere", "Top", 50, path), 50);
    EXPECT_EQ(ini.getInt("point", "TOP", 50, path), 1);
    EXPECT_EQ(ini.getInt("LumetraSet", "Port", 50, dir.file("missing/dir/lumetra.ini")), 50);
}

TEST_F(IniProfileTest, IntegersAreTheValuesLeadingDecimalNumber) {
    file(
        "[LumetraSet]\n"
        "Comment = 2    ;note\n"
        "MinusOne=-1\nMinusSeven=-7\nPlus=+8\n"
        "Big=4294967298\nHuge=-99999999999999999999\n"
        "Text=abc\nEmpty=\nNoEquals\n");
    EXPECT_EQ(readInt("Comment"), 2);
    EXPECT_EQ(readInt("MinusOne"), -1);
    EXPECT_EQ(readInt("MinusSeven"), -7);
    EXPECT_EQ(readInt("Plus"), 8);
    EXPECT_EQ(readInt("Big"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(readInt("Huge"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(readInt("Text"), 0);
    EXPECT_EQ(readInt("Empty"), 50);  // a key without a value counts as missing
    EXPECT_EQ(readInt("NoEquals"), 50);
}

TEST_F(IniProfileTest, StringsAreCutToTheBufferLessItsTerminator) {
    file("[LumetraSet]\nLong=" + std::string(400, 'x') + "\nEmpty=\n");
    EXPECT_EQ(readString("Long"), std::string(299, 'x'));
    EXPECT_EQ(readString("Long", 1), "");
    EXPECT_EQ(readString("Long", 0), "");
    EXPECT_EQ(readString("Long", -5), "");
    EXPECT_EQ(readString("Missing", 3), "df");
    EXPECT_EQ(readString("Empty"), "");
}

TEST_F(IniProfileTest, FirstWriteCreatesTheFileWithBothSections) {
    EXPECT_TRUE(ini.writeString("LumetraSet", "Port", "0", path));
    EXPECT_TRUE(ini.writeString("LumetraSet", "Speed", "6", path));
    EXPECT_TRUE(ini.writeString("Point", "Top", "50", path));
    EXPECT_EQ(TempDir::read(path), "[LumetraSet]\nPort=0\nSpeed=6\n\n[Point]\nTop=50\n");
    EXPECT_EQ(dir.entries(), 1u);
    EXPECT_FALSE(ini.writeString("LumetraSet", "Port", "0", dir.file("missing/lumetra.ini")));
}

TEST_F(IniProfileTest, WriteKeepsCommentsBlankLinesAndLineEndingsByteForByte) {
    const std::string before =
        "; Lumetra\r\n\r\n[LumetraSet]\r\nport = 2    ;note\r\n; speed below\r\nSpeed=6\r\n\r\n\r\n"
        "[Point]\nTop=50\n\xB6\xCB\xBF\xDA=\xC4\xE3\x00x\nLeft=1"s;
    file(before);
    ASSERT_TRUE(ini.writeString("LUMETRASET", "Port", "4    ;note", path));
    ASSERT_TRUE(ini.writeString("LumetraSet", "Extra", "1", path));
    ASSERT_TRUE(ini.writeString("Point", "Width", "8000", path));
    EXPECT_EQ(TempDir::read(path),
              "; Lumetra\r\n\r\n[LumetraSet]\r\nport = 4    ;note\r\n; speed below\r\nSpeed=6\r\nExtra=1\r\n\r\n\r\n"
              "[Point]\nTop=50\n\xB6\xCB\xBF\xDA=\xC4\xE3\x00x\nLeft=1\r\nWidth=8000"s);
}

// The old text is never rewritten in place: a reader that opened it before
// the write (here, a hard link) still sees all of it, and nothing of the
// temporary file stays behind.
TEST_F(IniProfileTest, WriteReplacesTheFileWholeAndKeepsItsMode) {
    const std::string before = "[LumetraSet]\nPort=2\n";
    file(before);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const std::string link = dir.file("old.ini");
    ASSERT_EQ(::link(path.c_str(), link.c_str()), 0);
    const ino_t was = inode();

    ASSERT_TRUE(ini.writeString("LumetraSet", "Port", "3", path));
    EXPECT_EQ(TempDir::read(path), "[LumetraSet]\nPort=3\n");
    EXPECT_EQ(TempDir::read(link), before);
    EXPECT_NE(inode(), was);
    EXPECT_EQ(dir.entries(), 2u);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(IniProfileTest, ReadOnlyFileIsLeftUntouched) {
    const std::string before = "[LumetraSet]\nPort=2\n";
    file(before);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(ini.writeString("LumetraSet", "Port", "3", path));
    EXPECT_FALSE(ini.writeString("LumetraSet", "Speed", "3", path));
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    EXPECT_FALSE(ini.writeString("LumetraSet", "Port", "3", path));
    ASSERT_EQ(::chmod(dir.path().c_str(), 0700), 0);
    EXPECT_EQ(TempDir::read(path), before);
    EXPECT_EQ(dir.entries(), 1u);
    EXPECT_EQ(readInt("Port"), 2);
}

// Without a temporary file beside it, a writable file takes the new text in
// place: the same bytes, longer or shorter than the old, nothing left over.
TEST_F(IniProfileTest, WritableFileInAReadOnlyFolderIsWrittenInPlace) {
    file("[LumetraSet]\r\nPort=2    ;note\r\nSpeed=123456789\r\n");
    const ino_t before = inode();
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    EXPECT_TRUE(ini.writeString("LumetraSet", "Port", "12345", path));
    EXPECT_TRUE(ini.writeString("LumetraSet", "Speed", "9", path));
    EXPECT_TRUE(ini.writeString("Point", "Top", "0", path));
    EXPECT_FALSE(ini.writeString("LumetraSet", "Port", "3", dir.file("new.ini")));
    ASSERT_EQ(::chmod(dir.path().c_str(), 0700), 0);
    EXPECT_EQ(TempDir::read(path), "[LumetraSet]\r\nPort=12345\r\nSpeed=9\r\n\r\n[Point]\r\nTop=0\r\n");
    EXPECT_EQ(inode(), before);
    EXPECT_EQ(dir.entries(), 1u);
}

// In a directory anyone may write, a file of another user must not be
// replaced by a rename just because the directory allows it.
TEST_F(IniProfileTest, AnotherUsersFileIsNotReplaced) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to stand in for two users";
    const std::string before = "[LumetraSet]\nPort=2\n";
    file(before);
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        ::_exit(ini.writeString("LumetraSet", "Port", "3", path) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(TempDir::read(path), before);
    EXPECT_EQ(dir.entries(), 1u);
}

// A member of the file's group replacing it keeps its group and mode, if not its owner.
TEST_F(IniProfileTest, AnotherUsersFileKeepsItsGroupAndMode) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to stand in for two users";
    file("[LumetraSet]\nPort=2\n");
    ASSERT_EQ(::chown(path.c_str(), 1001, 2000) | ::chmod(path.c_str(), 0664) | ::chmod(dir.path().c_str(), 0777), 0);
    const gid_t lab = 2000;
    const pid_t child = ::fork();
    if (child == 0) {
        const bool asMember = ::setgroups(1, &lab) == 0 && ::setgid(3000) == 0 && ::setuid(3001) == 0;
        ::_exit(asMember && ini.writeString("LumetraSet", "Port", "3", path) ? 0 : 1);
    }
    int status = 1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(std::tuple(status, st.st_uid, st.st_gid, st.st_mode & 07777), std::tuple(0, 3001u, 2000u, 0664u));
}

// Another writer stuck with the lock holds a write up only for a while.
TEST_F(IniProfileTest, WriterStuckWithTheLockIsWaitedForOnlyAWhile) {
    platform::posix::IniProfile stuck, other(std::chrono::milliseconds(100));
    const console::PrivateProfile::Hold held(stuck, path);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(other.writeString("LumetraSet", "Port", "2", path));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

TEST_F(IniProfileTest, PathThatIsNotARegularFileReadsDefaultsAndIsNotWritten) {
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    EXPECT_EQ(readInt("Port"), 50);
    EXPECT_EQ(readString("Port"), "dflt");
    EXPECT_FALSE(ini.writeString("LumetraSet", "Port", "3", path));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));

    const std::string fifo = dir.file("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(ini.getInt("LumetraSet", "Port", 50, fifo), 50);  // must not wait for a writer
    EXPECT_FALSE(ini.writeString("LumetraSet", "Port", "3", fifo));
    EXPECT_EQ(dir.entries(), 2u);
}

TEST_F(IniProfileTest, SymlinkedFileIsWrittenThroughTheLink) {
    const std::string target = dir.file("real.ini");
    TempDir::write(target, "[LumetraSet]\nPort=2\n");
    ASSERT_EQ(::symlink("real.ini", path.c_str()), 0);
    ASSERT_TRUE(ini.writeString("LumetraSet", "Port", "5", path));
    struct stat st {};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(TempDir::read(target), "[LumetraSet]\nPort=5\n");
    // A link to a file not there yet: the file is made where the link points.
    ASSERT_EQ(::symlink("made.ini", dir.file("new.ini").c_str()), 0);
    ASSERT_TRUE(ini.writeString("LumetraSet", "Port", "4", dir.file("new.ini")));
    ASSERT_EQ(::lstat(dir.file("new.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(TempDir::read(dir.file("made.ini")), "[LumetraSet]\nPort=4\n");
}

TEST_F(IniProfileTest, TenMegabyteFileIsReadAndEditedWhole) {
    std::string big;
    big.reserve(10 << 20);
    while (big.size() < (10u << 20)) big += "junk line without an equals sign " + std::to_string(big.size()) + "\n";
    big += "[LumetraSet]\nPort=4";
    file(big);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readInt("Port"), 4);
    ASSERT_TRUE(ini.writeString("LumetraSet", "Speed", "9", path));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(TempDir::read(path), big + "\nSpeed=9");
}

TEST_F(IniProfileTest, GarbageBytesNeverBreakTheFile) {
    std::mt19937 rng(936);
    std::string garbage(64 << 10, '\0');
    for (char& c : garbage) c = static_cast<char>(rng());
    file(garbage);
    (void)readInt("Port");
    (void)readString("Port");
    ASSERT_TRUE(ini.writeString("LumetraSet", "Port", "3", path));
    EXPECT_EQ(readInt("Port"), 3);
    EXPECT_EQ(TempDir::read(path).compare(0, garbage.size(), garbage), 0);
}

}  // namespace
