#include <gtest/gtest.h>

#include "console/ReceivedBytes.h"
#include "ui/Error.h"

namespace {

using console::FormatHex;
using console::HexStrToLong;
using console::RenderByte;

TEST(RenderByte, TextModeTable) {
    EXPECT_EQ(RenderByte(0, false), u"[EOF]");
    EXPECT_EQ(RenderByte(1, false), u"[01]");
    EXPECT_EQ(RenderByte(9, false), u"[09]");
    EXPECT_EQ(RenderByte(10, false), u"\n");
    EXPECT_EQ(RenderByte(13, false), u"\r");
    EXPECT_EQ(RenderByte(31, false), std::u16string(1, u'\x1F'));
    EXPECT_EQ(RenderByte(65, false), u"A");
    EXPECT_EQ(RenderByte(127, false), std::u16string(1, u'\x7F'));
    EXPECT_EQ(RenderByte(0x80, false), u"\u20AC");
    // Lone lead bytes and 0xFF are one character each, so the pane's counts hold.
    for (int b = 0x81; b <= 0xFF; ++b) EXPECT_EQ(RenderByte(static_cast<std::uint8_t>(b), false).size(), 1u);
}

TEST(RenderByte, HexModeBracketsEveryByte) {
    EXPECT_EQ(RenderByte(0, true) + RenderByte(65, true) + RenderByte(13, true), u"[00][41][0D]");
    EXPECT_EQ(RenderByte(255, true), u"[FF]");
}

TEST(FormatHex, PadsOrKeepsTheLastDigits) {
    EXPECT_EQ(FormatHex(5, 2), u"05");
    EXPECT_EQ(FormatHex(255, 2), u"FF");
    EXPECT_EQ(FormatHex(421, 2), u"A5");
    EXPECT_EQ(FormatHex(0, 4), u"0000");
    EXPECT_EQ(FormatHex(0, 0), u"0");
    EXPECT_EQ(FormatHex(-1, 0), u"FFFF");
    EXPECT_EQ(FormatHex(0x1A5, 0), u"1A5");
    EXPECT_THROW(FormatHex(5, -1), ui::Error);
}

TEST(HexStrToLong, ScansAtMostNineDigitsAndStopsAtTheFirstOther) {
    EXPECT_EQ(HexStrToLong(u""), 0);
    EXPECT_EQ(HexStrToLong(u"G1"), 0);
    EXPECT_EQ(HexStrToLong(u"1A"), 26);
    EXPECT_EQ(HexStrToLong(u"1a"), 26);
    EXPECT_EQ(HexStrToLong(u"12 3"), 18);
    EXPECT_EQ(HexStrToLong(u" 1A"), 0);
    EXPECT_EQ(HexStrToLong(u"0x1A"), 0);
    EXPECT_EQ(HexStrToLong(u"１２"), 0);  // full-width digits are not digits
    EXPECT_EQ(HexStrToLong(u"7FFFFFFF"), 2147483647);
    EXPECT_EQ(HexStrToLong(u"07654321AB"), 0x07654321A);
    EXPECT_EQ(HexStrToLong(u"07FFFFFFF"), 2147483647);
}

TEST(HexStrToLong, OverflowIsAnErrorNotAWrap) {
    for (const char16_t* s : {u"80000000", u"765432109", u"FFFFFFFFF"}) {
        try {
            HexStrToLong(s);
            ADD_FAILURE() << "no overflow";
        } catch (const ui::Error& e) {
            EXPECT_EQ(e.number(), ui::err::Overflow);
        }
    }
}

}  // namespace
