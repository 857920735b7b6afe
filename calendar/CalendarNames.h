#pragma once
// Chinese names used by the date texts and the solar terms (UTF-8).

#include <array>
#include <string_view>

namespace qelvar {

// Heavenly stems by Stem 0..9, earthly branches and zodiac animals by Branch 0..11.
inline constexpr std::array<std::string_view, 10> StemNames = {"甲", "乙", "丙", "丁", "戊",
                                                               "己", "庚", "辛", "壬", "癸"};
inline constexpr std::array<std::string_view, 12> BranchNames = {
    "子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
inline constexpr std::array<std::string_view, 12> AnimalNames = {
    "鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗", "猪"};

// Lunar month names by month number; 0 prints as "*".
inline constexpr std::array<std::string_view, 13> LunarMonthNames = {
    "*", "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "腊"};

// Lunar day names by day number; 0 prints as "*".
inline constexpr std::array<std::string_view, 31> LunarDayNames = {
    "*",    "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十", "廿一",
    "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十"};

// Solar terms 1..24 in calendar order, two per Gregorian month (its 节, then
// its 中气); 25 is "no term".  Index 0 is unused.
inline constexpr int kNoSolarTerm = 25;
inline constexpr std::array<std::string_view, 26> SolarTermNames = {
    "",     "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨",
    "立夏", "小满", "芒种", "夏至", "小暑", "大暑", "立秋", "处暑", "白露",
    "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", ""};

}  // namespace qelvar
