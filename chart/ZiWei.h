#pragma once
// ZiWeiChart: the chart engine.  RunChartSteps() runs the 42 chart steps in
// their fixed order over a typed Chart; each step reads the earlier steps'
// results from that value.  Grid() is the chart window's grid of slot texts
// made from the value (ChartGrid::Fill).
//
// Placement keeps the rules of the slot surface the chart is shown on: a
// star takes the first free position of its cell's star-slot sequence
// (Chart.h, PlacedStar), so crowded cells overflow the way the window shows.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>

#include "birth/BirthData.h"
#include "chart/Chart.h"
#include "chart/ChartGrid.h"
#include "chart/Pillars.h"

namespace qelvar {

// The typed birth of birth data made by the form or by hand: the decimal
// fields read once, values the form never produces taken round their
// cycles (hour, sub-period, sex) or into their ranges (lunar month 1..12,
// day 1..30).
ChartBirth ChartBirthOf(const BirthData& birth);

class ZiWeiChart {
public:
    // `today` is the date the days lived count to.
    ZiWeiChart(const ChartBirth& birth, std::chrono::year_month_day today);
    ZiWeiChart(const BirthData& birth, std::chrono::year_month_day today);

    // Runs the 42 steps in order.  Run once per chart.
    void RunChartSteps();

    const Chart& Value() const { return m_chart; }
    // The value as working memory, for callers that stage a state before
    // running single steps.
    Chart& MutableValue() { return m_chart; }
    // The slot texts of the chart as it stands, made afresh on each call.
    const ChartGrid& Grid() const;
    // The four pillars as texts.
    PillarSet Pillars() const;

    // ---- helpers shared by the steps ----
    // Places `star` into the first free position among 0..n-1 of the cell's
    // star-slot sequence; left out when none is free.
    void PlaceInFreeSlot(PalaceIndex cell, Star star, int n);
    // Cell of `star` when it stands in star columns 0..9.
    std::optional<PalaceIndex> FindStarCell(Star star) const;
    // Yang year for a man, yin year for a woman: LY + sex even.
    bool IsForward() const;
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
    void PlaceExtendedStars();       // after 31, with the extended star set
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

private:
    const ChartBirth& Birth() const { return m_chart.birth; }

    Chart m_chart;
    mutable std::optional<ChartGrid> m_grid;  // made on the first Grid()
    // Where PlaceInFreeSlot put each star (its cell, -1 for none, and its
    // column), so that FindStarCell need not scan the twelve cells.
    std::array<std::int8_t, kStarCount> m_starCell = MakeNoCells();
    std::array<std::uint8_t, kStarCount> m_starColumn{};
    static constexpr std::array<std::int8_t, kStarCount> MakeNoCells() {
        std::array<std::int8_t, kStarCount> a{};
        a.fill(-1);
        return a;
    }
};

}  // namespace qelvar
