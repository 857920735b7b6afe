// Whole casts of two births, slots worked out by hand from the rules.
#include <gtest/gtest.h>

#include "ChartFixture.h"

namespace qelvar {
namespace {

using test::kToday;

struct SlotText {
    int id;
    const char* text;
};

void ExpectSlots(const ZiWeiChart& z, std::initializer_list<SlotText> rows) {
    for (const SlotText& r : rows) EXPECT_EQ(z.Grid().GetSlotText(r.id), r.text) << r.id;
}

// Gregorian 2000-02-05 (lunar 2000 正月初一, 庚辰), hour 午, sub-period 0, man.
TEST(WholeCast, GengChenYearFirstDayNoonMan) {
    BirthData b;
    b.g_strSolarYear = "2000";
    b.g_strSolarMonth = "2";
    b.g_strSolarDay = "5";
    b.g_strSolarText = "2000年2月5日 ";
    b.g_strLunarText = "龙(庚辰)年正月初一";
    b.g_nSolarMonth = 13;
    b.g_strLunarYear = "2000";
    b.g_strLunarMonth = "1";
    b.g_strLunarDay = "1";
    b.g_nHour = 6;
    b.g_nMinuteSlot = 0;
    b.g_nSex = 0;
    ZiWeiChart z(b, kToday);
    z.RunChartSteps();
    ExpectSlots(z, {
                       {1018, "命★身"},   // 命宫 = body = (1 - 1 - 6) mod 12 = 6, 申
                       {1012, "迁移宫"},  // 寅 faces 申
                       {1024, "戊"},      // 乙庚 year: 戊寅
                       {1030, "甲"},      // 申 cell stem
                       {1036, "水二局"},  // 甲 stem, group A
                       {1043, "2-11"},    // yang man: forward from 申
                       {1044, "12-21"},
                       {1042, "112-121"},
                       {1072, "紫微"},  // 水二局 day 1: 丑
                       {1062, "天府"},  // mirror: 卯
                       {1069, "太阳"},  // 紫微 - 3: 戌
                       {2073, "病"},    // 长生 in 申, forward
                       {2079, "长生"},
                       {1247, "博士"},    // with 禄存, forward
                       {1255, "太岁"},    // 辰 year
                       {1275, "将星"},    // 申子辰: 子
                       {1288, "庙"},      // 紫微 in 丑
                       {1278, "平"},      // 天府 in 卯
                       {1237, "禄"},      // 太阳 in 戌, column 0
                       {1236, "权"},      // 武曲 in 酉
                       {1231, "科"},      // 太阴 in 辰
                       {1235, "忌"},      // 天同 in 申
                       {1217, "城头土"},  // 戊寅
                       {2181, "子年斗君：午"},
                       {2182, "农历：龙(庚辰)年正月初一"},
                       {2183, "太阳[禄]武曲[权]太阴[科]天同[忌]"},
                       {2184, "距离今天，你已经活了9802天！"},
                       {2186, "阳历：2000年2月5日 "},
                       {2188, "命主廉贞"},
                       {2189, "身主文昌"},
                       {2190, "庚辰     戊寅     癸巳     戊午⑤壬子"},
                       {2193, "白蜡金   城头土   长流水   天上火"},
                       {2185,
                        "         驿马     劫煞     灾煞    \r\n"
                        "         沐浴     天乙贵人         \r\n"
                        "         劫煞              桃花    \r\n"},
                   });
}

// Gregorian 1984-02-02 (lunar 1984 正月初一, 甲子, before 立春), hour 子, woman.
TEST(WholeCast, JiaZiYearFirstDayBeforeLiChunWoman) {
    BirthData b;
    b.g_strSolarYear = "1984";
    b.g_strSolarMonth = "2";
    b.g_strSolarDay = "2";
    b.g_strSolarText = "1984年2月2日 ";
    b.g_strLunarText = "鼠(甲子)年正月初一";
    b.g_nSolarMonth = 14;
    b.g_strLunarYear = "1984";
    b.g_strLunarMonth = "1";
    b.g_strLunarDay = "1";
    b.g_nHour = 0;
    b.g_nMinuteSlot = 0;
    b.g_nSex = 1;
    ZiWeiChart z(b, kToday);
    z.RunChartSteps();
    ExpectSlots(z, {
                       {1012, "命★身"},  // month 1 hour 子: 寅
                       {1023, "兄弟宫"},
                       {1024, "丙"},
                       {1036, "火六局"},
                       {1037, "6-15"},  // yang woman: backward
                       {1048, "16-25"},
                       {1038, "116-125"},
                       {1068, "紫微"},  // 火六局 day 1: 酉
                       {1066, "天府"},  // mirror: 未
                       {2073, "长生"},  // 长生 in 寅, backward
                       {2084, "沐浴"},
                       {2074, "养"},
                       {1241, "博士"},  // 禄存 in 寅
                       {1252, "力士"},
                       {1251, "青龙"},
                       {1242, "官符"},  // 卯
                       {1263, "太岁"},  // 子 year
                       {1275, "将星"},  // 申子辰: 子
                       {1276, "攀鞍"},
                       {2181, "子年斗君：子"},
                       {2183, "廉贞[禄]破军[权]武曲[科]太阳[忌]"},
                       {2184, "距离今天，你已经活了15649天！"},
                       {2188, "命主禄存"},
                       {2189, "身主铃星"},  // the lunar year, not the pillar's 癸亥
                       {2190, "癸亥     乙丑     丙寅     戊子⑤壬子"},
                       {2193, "大海水   海中金   炉中火   霹雳火"},
                   });
}

}  // namespace
}  // namespace qelvar
