// qelvar-cli cast --at as a process: the periods of the known chart
// (2000-02-05 午 男 at 2025-06-01, 午) in JSON and text, the conventions,
// target errors and batch lines with their own target.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "convert_process.h"

namespace qelvar {
namespace {

using nlohmann::json;
using test::RunCli;

const std::vector<std::string> kBase = {"cast", "2000-02-05", "--hour", "6",       "--minute",
                                        "0",    "--sex",      "0",      "--today", "2026-12-07"};

std::vector<std::string> With(std::initializer_list<const char*> more) {
    std::vector<std::string> args = kBase;
    for (const char* a : more) args.push_back(a);
    return args;
}

json Layer(const json& cast, const std::string& name) {
    for (const json& l : cast["horoscope"]["layers"])
        if (l["layer"] == name) return l;
    ADD_FAILURE() << "no layer " << name;
    return json::object();
}

TEST(HoroscopeJson, KnownAnswers) {
    const auto r = RunCli(With({"--at", "2025-06-01", "--at-hour", "6", "--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_EQ(j["conventions"],
              json::parse(R"({"lateZi":"same-day","leapMonth":"whole","yearStart":"new-year"})"));
    EXPECT_EQ(j["horoscope"]["target"],
              json::parse(R"({"solar":"2025-06-01","lunar":{"year":2025,"month":5,"day":6,)"
                          R"("leap":false},"hour":6})"));
    EXPECT_EQ(j["horoscope"]["age"], 26);

    std::vector<std::string> order;
    for (const json& l : j["horoscope"]["layers"]) {
        order.push_back(l["layer"]);
        EXPECT_EQ(l["child"], false);
        EXPECT_EQ(l["palaces"].size(), 12u);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"大限", "小限", "流年", "流月", "流日", "流时"}));

    const json decade = Layer(j, "大限");
    EXPECT_EQ(decade["stemBranch"], "丙戌");
    EXPECT_EQ(decade["cell"], "戌");
    EXPECT_EQ(decade["palaces"]["戌"], "命宫");
    EXPECT_EQ(decade["palaces"]["寅"], "官禄");
    EXPECT_EQ(decade["transformations"],
              json::parse(R"([{"mark":"禄","star":"天同","cell":"申"},)"
                          R"({"mark":"权","star":"天机","cell":"子"},)"
                          R"({"mark":"科","star":"文昌","cell":"辰"},)"
                          R"({"mark":"忌","star":"廉贞","cell":"巳"}])"));
    EXPECT_EQ(decade["stars"],
              json::parse(R"({"辰":["运陀"],"巳":["运禄","运鸾"],"午":["运曲","运羊"],)"
                          R"("申":["运昌","运马"],"酉":["运钺"],"亥":["运魁","运喜"]})"));

    const json minor = Layer(j, "小限");
    EXPECT_EQ(minor["stemBranch"], "丁亥");
    EXPECT_EQ(minor["cell"], "亥");
    EXPECT_EQ(minor["stars"], json::object());

    const json year = Layer(j, "流年");
    EXPECT_EQ(year["stemBranch"], "乙巳");
    EXPECT_EQ(year["cell"], "巳");
    std::vector<std::string> stars;
    for (const json& t : year["transformations"]) stars.push_back(t["star"]);
    EXPECT_EQ(stars, (std::vector<std::string>{"天机", "天梁", "紫微", "太阴"}));
    EXPECT_EQ(year["stars"],
              json::parse(R"({"寅":["流陀"],"卯":["流禄"],"辰":["流羊","流喜"],"巳":["年解"],)"
                          R"("午":["流昌"],"申":["流钺","流曲"],"戌":["流鸾"],"亥":["流马"],)"
                          R"("子":["流魁"]})"));
    EXPECT_EQ(year["gods"]["suiQian"]["巳"], "太岁");
    EXPECT_EQ(year["gods"]["jiangQian"]["酉"], "将星");
    EXPECT_EQ(year["gods"]["suiQian"].size(), 12u);

    const json month = Layer(j, "流月");
    EXPECT_EQ(month["stemBranch"], "壬午");
    EXPECT_EQ(month["cell"], "卯");
    EXPECT_EQ(month["stars"]["申"], json::parse(R"(["月马"])"));
    EXPECT_EQ(month["stars"]["酉"], json::parse(R"(["月鸾"])"));
    EXPECT_EQ(month["stars"]["卯"], json::parse(R"(["月魁","月喜"])"));
    EXPECT_EQ(Layer(j, "流日")["stemBranch"], "辛丑");
    EXPECT_EQ(Layer(j, "流日")["cell"], "申");
    EXPECT_EQ(Layer(j, "流日")["stars"]["亥"], json::parse(R"(["日马"])"));
    EXPECT_EQ(Layer(j, "流时")["stemBranch"], "甲午");
    EXPECT_EQ(Layer(j, "流时")["cell"], "寅");
}

TEST(HoroscopeJson, DecadesAndFlyingWithoutTarget) {
    const auto r = RunCli(With({"--format", "json"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_FALSE(j.contains("horoscope"));
    ASSERT_EQ(j["decades"].size(), 12u);
    EXPECT_EQ(
        j["decades"][0],
        json::parse(R"({"cell":"申","stemBranch":"甲申","ages":[2,11],"years":[2001,2010]})"));
    EXPECT_EQ(
        j["decades"][2],
        json::parse(R"({"cell":"戌","stemBranch":"丙戌","ages":[22,31],"years":[2021,2030]})"));
    ASSERT_EQ(j["flying"].size(), 12u);
    EXPECT_EQ(j["flying"]["寅"], json::parse(R"({"stemBranch":"戊寅","transformations":[)"
                                             R"({"mark":"禄","star":"贪狼","cell":"巳"},)"
                                             R"({"mark":"权","star":"太阴","cell":"辰"},)"
                                             R"({"mark":"科","star":"右弼","cell":"戌"},)"
                                             R"({"mark":"忌","star":"天机","cell":"子"}],)"
                                             R"("self":[],"surrounding":["寅","申","午","戌"]})"));
    EXPECT_EQ(j["flying"]["辰"]["self"], json::parse(R"(["科"])"));
    EXPECT_EQ(j["flying"]["子"]["self"], json::parse(R"(["忌"])"));
}

TEST(HoroscopeJson, HourlessTargetAndLateZiFolding) {
    const json none = json::parse(RunCli(With({"--at", "2025-06-01", "--format", "json"})).out);
    EXPECT_TRUE(none["horoscope"]["target"]["hour"].is_null());
    EXPECT_EQ(none["horoscope"]["layers"].size(), 5u);
    const json lateZi = json::parse(
        RunCli(With({"--at", "2025-06-01", "--at-hour", "夜子", "--format", "json"})).out);
    EXPECT_EQ(lateZi["horoscope"]["target"]["hour"], 0);
    EXPECT_EQ(Layer(lateZi, "流时")["stemBranch"], "戊子");
    EXPECT_EQ(Layer(lateZi, "流时")["cell"], "申");
}

TEST(HoroscopeJson, ConventionsAreShownAndApplied) {
    const auto r = RunCli({"cast", "2000-02-04", "--hour", "6", "--minute", "0", "--year-start",
                           "lichun", "--at", "2025-06-01", "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_EQ(j["conventions"]["yearStart"], "lichun");
    EXPECT_EQ(j["birth"]["lunarYear"], "2000");
    EXPECT_EQ(j["birth"]["lunarText"], "兔(己卯)年腊月廿九");
    EXPECT_EQ(j["horoscope"]["age"], 26);
    EXPECT_EQ(j["decades"][0]["years"][0], 2000 + j["decades"][0]["ages"][0].get<int>() - 1);

    const auto text = RunCli({"cast", "2000-02-05", "--hour", "12", "--minute", "0", "--late-zi",
                              "next-day", "--leap-month", "split"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("约定：lateZi=next-day leapMonth=split"), std::string::npos);
    EXPECT_NE(text.out.find("正月初二"), std::string::npos);
    EXPECT_EQ(RunCli(With({})).out.find("约定"), std::string::npos);
}

TEST(HoroscopeErrors, TargetFailuresTakeTheCastsPlace) {
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string out;
    };
    const Row rows[] = {
        {With({"--at", "1999-12-31", "--format", "json"}), 1, "{\"error\":\"Error Target\"}\n"},
        {With({"--at", "2025-02-30", "--format", "json"}), 1, "{\"error\":\"Error Date\"}\n"},
        {With({"--at", "2051-02-11"}), 1, "Error Date\n"},
        {{"cast", "2000-02-30", "--hour", "6", "--minute", "0", "--at", "1990-01-01"},
         1,
         "Error Date\n"},  // the birth is checked first
    };
    for (const Row& r : rows) {
        const auto p = RunCli(r.args);
        EXPECT_EQ(p.status, r.status) << r.args[5];
        EXPECT_EQ(p.out, r.out);
    }
    for (const char* bad : {"--late-zi=tomorrow", "--at-hour=3", "--at=2025/06/01"})
        EXPECT_EQ(RunCli(With({bad})).status, 2) << bad;
}

TEST(HoroscopeBatch, LinesWithTheirOwnTarget) {
    const auto r = RunCli({"cast", "--format", "json", "--at", "2024-07-01", "-"},
                          "2000-02-05 6 0 0 at 2025-06-01 6\n"
                          "2000-02-05 6 0 0 at 1990-01-01\n"
                          "2000-02-05 6 0 0\n"
                          "2000-02-05 6 0 0 at 2025-06-01 13\n");
    EXPECT_EQ(r.status, 2);
    std::vector<json> lines;
    for (std::size_t p = 0, q; (q = r.out.find('\n', p)) != std::string::npos; p = q + 1)
        lines.push_back(json::parse(r.out.substr(p, q - p)));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0]["horoscope"]["target"]["hour"], 6);
    EXPECT_EQ(Layer(lines[0], "流时")["stemBranch"], "甲午");
    EXPECT_EQ(lines[1], json::parse(R"({"error":"Error Target"})"));
    EXPECT_EQ(lines[2]["horoscope"]["target"]["solar"], "2024-07-01");
    EXPECT_EQ(lines[3], json::parse(R"({"error":"Malformed input"})"));
}

// A PNG text chunk (tEXt, zTXt or iTXt) keyed "Title".
bool HasTitle(const std::string& png) {
    for (const char* type : {"tEXt", "zTXt", "iTXt"})
        if (png.find(std::string(type) + "Title" + '\0') != std::string::npos) return true;
    return false;
}

TEST(HoroscopePng, ConventionsTitleOnlyWhenNotTheDefaults) {
    const std::string dir = testing::TempDir() + "qelvar_periods_png_" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    const std::string plain = dir + "/plain.png", lichun = dir + "/lichun.png";
    const auto a =
        RunCli({"render", "2000-02-05", "--hour", "6", "--minute", "0", "--output", plain});
    if (a.err.find("configured without the GUI") != std::string::npos)
        GTEST_SKIP() << "built without the Qt layer";
    ASSERT_EQ(a.status, 0) << a.err;
    const auto b = RunCli({"cast", "2000-02-05", "--hour", "6", "--minute", "0", "--format", "png",
                           "--year-start", "lichun", "--output", lichun});
    ASSERT_EQ(b.status, 0) << b.err;
    EXPECT_FALSE(HasTitle(test::ReadWhole(plain)));
    EXPECT_TRUE(HasTitle(test::ReadWhole(lichun)));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qelvar
