// The school readings: each switch alone, and the common preset, on births
// whose expected cells were worked out by hand from the rules (the year's
// stem and branch, then the rule's count), one birth per branch of each rule.
#include <gtest/gtest.h>

#include "PeriodsFixture.h"
#include "chart/ChartNames.h"
#include "periods/ChartCast.h"

namespace qelvar::test {
namespace {

// A man (sex 0) or woman born on 15 June of Gregorian year y at 午; every
// such day lies after the lunar new year, so the lunar year is y.
Chart Under(int y, const School& school, int sex = 0) {
    const Cast c = CastBirth(y, 6, 15, 6, sex);
    const ChartCast cast = CastChart(c.birth, ChartConventions{.school = school}, kToday);
    EXPECT_TRUE(cast.ok());
    return cast.chart;
}

// The branch names of the cells holding `star`, "" when none does.
std::string Where(const Chart& chart, Star star) {
    std::string out;
    for (PalaceIndex p = 0; p < 12; ++p) {
        const Palace& palace = chart.palaces[p];
        for (int i = 0; i < palace.starCount; ++i)
            if (palace.stars[i].star == star) out += BranchName(BranchOfCell(p));
    }
    return out;
}

std::string Row(const std::array<Star, 4>& row) {
    std::string s;
    for (const Star star : row) s += StarName(star);
    return s;
}

constexpr School kChouWei{.kuiYue = KuiYueRule::ChouWei};
constexpr School kYearMa{.tianMa = TianMaRule::Year};
constexpr School kHuoZi{.bodyRulerZi = BodyRulerZi::HuoXing};
constexpr School kPair{.jieKong = JieKongRule::Pair};
constexpr School kCommonNames{.godNames = GodNames::Common};
constexpr School kExtended{.stars = StarSet::Extended};

TEST(School, KuiYue) {
    struct Case {
        int year;
        School school;
        const char* kui;
        const char* yue;
    } const cases[] = {
        {1990, {}, "午", "寅"},        // 庚: the table's 午/寅
        {1990, kChouWei, "丑", "未"},  // 庚 with 甲 and 戊
        {1991, kChouWei, "午", "寅"},  // 辛 keeps its pair
        {1994, kChouWei, "丑", "未"},  // 甲 as before
    };
    for (const Case& c : cases) {
        const Chart chart = Under(c.year, c.school);
        EXPECT_EQ(Where(chart, Star::TianKui), c.kui) << c.year;
        EXPECT_EQ(Where(chart, Star::TianYue), c.yue) << c.year;
    }
}

TEST(School, TianMaByYearBranch) {
    // 午 (寅午戌) 申, 申 (申子辰) 寅, 酉 (巳酉丑) 亥, 未 (亥卯未) 巳.
    const std::pair<int, const char*> cases[] = {
        {1990, "申"}, {1992, "寅"}, {1993, "亥"}, {1991, "巳"}};
    for (const auto& [year, ma] : cases) EXPECT_EQ(Where(Under(year, kYearMa), Star::TianMa), ma);
    // By the month (default): 1992-06-15 is in lunar month 5: 申; by the
    // year branch 申: 寅.
    EXPECT_EQ(Where(Under(1992, {}), Star::TianMa), "申");
}

TEST(School, BodyRulerOfZiYears) {
    EXPECT_EQ(Under(1996, {}).bodyRuler, Star::LingXing);       // 丙子
    EXPECT_EQ(Under(1996, kHuoZi).bodyRuler, Star::HuoXing);    // 丙子
    EXPECT_EQ(Under(1991, kHuoZi).bodyRuler, Star::TianXiang);  // 辛未: the table
}

TEST(School, JieLuKongWangByYearStem) {
    struct Case {
        int year;
        const char* jieLu;
        const char* kongWang;
    } const cases[] = {
        {1994, "申", "酉"},  // 甲
        {1990, "午", "未"},  // 庚
        {1996, "辰", "巳"},  // 丙
        {1997, "寅", "卯"},  // 丁
        {1993, "子", "丑"},  // 癸
    };
    for (const Case& c : cases) {
        const Chart chart = Under(c.year, kPair);
        EXPECT_EQ(Where(chart, Star::JieLu), c.jieLu) << c.year;
        EXPECT_EQ(Where(chart, Star::KongWang), c.kongWang) << c.year;
        EXPECT_EQ(Where(chart, Star::JieKong), "") << c.year;
    }
    EXPECT_EQ(Where(Under(1990, {}), Star::JieLu), "");
}

TEST(School, TransformationRowsInNatalLayersAndFlying) {
    struct Case {
        int year;
        School school;
        Stem stem;
        const char* row;
    } const cases[] = {
        {1990, {}, 6, "太阳武曲太阴天同"},
        {1990, {.mutagenGeng = MutagenGeng::YangWuFuTong}, 6, "太阳武曲天府天同"},
        {1990, {.mutagenGeng = MutagenGeng::YangWuTongYin}, 6, "太阳武曲天同太阴"},
        {1998, {.mutagenWu = MutagenWu::TanYinYangJi}, 4, "贪狼太阴太阳天机"},
        {1992, {.mutagenRen = MutagenRen::LiangZiFuWu}, 8, "天梁紫微天府武曲"},
    };
    for (const Case& c : cases) {
        const Chart chart = Under(c.year, c.school);
        EXPECT_EQ(Row(chart.Transformations()), c.row) << c.year;
        // The layers and 飞化 read the row of any stem through the natal chart.
        const NatalChart natal = ReadNatalChart(chart);
        const FourTransformations t = TransformationsOf(natal, c.stem);
        std::string names;
        for (const Transformation& x : t) names += x.star;
        EXPECT_EQ(names, c.row) << c.year;
    }
    // 1990 (庚) at 午: 天府 stands in 子 beside 武曲; 阳武府同 marks it 科.
    const Chart fu = Under(1990, {.mutagenGeng = MutagenGeng::YangWuFuTong});
    const Palace& zi = fu.PalaceOfBranch(0);
    bool marked = false;
    for (int i = 0; i < zi.starCount; ++i)
        if (zi.stars[i].star == Star::TianFu) marked = zi.stars[i].mutagen == Mutagen::Ke;
    EXPECT_TRUE(marked);
}

TEST(School, CommonGodNames) {
    // 1990 (午): 岁建 on 午, 晦气 未, 官符 戌; 官府 ends the 博士 cycle; 驿马 of
    // 寅午戌 is 申, named 岁驿.
    const Chart chart = Under(1990, kCommonNames);
    const auto sui = [&](const char* b) {
        return SuiQianCycle(GodNames::Common)[chart.PalaceOfBranch(B(b)).suiQian];
    };
    EXPECT_EQ(sui("午"), "岁建");
    EXPECT_EQ(sui("未"), "晦气");
    EXPECT_EQ(sui("戌"), "官符");
    EXPECT_EQ(sui("巳"), "病符");
    EXPECT_EQ(JiangQianCycle(GodNames::Common)[chart.PalaceOfBranch(B("申")).jiangQian], "岁驿");
    EXPECT_EQ(BoShiCycle(GodNames::Common)[11], "官府");
}

TEST(School, ExtendedStars) {
    struct Case {
        int year, sex;
        const char *tianDe, *yueDe, *nianJie, *xunKong, *origin, *ageOne;
    } const cases[] = {
        // 庚午: 酉+6, 巳+6, 戌-6; empty (6-6+10, 11) = 戌亥, 戌 even; 庚 on 辰;
        // 小限 from 辰.
        {1990, 0, "卯", "亥", "辰", "戌", "辰", "辰"},
        // 癸酉: empty (9-9+10, 11) = 戌亥, 亥 odd; 癸 on 亥; 小限 from 未.
        {1993, 1, "午", "寅", "丑", "亥", "亥", "未"},
        // 壬申: empty 戌亥, 戌 even; 壬 on 寅 (not 子); 小限 from 戌.
        {1992, 1, "巳", "丑", "寅", "戌", "寅", "戌"},
        // 辛未: empty 戌亥, 亥 odd; 辛 on 卯 (not 丑); 小限 from 丑.
        {1991, 0, "辰", "子", "卯", "亥", "卯", "丑"},
        // 甲戌: empty (10-0+10, 11) = 申酉, 申 even; 甲 on 戌.
        {1994, 0, "未", "卯", "子", "申", "戌", "辰"},
    };
    for (const Case& c : cases) {
        const Chart chart = Under(c.year, kExtended, c.sex);
        EXPECT_EQ(Where(chart, Star::TianDe), c.tianDe) << c.year;
        EXPECT_EQ(Where(chart, Star::YueDe), c.yueDe) << c.year;
        EXPECT_EQ(Where(chart, Star::NianJie), c.nianJie) << c.year;
        EXPECT_EQ(Where(chart, Star::XunKong), c.xunKong) << c.year;
        std::string origin;
        for (PalaceIndex p = 0; p < 12; ++p)
            if (chart.palaces[p].isOrigin) origin += BranchName(BranchOfCell(p));
        EXPECT_EQ(origin, c.origin) << c.year;
        const std::vector<int> first = chart.SmallLimitAges(CellOfBranch(B(c.ageOne)));
        ASSERT_EQ(first.size(), 10U) << c.year;
        EXPECT_EQ(first.front(), 1) << c.year;
        EXPECT_EQ(first.back(), 109) << c.year;
        // Age 2 one branch on for a man, one back for a woman.
        const Branch two = B(c.ageOne) + (c.sex == 0 ? 1 : 11);
        EXPECT_EQ(chart.SmallLimitAges(CellOfBranch(two % 12)).front(), 2) << c.year;
    }
    // The defaults place none of them.
    const Chart plain = Under(1990, {});
    EXPECT_EQ(Where(plain, Star::TianDe) + Where(plain, Star::XunKong), "");
}

TEST(School, CommonPresetAndNames) {
    const School common = *ParsePreset("common");
    EXPECT_EQ(common, (School{.kuiYue = KuiYueRule::ChouWei,
                              .tianMa = TianMaRule::Year,
                              .bodyRulerZi = BodyRulerZi::HuoXing,
                              .jieKong = JieKongRule::Pair,
                              .godNames = GodNames::Common,
                              .stars = StarSet::Extended}));
    EXPECT_TRUE(ParsePreset("default")->IsDefault());
    EXPECT_FALSE(ParsePreset("other"));
    EXPECT_EQ(SchoolText(common),
              "kuiYue=chou-wei tianMa=year bodyRulerZi=火星 jieKong=pair godNames=common "
              "stars=extended");
    // 1990 under the preset: every reading at once.
    const Chart chart = Under(1990, common);
    EXPECT_EQ(Where(chart, Star::TianKui) + Where(chart, Star::TianMa) + Where(chart, Star::JieLu) +
                  Where(chart, Star::TianDe),
              "丑申午卯");
}

}  // namespace
}  // namespace qelvar::test
