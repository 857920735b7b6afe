// qelvar-cli cast with the school readings as a process: a 庚午 man born
// 1990-06-15 at 午 (lunar 1990, year stem 庚, branch 午), under the common
// preset and single switches, with the cells worked out by hand.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "convert_process.h"

namespace qelvar {
namespace {

using nlohmann::json;
using test::RunCli;

std::vector<std::string> Cast(std::initializer_list<const char*> more) {
    std::vector<std::string> args = {"cast",     "1990-06-15", "--hour",   "6",
                                     "--minute", "0",          "--sex",    "0",
                                     "--today",  "2026-12-07", "--format", "json"};
    for (const char* a : more) args.push_back(a);
    return args;
}

json Palace(const json& j, const std::string& branch) {
    for (const json& p : j["chart"]["palaces"])
        if (p["branch"] == branch) return p;
    ADD_FAILURE() << "no palace " << branch;
    return json::object();
}

bool Holds(const json& j, const std::string& branch, const std::string& star) {
    const json palace = Palace(j, branch);
    for (const json& s : palace["stars"])
        if (s["name"] == star) return true;
    return false;
}

TEST(SchoolCli, CommonPreset) {
    const auto r = RunCli(Cast({"--preset", "common"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = json::parse(r.out);
    EXPECT_EQ(j["conventions"]["kuiYue"], "chou-wei");
    EXPECT_EQ(j["conventions"]["stars"], "extended");
    EXPECT_EQ(j["conventions"]["mutagenGeng"], "阳武阴同");
    // 魁钺 丑未; 马 by 午 (寅午戌) 申; 截路 午 空亡 未 (乙庚); 天德 酉+6 卯,
    // 月德 巳+6 亥, 年解 戌-6 辰, 旬空 戌.
    const std::pair<const char*, const char*> placed[] = {
        {"丑", "天魁"}, {"未", "天钺"}, {"申", "天马"}, {"午", "截路"}, {"未", "空亡"},
        {"卯", "天德"}, {"亥", "月德"}, {"辰", "年解"}, {"戌", "旬空"}};
    for (const auto& [branch, star] : placed) EXPECT_TRUE(Holds(j, branch, star)) << star;
    EXPECT_FALSE(Holds(j, "午", "截空"));
    // 太岁 on 午 is 岁建; 驿马 of 寅午戌 on 申 is 岁驿.
    EXPECT_EQ(Palace(j, "午")["suiQian"], "岁建");
    EXPECT_EQ(Palace(j, "申")["jiangQian"], "岁驿");
    // 来因: 庚 is the stem of 辰 (乙庚 年 戊寅 起); 小限 of 寅午戌 from 辰, forward.
    EXPECT_EQ(Palace(j, "辰")["isOriginPalace"], true);
    EXPECT_EQ(Palace(j, "子")["isOriginPalace"], false);
    EXPECT_EQ(Palace(j, "辰")["smallLimitAges"], json::parse("[1,13,25,37,49,61,73,85,97,109]"));
    EXPECT_EQ(Palace(j, "巳")["smallLimitAges"][0], 2);

    const auto text = RunCli({"cast", "1990-06-15", "--hour", "6", "--minute", "0", "--preset",
                              "common", "--stars", "default"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("约定：kuiYue=chou-wei tianMa=year bodyRulerZi=火星 jieKong=pair "
                            "godNames=common\n"),
              std::string::npos);
    EXPECT_EQ(text.out.find("小限"), std::string::npos);
}

TEST(SchoolCli, SwitchesAloneAndDefaults) {
    const json plain = json::parse(RunCli(Cast({})).out);
    EXPECT_EQ(plain["conventions"].size(), 3U);
    EXPECT_TRUE(Holds(plain, "午", "天魁"));
    EXPECT_FALSE(Palace(plain, "辰").contains("smallLimitAges"));

    const json kui = json::parse(RunCli(Cast({"--kui-yue", "chou-wei"})).out);
    EXPECT_TRUE(Holds(kui, "丑", "天魁"));
    EXPECT_EQ(kui["conventions"].size(), 12U);
    // 庚 with 阳武府同: 天府 is 科, natal and in the 飞化 of the 庚 palace 辰.
    const json fu = json::parse(RunCli(Cast({"--mutagen-geng", "阳武府同"})).out);
    EXPECT_EQ(fu["flying"]["辰"]["transformations"][2]["star"], "天府");
    EXPECT_EQ(fu["chart"]["palaces"].size(), 12U);
    for (const char* bad : {"--kui-yue=wei", "--preset=rare", "--mutagen-wu=贪阴左机"})
        EXPECT_EQ(RunCli(Cast({bad})).status, 2) << bad;
}

}  // namespace
}  // namespace qelvar
