// The single-date contract of `qelvar-cli convert`: outputs, formats,
// encodings and exit statuses.
#include <gtest/gtest.h>

#include "convert_process.h"

namespace qelvar::test {
namespace {

TEST(ConvertCommand, GregorianDateAsJson) {
    const auto r = RunCli({"convert", "--format", "json", "2000-02-05"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "{\"solar\":{\"year\":2000,\"month\":2,\"day\":5},"
              "\"lunar\":{\"year\":2000,\"month\":1,\"day\":1,\"leap\":false},"
              "\"lunarText\":\"龙(庚辰)年正月初一\",\"solarText\":\"2000年2月5日 \","
              "\"solarTerm\":\"\",\"solarMonthCode\":13}\n");
    EXPECT_EQ(r.err, "");
}

TEST(ConvertCommand, LeapLunarDateAsJson) {
    const auto r = RunCli({"convert", "--lunar", "--leap", "--format=json", "2020-04-01"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "{\"solar\":{\"year\":2020,\"month\":5,\"day\":23},"
              "\"lunar\":{\"year\":2020,\"month\":4,\"day\":1,\"leap\":true},"
              "\"lunarText\":\"鼠(庚子)年闰四月初一\",\"solarText\":\"2020年5月23日 \","
              "\"solarTerm\":\"\",\"solarMonthCode\":4}\n");
}

TEST(ConvertCommand, TextNamesEveryFieldAndTheTermOfTheDay) {
    const auto r = RunCli({"convert", "2000-02-04"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "solar: 2000-02-04\n"
              "lunar: 1999-12-29\n"
              "lunarText: 兔(己卯)年腊月廿九\n"
              "solarText: 2000年2月4日 立春\n"
              "solarTerm: 立春\n"
              "solarMonthCode: 13\n");
}

TEST(ConvertCommand, LunarTextMarksTheLeapMonth) {
    const auto r = RunCli({"convert", "--lunar", "--leap", "2020-04-01"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("solar: 2020-05-23\nlunar: 2020-04-01 leap\n"), std::string::npos);
}

TEST(ConvertCommand, GbkWritesCodePage936Bytes) {
    const auto r = RunCli({"convert", "--encoding", "gbk", "2000-02-04"});
    EXPECT_EQ(r.status, 0);
    // 兔 CD C3, 己 BC BA, 卯 C3 AE, 年 C4 EA, 腊 C0 B0, 月 D4 C2, 廿 D8 A5, 九 BE C5;
    // 立 C1 A2, 春 B4 BA.
    EXPECT_NE(
        r.out.find(
            "lunarText: \xCD\xC3(\xBC\xBA\xC3\xAE)\xC4\xEA\xC0\xB0\xD4\xC2\xD8\xA5\xBE\xC5\n"),
        std::string::npos);
    EXPECT_NE(r.out.find("solarTerm: \xC1\xA2\xB4\xBA\n"), std::string::npos);
}

TEST(ConvertCommand, DatesThatFailExitWithOne) {
    const std::vector<std::vector<std::string>> kCases = {
        {"convert", "1901-02-18"},
        {"convert", "2051-02-11"},
        {"convert", "2000-02-30"},
        {"convert", "2000-13-01"},
        {"convert", "--lunar", "2050-12-30"},
        {"convert", "--lunar", "--leap", "2020-05-01"},
        {"convert", "99999-01-01"},
        {"convert", "2000-65537-05"},  // no wrap-around to month 1
    };
    for (const auto& args : kCases) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 1) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        EXPECT_EQ(r.err, "Error Date\n") << args.back();
    }
}

TEST(ConvertCommand, FailedDateInJsonIsAnErrorObject) {
    const auto r = RunCli({"convert", "--format", "json", "2051-02-11"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\"error\":\"Error Date\"}\n");
    EXPECT_EQ(r.err, "Error Date\n");
}

TEST(ConvertCommand, MalformedArgumentsExitWithTwoAndAUsageMessage) {
    const std::vector<std::vector<std::string>> kCases = {
        {"convert"},
        {"convert", "2000-1"},
        {"convert", "hello"},
        {"convert", "2000-02-05x"},
        {"convert", "2000--05"},
        {"convert", "+2000-02-05"},
        {"convert", "2000-02-05", "2000-02-06"},
        {"convert", "--format", "xml", "2000-02-05"},
        {"convert", "--format"},
        {"convert", "--encoding", "latin1", "2000-02-05"},
        {"convert", "--leap", "2000-02-05"},
        {"convert", "--lunar", "-"},
        {"convert", "--bogus", "2000-02-05"},
        {"convert", "--formatx", "json", "2000-02-05"},
    };
    for (const auto& args : kCases) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        EXPECT_NE(r.err.find("qelvar-cli convert --help"), std::string::npos) << args.back();
    }
}

TEST(ConvertCommand, HelpDescribesTheCommand) {
    const auto r = RunCli({"convert", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Usage: qelvar-cli convert"), std::string::npos);
    EXPECT_NE(r.out.find("--encoding"), std::string::npos);
}

}  // namespace
}  // namespace qelvar::test
