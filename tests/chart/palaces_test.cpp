// Steps 1-5: palace names and body mark, palace stems, bureau and decades,
// main stars, life stages.
#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "ChartFixture.h"

namespace qelvar {
namespace {

using test::At;
using test::Cell;
using test::kToday;
using test::Lunar;

ZiWeiChart Names(int month, int hour) {
    ZiWeiChart z(Lunar(1984, month, 1, hour), kToday);
    z.ShowPalaceNames();
    return z;
}

int CountName(const ZiWeiChart& z, std::string_view name) {
    int n = 0;
    for (int c = 0; c < 12; ++c) n += z.Grid().GetSlotText(1012 + c) == name;
    return n;
}

TEST(ShowPalaceNames, LifeAndBodyCells) {
    struct Row {
        int month, hour;
        const char* lifeBranch;  // 命宫
        const char* bodyBranch;
        const char* bodyMark;
    };
    const Row rows[] = {
        {1, 0, "寅", "寅", "命★身"},    // month 1 hour 子: both in 寅
        {1, 1, "丑", "卯", "福★身"},    // month 1 hour 丑
        {12, 11, "寅", "子", "夫★身"},  // month 12 hour 亥
        {3, 3, "丑", "未", "迁★身"},    // B - P = 2H = 6
    };
    for (const Row& r : rows) {
        const ZiWeiChart z = Names(r.month, r.hour);
        EXPECT_EQ(At(z, slot::kPalaceName, r.bodyBranch), r.bodyMark) << r.month << " " << r.hour;
        if (std::string_view(r.bodyMark) == "命★身") {
            EXPECT_EQ(CountName(z, "本命宫"), 0);
        } else {
            EXPECT_EQ(At(z, slot::kPalaceName, r.lifeBranch), "本命宫");
        }
    }
}

TEST(ShowPalaceNames, NamesRunBackwardFromTheLifePalace) {
    const ZiWeiChart z = Names(2, 0);  // 命宫 and body in 卯
    const std::array<const char*, 12> backward = {"本命宫", "兄弟宫", "夫妻宫", "子女宫",
                                                  "财帛宫", "疾厄宫", "迁移宫", "仆役宫",
                                                  "官禄宫", "田宅宫", "福德宫", "父母宫"};
    const PalaceIndex life = Cell("卯");
    for (int i = 1; i < 12; ++i)
        EXPECT_EQ(z.Grid().GetSlotText(1012 + Ring(life - i)), backward[i]) << i;
    EXPECT_EQ(z.Grid().GetSlotText(1012 + life), "命★身");
}

TEST(ShowPalaceStems, FollowTheYearStemFromTheTigerCell) {
    struct Row {
        int year;
        const char* tiger;  // stem of the 寅 cell
    };
    const Row rows[] = {{1984, "丙"}, {1985, "戊"}, {1986, "庚"}, {1987, "壬"},
                        {1988, "甲"}, {1989, "丙"}, {1990, "戊"}, {1993, "甲"}};
    for (const Row& r : rows) {
        ZiWeiChart z(Lunar(r.year, 1, 1, 0), kToday);
        z.ShowPalaceStems();
        EXPECT_EQ(At(z, slot::kPalaceStem, "寅"), r.tiger) << r.year;
        const int tiger = StemIndex(r.tiger);
        EXPECT_EQ(At(z, slot::kPalaceStem, "卯"), StemName(tiger + 1));
        EXPECT_EQ(At(z, slot::kPalaceStem, "亥"), StemName(tiger + 9));
        EXPECT_EQ(At(z, slot::kPalaceStem, "子"), r.tiger);  // 子 and 丑 repeat 寅 and 卯
        EXPECT_EQ(At(z, slot::kPalaceStem, "丑"), StemName(tiger + 1));
        EXPECT_EQ(z.Value().yearStem, YearStemOf(r.year));
    }
}

TEST(ShowBureauAndDecades, BureauFromStemAndGroupOfTheLifeCell) {
    struct Row {
        int year, month, hour;
        const char* bureau;
    };
    const Row rows[] = {
        {1984, 1, 0, "火六局"},   // 甲 year, 命宫 寅: stem 丙, group A
        {1984, 1, 2, "水二局"},   // 命宫 子: stem 丙, group C
        {1984, 1, 10, "木三局"},  // 命宫 辰: stem 戊, group B
        {1985, 1, 0, "土五局"},   // 乙 year, 命宫 寅: stem 戊, group A
        {1987, 1, 4, "金四局"},   // 丁 year, 命宫 戌: stem 庚, group B
    };
    for (const Row& r : rows) {
        ZiWeiChart z(Lunar(r.year, r.month, 1, r.hour), kToday);
        z.ShowPalaceNames();
        z.ShowPalaceStems();
        z.ShowBureauAndDecades();
        EXPECT_EQ(z.Grid().GetSlotText(1036), r.bureau) << r.year << " " << r.hour;
    }
}

TEST(ShowBureauAndDecades, DecadesRunForwardForYangManAndBackwardForYangWoman) {
    for (int sex : {0, 1}) {
        ZiWeiChart z(Lunar(1984, 1, 1, 0, sex), kToday);  // 命宫 寅, 火六局
        z.ShowPalaceNames();
        z.ShowPalaceStems();
        z.ShowBureauAndDecades();
        EXPECT_EQ(At(z, slot::kDecade, "寅"), "6-15");
        EXPECT_EQ(At(z, slot::kDecade, sex == 0 ? "卯" : "丑"), "16-25");
        EXPECT_EQ(At(z, slot::kDecade, sex == 0 ? "丑" : "卯"), "116-125");
    }
}

// Expected branch of 紫微 for lunar days 1..30 by bureau.
TEST(PlaceMainStars, ZiWeiCellForEveryDayAndBureau) {
    const std::pair<const char*, const char*> rows[] = {
        {"水二局",
         "丑 寅 寅 卯 卯 辰 辰 巳 巳 午 午 未 未 申 申 酉 酉 戌 戌 亥 亥 子 子 丑 丑 寅 寅 卯 卯 "
         "辰"},
        {"木三局",
         "辰 丑 寅 巳 寅 卯 午 卯 辰 未 辰 巳 申 巳 午 酉 午 未 戌 未 申 亥 申 酉 子 酉 戌 丑 戌 "
         "亥"},
        {"金四局",
         "亥 辰 丑 寅 子 巳 寅 卯 丑 午 卯 辰 寅 未 辰 巳 卯 申 巳 午 辰 酉 午 未 巳 戌 未 申 午 "
         "亥"},
        {"土五局",
         "午 亥 辰 丑 寅 未 子 巳 寅 卯 申 丑 午 卯 辰 酉 寅 未 辰 巳 戌 卯 申 巳 午 亥 辰 酉 午 "
         "未"},
        {"火六局",
         "酉 午 亥 辰 丑 寅 戌 未 子 巳 寅 卯 亥 申 丑 午 卯 辰 子 酉 寅 未 辰 巳 丑 戌 卯 申 巳 "
         "午"},
    };
    for (const auto& [bureau, branches] : rows) {
        std::istringstream expected(branches);
        for (int day = 1; day <= 30; ++day) {
            std::string branch;
            expected >> branch;
            ZiWeiChart z(Lunar(1984, 1, day, 0), kToday);
            test::SetBureau(z, bureau);
            z.PlaceMainStars();
            EXPECT_EQ(test::BranchOfStar(z, "紫微"), branch) << bureau << " day " << day;
        }
    }
}

TEST(PlaceMainStars, SeriesOffsetsAndSharedCells) {
    // 水二局 day 2: 紫微 in 寅, so 天府 (its mirror) shares 寅 in column 1.
    ZiWeiChart z(Lunar(1984, 1, 2, 0), kToday);
    test::SetBureau(z, "水二局");
    z.PlaceMainStars();
    struct Row {
        const char* star;
        const char* branch;
        int column;
    };
    const Row rows[] = {
        {"紫微", "寅", 0}, {"天机", "丑", 0}, {"太阳", "亥", 0}, {"武曲", "戌", 0},
        {"天同", "酉", 0}, {"廉贞", "午", 0}, {"天府", "寅", 1}, {"太阴", "卯", 0},
        {"贪狼", "辰", 0}, {"巨门", "巳", 0}, {"天相", "午", 1}, {"天梁", "未", 0},
        {"七杀", "申", 0}, {"破军", "子", 0},
    };
    for (const Row& r : rows) EXPECT_EQ(test::PositionOf(z, r.branch, r.star), r.column) << r.star;
}

TEST(ShowLifeStages, StartAtTheBureauCellInTheDirectionOfTheDecades) {
    struct Row {
        const char* bureau;
        int sex;  // 1984 is a yang year: man forward, woman backward
        const char *b1, *s1, *b2, *s2, *b3, *s3;
    };
    const Row rows[] = {
        {"火六局", 0, "寅", "长生", "卯", "沐浴", "丑", "养"},
        {"火六局", 1, "寅", "长生", "丑", "沐浴", "卯", "养"},
        {"金四局", 0, "巳", "长生", "午", "沐浴", "辰", "养"},
        {"木三局", 1, "亥", "长生", "戌", "沐浴", "子", "养"},
        {"水二局", 0, "申", "长生", "酉", "沐浴", "未", "养"},
        {"土五局", 0, "申", "长生", "酉", "沐浴", "未", "养"},
        {"土五局", 1, "申", "长生", "未", "沐浴", "酉", "养"},
    };
    for (const Row& r : rows) {
        ZiWeiChart z(Lunar(1984, 1, 1, 0, r.sex), kToday);
        test::SetBureau(z, r.bureau);
        z.ShowLifeStages();
        EXPECT_EQ(At(z, slot::kLifeStage, r.b1), r.s1) << r.bureau << r.sex;
        EXPECT_EQ(At(z, slot::kLifeStage, r.b2), r.s2) << r.bureau << r.sex;
        EXPECT_EQ(At(z, slot::kLifeStage, r.b3), r.s3) << r.bureau << r.sex;
    }
}

}  // namespace
}  // namespace qelvar
