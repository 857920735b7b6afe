#include "chart/ChartCaption.h"

#include "chart/Cycle.h"

namespace qelvar {

std::string ConventionsCaption(const ChartConventions& conventions) {
    std::string s;
    if (conventions.lateZi != LateZi::SameDay) s += " 夜子换日";
    if (conventions.leapMonth != LeapMonthRule::Whole) s += " 闰月分半";
    if (conventions.yearStart != YearStart::NewYear) s += " 立春换年";
    return s + SchoolCaption(conventions.school);
}

std::string ChartCaption(const BirthData& birth, const ChartConventions& conventions,
                         const std::string& moment) {
    std::string s = "阳历" + birth.g_strSolarText;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    s += " 农历" + birth.g_strLunarText + " ";
    s += birth.g_nDoubleHour == 12 ? std::string("夜子") : std::string(BranchName(birth.g_nHour));
    s += "时(" + std::to_string(birth.g_nMinuteSlot * 10) + "-" +
         std::to_string(birth.g_nMinuteSlot * 10 + 10) + "分) ";
    s += birth.g_nSex == 0 ? "男" : "女";
    s += ConventionsCaption(conventions);
    if (!moment.empty()) s += "  " + moment;
    return s;
}

}  // namespace qelvar
