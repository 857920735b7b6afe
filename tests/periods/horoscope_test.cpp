// The periods over a chart, with expected values worked out by hand from
// the rules: 虚岁 and the decade by the chart's ranges (童限 below the first
// range, round the ring again past the twelfth), 小限 from the year-branch
// triad, 流月 from 斗君, moving stars by the layer's stem and branch.
#include <gtest/gtest.h>

#include <span>

#include "PeriodsFixture.h"

namespace qelvar::test {
namespace {

const LunarCalendar& Calendar() {
    static const LunarCalendar calendar;
    return calendar;
}

// 2000-02-05 (lunar 2000-1-1, 庚辰) 午 男: 命宫 甲申, 水二局, forward; 紫微 丑,
// 天府 卯, 文昌 辰, 右弼 戌; 子年斗君 午.
const Cast& Known() {
    static const Cast c = CastBirth(2000, 2, 5, 6, 0);
    return c;
}

Horoscope At(const Cast& c, int y, int m, int d, std::optional<int> hour = std::nullopt,
             LeapMonthRule rule = LeapMonthRule::Whole) {
    const HoroscopeResult r = ComputeHoroscope(c.natal, {y, m, d, hour}, Calendar(), rule);
    EXPECT_TRUE(r.ok()) << y << "-" << m << "-" << d << ": " << r.error;
    return r.horoscope;
}

const PeriodLayer& Layer(const Horoscope& h, LayerKind kind) {
    for (const PeriodLayer& l : h.layers)
        if (l.kind == kind) return l;
    static const PeriodLayer none;
    ADD_FAILURE() << "no layer " << LayerName(kind);
    return none;
}

TEST(KnownAnswer, LayersOf2025_06_01AtHour6) {
    const Horoscope h = At(Known(), 2025, 6, 1, 6);
    EXPECT_EQ(h.age, 26);
    EXPECT_EQ(h.target.lunar, (LunarDate{2025, 5, 6, 0}));
    ASSERT_EQ(h.layers.size(), 6u);
    struct Row {
        LayerKind kind;
        const char* stemBranch;
        const char* cell;
    };
    const Row rows[] = {
        {LayerKind::Decade, "丙戌", "戌"}, {LayerKind::Minor, "丁亥", "亥"},
        {LayerKind::Year, "乙巳", "巳"},   {LayerKind::Month, "壬午", "卯"},
        {LayerKind::Day, "辛丑", "申"},    {LayerKind::Hour, "甲午", "寅"},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(LayerName(rows[i].kind));
        EXPECT_EQ(h.layers[i].kind, rows[i].kind);
        EXPECT_EQ(Pillar2(h.layers[i].stemBranch), rows[i].stemBranch);
        EXPECT_EQ(Name(h.layers[i].cell), rows[i].cell);
        EXPECT_FALSE(h.layers[i].child);
    }
}

TEST(KnownAnswer, TransformationsWithNatalCells) {
    const Horoscope h = At(Known(), 2025, 6, 1, 6);
    struct Row {
        LayerKind kind;
        std::array<const char*, 4> stars, cells;
    };
    const Row rows[] = {
        {LayerKind::Decade, {"天同", "天机", "文昌", "廉贞"}, {"申", "子", "辰", "巳"}},
        {LayerKind::Year, {"天机", "天梁", "紫微", "太阴"}, {"子", "申", "丑", "辰"}},
    };
    for (const Row& row : rows) {
        const PeriodLayer& l = Layer(h, row.kind);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(l.transformations[k].mark, k);
            EXPECT_EQ(l.transformations[k].star, row.stars[k]);
            EXPECT_EQ(Name(l.transformations[k].cell), row.cells[k]) << row.stars[k];
        }
    }
}

TEST(KnownAnswer, MovingStars) {
    const Horoscope h = At(Known(), 2025, 6, 1, 6);
    struct Row {
        LayerKind kind;
        const char* star;
        const char* cell;
    };
    const Row rows[] = {
        {LayerKind::Decade, "运昌", "申"},
        {LayerKind::Decade, "运曲", "午"},
        {LayerKind::Decade, "运禄", "巳"},
        {LayerKind::Decade, "运羊", "午"},
        {LayerKind::Decade, "运陀", "辰"},
        {LayerKind::Decade, "运马", "申"},
        {LayerKind::Decade, "运鸾", "巳"},
        {LayerKind::Decade, "运喜", "亥"},
        {LayerKind::Decade, "运魁", "亥"},
        {LayerKind::Decade, "运钺", "酉"},
        {LayerKind::Year, "流昌", "午"},
        {LayerKind::Year, "流曲", "申"},
        {LayerKind::Year, "流禄", "卯"},
        {LayerKind::Year, "流羊", "辰"},
        {LayerKind::Year, "流陀", "寅"},
        {LayerKind::Year, "流马", "亥"},
        {LayerKind::Year, "流鸾", "戌"},
        {LayerKind::Year, "流喜", "辰"},
        {LayerKind::Year, "流魁", "子"},
        {LayerKind::Year, "流钺", "申"},
        {LayerKind::Year, "年解", "巳"},
        // 流月 壬午 in 卯: 马 鸾 喜 from 午, the branch of its stem-branch.
        {LayerKind::Month, "月马", "申"},
        {LayerKind::Month, "月鸾", "酉"},
        {LayerKind::Month, "月喜", "卯"},
        {LayerKind::Day, "日马", "亥"},
    };
    for (const Row& r : rows) EXPECT_EQ(StarCell(Layer(h, r.kind), r.star), r.cell) << r.star;
    EXPECT_TRUE(Layer(h, LayerKind::Minor).stars.empty());
    // The order 魁 钺 昌 曲 禄 羊 陀 马 鸾 喜, 年解 last.
    const PeriodLayer& year = Layer(h, LayerKind::Year);
    ASSERT_EQ(year.stars.size(), 11u);
    EXPECT_EQ(year.stars.front().name, "流魁");
    EXPECT_EQ(year.stars[7].name, "流马");
    EXPECT_EQ(year.stars.back().name, "年解");
}

TEST(KnownAnswer, LayerPalacesRunBackwardFromTheLayerLife) {
    const PeriodLayer d = Layer(At(Known(), 2025, 6, 1), LayerKind::Decade);
    const std::pair<const char*, const char*> rows[] = {
        {"戌", "命宫"}, {"酉", "兄弟"}, {"申", "夫妻"}, {"午", "财帛"},
        {"寅", "官禄"}, {"子", "福德"}, {"亥", "父母"}, {"辰", "迁移"}};
    for (const auto& [cell, name] : rows) EXPECT_EQ(d.palaces[B(cell)], name) << cell;
}

TEST(KnownAnswer, DecadeList) {
    const auto decades = Decades(Known().natal);
    struct Row {
        int index;
        const char *cell, *stemBranch;
        int a, b, from, to;
    };
    const Row rows[] = {{0, "申", "甲申", 2, 11, 2001, 2010},
                        {1, "酉", "乙酉", 12, 21, 2011, 2020},
                        {2, "戌", "丙戌", 22, 31, 2021, 2030},
                        {11, "未", "癸未", 112, 121, 2111, 2120}};
    for (const Row& r : rows) {
        const Decade& d = decades[r.index];
        EXPECT_EQ(Name(d.cell), r.cell);
        EXPECT_EQ(Pillar2(d.stemBranch), r.stemBranch);
        EXPECT_EQ(d.firstAge, r.a);
        EXPECT_EQ(d.lastAge, r.b);
        EXPECT_EQ(d.firstYear, r.from);
        EXPECT_EQ(d.lastYear, r.to);
    }
}

TEST(KnownAnswer, FlyingTransformationsAndSelfTransformation) {
    const auto flying = FlyingTransformations(Known().natal);
    struct Row {
        const char* cell;
        const char* stemBranch;
        std::array<const char*, 4> lands;
        std::array<bool, 4> self;
        std::array<const char*, 4> surrounding;
    };
    const Row rows[] = {
        // 庚: 太阳 戌, 武曲 酉, 太阴 辰 (自化科), 天同 申.
        {"辰",
         "庚辰",
         {"戌", "酉", "辰", "申"},
         {false, false, true, false},
         {"辰", "戌", "申", "子"}},
        // 戊: 贪狼 巳, 太阴 辰, 右弼 戌, 天机 子 (自化忌).
        {"子",
         "戊子",
         {"巳", "辰", "戌", "子"},
         {false, false, false, true},
         {"子", "午", "辰", "申"}},
        {"寅",
         "戊寅",
         {"巳", "辰", "戌", "子"},
         {false, false, false, false},
         {"寅", "申", "午", "戌"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.cell);
        const FlyingCell& f = flying[B(r.cell)];
        EXPECT_EQ(Pillar2(f.stemBranch), r.stemBranch);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(Name(f.transformations[k].cell), r.lands[k]);
            EXPECT_EQ(f.self[k], r.self[k]);
            EXPECT_EQ(Name(f.surrounding[k]), r.surrounding[k]);
        }
    }
}

struct DecadeRow {
    const char* name;
    int year;  // target 1 July of this year, lunar year the same
    int age;
    const char* cell;
    const char* stemBranch;
    bool child;
};

void ExpectDecades(const Cast& c, std::span<const DecadeRow> rows) {
    for (const DecadeRow& r : rows) {
        SCOPED_TRACE(r.name);
        const Horoscope h = At(c, r.year, 7, 1);
        EXPECT_EQ(h.age, r.age);
        const PeriodLayer& d = Layer(h, LayerKind::Decade);
        EXPECT_EQ(Name(d.cell), r.cell);
        EXPECT_EQ(Pillar2(d.stemBranch), r.stemBranch);
        EXPECT_EQ(d.child, r.child);
    }
}

// 2000-02-05 寅 男: 命宫 戊子, 火六局, ranges forward from 子 at 6.
TEST(Decade, ChildAgesBelowTheFirstRange) {
    const Cast c = CastBirth(2000, 2, 5, 2, 0);
    const DecadeRow rows[] = {
        {"age 1 in the 命宫", 2000, 1, "子", "戊子", true},
        {"age 2 in the 财帛", 2001, 2, "申", "甲申", true},
        {"age 3 in the 疾厄", 2002, 3, "未", "癸未", true},
        {"age 4 in the 夫妻", 2003, 4, "戌", "丙戌", true},
        {"age 5 in the 福德", 2004, 5, "寅", "戊寅", true},
        {"age 6 opens the first range", 2005, 6, "子", "戊子", false},
        {"age 16 in the second range", 2015, 16, "丑", "己丑", false},
    };
    ExpectDecades(c, rows);
    // Bureau 2: only age 1 is a 童限.
    const DecadeRow known[] = {{"age 1 under 水二局", 2000, 1, "申", "甲申", true},
                               {"age 2 under 水二局", 2001, 2, "申", "甲申", false}};
    ExpectDecades(Known(), known);
}

// Lunar 1901-3-1 (辛丑) 子 男: 命宫 壬辰, 水二局, backward (yin man):
// 辰 2-11, 卯 12-21, 寅 22-31 ... 巳 112-121.
TEST(Decade, AgesPastTheTwelfthRangeGoRoundAgain) {
    const Cast c = CastBirth(1901, 3, 1, 0, 0, true);
    ASSERT_EQ(c.natal.lunarYear, 1901);
    const DecadeRow rows[] = {
        {"the twelfth range", 2021, 121, "巳", "癸巳", false},
        {"range 13 is the cell of range 1", 2022, 122, "辰", "壬辰", false},
        {"end of range 13", 2031, 131, "辰", "壬辰", false},
        {"range 14 is the cell of range 2", 2032, 132, "卯", "辛卯", false},
        {"the last year of the calendar", 2050, 150, "寅", "庚寅", false},
    };
    ExpectDecades(c, rows);
}

TEST(Decade, WomanOfAYangYearRunsBackward) {
    const Cast woman = CastBirth(2000, 2, 5, 6, 1);
    const DecadeRow rows[] = {{"range 1", 2000, 1, "申", "甲申", true},
                              {"range 2 backward", 2011, 12, "未", "癸未", false},
                              {"range 3 backward", 2025, 26, "午", "壬午", false}};
    ExpectDecades(woman, rows);
}

TEST(Minor, ManForwardWomanBackwardFromTheTriadStart) {
    const Cast man = Known();
    const Cast woman = CastBirth(2000, 2, 5, 6, 1);
    struct Row {
        int year, age;
        const char *manCell, *manStemBranch, *womanCell;
    };
    // 辰 year: start 戌.
    const Row rows[] = {
        {2000, 1, "戌", "丙戌", "戌"},  {2001, 2, "亥", "丁亥", "酉"},
        {2011, 12, "酉", "乙酉", "亥"}, {2012, 13, "戌", "丙戌", "戌"},
        {2025, 26, "亥", "丁亥", "酉"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.age);
        const PeriodLayer m = Layer(At(man, r.year, 7, 1), LayerKind::Minor);
        const PeriodLayer w = Layer(At(woman, r.year, 7, 1), LayerKind::Minor);
        EXPECT_EQ(Name(m.cell), r.manCell);
        EXPECT_EQ(Pillar2(m.stemBranch), r.manStemBranch);
        EXPECT_EQ(Name(w.cell), r.womanCell);
    }
}

TEST(Minor, EveryYearBranchStartsInItsTriadCell) {
    // Age 1 stands in the start cell: 申子辰 戌, 巳酉丑 未, 寅午戌 辰, 亥卯未 丑.
    const char* starts[] = {"戌", "未", "辰", "丑"};  // for 2000 辰, 2001 巳, 2002 午, 2003 未
    for (int year = 2000; year < 2012; ++year) {
        SCOPED_TRACE(year);
        for (int sex = 0; sex < 2; ++sex) {
            const Cast c = CastBirth(year, 3, 1, 0, sex, true);
            const PeriodLayer m = Layer(At(c, year, 8, 1), LayerKind::Minor);
            EXPECT_EQ(Name(m.cell), starts[(year - 2000) % 4]);
        }
    }
}

TEST(Year, TriadsOfTheTargetYear) {
    struct Row {
        int year;
        const char *stemBranch, *ma, *luan, *xi, *jie, *jiangXing, *taiSui, *sangMen;
    };
    const Row rows[] = {
        {2024, "甲辰", "寅", "亥", "巳", "午", "子", "辰", "午"},
        {2025, "乙巳", "亥", "戌", "辰", "巳", "酉", "巳", "未"},
        {2026, "丙午", "申", "酉", "卯", "辰", "午", "午", "申"},
        {2027, "丁未", "巳", "申", "寅", "卯", "卯", "未", "酉"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.year);
        const PeriodLayer y = Layer(At(Known(), r.year, 7, 1), LayerKind::Year);
        EXPECT_EQ(Pillar2(y.stemBranch), r.stemBranch);
        EXPECT_EQ(StarCell(y, "流马"), r.ma);
        EXPECT_EQ(StarCell(y, "流鸾"), r.luan);
        EXPECT_EQ(StarCell(y, "流喜"), r.xi);
        EXPECT_EQ(StarCell(y, "年解"), r.jie);
        EXPECT_EQ(y.jiangQian[B(r.jiangXing)], "将星");
        EXPECT_EQ(y.suiQian[B(r.taiSui)], "太岁");
        EXPECT_EQ(y.suiQian[B(r.sangMen)], "丧门");
    }
}

TEST(Year, GengStemPutsKuiInWuAndYueInYin) {
    const PeriodLayer y = Layer(At(Known(), 2030, 7, 1), LayerKind::Year);
    EXPECT_EQ(Pillar2(y.stemBranch), "庚戌");
    const std::pair<const char*, const char*> rows[] = {
        {"流魁", "午"}, {"流钺", "寅"}, {"流昌", "亥"}, {"流曲", "卯"},
        {"流禄", "申"}, {"流羊", "酉"}, {"流陀", "未"}, {"流马", "申"},
        {"流鸾", "巳"}, {"流喜", "亥"}, {"年解", "子"}};
    for (const auto& [star, cell] : rows) EXPECT_EQ(StarCell(y, star), cell) << star;
    const std::array<const char*, 4> stars = {"太阳", "武曲", "太阴", "天同"};
    const std::array<const char*, 4> cells = {"戌", "酉", "辰", "申"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(y.transformations[k].star, stars[k]);
        EXPECT_EQ(Name(y.transformations[k].cell), cells[k]);
    }
}

// 2023 (癸卯) has a leap second month from 2023-03-22; 正月 of 2023 stands in
// 午 + 卯 = 酉 for the known chart.
TEST(Month, LeapTargetMonthUnderBothRules) {
    struct Row {
        const char* name;
        int month, day;
        LunarDate lunar;
        LeapMonthRule rule;
        const char *monthCell, *monthPillar, *dayCell;
    };
    const Row rows[] = {
        {"ordinary 2-16, whole", 3, 7, {2023, 2, 16, 0}, LeapMonthRule::Whole, "戌", "乙卯", "丑"},
        {"ordinary 2-16, split", 3, 7, {2023, 2, 16, 0}, LeapMonthRule::Split, "戌", "乙卯", "丑"},
        {"闰二月十五, whole", 4, 5, {2023, 2, 15, 1}, LeapMonthRule::Whole, "戌", "乙卯", "子"},
        {"闰二月十五, split", 4, 5, {2023, 2, 15, 1}, LeapMonthRule::Split, "戌", "乙卯", "子"},
        {"闰二月十六, whole", 4, 6, {2023, 2, 16, 1}, LeapMonthRule::Whole, "戌", "乙卯", "丑"},
        {"闰二月十六, split", 4, 6, {2023, 2, 16, 1}, LeapMonthRule::Split, "亥", "丙辰", "寅"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const Horoscope h = At(Known(), 2023, r.month, r.day, std::nullopt, r.rule);
        EXPECT_EQ(h.target.lunar, r.lunar);
        const PeriodLayer& m = Layer(h, LayerKind::Month);
        EXPECT_EQ(Name(m.cell), r.monthCell);
        EXPECT_EQ(Pillar2(m.stemBranch), r.monthPillar);
        EXPECT_EQ(Name(Layer(h, LayerKind::Day).cell), r.dayCell);
        // The rule touches 流月 and 流日 only.
        EXPECT_EQ(Name(Layer(h, LayerKind::Year).cell), "卯");
        EXPECT_EQ(Name(Layer(h, LayerKind::Decade).cell), "戌");
    }
}

TEST(Hour, LateZiCountsAsZiOfTheSameDay) {
    struct Row {
        int hour;
        int folded;
        const char *cell, *pillar;
    };
    // 2025-06-01 is 辛丑, its 流日 in 申.
    const Row rows[] = {{0, 0, "申", "戊子"}, {12, 0, "申", "戊子"}, {11, 11, "未", "己亥"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.hour);
        const Horoscope h = At(Known(), 2025, 6, 1, r.hour);
        EXPECT_EQ(h.target.hour, r.folded);
        EXPECT_EQ(Pillar2(Layer(h, LayerKind::Day).stemBranch), "辛丑");
        const PeriodLayer& t = Layer(h, LayerKind::Hour);
        EXPECT_EQ(Name(t.cell), r.cell);
        EXPECT_EQ(Pillar2(t.stemBranch), r.pillar);
    }
    EXPECT_EQ(At(Known(), 2025, 6, 1).layers.size(), 5u);  // no hour, no 流时
}

TEST(Target, ErrorsAsResults) {
    struct Row {
        const char* name;
        HoroscopeRequest request;
        std::string_view error;
    };
    const Row rows[] = {
        {"Gregorian 1999, lunar 1999", {1999, 12, 31, {}}, kErrorTarget},
        {"lunar 1999-12-29, the day before the birth", {2000, 2, 4, {}}, kErrorTarget},
        {"no such day", {2025, 2, 30, {}}, kErrorDate},
        {"no such month", {2025, 13, 1, {}}, kErrorDate},
        {"before the calendar", {1901, 2, 18, {}}, kErrorDate},
        {"after the calendar", {2051, 2, 11, {}}, kErrorDate},
        {"hour 13", {2025, 6, 1, 13}, kErrorDate},
        {"the birth day itself", {2000, 2, 5, {}}, ""},
        {"the last day of the calendar", {2051, 2, 10, 12}, ""},
    };
    for (const Row& r : rows) {
        const HoroscopeResult h = ComputeHoroscope(Known().natal, r.request, Calendar());
        EXPECT_EQ(h.error, r.error) << r.name;
    }
}

}  // namespace
}  // namespace qelvar::test
