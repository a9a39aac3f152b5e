#include <gtest/gtest.h>

#include "platform/posix/Cp936.h"

namespace {

using platform::posix::DecodeCp936;
using platform::posix::EncodeCp936;

TEST(Cp936, ChineseTextRoundTripsThroughTwoByteCodes) {
    const std::u16string text = u"AT信号 ok";
    const std::string bytes = EncodeCp936(text);
    EXPECT_EQ(bytes, std::string("AT\xD0\xC5\xBA\xC5 ok"));
    EXPECT_EQ(DecodeCp936(bytes), text);
}

TEST(Cp936, UnencodableAndUndecodableUnitsCostOneSubstituteEach) {
    EXPECT_EQ(EncodeCp936(u"a\u0E01b"), "a?b");  // Thai is not in the code page
    EXPECT_EQ(DecodeCp936("\x80"), u"\u20AC");
    EXPECT_EQ(DecodeCp936(std::string("x\xFFy")), u"x\uFFFDy");
    EXPECT_EQ(DecodeCp936(std::string("\xD0")), u"\uFFFD");  // a lead byte with nothing after it
}

}  // namespace
