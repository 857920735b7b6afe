#pragma once
// Casts for the period tests, made the way the form makes them, and
// lookups by branch name.

#include <chrono>
#include <string>
#include <string_view>

#include "chart/ZiWei.h"
#include "form/BirthForm.h"
#include "periods/Periods.h"

namespace qelvar::test {

inline constexpr std::chrono::year_month_day kToday{std::chrono::year{2026}, std::chrono::month{12},
                                                    std::chrono::day{7}};

struct Cast {
    BirthData birth;
    ChartGrid grid;
    NatalChart natal;
};

// A birth given as a Gregorian date (lunar = false) or a lunar date, a
// double-hour 0..12 and a sex (0 man, 1 woman), through the form model.
inline Cast CastBirth(int y, int m, int d, int hour, int sex, bool lunar = false,
                      bool leap = false) {
    Cast c;
    BirthForm form(c.birth, kToday);
    if (lunar) {
        form.m_dateLunar = LunarDate{static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m),
                                     static_cast<std::uint16_t>(d), 0};
        form.m_bLeap = leap;
        form.UpdateFromLunar();
    } else {
        form.m_dateSolar = std::chrono::year_month_day{std::chrono::year{y},
                                                       std::chrono::month{static_cast<unsigned>(m)},
                                                       std::chrono::day{static_cast<unsigned>(d)}};
        form.UpdateFromSolar();
    }
    form.m_nHourSelection = hour;
    form.m_nMinuteSelection = 0;
    form.m_bMale = sex == 0;
    if (!form.CastChart()) return c;
    ZiWeiChart chart(c.birth, kToday);
    chart.RunChartSteps();
    c.grid = chart.Grid();
    c.natal = ReadNatalChart(chart.Value());
    return c;
}

inline Branch B(std::string_view name) {
    return BranchIndex(name);
}
inline std::string Name(Branch b) {
    return b < 0 ? std::string("-") : std::string(BranchName(b));
}
inline std::string Pillar2(StemBranch sb) {
    return std::string(StemName(sb.stem)) + std::string(BranchName(sb.branch));
}

// Cell of a moving star of a layer by name, "-" when absent.
inline std::string StarCell(const PeriodLayer& layer, std::string_view name) {
    for (const MovingStar& s : layer.stars)
        if (s.name == name) return Name(s.cell);
    return "-";
}

}  // namespace qelvar::test
