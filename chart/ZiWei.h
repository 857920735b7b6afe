#pragma once
// ZiWeiChart: the chart engine.  It copies the birth data when constructed
// and RunChartSteps() fills a fresh ChartGrid in the fixed order of the 42
// chart steps.  Steps find earlier results by reading slot texts back, so
// the order of the steps is part of the result.

#include <chrono>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "app/Global.h"
#include "chart/ChartGrid.h"
#include "chart/Cycle.h"
#include "chart/Pillars.h"

namespace qelvar {

class ZiWeiChart {
public:
    // `today` is the date the days-lived sentence counts to.
    ZiWeiChart(const BirthData& birth, std::chrono::year_month_day today);

    // Clears the marks and the first brightness family, then runs the 42
    // steps in order.  Run once per chart.
    void RunChartSteps();
    const ChartGrid& Grid() const { return m_grid; }
    // The grid as working memory, for callers that stage a grid state
    // before running single steps.
    ChartGrid& MutableGrid() { return m_grid; }
    const PillarSet& Pillars() const { return m_pillars; }

    // ---- helpers shared by the steps ----
    // Writes `name` into the first empty slot among positions 0..n-1 of the
    // cell's star-slot sequence; left out when none is empty.
    void PlaceInFreeSlot(PalaceIndex cell, std::string_view name, int n);
    // Cell of the first slot of star columns 0..9 (column-major) equal to `name`.
    std::optional<PalaceIndex> FindStarCell(std::string_view name) const;
    // First cell whose palace-name slot equals one of `names`.
    std::optional<PalaceIndex> FindPalaceCell(std::initializer_list<std::string_view> names) const;
    // Yang year for a man, yin year for a woman: LY + sex even.
    bool IsForward() const;
    // 2..6 from the bureau slot, read each time.
    int BureauNumber() const;
    // Day number of a Gregorian date, 1 January of year 1 being day 1.
    static long long OrdinalDay(int year, int month, int day);
    // The birth instant of data without one: the middle of the sub-period,
    // double-hour 0 counted as 子 of the evening before.
    static std::chrono::sys_seconds DefaultInstant(const BirthData& birth);

    // ---- the chart steps, in the order RunChartSteps runs them ----
    void ShowPalaceNames();          // 1
    void ShowPalaceStems();          // 2
    void ShowBureauAndDecades();     // 3
    void PlaceMainStars();           // 4
    void ShowLifeStages();           // 5
    void PlaceChangQu();             // 6
    void PlaceFuBi();                // 7
    void PlaceLuCun();               // 8
    void PlaceKuiYue();              // 9
    void PlaceHuoLing();             // 10
    void PlaceYangTuo();             // 11
    void PlaceKongJie();             // 12
    void PlaceTianMa();              // 13
    void PlaceYaoXing();             // 14
    void PlaceGuanFu();              // 15
    void PlaceTaiFeng();             // 16
    void PlaceJieShen();             // 17
    void PlaceTianWu();              // 18
    void PlaceTianYue();             // 19
    void PlaceYinSha();              // 20
    void PlaceTaiZuo();              // 21
    void PlaceEnGui();               // 22
    void PlaceChiGe();               // 23
    void PlaceKong();                // 24
    void PlaceLuanXi();              // 25
    void PlaceXuKu();                // 26
    void PlaceGuSu();                // 27
    void PlaceFeiPo();               // 28
    void PlaceCaiShou();             // 29
    void PlaceTianChu();             // 30
    void PlaceShangShi();            // 31
    void ShowBoShiGods();            // 32
    void ShowSuiQianGods();          // 33
    void ShowJiangQianGods();        // 34
    void ShowBrightness();           // 35
    void ShowRulers();               // 36
    void ShowDouJunAndDates();       // 37
    void ComputePillars();           // 38
    void ShowFourTransformations();  // 39
    void ShowPalaceNayin();          // 40
    void ComputePillarStars();       // 41
    void ShowDaysLived();            // 42

    // ---- inputs copied from the birth data ----
    std::string m_strYear;   // lunar year, decimal
    std::string m_strMonth;  // lunar month 1..12 (a leap month gives its number)
    std::string m_strDay;    // lunar day 1..30
    int m_nHour = 0;         // double-hour Branch 0..11
    int m_nSex = 0;          // 0 male, 1 female
    int m_nBirthYear = 0, m_nBirthMonth = 0, m_nBirthDay = 0;  // Gregorian
    int m_nSolarMonth = 0;       // g_nSolarMonth, SolarMonthCode 1..14
    std::string m_strSolarText;  // g_strSolarText
    std::string m_strLunarText;  // g_strLunarText
    int m_nMinuteSlot = 0;       // g_nMinuteSlot 0..11
    // g_tBirthInstant, or the middle of the sub-period when it is empty.
    std::chrono::sys_seconds m_tBirthInstant{};
    int m_nDayPillarShift = 0;  // g_nDayPillarShift
    std::chrono::year_month_day m_today;

    // ---- set during the cast ----
    std::string m_strYearStem;    // by ShowPalaceStems
    std::string m_strYearBranch;  // by PlaceHuoLing
    PillarSet m_pillars;          // by ComputePillars

private:
    int LunarYear() const;   // LY, parsed each time
    int LunarMonth() const;  // M
    int LunarDay() const;    // D
    Stem YearStem() const { return YearStemOf(LunarYear()); }
    Branch YearBranch() const { return YearBranchOf(LunarYear()); }
    const std::string& Text(int id) const { return m_grid.GetSlotText(id); }

    ChartGrid m_grid;
};

}  // namespace qelvar
