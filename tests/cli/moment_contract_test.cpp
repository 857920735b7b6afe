// qelvar-cli moment, places and cast --clock as a process: the known
// answers of a clock time in a place, the "moment" object, clock lines in a
// batch with their error objects and statuses.  Expected values were worked
// out by hand (longitude correction 4 x (E - 120) minutes; equation of time
// from Meeus' series; China's daylight saving from tzdata's rules).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "convert_process.h"

namespace qelvar {
namespace {

using test::RunCli;

struct MomentCase {
    const char* what;
    std::vector<std::string> args;
    const char* json;
};

const MomentCase kMoments[] = {
    {"Ürümqi: 09:46 true solar time, 巳 4",
     {"--clock", "2000-02-05 12:10", "--longitude", "87.60"},
     R"({"clock":"2000-02-05 12:10","zone":"Asia/Shanghai","utcOffsetMinutes":480,"dst":false,)"
     R"("standardTime":"2000-02-05 12:10","longitude":87.6,"longitudeMinutes":-129.6,)"
     R"("equationOfTimeMinutes":-13.9,"trueSolarTime":"2000-02-05 09:46","date":"2000-02-05",)"
     R"("hour":5,"minuteSlot":4})"},
    {"Chengdu in daylight saving: 卯 2",
     {"--clock", "1988-06-15 07:30", "--longitude", "104.07"},
     R"({"clock":"1988-06-15 07:30","zone":"Asia/Shanghai","utcOffsetMinutes":540,"dst":true,)"
     R"("standardTime":"1988-06-15 06:30","longitude":104.07,"longitudeMinutes":-63.7,)"
     R"("equationOfTimeMinutes":-0.4,"trueSolarTime":"1988-06-15 05:25","date":"1988-06-15",)"
     R"("hour":3,"minuteSlot":2})"},
    {"Beijing in daylight saving: 巳 9, not 午",
     {"--clock", "1990-07-15 12:00", "--longitude", "116.40"},
     R"({"clock":"1990-07-15 12:00","zone":"Asia/Shanghai","utcOffsetMinutes":540,"dst":true,)"
     R"("standardTime":"1990-07-15 11:00","longitude":116.4,"longitudeMinutes":-14.4,)"
     R"("equationOfTimeMinutes":-5.9,"trueSolarTime":"1990-07-15 10:39","date":"1990-07-15",)"
     R"("hour":5,"minuteSlot":9})"},
    // +352.8 s of longitude against −352.2 s of equation of time: 11:00:00.6.
    {"Shanghai half a second into 午",
     {"--clock", "1990-07-15 12:00", "--longitude", "121.47"},
     R"({"clock":"1990-07-15 12:00","zone":"Asia/Shanghai","utcOffsetMinutes":540,"dst":true,)"
     R"("standardTime":"1990-07-15 11:00","longitude":121.47,"longitudeMinutes":5.9,)"
     R"("equationOfTimeMinutes":-5.9,"trueSolarTime":"1990-07-15 11:00","date":"1990-07-15",)"
     R"("hour":6,"minuteSlot":0})"},
    {"no place: standard time, no corrections",
     {"--clock", "2000-02-05 23:30"},
     R"({"clock":"2000-02-05 23:30","zone":"Asia/Shanghai","utcOffsetMinutes":480,"dst":false,)"
     R"("standardTime":"2000-02-05 23:30","longitude":null,"longitudeMinutes":null,)"
     R"("equationOfTimeMinutes":-14,"trueSolarTime":null,"date":"2000-02-05",)"
     R"("hour":12,"minuteSlot":3})"},
    {"Hong Kong's local mean time before 1904, kept to the second",
     {"--clock", "1900-05-01 12:00", "--zone", "Asia/Hong_Kong", "--solar-time", "off",
      "--longitude", "114.17"},
     R"({"clock":"1900-05-01 12:00","zone":"Asia/Hong_Kong","utcOffsetMinutes":456.7,)"
     R"("dst":false,"standardTime":"1900-05-01 12:00","longitude":114.17,)"
     R"("longitudeMinutes":0,"equationOfTimeMinutes":2.9,"trueSolarTime":"1900-05-01 12:02",)"
     R"("date":"1900-05-01","hour":6,"minuteSlot":6})"},
};

TEST(MomentCommand, KnownAnswersAsJson) {
    for (const MomentCase& c : kMoments) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> args{"moment"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"--format", "json"});
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, std::string(c.json) + "\n");
    }
}

