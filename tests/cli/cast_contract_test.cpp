// qelvar-cli cast as a process: options, JSON and text output, batches, GBK
// and bad input.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
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
    EXPECT_EQ(Count(r.out.substr(0, r.out.find("\"chart\":")), "\"branch\":"), 12);
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

namespace qelvar {
namespace {

// Charts worked out by hand from the rules, one row per palace in branch
// order 子..亥: branch, stem, palace, 身 for the body palace, decade, then
// each star in its cell's column order with its brightness and its
// transformation ("-" for none).
struct HandChart {
    std::vector<std::string> args;
    std::string head;  // the chart object up to its pillars
    std::array<const char*, 12> palaces;
};

const HandChart kHandCharts[] = {
    {{"2000-02-05", "--hour", "6", "--minute", "0", "--sex", "0"},
     R"({"bureau":{"element":"水","number":2,"name":"水二局"},"lifeRuler":"廉贞","bodyRuler":"文昌",)"
     R"("douJun":"午","lifePalace":"申","bodyPalace":"申","pillars":[)"
     R"({"stem":"庚","branch":"辰","nayin":"白蜡金"},{"stem":"戊","branch":"寅","nayin":"城头土"},)"
     R"({"stem":"癸","branch":"巳","nayin":"长流水"},{"stem":"戊","branch":"午","nayin":"天上火"},)"
     R"({"stem":"壬","branch":"子","nayin":"桑柘木"}],"pillarStars":[[],["驿马","沐浴","劫煞"],)"
     R"(["劫煞","天乙贵人"],["灾煞","桃花"]],)",
     {"子 戊 官禄宫 - 42-51 : 天机庙- 台辅-- 天才-- 天寿--",
      "丑 己 仆役宫 - 52-61 : 紫微庙- 破军旺- 天姚-- 寡宿-- 破碎-- 天伤--",
      "寅 戊 迁移宫 - 62-71 : 天钺旺- 阴煞-- 天哭-- 天厨--",
      "卯 己 疾厄宫 - 72-81 : 天府平- 恩光-- 天使--",
      "辰 庚 财帛宫 - 82-91 : 太阴闲科 文昌旺- 左辅庙- 铃星旺- 三台--",
      "巳 辛 子女宫 - 92-101 : 廉贞陷- 贪狼陷- 地空庙- 地劫闲- 天巫-- 天空-- 天喜-- 孤辰--",
      "午 壬 夫妻宫 - 102-111 : 巨门旺- 天魁庙- 天福-- 凤阁-- 截空-- 蜚廉--",
      "未 癸 兄弟宫 - 112-121 : 天相闲- 陀罗庙-",
      "申 甲 本命宫 身 2-11 : 天同旺忌 天梁陷- 禄存庙- 火星陷- 天马旺- 封诰-- 解神-- 龙池--",
      "酉 乙 父母宫 - 12-21 : 武曲旺权 七杀闲- 擎羊陷- 天刑-- 天贵--",
      "戌 丙 福德宫 - 22-31 : 太阳陷禄 文曲陷- 右弼庙- 天月-- 八座-- 天虚--",
      "亥 丁 田宅宫 - 32-41 : 天官-- 红鸾--"}},
    {{"1984-02-02", "--hour", "0", "--minute", "0", "--sex", "1"},
     R"({"bureau":{"element":"火","number":6,"name":"火六局"},"lifeRuler":"禄存","bodyRuler":"铃星",)"
     R"("douJun":"子","lifePalace":"寅","bodyPalace":"寅",)",
     {"子 丙 夫妻宫 - 26-35 : 天梁庙-",
      "丑 丁 兄弟宫 - 16-25 : 廉贞旺禄 七杀庙- 天魁旺- 陀罗庙- 天姚-- 天空--",
      "寅 丙 本命宫 身 6-15 : 禄存庙- 火星庙- 封诰-- 阴煞-- 孤辰-- 天才-- 天寿--",
      "卯 丁 父母宫 - 116-125 : 擎羊陷- 天贵-- 红鸾--",
      "辰 戊 福德宫 - 106-115 : 天同平- 文曲庙- 左辅庙- 三台-- 龙池--",
      "巳 己 田宅宫 - 96-105 : 武曲平科 破军闲权 天巫-- 破碎-- 天厨--",
      "午 庚 官禄宫 - 86-95 : 太阳庙忌 台辅-- 天虚-- 天哭--",
      "未 辛 仆役宫 - 76-85 : 天府庙- 天钺旺- 天官-- 天伤--",
      "申 壬 迁移宫 - 66-75 : 天机平- 太阴平- 天马旺- 解神-- 截空-- 蜚廉--",
      "酉 癸 疾厄宫 - 56-65 : 紫微平- 贪狼平- 天刑-- 天福-- 恩光-- 天喜-- 天使--",
      "戌 甲 财帛宫 - 46-55 : 巨门旺- 文昌陷- 右弼庙- 铃星庙- 天月-- 八座-- 凤阁-- 寡宿--",
      "亥 乙 子女宫 - 36-45 : 天相平- 地空陷- 地劫旺-"}},
    // 闰四月初一 of a 庚子 year: the leap month counts as the fourth.
    {{"2020-05-23", "--hour", "11", "--minute", "0", "--sex", "1", "--at", "2030-01-01"},
     R"({"bureau":{"element":"木","number":3,"name":"木三局"},"lifeRuler":"破军","bodyRuler":"铃星",)"
     R"("douJun":"申","lifePalace":"午","bodyPalace":"辰",)",
     {"子 戊 迁移宫 - 63-72 : 武曲旺权 天府庙- 地空平- 天刑--",
      "丑 己 疾厄宫 - 53-62 : 太阳陷禄 太阴庙科 火星旺- 封诰-- 天空-- 天使--",
      "寅 戊 财帛宫 - 43-52 : 贪狼平- 天钺旺- 天月-- 天贵-- 孤辰-- 天厨--",
      "卯 己 子女宫 - 33-42 : 天机旺- 巨门庙- 文曲旺- 红鸾--",
      "辰 庚 夫妻宫 身 23-32 : 紫微陷- 天相旺- 天姚-- 龙池-- 天寿--",
      "巳 辛 兄弟宫 - 13-22 : 天梁陷- 台辅-- 破碎--",
      "午 壬 本命宫 - 3-12 : 七杀旺- 天魁庙- 天福-- 截空-- 天虚-- 天哭-- 天才--",
      "未 癸 父母宫 - 113-122 : 左辅庙- 右弼庙- 陀罗庙- 三台-- 八座--",
      "申 甲 福德宫 - 103-112 : 廉贞庙- 禄存庙- 阴煞-- 蜚廉--",
      "酉 乙 田宅宫 - 93-102 : 铃星陷- 擎羊陷- 天喜--",
      "戌 丙 官禄宫 - 83-92 : 破军旺- 地劫平- 解神-- 恩光-- 凤阁-- 寡宿--",
      "亥 丁 仆役宫 - 73-82 : 天同庙忌 文昌旺- 天马平- 天官-- 天巫-- 天伤--"}},
};

std::vector<std::string_view> Words(std::string_view s) {
    std::vector<std::string_view> out;
    while (!s.empty()) {
        const std::size_t end = s.find(' ');
        if (end != 0) out.push_back(s.substr(0, end));
        if (end == std::string_view::npos) break;
        s.remove_prefix(end + 1);
    }
    return out;
}

// "天同旺忌" -> {"name":"天同","kind":"major","brightness":"旺","mutagen":"忌"}.
std::string StarJson(std::string_view word) {
    static const std::string kMajor = "紫微天机太阳武曲天同廉贞天府太阴贪狼巨门天相天梁七杀破军";
    static const std::string kMinor = "左辅右弼文昌文曲天魁天钺禄存天马擎羊陀罗火星铃星地空地劫";
    const std::string name(word.substr(0, 6));
    auto among = [&name](const std::string& list) {
        for (std::size_t i = 0; i < list.size(); i += 6)
            if (list.compare(i, 6, name) == 0) return true;
        return false;
    };
    auto field = [](std::string_view v) {
        return v == "-" ? std::string("null") : "\"" + std::string(v) + "\"";
    };
    std::string_view rest = word.substr(6);
    const std::string_view brightness = rest.substr(0, rest[0] == '-' ? 1 : 3);
    const std::string_view mutagen = rest.substr(brightness.size());
    return "{\"name\":\"" + name + "\",\"kind\":\"" +
           (among(kMajor)   ? "major"
            : among(kMinor) ? "minor"
                            : "adjective") +
           "\",\"brightness\":" + field(brightness) + ",\"mutagen\":" + field(mutagen) + "}";
}

TEST(CastJson, ChartObjectOfHandWorkedCharts) {
    for (const HandChart& h : kHandCharts) {
        std::vector<std::string> args = {"cast", "--format", "json", "--today", "2026-12-07"};
        args.insert(args.end(), h.args.begin(), h.args.end());
        const auto r = RunCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::size_t at = r.out.find("\"chart\":");
        ASSERT_NE(at, std::string::npos);
        const std::string chart = r.out.substr(at + 8);
        EXPECT_EQ(chart.rfind(h.head, 0), 0u) << chart.substr(0, 600);
        EXPECT_EQ(chart.find("█"), std::string::npos);
        std::size_t from = chart.find("\"palaces\":[");
        for (const char* row : h.palaces) {
            const std::vector<std::string_view> w = Words(row);
            const std::string_view decade = w[4];
            const std::size_t dash = decade.find('-');
            const std::string prefix = "{\"branch\":\"" + std::string(w[0]) + "\",\"stem\":\"" +
                                       std::string(w[1]) + "\",\"name\":\"" + std::string(w[2]) +
                                       "\",\"isBodyPalace\":" + (w[3] == "身" ? "true" : "false") +
                                       ",\"decade\":[" + std::string(decade.substr(0, dash)) + "," +
                                       std::string(decade.substr(dash + 1)) + "],";
            from = chart.find("{\"branch\":", from);
            ASSERT_NE(from, std::string::npos) << row;
            EXPECT_EQ(chart.compare(from, prefix.size(), prefix), 0) << row << "\n"
                                                                     << chart.substr(from, 200);
            std::string stars = "\"stars\":[";
            for (std::size_t i = 6; i < w.size(); ++i) stars += (i > 6 ? "," : "") + StarJson(w[i]);
            stars += "]}";
            const std::size_t s = chart.find("\"stars\":[", from);
            EXPECT_EQ(chart.compare(s, stars.size(), stars), 0)
                << row << "\n"
                << chart.substr(s, stars.size() + 40);
            from = s;
        }
    }
}

}  // namespace
}  // namespace qelvar
