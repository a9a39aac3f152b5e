#include <gtest/gtest.h>

#include "console/settings/PublicMod.h"
#include "tests/support/MemoryProfile.h"
#include "tests/support/VirtualPlatform.h"

namespace {

class PublicModTest : public ::testing::Test {
protected:
    // Writes over an old value of Port and returns what was stored.
    std::string writeOver(const std::string& old, const std::u16string& value) {
        profile.set("LumetraSet", "Port", old);
        mod.WriteIniString(u"LumetraSet", u"Port", value);
        return profile.value("LumetraSet", "Port");
    }

    testsupport::VirtualPlatform platform;
    testsupport::MemoryProfile profile;
    console::PublicMod mod{profile, platform};
};

TEST_F(PublicModTest, PathIsBuiltAnewBesideTheExecutableAtEveryCall) {
    platform.appInfo().path = "/opt/lumetra";
    platform.appInfo().exeName = "lumetra";
    mod.ReadIniInt(u"Point", u"Top");
    EXPECT_EQ(profile.lastPath, "/opt/lumetra/lumetra.ini");
    platform.appInfo().path = "/srv/run";
    platform.appInfo().exeName = "console";
    mod.WriteIniString(u"Point", u"Top", u"1");
    EXPECT_EQ(profile.lastPath, "/srv/run/console.ini");
}

TEST_F(PublicModTest, ReadGivesTheLeadingIntegerOrFifty) {
    EXPECT_EQ(mod.ReadIniInt(u"LumetraSet", u"Port"), 50);
    profile.set("LumetraSet", "Port", "2    ;note");
    profile.set("Point", "Top", "-7");
    EXPECT_EQ(mod.ReadIniInt(u"LumetraSet", u"Port"), 2);
    EXPECT_EQ(mod.ReadIniInt(u"Point", u"Top"), -7);
    EXPECT_EQ(mod.ReadIniInt(u"Point", u"Left"), 50);
}

TEST_F(PublicModTest, InlineCommentKeepsItsColumnOrGetsFourBlanks) {
    EXPECT_EQ(writeOver("2    ;note", u"4"), "4    ;note");
    EXPECT_EQ(writeOver("0    ;note", u"3"), "3    ;note");
    EXPECT_EQ(writeOver("0    ;note", u"2000"), "2000    ;note");
    EXPECT_EQ(writeOver("12345678  ;x ; y", u"-1"), "-1        ;x ; y");
    EXPECT_EQ(writeOver(";", u"7"), "7    ;");
    EXPECT_EQ(writeOver("8000", u"9000"), "9000");
    EXPECT_EQ(writeOver("", u"5"), "5");
}

TEST_F(PublicModTest, MissingKeyIsWrittenPlain) {
    mod.WriteIniString(u"Point", u"Width", u"8000");
    EXPECT_EQ(profile.value("Point", "Width"), "8000");
    EXPECT_EQ(profile.writes, 1);
}

// The old value is read through a 300-byte buffer, so its tail beyond 299
// bytes is not carried over.
TEST_F(PublicModTest, OldValueArrivesCutTo299Bytes) {
    const std::string old = "1        ;" + std::string(400, 'c');
    const std::string stored = writeOver(old, u"2");
    EXPECT_EQ(stored, "2" + old.substr(1, 298));
    EXPECT_EQ(stored.size(), 299u);
}

// A value too long for the comment's column pushes it right by exactly 4
// blanks, however long it is: the gap never wraps round.
TEST_F(PublicModTest, AVeryLongValueStillLeavesFourBlanks) {
    const std::u16string longValue(40000, u'9');
    EXPECT_EQ(writeOver("0    ;note", longValue), std::string(40000, '9') + "    ;note");
}

// The column counts characters: a double-byte character before the ';' is one.
TEST_F(PublicModTest, CommentColumnCountsDoubleByteCharactersOnce) {
    // "中文" in code page 936, then 4 blanks: the ';' is the 7th character.
    EXPECT_EQ(writeOver("\xD6\xD0\xCE\xC4    ;x", u"1"), "1     ;x");
}

}  // namespace