TEST(MomentCommand, TextEndsWithTheSummaryLine) {
    const auto r = RunCli({"moment", "--clock", "2000-02-05 12:10", "--place", "乌鲁木齐市"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("巳 (5), sub-period 4, by true solar time"), std::string::npos);
    // The seat at 87.62 E: 4 × (87.62 − 120) = −129.5 minutes.
    EXPECT_NE(r.out.find("北京时间 12:10 → 真太阳时 09:46（经度 −129.5 分，时差 −13.9 分）\n"),
              std::string::npos)
        << r.out;
}

struct RefusedCase {
    const char* what;
    std::vector<std::string> args;
    int status;
    const char* out;
};

const RefusedCase kRefused[] = {
    {"the skipped hour", {"--clock", "1988-04-17 02:30"}, 1, "Nonexistent time\n"},
    {"no such day", {"--clock", "1990-02-30 12:00"}, 1, "Error Date\n"},
    {"longitude east of 180",
     {"--clock", "2000-02-05 12:10", "--longitude", "180.5"},
     2,
     "Malformed input\n"},
    {"longitude west of -180",
     {"--clock", "2000-02-05 12:10", "--longitude=-181"},
     2,
     "Malformed input\n"},
    {"unknown zone",
     {"--clock", "2000-02-05 12:10", "--zone", "Asia/Atlantis"},
     2,
     "Malformed input\n"},
    {"ambiguous place", {"--clock", "2000-02-05 12:10", "--place", "Suzhou"}, 1, ""},
    {"shared Chinese name", {"--clock", "2000-02-05 12:10", "--place", "朝阳"}, 1, ""},
    {"a translation only", {"--clock", "2000-02-05 12:10", "--place", "静冈"}, 1, ""},
    {"unknown place", {"--clock", "2000-02-05 12:10", "--place", "Qwertyville"}, 1, ""},
    {"unknown code", {"--clock", "2000-02-05 12:10", "--place", "999999"}, 1, ""},
    {"place and longitude",
     {"--clock", "2000-02-05 12:10", "--place", "成都", "--longitude", "1"},
     2,
     ""},
    {"malformed clock", {"--clock", "2000-02-05 12.10"}, 2, ""},
    {"no clock", {"--longitude", "87.6"}, 2, ""},
    {"latitude alone", {"--clock", "2000-02-05 12:10", "--latitude", "30"}, 2, ""},
};

TEST(MomentCommand, RefusedMoments) {
    for (const RefusedCase& c : kRefused) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> args{"moment"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, c.out);
        EXPECT_FALSE(r.err.empty());
    }
}

