// Batch conversion: one result per input line, in order.
#include <gtest/gtest.h>

#include "convert_process.h"

namespace qelvar::test {
namespace {

std::vector<std::string> Lines(const std::string& s) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t nl; (nl = s.find('\n', start)) != std::string::npos; start = nl + 1) {
        lines.push_back(s.substr(start, nl - start));
    }
    return lines;
}

TEST(ConvertBatch, OneJsonObjectPerLineInOrder) {
    const auto r = RunCli({"convert", "--format", "json", "-"},
                          "2000-02-05\nlunar 2020-04-01\nlunar 2020-04-01 leap\n2051-02-10\n");
    EXPECT_EQ(r.status, 0);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 4U);
    EXPECT_EQ(lines[0].find("{\"solar\":{\"year\":2000,\"month\":2,\"day\":5}"), 0U);
    EXPECT_EQ(lines[1].find("{\"solar\":{\"year\":2020,\"month\":4,\"day\":23}"), 0U);
    EXPECT_NE(lines[1].find("\"leap\":false"), std::string::npos);
    EXPECT_EQ(lines[2].find("{\"solar\":{\"year\":2020,\"month\":5,\"day\":23}"), 0U);
    EXPECT_NE(lines[2].find("\"leap\":true"), std::string::npos);
    EXPECT_NE(lines[3].find("\"lunar\":{\"year\":2050,\"month\":12,\"day\":29,\"leap\":false}"),
              std::string::npos);
}

TEST(ConvertBatch, FailedDatesAndMalformedLinesKeepTheirPlace) {
    const auto r = RunCli({"convert", "--format", "json", "-"},
                          "2000-02-05\n2051-02-11\nhello\nlunar 2020-04-01 leap\n");
    EXPECT_EQ(r.status, 2);  // a malformed line outweighs a failed date
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 4U);
    EXPECT_EQ(lines[1], "{\"error\":\"Error Date\"}");
    EXPECT_EQ(lines[2], "{\"error\":\"Malformed input\"}");
    EXPECT_NE(r.err.find("line 3"), std::string::npos);
    EXPECT_NE(lines[3].find("\"leap\":true"), std::string::npos);
}

TEST(ConvertBatch, AFailedDateAloneExitsWithOne) {
    const auto r = RunCli({"convert", "--format", "json", "-"}, "2000-02-05\n1901-02-18\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Lines(r.out).size(), 2U);
}

TEST(ConvertBatch, BlankLinesAreSkippedAndLineEndingsTolerated) {
    const auto r = RunCli({"convert", "--format", "json", "-"},
                          "\n  \n2000-02-05\r\n\t lunar  2020-04-01  leap \n\n2000-02-06");
    EXPECT_EQ(r.status, 0);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_NE(lines[2].find("\"day\":6}"), std::string::npos);
}

TEST(ConvertBatch, EmptyInputWritesNothing) {
    const auto r = RunCli({"convert", "--format", "json", "-"}, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
}

TEST(ConvertBatch, GarbageNeverCrashes) {
    const std::string kGarbage =
        "2000-1\nhello\n-\n--\n2000-02-05 leap\nlunar\nlunar leap\nlunar 2000-01-01 leap extra\n"
        "LUNAR 2000-01-01\n99999999999999999999999-1-1\n0-0-0\n2000-0-5\n2000-2-0\n"
        "65535-65535-65535\n65536-1-1\n\xFF\xFE\x01\x02\n" +
        std::string(100000, '9') + "\n" + std::string("\0\0\n", 3);
    const auto r = RunCli({"convert", "--format", "json", "-"}, kGarbage);
    EXPECT_EQ(r.status, 2);
    for (const auto& line : Lines(r.out)) {
        EXPECT_TRUE(line == "{\"error\":\"Malformed input\"}" ||
                    line == "{\"error\":\"Error Date\"}")
            << line.substr(0, 60);
    }
    EXPECT_EQ(Lines(r.out).size(), 18U);
}

TEST(ConvertBatch, TextBlocksAreSeparatedByEmptyLines) {
    const auto r = RunCli({"convert", "-"}, "2000-02-05\n2051-02-11\nlunar 2000-01-01\n");
    EXPECT_EQ(r.status, 1);
    const std::string block =
        "solar: 2000-02-05\nlunar: 2000-01-01\nlunarText: 龙(庚辰)年正月初一\n"
        "solarText: 2000年2月5日 \nsolarTerm: \nsolarMonthCode: 13\n\n";
    EXPECT_EQ(r.out, block + "Error Date\n\n" + block);
}

TEST(ConvertBatch, TextFormatAndGbk) {
    const auto r = RunCli({"convert", "--encoding", "gbk", "-"}, "2000-02-04\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("solarTerm: \xC1\xA2\xB4\xBA\n"), std::string::npos);
}

}  // namespace
}  // namespace qelvar::test
