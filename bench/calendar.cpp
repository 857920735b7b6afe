// Conversion speed over the whole range: SolarToLunar on every day of
// 1901-02-19 .. 2051-02-10, LunarToSolar on every lunar date of lunar
// 1901..2050.  Items per second give the cost of one call.
#include <benchmark/benchmark.h>

#include <vector>

#include "calendar/DayCount.h"
#include "calendar/LunarCalendar.h"

namespace {

using qelvar::LunarCalendar;
using qelvar::LunarDate;
using qelvar::SolarDate;

std::vector<SolarDate> AllSolarDays() {
    std::vector<SolarDate> days;
    for (int g = qelvar::DaysFromCivil(1901, 2, 19); g <= qelvar::DaysFromCivil(2051, 2, 10); ++g) {
        const auto c = qelvar::CivilFromDays(g);
        days.push_back({static_cast<std::uint16_t>(c.year), static_cast<std::uint16_t>(c.month),
                        static_cast<std::uint16_t>(c.day)});
    }
    return days;
}

std::vector<LunarDate> AllLunarDays() {
    LunarCalendar cal;
    std::vector<LunarDate> days;
    for (const SolarDate& s : AllSolarDays()) days.push_back(*cal.SolarToLunar(s));
    return days;
}

void BM_SolarToLunarWholeRange(benchmark::State& state) {
    const LunarCalendar cal;
    const auto days = AllSolarDays();
    for (auto _ : state) {
        for (const SolarDate& s : days) benchmark::DoNotOptimize(cal.SolarToLunar(s));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(days.size()));
}
BENCHMARK(BM_SolarToLunarWholeRange)->Unit(benchmark::kMillisecond);

void BM_LunarToSolarWholeRange(benchmark::State& state) {
    const LunarCalendar cal;
    const auto days = AllLunarDays();
    for (auto _ : state) {
        for (const LunarDate& l : days) benchmark::DoNotOptimize(cal.LunarToSolar(l));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(days.size()));
}
BENCHMARK(BM_LunarToSolarWholeRange)->Unit(benchmark::kMillisecond);

void BM_SolarTermWholeRange(benchmark::State& state) {
    LunarCalendar cal;
    const auto days = AllSolarDays();
    for (auto _ : state) {
        for (const SolarDate& s : days)
            benchmark::DoNotOptimize(cal.SolarTerm(s.year, s.month, s.day));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(days.size()));
}
BENCHMARK(BM_SolarTermWholeRange)->Unit(benchmark::kMillisecond);

}  // namespace