// The repeated hour of 11 September 1988 takes its first, daylight-saving
// occurrence and says so on stderr.
TEST(MomentCommand, RepeatedHourIsNoted) {
    const auto r = RunCli({"moment", "--clock", "1988-09-11 01:30", "--format", "json"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(R"("utcOffsetMinutes":540,"dst":true,"standardTime":"1988-09-11 00:30")"),
              std::string::npos);
    EXPECT_NE(r.err.find("twice"), std::string::npos);
}

TEST(PlacesCommand, ListsEveryCandidate) {
    const auto one = RunCli({"places", "昆山"});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out, "昆山市\t县级\t江苏省\t苏州市\t320583\t120.98\t31.39\tAsia/Shanghai\n");
    const auto two = RunCli({"places", "朝阳", "--format", "json"});
    EXPECT_EQ(two.status, 0);
    EXPECT_EQ(std::count(two.out.begin(), two.out.end(), '{'), 4);
    EXPECT_NE(two.out.find(R"("chineseName":"朝阳区","state":"Beijing","country":"China",)"
                           R"("countryCode":"CN","longitude":116.4900,"latitude":39.9200,)"
                           R"("zone":"Asia/Shanghai","level":"县级","province":"北京市",)"
                           R"("prefecture":"","code":"110105","label":"朝阳区 · 北京市"})"),
              std::string::npos)
        << two.out;
    const auto none = RunCli({"places", "Qwertyville"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
}

// Names one a line: one JSON array a line, or one text block each ended by an
// empty line; status 1 when a name found nothing.
TEST(PlacesCommand, ReadsNamesFromStandardInput) {
    const auto json =
        RunCli({"places", "--format", "json", "-"}, "昆山\n不存在的地方\n朝阳, 北京\n");
    EXPECT_EQ(json.status, 1);
    ASSERT_EQ(std::count(json.out.begin(), json.out.end(), '\n'), 3) << json.out;
    EXPECT_NE(json.out.find("[]\n"), std::string::npos);
    EXPECT_NE(json.out.find(R"("code":"110105")"), std::string::npos);
    const auto text = RunCli({"places", "-"}, "320583\nSuzhou, Anhui\n");
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out,
              "昆山市\t县级\t江苏省\t苏州市\t320583\t120.98\t31.39\tAsia/Shanghai\n\n"
              "宿州市\t地级\t安徽省\t-\t341300\t116.98\t33.63\tAsia/Shanghai\n\n");
}

// A code names its division; a shared name is refused with its candidates.
TEST(MomentCommand, PlaceByCodeOrRefusedWithCandidates) {
    const auto code = RunCli({"moment", "--clock", "2000-02-05 12:10", "--place", "320583"});
    ASSERT_EQ(code.status, 0) << code.err;
    EXPECT_NE(code.out.find("昆山市 · 苏州市, 120.98 E, 31.39 N"), std::string::npos) << code.out;
    const auto shared = RunCli({"moment", "--clock", "2000-02-05 12:10", "--place", "朝阳"});
    EXPECT_EQ(shared.status, 1);
    for (const char* candidate : {"朝阳区 · 北京市  110105", "朝阳区 · 长春市  220104",
                                  "朝阳市 · 辽宁省  211300", "朝阳县 · 朝阳市  211321"})
        EXPECT_NE(shared.err.find(candidate), std::string::npos) << shared.err;
}

// The charts of the known answers: Ürümqi, 命宫 in 酉, 身宫 in 未, 命主文曲,
// 子年斗君：巳; Chengdu, 命宫 in 卯, 身宫 in 酉.
TEST(CastClock, KnownCharts) {
    const auto u = RunCli({"cast", "--clock", "2000-02-05 12:10", "--place", "乌鲁木齐市",
                           "--today", "2026-12-07", "--format", "json"});
    ASSERT_EQ(u.status, 0) << u.err;
    EXPECT_NE(u.out.find(R"("branch":"酉","palace":"本命宫")"), std::string::npos);
    EXPECT_NE(u.out.find(R"("branch":"未","palace":"夫★身")"), std::string::npos);
    EXPECT_NE(u.out.find(R"("2188":"命主文曲")"), std::string::npos);
    EXPECT_NE(u.out.find(R"("2181":"子年斗君：巳")"), std::string::npos);
    EXPECT_NE(u.out.find(R"("hour":5,"minuteSlot":4,"sex":0)"), std::string::npos);
    EXPECT_NE(u.out.find(R"(,"moment":{"clock":"2000-02-05 12:10","zone":"Asia/Shanghai",)"),
              std::string::npos);
    EXPECT_EQ(u.out.substr(u.out.size() - 3), "}}\n");
    const auto c = RunCli({"cast", "--clock", "1988-06-15 07:30", "--longitude", "104.07",
                           "--today", "2026-12-07", "--format", "json"});
    ASSERT_EQ(c.status, 0) << c.err;
    EXPECT_NE(c.out.find(R"("branch":"卯","palace":"本命宫")"), std::string::npos);
    EXPECT_NE(c.out.find(R"("branch":"酉","palace":"迁★身")"), std::string::npos);
}

// The same chart from the clock time and from the lists it resolves to.
TEST(CastClock, TextEqualsTheListsCastAfterTheSummaryLine) {
    const auto clock = RunCli(
        {"cast", "--clock", "2000-02-05 12:10", "--longitude", "87.60", "--today", "2026-12-07"});
    const auto lists =
        RunCli({"cast", "2000-02-05", "--hour", "5", "--minute", "4", "--today", "2026-12-07"});
    ASSERT_EQ(clock.status, 0);
    const std::string summary =
        "北京时间 12:10 → 真太阳时 09:46（经度 −129.6 分，时差 −13.9 分）\n";
    EXPECT_EQ(clock.out, summary + lists.out);
}

TEST(CastClock, ClockLinesInABatch) {
    const std::string input =
        "clock 2000-02-05 12:10 Asia/Shanghai 87.60 0\n"
        "clock 1988-04-17 02:30 Asia/Shanghai - 1\n"
        "2000-02-05 6 0 0\n"
        "clock 2000-02-05 12:10 Asia/Atlantis 87.6 0\n"
        "clock 2000-02-05 12:10 Asia/Shanghai 200 0\n"
        "clock 2000-02-05 12:10 Asia/Shanghai -200 0\n"
        "clock 2000-02-05 12:10 Asia/Shanghai\n";
    const auto r = RunCli({"cast", "--format", "json", "--today", "2026-12-07", "-"}, input);
    EXPECT_EQ(r.status, 2);
    std::vector<std::string> lines;
    for (std::size_t p = 0, q; (q = r.out.find('\n', p)) != std::string::npos; p = q + 1)
        lines.push_back(r.out.substr(p, q - p));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_NE(lines[0].find(R"("moment":{)"), std::string::npos);
    EXPECT_EQ(lines[1], R"({"error":"Nonexistent time"})");
    EXPECT_EQ(lines[2].find(R"("moment")"), std::string::npos);
    for (int i : {3, 4, 5, 6}) EXPECT_EQ(lines[i], R"({"error":"Malformed input"})") << i;

    // Without malformed lines the skipped hour alone gives status 1.
    const auto one = RunCli({"cast", "--format", "json", "--today", "2026-12-07", "-"},
                            "clock 1988-04-17 02:30 Asia/Shanghai - 1\n2000-02-05 6 0 0\n");
    EXPECT_EQ(one.status, 1);
}

TEST(CastClock, ContradictoryOptions) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"cast", "--clock", "2000-02-05 12:10", "--hour", "3"},
             {"cast", "2000-02-05", "--clock", "2000-02-05 12:10"},
             {"cast", "2000-02-05", "--hour", "3", "--minute", "1", "--longitude", "87"},
             {"cast", "-", "--place", "成都"},
         }) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
}  // namespace qelvar
