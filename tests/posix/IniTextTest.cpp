#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "platform/posix/IniText.h"

namespace {

using platform::posix::IniText;

TEST(IniText, NamesMatchWithoutCaseAndBlanksAroundNamesAndValuesAreIgnored) {
    const IniText ini(
        "Port=9\n"  // before any section: belongs to none
        "[ lumetraset ]\n"
        ";Port=8\n"
        "  PORT \t=  2    ;note  \n"
        "Speed\n"
        "Empty=\n"
        "[Point]\n"
        "Top=7\n");
    EXPECT_EQ(ini.get("LumetraSet", "port"), "2    ;note");
    EXPECT_EQ(ini.get(" LUMETRASET", "Port "), "2    ;note");
    EXPECT_EQ(ini.get("LumetraSet", "Empty"), "");
    EXPECT_EQ(ini.get("LumetraSet", "Speed"), std::nullopt);  // a line without '=' is no entry
    EXPECT_EQ(ini.get("LumetraSet", ";Port"), std::nullopt);
    EXPECT_EQ(ini.get("LumetraSet", "Top"), std::nullopt);
    EXPECT_EQ(ini.get("Point", "Top"), "7");
    EXPECT_EQ(ini.get("Nowhere", "Top"), std::nullopt);
    EXPECT_EQ(ini.get("Point", ""), std::nullopt);
}

TEST(IniText, FirstMatchInFileOrderWinsAcrossRepeatedSections) {
    const IniText ini("[A]\nx=1\nx=2\n[B]\ny=3\n[a]\ny=4\nx=5\n");
    EXPECT_EQ(ini.get("A", "x"), "1");
    EXPECT_EQ(ini.get("A", "y"), "4");
    EXPECT_EQ(ini.get("B", "y"), "3");
}

TEST(IniText, LeadingIntegerOfAValue) {
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    const std::pair<const char*, std::int32_t> cases[] = {
        {"2    ;note", 2},
        {"-1", -1},
        {"-7", -7},
        {"+12", 12},
        {"  42  ", 42},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {"--5", 0},
        {"0x1F", 0},
        {"2147483647", kMax},
        {"2147483648", kMax},
        {"99999999999999999999999", kMax},
        {"-2147483648", kMin},
        {"-2147483649", kMin},
        {"-99999999999999999999999", kMin},
    };
    for (auto [text, expected] : cases) EXPECT_EQ(IniText::LeadingInt(text), expected) << text;
}

TEST(IniText, ReplacingAValueKeepsEveryOtherByte) {
    const std::string before =
        "; settings\r\n"
        "\r\n"
        "[LumetraSet]\r\n"
        "  PORT = 2    ;note  \r\n"
        "Speed=6\r\n"
        "\r\n"
        "[Point]\n"  // mixed endings stay mixed
        "Top=50";
    IniText ini(before);
    ASSERT_TRUE(ini.put("lumetraset", "Port", "4    ;note"));
    ASSERT_TRUE(ini.put("POINT", "top", "120"));
    EXPECT_EQ(ini.bytes(),
              "; settings\r\n"
              "\r\n"
              "[LumetraSet]\r\n"
              "  PORT = 4    ;note\r\n"
              "Speed=6\r\n"
              "\r\n"
              "[Point]\n"
              "Top=120");
}

TEST(IniText, NewKeyFollowsTheSectionsLastEntry) {
    IniText ini("[A]\nx=1\n; about B\n\n[B]\nz=0\n");
    ASSERT_TRUE(ini.put("A", "y", "2"));
    EXPECT_EQ(ini.bytes(), "[A]\nx=1\ny=2\n; about B\n\n[B]\nz=0\n");

    IniText empty("[A]\n\n[B]\n");
    ASSERT_TRUE(empty.put("A", "y", "2"));
    EXPECT_EQ(empty.bytes(), "[A]\ny=2\n\n[B]\n");

    IniText repeated("[A]\nx=1\n[B]\n[A]\nw=3\n");
    ASSERT_TRUE(repeated.put("a", "y", "2"));
    EXPECT_EQ(repeated.bytes(), "[A]\nx=1\ny=2\n[B]\n[A]\nw=3\n");
}

TEST(IniText, LastLineWithoutLineEndingStaysWithoutOne) {
    IniText replaced("[A]\nx=1");
    ASSERT_TRUE(replaced.put("A", "x", "5"));
    EXPECT_EQ(replaced.bytes(), "[A]\nx=5");

    IniText added("[A]\r\nx=1");
    ASSERT_TRUE(added.put("A", "y", "2"));
    EXPECT_EQ(added.bytes(), "[A]\r\nx=1\r\ny=2");

    IniText header("[A]");
    ASSERT_TRUE(header.put("A", "y", "2"));
    EXPECT_EQ(header.bytes(), "[A]\ny=2");
}

TEST(IniText, NewSectionGoesAtTheEndAfterOneBlankLine) {
    IniText none;
    ASSERT_TRUE(none.put(" LumetraSet ", " Port ", "0"));
    EXPECT_EQ(none.bytes(), "[LumetraSet]\nPort=0\n");
    ASSERT_TRUE(none.put("Point", "Top", "50"));
    EXPECT_EQ(none.bytes(), "[LumetraSet]\nPort=0\n\n[Point]\nTop=50\n");

    IniText crlf("[A]\r\nx=1");
    ASSERT_TRUE(crlf.put("B", "y", "2"));
    EXPECT_EQ(crlf.bytes(), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");

    IniText blank("[A]\nx=1\n\n");
    ASSERT_TRUE(blank.put("B", "y", "2"));
    EXPECT_EQ(blank.bytes(), "[A]\nx=1\n\n[B]\ny=2\n");
}

TEST(IniText, NamesAndValuesThatWouldNotReadBackAreRefused) {
    const std::string before = "[A]\nx=1\n";
    const std::pair<const char*, const char*> names[] = {{"A]", "x"},  {"A\nB", "x"}, {"", "x"},   {"A", ""},
                                                         {"A", "x=y"}, {"A", "[x"},   {"A", ";x"}, {"A", "x\r"}};
    for (auto [section, key] : names) {
        IniText ini(before);
        EXPECT_FALSE(ini.put(section, key, "1")) << section << "/" << key;
        EXPECT_EQ(ini.bytes(), before);
    }
    IniText ini(before);
    EXPECT_FALSE(ini.put("A", "x", "1\n[B]"));
    EXPECT_EQ(ini.bytes(), before);
}

// Any bytes at all: the reader and the writer never fail, and what was
// written reads back.
TEST(IniText, GarbageNeverBreaksReadingOrWriting) {
    const char alphabet[] = {'[', ']', '=', ';', '\r', '\n', ' ', '\t', 'a', 'A', 'b', '\0', '\xff', '\x80', '5', '-'};
    std::mt19937 rng(20261208);
    auto garbage = [&](std::size_t maxLen) {
        std::string s(rng() % (maxLen + 1), ' ');
        for (char& c : s) c = alphabet[rng() % sizeof alphabet];
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        IniText ini(garbage(200));
        const std::string section = garbage(3), key = garbage(3), value = garbage(6);
        (void)ini.get(section, key);
        (void)IniText::LeadingInt(value);
        const std::string before = ini.bytes();
        if (ini.put(section, key, value)) {
            const auto back = ini.get(section, key);
            ASSERT_TRUE(back.has_value());
            std::string trimmed = value;
            trimmed.erase(0, trimmed.find_first_not_of(" \t"));
            trimmed.erase(trimmed.find_last_not_of(" \t") + 1);
            EXPECT_EQ(*back, trimmed);
        } else {
            EXPECT_EQ(ini.bytes(), before);
        }
    }
}

}  // namespace

namespace {

// Found by fuzzing: a file cut off after the CR of its last line.
TEST(IniText, AddingAfterALastLineCutOffAfterItsCrKeepsThatValue) {
    IniText key("[Point]\r\nTop=4\r");
    ASSERT_TRUE(key.put("Point", "Left", "1"));
    EXPECT_EQ(key.bytes(), "[Point]\r\nTop=4\r\nLeft=1");  // still no final line end
    EXPECT_EQ(key.get("Point", "Top"), "4");

    IniText section("[Point]\r\nTop=4\r");
    ASSERT_TRUE(section.put("LumetraSet", "Port", "2"));
    EXPECT_EQ(section.get("Point", "Top"), "4");
    EXPECT_EQ(section.get("LumetraSet", "Port"), "2");
}

}  // namespace
