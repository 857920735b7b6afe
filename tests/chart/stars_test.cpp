// Steps 6-31: auxiliary and minor stars, placed by the first free slot.
#include <gtest/gtest.h>

#include "ChartFixture.h"

namespace qelvar {
namespace {

using test::BranchOfStar;
using test::kToday;
using test::Lunar;
using test::PositionOf;

ZiWeiChart Cast(const BirthData& b) {
    ZiWeiChart z(b, kToday);
    z.RunChartSteps();
    return z;
}

struct StarAt {
    const char* star;
    const char* branch;
};

void ExpectStars(const ZiWeiChart& z, std::initializer_list<StarAt> rows, const char* label) {
    for (const StarAt& r : rows)
        EXPECT_EQ(BranchOfStar(z, r.star), r.branch) << label << " " << r.star;
}

TEST(AuxiliaryStars, HourZiMonthOneJiaZiYear) {
    const ZiWeiChart z = Cast(Lunar(1984, 1, 1, 0));
    ExpectStars(z,
                {{"文昌", "戌"},
                 {"文曲", "辰"},
                 {"左辅", "辰"},
                 {"右弼", "戌"},
                 {"禄存", "寅"},
                 {"天魁", "丑"},
                 {"天钺", "未"},
                 {"火星", "寅"},
                 {"铃星", "戌"},
                 {"擎羊", "卯"},
                 {"陀罗", "丑"},
                 {"地空", "亥"},
                 {"地劫", "亥"},
                 {"天马", "申"},
                 {"天姚", "丑"},
                 {"天刑", "酉"}},
                "1984-1-1 子");
    // Within a cell the later placement takes the next free slot.
    EXPECT_EQ(PositionOf(z, "辰", "左辅"), PositionOf(z, "辰", "文曲") + 1);
    EXPECT_EQ(PositionOf(z, "戌", "右弼"), PositionOf(z, "戌", "文昌") + 1);
    EXPECT_LT(PositionOf(z, "亥", "地空"), PositionOf(z, "亥", "地劫"));
    // 火星/铃星 name the lunar year's branch.  (Checked on the step alone:
    // after a whole cast the member names the year pillar's branch, which
    // comes from the birth instant, and this hand-made birth keeps the
    // fixture's Gregorian date 2000-02-05, after 立春 of the year 庚辰.)
    ZiWeiChart single(Lunar(1984, 1, 1, 0), kToday);
    single.PlaceHuoLing();
    EXPECT_EQ(single.Value().yearBranch, 0);  // 子
}

TEST(AuxiliaryStars, StemKeyedStars) {
    struct Row {
        int year;
        const char *luCun, *kui, *yue, *yang, *tuo;
    };
    const Row rows[] = {
        {1986, "巳", "亥", "酉", "午", "辰"},  // 丙
        {1988, "巳", "丑", "未", "午", "辰"},  // 戊 shares 禄存 with 丙
        {1987, "午", "亥", "酉", "未", "巳"},  // 丁
        {1989, "午", "子", "申", "未", "巳"},  // 己 shares 禄存 with 丁
        {1990, "申", "午", "寅", "酉", "未"},  // 庚: 魁钺 as 辛
        {1991, "酉", "午", "寅", "戌", "申"},  // 辛
        {1993, "子", "卯", "巳", "丑", "亥"},  // 癸: 擎羊 and 陀罗 wrap round 子
    };
    for (const Row& r : rows) {
        const ZiWeiChart z = Cast(Lunar(r.year, 5, 10, 4));
        ExpectStars(z,
                    {{"禄存", r.luCun},
                     {"天魁", r.kui},
                     {"天钺", r.yue},
                     {"擎羊", r.yang},
                     {"陀罗", r.tuo}},
                    std::to_string(r.year).c_str());
    }
}

TEST(AuxiliaryStars, FireAndBellByYearTriadAndHour) {
    struct Row {
        int year, hour;
        const char *huo, *ling;
    };
    const Row rows[] = {
        {1986, 0, "丑", "卯"},                         // 寅 year
        {1986, 3, "辰", "午"}, {1984, 5, "未", "卯"},  // 子 year: 火 from 寅, 铃 from 戌
        {1985, 0, "卯", "戌"},                         // 丑 year
        {1987, 2, "亥", "子"},                         // 卯 year: 火 from 酉
    };
    for (const Row& r : rows)
        ExpectStars(Cast(Lunar(r.year, 1, 1, r.hour)), {{"火星", r.huo}, {"铃星", r.ling}},
                    std::to_string(r.year).c_str());
}

TEST(AuxiliaryStars, MonthKeyedStars) {
    struct Row {
        int month;
        const char *zuo, *you, *ma, *yao, *xing;
    };
    const Row rows[] = {
        {1, "辰", "戌", "申", "丑", "酉"},
        {2, "巳", "酉", "巳", "寅", "戌"},
        {7, "戌", "辰", "寅", "未", "卯"},
        {12, "卯", "亥", "亥", "子", "申"},
    };
    for (const Row& r : rows)
        ExpectStars(
            Cast(Lunar(2001, r.month, 3, 7)),
            {{"左辅", r.zuo}, {"右弼", r.you}, {"天马", r.ma}, {"天姚", r.yao}, {"天刑", r.xing}},
            std::to_string(r.month).c_str());
}

TEST(MinorStars, RelativeToAuxiliaryStarsAndTheDay) {
    // Month 9: 左辅 in 子, 右弼 in 寅; day 14.
    ExpectStars(Cast(Lunar(1984, 9, 14, 0)), {{"右弼", "寅"}, {"八座", "丑"}, {"三台", "丑"}},
                "day 14");
    // Month 8: 左辅 in 亥; day 30 counts round to 辰.
    ExpectStars(Cast(Lunar(1984, 8, 30, 0)), {{"左辅", "亥"}, {"三台", "辰"}}, "day 30");
    // Hour 子: 文昌 戌, 文曲 辰; day 3: 恩光 戌 + 1, 天贵 辰 + 1.
    ExpectStars(Cast(Lunar(1984, 1, 3, 0)), {{"恩光", "亥"}, {"天贵", "巳"}}, "day 3");
}

TEST(MinorStars, YearStemStars) {
    const ZiWeiChart wu = Cast(Lunar(1988, 3, 3, 3));  // 戊: 天官 and 天福 share 卯
    ExpectStars(wu, {{"天官", "卯"}, {"天福", "卯"}, {"天厨", "午"}}, "戊");
    EXPECT_GT(PositionOf(wu, "卯", "天福"), PositionOf(wu, "卯", "天官"));
    ExpectStars(Cast(Lunar(1984, 3, 3, 3)), {{"天官", "未"}, {"天福", "酉"}, {"天厨", "巳"}}, "甲");
    ExpectStars(Cast(Lunar(1993, 3, 3, 3)), {{"天官", "午"}, {"天福", "巳"}, {"天厨", "亥"}}, "癸");
}

TEST(MinorStars, JieKongByStemPairAndYearParity) {
    struct Row {
        int year;
        const char* jieKong;
    };
    const Row rows[] = {
        {1984, "申"},  // 甲子
        {2009, "酉"},  // 己丑, odd year
        {1990, "午"},  // 庚
        {1987, "寅"},  // 丁, odd
        {1992, "卯"},  // 壬, even
        {1988, "子"},  // 戊, even
        {1993, "丑"},  // 癸, odd: the 戊癸 pair is 子丑
    };
    for (const Row& r : rows)
        ExpectStars(Cast(Lunar(r.year, 6, 6, 6)), {{"截空", r.jieKong}},
                    std::to_string(r.year).c_str());
    ExpectStars(Cast(Lunar(1984, 6, 6, 6)), {{"天空", "丑"}}, "1984");
}

TEST(MinorStars, MonthTables) {
    struct Row {
        int month;
        const char *jieShen, *tianWu, *tianYue, *yinSha;
    };
    const Row rows[] = {
        {1, "申", "巳", "戌", "寅"},  {2, "申", "申", "巳", "子"},  {5, "子", "巳", "未", "午"},
        {8, "寅", "亥", "未", "子"},  {10, "辰", "申", "午", "申"},  // 天月 of month 10 in 午
        {12, "午", "亥", "寅", "辰"},
    };
    for (const Row& r : rows)
        ExpectStars(
            Cast(Lunar(2002, r.month, 9, 5)),
            {{"解神", r.jieShen}, {"天巫", r.tianWu}, {"天月", r.tianYue}, {"阴煞", r.yinSha}},
            std::to_string(r.month).c_str());
}

TEST(MinorStars, YearBranchStars) {
    struct Row {
        int year;  // year branch in the comment
        const char *longChi, *fengGe, *hongLuan, *tianXi, *tianXu, *tianKu, *guChen, *suGua,
            *feiLian, *poSui;
    };
    const Row rows[] = {
        {1984, "辰", "戌", "卯", "酉", "午", "午", "寅", "戌", "申", "巳"},  // 子
        {1995, "卯", "亥", "辰", "戌", "巳", "未", "寅", "戌", "丑", "酉"},  // 亥
        {1990, "戌", "辰", "酉", "卯", "子", "子", "申", "辰", "寅", "巳"},  // 午
        {1988, "申", "午", "亥", "巳", "戌", "寅", "巳", "丑", "午", "丑"},  // 辰
    };
    for (const Row& r : rows)
        ExpectStars(Cast(Lunar(r.year, 4, 4, 4)),
                    {{"龙池", r.longChi},
                     {"凤阁", r.fengGe},
                     {"红鸾", r.hongLuan},
                     {"天喜", r.tianXi},
                     {"天虚", r.tianXu},
                     {"天哭", r.tianKu},
                     {"孤辰", r.guChen},
                     {"寡宿", r.suGua},
                     {"蜚廉", r.feiLian},
                     {"破碎", r.poSui}},
                    std::to_string(r.year).c_str());
}

TEST(MinorStars, HourAndPalaceStars) {
    // Hour 子: 台辅 午, 封诰 寅.  1984 month 1 hour 子: 命宫 寅 with the body.
    ExpectStars(Cast(Lunar(1984, 1, 1, 0)),
                {{"台辅", "午"}, {"封诰", "寅"}, {"天才", "寅"}, {"天寿", "寅"}}, "子");
    // Body on 福德 (month 1 hour 丑: body 卯) and on 夫妻 (month 12 hour 亥: body 子);
    // year 丑 adds one cell.
    ExpectStars(Cast(Lunar(1985, 1, 1, 1)), {{"天寿", "辰"}, {"天才", "寅"}}, "福★身");
    ExpectStars(Cast(Lunar(1985, 12, 1, 11)), {{"天寿", "丑"}, {"天才", "卯"}}, "夫★身");
    // 天伤 on 仆役宫 and 天使 on 疾厄宫: with 命宫 in 寅 they stand in 未 and 酉.
    ExpectStars(Cast(Lunar(1984, 1, 1, 0)), {{"天伤", "未"}, {"天使", "酉"}}, "伤使");
}

}  // namespace
}  // namespace qelvar
