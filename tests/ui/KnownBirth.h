#pragma once
// The birth the window tests draw: Gregorian 2000-02-05 (lunar 2000 正月初一,
// 庚辰), double-hour 午, sub-period 0, man.  Worked out by hand from the
// chart rules: 命宫 and body palace in 申, 水二局, decades forward from 申
// (2-11), 酉 (12-21), 戌 (22-31); 紫微 in 丑, 天府 in 卯.

#include "birth/BirthData.h"

namespace qelvar {

inline BirthData KnownBirth() {
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
    b.g_nDoubleHour = 6;
    b.g_nMinuteSlot = 0;
    b.g_nSex = 0;
    return b;
}

}  // namespace qelvar
