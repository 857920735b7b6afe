// The output helpers of the command line: JSON strings and GBK encoding.
#include <gtest/gtest.h>

#include "cli/Encoding.h"
#include "io/Json.h"

namespace qelvar::cli {
namespace {

TEST(JsonString, EscapesQuotesBackslashesAndControlCharacters) {
    EXPECT_EQ(JsonString(""), "\"\"");
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString("\n\t\r\b\f"), "\"\\n\\t\\r\\b\\f\"");
    EXPECT_EQ(JsonString(std::string("\x01\x1F\0", 3)), "\"\\u0001\\u001f\\u0000\"");
    EXPECT_EQ(JsonString("龙(庚辰)"), "\"龙(庚辰)\"");
}

TEST(Encoding, GbkBytesOfTheProgramsSymbols) {
    // Two bytes for each Chinese character and for █ ⑤ ★ ·, one for ASCII.
    EXPECT_EQ(Utf8ToGbk("命★身"), "\xC3\xFC\xA1\xEF\xC9\xED");
    EXPECT_EQ(Utf8ToGbk("·"), "\xA1\xA4");
    EXPECT_EQ(Utf8ToGbk("①⑤"), "\xA2\xD9\xA2\xDD");
    EXPECT_EQ(Utf8ToGbk("█"), "\xA8\x80");
    EXPECT_EQ(Utf8ToGbk("A1 "), "A1 ");
    EXPECT_EQ(Utf8ToGbk(""), "");
}

TEST(Encoding, RefusesWhatGbkCannotHold) {
    EXPECT_FALSE(Utf8ToGbk("\xFF"));              // not UTF-8
    EXPECT_FALSE(Utf8ToGbk("\xE4\xB8"));          // cut short
    EXPECT_FALSE(Utf8ToGbk("\xF0\x9F\x98\x80"));  // an emoji
}

TEST(Encoding, Names) {
    EXPECT_EQ(ParseEncoding("UTF-8"), Encoding::Utf8);
    EXPECT_EQ(ParseEncoding("gbk"), Encoding::Gbk);
    EXPECT_EQ(ParseEncoding("CP936"), Encoding::Gbk);
    EXPECT_FALSE(ParseEncoding("latin1"));
    EXPECT_EQ(Encode("龙", Encoding::Utf8), "龙");
}

}  // namespace
}  // namespace qelvar::cli
