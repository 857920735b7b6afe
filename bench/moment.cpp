// Resolving a birth moment (time zone, equation of time, true solar time,
// double-hour) and finding a birthplace by its Chinese name.  The moments
// walk every day of 1986..1991 at a different minute each, so daylight
// saving, both zones' periods and the equation-of-time samples all take part;
// the samples are computed once before timing starts.
#include <benchmark/benchmark.h>

#include <vector>

#include "moment/BirthMoment.h"
#include "moment/PlaceIndex.h"

namespace {

using qelvar::BirthMoment;

std::vector<BirthMoment> Moments() {
    std::vector<BirthMoment> moments;
    const char* zones[] = {"Asia/Shanghai", "Asia/Hong_Kong"};
    int n = 0;
    for (int g = qelvar::DaysFromCivil(1986, 1, 1); g <= qelvar::DaysFromCivil(1991, 12, 31); ++g) {
        const auto c = qelvar::CivilFromDays(g);
        BirthMoment m;
        m.clock = {c.year, c.month, c.day, (n * 7) % 24, (n * 13) % 60};
        m.zone = zones[n % 2];
        m.place = qelvar::Birthplace{"", 104.07, 30.67};
        m.dst = qelvar::DstChoice::Off;  // no skipped hour: every moment resolves
        if (n % 3 != 0) m.dst = qelvar::DstChoice::Auto;
        moments.push_back(m);
        ++n;
    }
    return moments;
}

void BM_ResolveMoment(benchmark::State& state) {
    const auto moments = Moments();
    for (const BirthMoment& m : moments) benchmark::DoNotOptimize(qelvar::ResolveMoment(m));
    for (auto _ : state) {
        for (const BirthMoment& m : moments) benchmark::DoNotOptimize(qelvar::ResolveMoment(m));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(moments.size()));
}
BENCHMARK(BM_ResolveMoment);

void BM_FindPlaceByChineseName(benchmark::State& state) {
    const qelvar::PlaceIndex& index = qelvar::PlaceIndex::Installed();
    const char* names[] = {"成都", "乌鲁木齐", "北京", "上海市", "喀什", "香港", "台北", "苏州"};
    std::size_t found = 0;
    for (auto _ : state) {
        for (const char* name : names) found += index.Find(name).size();
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(names)));
}
BENCHMARK(BM_FindPlaceByChineseName);

void BM_BuildPlaceIndex(benchmark::State& state) {
    for (auto _ : state) {
        const qelvar::PlaceIndex index(qelvar::LoadInstalledPlaces());
        benchmark::DoNotOptimize(index.Places().data());
    }
}
BENCHMARK(BM_BuildPlaceIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
