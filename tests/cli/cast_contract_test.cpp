// qelvar-cli cast as a process: options, JSON and text output, batches, GBK
// and bad input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert_process.h"

namespace qelvar {
namespace {

using test::RunCli;

const std::vector<std::string> kBase = {"cast", "2000-02-05", "--hour", "6",       "--minute",
                                        "0",    "--sex",      "0",      "--today", "2026-12-07"};

std::vector<std::string> With(std::vector<std::string> args,
                              std::initializer_list<const char*> more) {
    for (const char* a : more) args.push_back(a);
    return args;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

// Display columns of a UTF-8 line, CJK and full-width characters two wide.
int Columns(const std::string& line) {
    int w = 0;
    for (std::size_t i = 0; i < line.size();) {
        const auto c = static_cast<unsigned char>(line[i]);
        const int len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        char32_t cp = len == 1 ? c : c & (0x3F >> (len - 1));
        for (int k = 1; k < len; ++k) cp = (cp << 6) | (line[i + k] & 0x3F);
        i += len;
        w += (cp >= 0x2E80 && cp <= 0xA4CF) || (cp >= 0xFF00 && cp <= 0xFF60) ? 2 : 1;
    }
    return w;
}

TEST(CastJson, BirthTodayAndEverySlot) {
    const auto r = RunCli(With(kBase, {"--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out.rfind("{\"birth\":{\"solarYear\":\"2000\",\"solarMonth\":\"2\",\"solarDay\":\"5\","
                    "\"solarText\":\"2000年2月5日 \",\"lunarText\":\"龙(庚辰)年正月初一\","
                    "\"solarMonthCode\":13,\"lunarYear\":\"2000\",\"lunarMonth\":\"1\","
                    "\"lunarDay\":\"1\",\"hour\":6,\"minuteSlot\":0,\"sex\":0},"
                    "\"today\":\"2026-12-07\",\"slots\":{\"1012\":",
                    0),
        0u)
        << r.out.substr(0, 400);
    for (int id :
         {1012, 1023, 1036, 1048, 1061, 1216, 1372, 2073, 2084, 2181, 2186, 2188, 2190, 2193})
        EXPECT_EQ(Count(r.out, "\"" + std::to_string(id) + "\":"), 1) << id;
    for (int id : {1049, 2187, 2191, 2192, 2194})
        EXPECT_EQ(Count(r.out, "\"" + std::to_string(id) + "\":"), 0);
    EXPECT_NE(r.out.find("\"2190\":\"庚辰     戊寅     癸巳     戊午⑤壬子\""), std::string::npos);
    EXPECT_NE(r.out.find("\"1018\":\"命★身\""), std::string::npos);
    EXPECT_NE(r.out.find("\\r\\n"), std::string::npos);  // the pillar-star lines, escaped
    EXPECT_EQ(Count(r.out, "\"branch\":"), 12);
    EXPECT_NE(r.out.find("{\"name\":\"紫微\",\"brightness\":\"庙\",\"mark\":\"\",\"position\":0}"),
              std::string::npos);
    EXPECT_NE(
        r.out.find("{\"name\":\"太阳\",\"brightness\":\"陷\",\"mark\":\"禄\",\"position\":0}"),
        std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
    EXPECT_EQ(Count(r.out, "\n"), 1);
}

// The year and month pillars turn at the moment of the 节, not for the whole
// day: 立春 2000 fell at 20:40 and 惊蛰 at 14:43 China Standard Time.  The
// birth instant is the middle of the sub-period (卯 from 05:00, 辰 from 07:00,
// 未 from 13:00).  Day pillars from 2000-01-01 戊午: 2-4 壬辰, 3-5 壬戌.
TEST(CastJson, PillarsTurnAtTheMomentOfTheJie) {
    struct Row {
        const char* what;
        const char *date, *hour, *minute;
        const char* pillars;
    };
    const Row rows[] = {
        {"05:05, before 立春", "2000-02-04", "卯", "0", "己卯     丁丑     壬辰     癸卯⑤壬子"},
        {"08:05, before 惊蛰", "2000-03-05", "辰", "6", "庚辰     戊寅     壬戌     甲辰⑤庚午"},
        {"14:35, before 惊蛰", "2000-03-05", "未", "9", "庚辰     戊寅     壬戌     丁未⑤己酉"},
        {"14:45, minutes after 惊蛰", "2000-03-05", "未", "10",
         "庚辰     己卯     壬戌     丁未⑤庚戌"},
    };
    for (const Row& r : rows) {
        const auto out = RunCli({"cast", r.date, "--hour", r.hour, "--minute", r.minute, "--today",
                                 "2026-12-07", "--format", "json"});
        ASSERT_EQ(out.status, 0) << r.what << ": " << out.err;
        EXPECT_NE(out.out.find("\"2190\":\"" + std::string(r.pillars) + "\""), std::string::npos)
            << r.what;
    }
    const auto first = RunCli({"cast", "2000-02-04", "--hour", "卯", "--minute", "0", "--today",
                               "2026-12-07", "--format", "json"});
    EXPECT_NE(first.out.find("\"2193\":\"城头土   涧下水   长流水   金箔金\""), std::string::npos);
}

TEST(CastJson, LunarDatesHourNamesAndSex) {
    struct Row {
        std::vector<std::string> args;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {{"cast", "--lunar", "--leap", "2020-04-01", "--hour", "亥", "--minute", "11", "--sex",
          "女"},
         {"\"solarMonth\":\"5\",\"solarDay\":\"23\"", "\"lunarMonth\":\"4\"", "闰四月初一",
          "\"hour\":11,\"minuteSlot\":11,\"sex\":1"}},
        {{"cast", "2000-02-05", "--hour", "夜子", "--minute", "3", "--sex", "男"},
         {"\"hour\":0,\"minuteSlot\":3,\"sex\":0"}},
        {{"cast", "2000-02-05", "--hour", "12", "--minute", "3"}, {"\"hour\":0"}},
        {{"cast", "2000-02-04", "--hour", "子", "--minute", "0"}, {"2000年2月4日 立春"}},
    };
    for (const Row& row : rows) {
        auto args = row.args;
        args.insert(args.end(), {"--format", "json", "--today", "2026-12-07"});
        const auto r = RunCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        for (const std::string& e : row.expected) EXPECT_NE(r.out.find(e), std::string::npos) << e;
    }
}

TEST(CastJson, DateThatFailsGivesErrorDateAndStatusOne) {
    for (const char* date : {"1901-02-18", "2051-02-12", "2001-02-29"}) {
        const auto r = RunCli({"cast", date, "--hour", "0", "--minute", "0", "--format", "json"});
        EXPECT_EQ(r.status, 1) << date;
        EXPECT_EQ(r.out, "{\"error\":\"Error Date\"}\n") << date;
    }
    const auto r = RunCli({"cast", "--lunar", "--leap", "2020-05-01", "--hour", "0", "--minute",
                           "0", "--format", "json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\"error\":\"Error Date\"}\n");
}

TEST(CastBatch, OneObjectPerLineInOrder) {
    const std::string input =
        "2000-02-05 6 0 0\n"
        "\n"
        "lunar 2020-04-01 leap 6 0 1\n"
        "1901-02-18 0 0 0\r\n"
        "lunar 2020-05-01 leap 1 1 1\n"
        "2000-02-05 夜子 0 女\n";
    const auto r = RunCli({"cast", "--format", "json", "--today", "2026-12-07", "-"}, input);
    EXPECT_EQ(r.status, 1) << r.err;  // two dates fail
    std::vector<std::string> lines;
    for (std::size_t p = 0; p < r.out.size();) {
        const std::size_t e = r.out.find('\n', p);
        lines.push_back(r.out.substr(p, e - p));
        p = e + 1;
    }
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_NE(lines[0].find("\"solarDay\":\"5\""), std::string::npos);
    EXPECT_NE(lines[1].find("\"solarDay\":\"23\""), std::string::npos);
    EXPECT_NE(lines[1].find("\"sex\":1"), std::string::npos);
    EXPECT_EQ(lines[2], "{\"error\":\"Error Date\"}");
    EXPECT_EQ(lines[3], "{\"error\":\"Error Date\"}");
    EXPECT_NE(lines[4].find("\"hour\":0,\"minuteSlot\":0,\"sex\":1"), std::string::npos);
    // The same birth alone gives the same object as in the batch.
    const auto single = RunCli(With(kBase, {"--format", "json"}));
    EXPECT_EQ(lines[0] + "\n", single.out);
}

TEST(CastBatch, MalformedLinesAreNamedAndGiveStatusTwo) {
    const char* bad[] = {
        "2000-02-05 6 0",   "2000-02-05 13 0 0",     "2000-02-05 6 12 0",        "2000-02-05 6 0 2",
        "2000/02/05 6 0 0", "2000-02-05 leap 6 0 0", "lunar 2020-04-01 6 0 0 0", "hello"};
    for (const char* line : bad) {
        const auto r = RunCli({"cast", "--format", "json", "-"},
                              std::string("2000-02-05 6 0 0\n") + line + "\n");
        EXPECT_EQ(r.status, 2) << line;
        EXPECT_NE(r.err.find("line 2"), std::string::npos) << line;
        EXPECT_NE(r.out.find("{\"error\":\"Malformed input\"}"), std::string::npos) << line;
        EXPECT_EQ(r.out.rfind("{\"birth\":", 0), 0u) << line;
    }
}

TEST(CastText, GridOfCellsRoundTheCentre) {
    const auto r = RunCli(kBase);
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines;
    for (std::size_t p = 0; p < r.out.size();) {
        const std::size_t e = r.out.find('\n', p);
        lines.push_back(r.out.substr(p, e - p));
        p = e + 1;
    }
    ASSERT_GT(lines.size(), 30u);
    for (const std::string& l : lines) EXPECT_EQ(Columns(l), Columns(lines[0])) << l;
    // 巳 opens the top row and 亥 closes the bottom row; the centre holds the bureau.
    EXPECT_NE(lines[8].find("巳"), std::string::npos);
    EXPECT_LT(lines[8].find("巳"), lines[8].find("午"));
    EXPECT_NE(lines[lines.size() - 2].find("亥"), std::string::npos);
    EXPECT_NE(r.out.find("命局：水二局"), std::string::npos);
    EXPECT_NE(r.out.find("距离今天，你已经活了9802天！"), std::string::npos);
}

TEST(CastText, GbkEncoding) {
    const auto utf8 = RunCli(kBase);
    const auto gbk = RunCli(With(kBase, {"--encoding", "gbk"}));
    ASSERT_EQ(gbk.status, 0) << gbk.err;
    EXPECT_NE(gbk.out.find("\xC3\xFC\xBE\xD6"), std::string::npos);  // 命局
    EXPECT_EQ(gbk.out.find("命局"), std::string::npos);
    EXPECT_LT(gbk.out.size(), utf8.out.size());
}

TEST(CastOptions, BadArgumentsGiveStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"cast"},
        {"cast", "2000-02-05"},  // no hour or minute
        {"cast", "2000-02-05", "--hour", "13", "--minute", "0"},
        {"cast", "2000-02-05", "--hour", "午午", "--minute", "0"},
        {"cast", "2000-02-05", "--hour", "6", "--minute", "-1"},
        {"cast", "2000-02-05", "--hour", "6", "--minute", "0", "--sex", "x"},
        {"cast", "2000-2", "--hour", "6", "--minute", "0"},
        {"cast", "2000-02-05", "--hour", "6", "--minute", "0", "--today", "2026-02-30"},
        {"cast", "2000-02-05", "--hour", "6", "--minute", "0", "--format", "xml"},
        {"cast", "2000-02-05", "--hour", "6", "--minute", "0", "--encoding", "latin1"},
        {"cast", "2000-02-05", "--leap", "--hour", "6", "--minute", "0"},
        {"cast", "2000-02-05", "2000-02-06", "--hour", "6", "--minute", "0"},
        {"cast", "2000-02-05", "--hour"},
        {"cast", "-", "--hour", "6"},
        {"cast", "2000-02-05", "--hour", "6", "--minute", "0", "--bogus"},
        {"cast", "2000-02-05", "--hour", "6", "--minute", "0", "--format", "png"},
    };
    for (const auto& args : cases) {
        const auto r = RunCli(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(r.status, 2) << joined;
        EXPECT_FALSE(r.err.empty()) << joined;
    }
}

}  // namespace
}  // namespace qelvar
