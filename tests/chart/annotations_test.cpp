// Steps 32-37 and 39: god cycles, brightness, rulers and 斗君, four
// transformations.
#include <gtest/gtest.h>

#include <set>

#include "ChartFixture.h"

namespace qelvar {
namespace {

using test::At;
using test::Cell;
using test::kToday;
using test::Lunar;

// A chart whose star columns, marks and brightness slots are all empty, as
// they are after the driver's clearing and before any star step.
ZiWeiChart Staged(int year) {
    ZiWeiChart z(Lunar(year, 1, 1, 0), kToday);
    test::Clear(z);
    return z;
}

void Put(ZiWeiChart& z, int column, std::string_view branch, std::string_view star) {
    test::PutStar(z, Cell(branch), column, test::StarNamed(star));
}

TEST(ShowBrightness, WordByStarAndCell) {
    struct Row {
        int column;
        const char *branch, *star, *word;
    };
    const Row rows[] = {
        {0, "酉", "天梁", "地"}, {3, "寅", "擎羊", "  "}, {0, "寅", "紫微", "庙"},
        {7, "子", "太阳", "陷"}, {2, "午", "火星", "庙"}, {5, "亥", "天魁", "旺"},
    };
    for (const Row& r : rows) {
        ZiWeiChart z = Staged(1984);
        Put(z, r.column, r.branch, r.star);
        z.ShowBrightness();
        EXPECT_EQ(z.Grid().GetSlotText(slot::BrightnessColumn(r.column).Slot(Cell(r.branch))),
                  r.word)
            << r.star << " " << r.branch;
    }
}

TEST(ShowBrightness, NoWordForUnratedAlteredOrSecondRowStars) {
    ZiWeiChart z = Staged(1984);
    Put(z, 0, "寅", "台辅");  // unrated minor star
    Put(z, 8, "寅", "紫微");  // second row: no brightness slot
    z.ShowBrightness();
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(z.Grid().GetSlotText(slot::BrightnessColumn(j).Slot(0)), "");
}

TEST(ShowBrightness, OverwritesAStarThatOverflowedIntoTheBrightnessSlot) {
    ZiWeiChart z = Staged(1984);
    Put(z, 0, "午", "太阳");
    test::PutStar(z, Cell("午"), 18, Star::TianShi);  // brightness slot of column 0
    z.ShowBrightness();
    EXPECT_EQ(z.Grid().GetSlotText(slot::BrightnessColumn(0).Slot(Cell("午"))), "庙");
}

TEST(ShowFourTransformations, CentreLineAndMarksAtTheStarColumns) {
    ZiWeiChart z = Staged(1984);  // 甲: 廉贞 禄, 破军 权, 武曲 科, 太阳 忌
    Put(z, 0, "寅", "廉贞");
    Put(z, 3, "寅", "太阳");  // 禄██忌
    Put(z, 5, "卯", "武曲");  // █████科
    Put(z, 0, "辰", "破军");
    Put(z, 5, "辰", "廉贞");  // 权████禄
    Put(z, 1, "巳", "武曲");
    Put(z, 2, "巳", "太阳");  // █科忌
    Put(z, 6, "午", "廉贞");  // column 6: no mark
    Put(z, 0, "未", "紫微");  // not transformed this year
    z.ShowFourTransformations();
    EXPECT_EQ(z.Grid().GetSlotText(2183), "廉贞[禄]破军[权]武曲[科]太阳[忌]");
    EXPECT_EQ(At(z, slot::kMarks, "寅"), "禄██忌");
    EXPECT_EQ(At(z, slot::kMarks, "卯"), "█████科");
    EXPECT_EQ(At(z, slot::kMarks, "辰"), "权████禄");
    EXPECT_EQ(At(z, slot::kMarks, "巳"), "█科忌");
    EXPECT_EQ(At(z, slot::kMarks, "午"), "");
    EXPECT_EQ(At(z, slot::kMarks, "未"), "");
}

TEST(ShowFourTransformations, AuxiliaryStarsOfWuAndRenYears) {
    struct Row {
        int year;
        const char *star, *mark;
    };
    const Row rows[] = {
        {1988, "右弼", "科"}, {1992, "左辅", "科"}, {1986, "文昌", "科"}, {1989, "文曲", "忌"}};
    for (const Row& r : rows) {
        ZiWeiChart z = Staged(r.year);
        Put(z, 4, "申", r.star);
        z.ShowFourTransformations();
        EXPECT_EQ(At(z, slot::kMarks, "申"), std::string("████") + r.mark) << r.year;
    }
}

TEST(ShowFourTransformations, StarNameOverflowedIntoTheMarkSlot) {
    struct Row {
        int column;
        const char* marks;
    };
    // 甲 year, 太阳 (忌) in the given column of a cell whose mark slot holds 天使.
    const Row rows[] = {{0, "忌"}, {1, "天使忌"}, {2, "天使忌"}, {3, "天使█忌"}, {5, "天使███忌"}};
    for (const Row& r : rows) {
        ZiWeiChart z = Staged(1984);
        test::PutStar(z, Cell("戌"), 14, Star::TianShi);  // the mark slot
        Put(z, r.column, "戌", "太阳");
        z.ShowFourTransformations();
        EXPECT_EQ(At(z, slot::kMarks, "戌"), r.marks) << r.column;
    }
}

TEST(ShowRulers, LifeRulerByLifeCellAndBodyRulerByLunarYear) {
    struct Row {
        int year, month, hour;
        const char *life, *body;
    };
    const Row rows[] = {
        {1984, 1, 0, "命主禄存", "身主铃星"},  // 命宫 寅; 子 year
        {1990, 1, 1, "命主巨门", "身主火星"},  // 命宫 丑; 午 year
        {1985, 1, 5, "命主文曲", "身主天相"},  // 命宫 酉; 丑 year
        {1988, 4, 1, "命主廉贞", "身主文昌"},  // 命宫 辰; 辰 year
    };
    for (const Row& r : rows) {
        ZiWeiChart z(Lunar(r.year, r.month, 1, r.hour), kToday);
        z.ShowPalaceNames();
        z.ShowRulers();
        EXPECT_EQ(z.Grid().GetSlotText(2188), r.life) << r.year;
        EXPECT_EQ(z.Grid().GetSlotText(2189), r.body) << r.year;
    }
}

TEST(ShowDouJunAndDates, DouJunBranchAndDateLines) {
    struct Row {
        int month, hour;
        const char* text;
    };
    const Row rows[] = {{1, 0, "子年斗君：子"},
                        {12, 11, "子年斗君：子"},
                        {12, 0, "子年斗君：丑"},
                        {3, 6, "子年斗君：辰"}};
    for (const Row& r : rows) {
        BirthData b = Lunar(2000, r.month, 1, r.hour);
        b.g_strSolarDay = "4";  // the lines show the Gregorian day and its lunar date
        ZiWeiChart z(b, kToday);
        z.ShowDouJunAndDates();
        EXPECT_EQ(z.Grid().GetSlotText(2181), r.text);
        EXPECT_EQ(z.Grid().GetSlotText(2186), "阳历：2000年2月4日 立春");
        EXPECT_EQ(z.Grid().GetSlotText(2182), "农历：兔(己卯)年腊月廿九");
    }
}

TEST(GodCycles, BoShiFollowsLuCunInTheDirectionOfTheChart) {
    for (int sex : {0, 1}) {
        ZiWeiChart z(Lunar(1984, 1, 1, 0, sex), kToday);
        z.RunChartSteps();  // 甲: 禄存 in 寅
        EXPECT_EQ(At(z, slot::kBoShi, "寅"), "博士");
        EXPECT_EQ(At(z, slot::kBoShi, sex == 0 ? "卯" : "丑"), "力士");
        EXPECT_EQ(At(z, slot::kBoShi, sex == 0 ? "丑" : "卯"), "官符");
    }
}

TEST(GodCycles, SuiQianAndJiangQianByYearBranch) {
    struct Row {
        int year;
        const char *taiSui, *huiQi, *sangMen, *jiangXing, *panAn;
    };
    const Row rows[] = {
        {1984, "子", "丑", "寅", "子", "丑"},  // 子 year
        {1995, "亥", "子", "丑", "卯", "辰"},  // 亥 year
        {1990, "午", "未", "申", "午", "未"},  // 午 year
        {1993, "酉", "戌", "亥", "酉", "戌"},  // 酉 year
    };
    for (const Row& r : rows) {
        ZiWeiChart z(Lunar(r.year, 1, 1, 0), kToday);
        z.RunChartSteps();
        EXPECT_EQ(At(z, slot::kSuiQian, r.taiSui), "太岁") << r.year;
        EXPECT_EQ(At(z, slot::kSuiQian, r.huiQi), "晦气") << r.year;
        EXPECT_EQ(At(z, slot::kSuiQian, r.sangMen), "丧门") << r.year;
        EXPECT_EQ(At(z, slot::kJiangQian, r.jiangXing), "将星") << r.year;
        EXPECT_EQ(At(z, slot::kJiangQian, r.panAn), "攀鞍") << r.year;
        for (const SlotFamily f : {slot::kBoShi, slot::kSuiQian, slot::kJiangQian}) {
            std::set<std::string> names;
            for (int c = 0; c < 12; ++c) names.insert(z.Grid().GetSlotText(f.Slot(c)));
            EXPECT_EQ(names.size(), 12u);
            if (f.base == slot::kBoShi.base) continue;  // its placeholder is a real name
            for (int c = 0; c < 12; ++c)
                EXPECT_NE(z.Grid().GetSlotText(f.Slot(c)), ChartGrid::InitialText(f.Slot(c)));
        }
    }
}

}  // namespace
}  // namespace qelvar
