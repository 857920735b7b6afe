// Speed of the periods on top of a cast: reading the chart once and the
// horoscope of all six layers (大限 小限 流年 流月 流日 流时).
#include "periods/Periods.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "chart/ZiWei.h"
#include "form/BirthForm.h"

namespace {

using namespace std::chrono;

constexpr year_month_day kToday{year{2026}, month{12}, day{7}};

struct Cast {
    qelvar::BirthData birth;
    qelvar::Chart chart;
};

std::vector<Cast> Casts() {
    std::vector<Cast> casts;
    for (int i = 0; i < 240; ++i) {
        Cast c;
        qelvar::BirthForm form(c.birth, kToday);
        form.m_dateSolar = year_month_day{year{1930 + i % 80}, month{1u + unsigned(i % 12)},
                                          day{1u + unsigned(i * 7 % 28)}};
        form.UpdateFromSolar();
        form.m_nHourSelection = i % 13;
        form.m_nMinuteSelection = i % 12;
        form.m_bMale = i % 2 == 0;
        if (!form.CastChart()) continue;
        qelvar::ZiWeiChart chart(c.birth, kToday);
        chart.RunChartSteps();
        c.chart = chart.Value();
        casts.push_back(std::move(c));
    }
    return casts;
}

qelvar::HoroscopeRequest Target(std::size_t i) {
    return {2015 + int(i % 30), 1 + int(i % 12), 1 + int(i * 5 % 28), int(i % 13)};
}

void BM_ReadNatalChart(benchmark::State& state) {
    const std::vector<Cast> casts = Casts();
    std::size_t i = 0;
    for (auto _ : state) {
        const Cast& c = casts[i++ % casts.size()];
        benchmark::DoNotOptimize(qelvar::ReadNatalChart(c.chart));
    }
}
BENCHMARK(BM_ReadNatalChart);

// The whole horoscope of one target from a cast grid: read the chart, then
// all six layers.
void BM_HoroscopeSixLayers(benchmark::State& state) {
    const std::vector<Cast> casts = Casts();
    const qelvar::LunarCalendar calendar;
    std::size_t i = 0;
    for (auto _ : state) {
        const Cast& c = casts[i % casts.size()];
        const qelvar::NatalChart natal = qelvar::ReadNatalChart(c.chart);
        const auto r = qelvar::ComputeHoroscope(natal, Target(i++), calendar);
        benchmark::DoNotOptimize(r.horoscope.layers.data());
    }
}
BENCHMARK(BM_HoroscopeSixLayers);

void BM_DecadesAndFlying(benchmark::State& state) {
    const std::vector<Cast> casts = Casts();
    std::size_t i = 0;
    for (auto _ : state) {
        const Cast& c = casts[i++ % casts.size()];
        const qelvar::NatalChart natal = qelvar::ReadNatalChart(c.chart);
        benchmark::DoNotOptimize(qelvar::Decades(natal));
        benchmark::DoNotOptimize(qelvar::FlyingTransformations(natal));
    }
}
BENCHMARK(BM_DecadesAndFlying);

// `qelvar-cli cast --format json --at 2025-06-01 --at-hour 6 -` over 10,000
// input lines, timed as a whole process (start-up, parsing, casting, the
// periods, writing to /dev/null).
void BM_CliBatchAt10000(benchmark::State& state) {
    const std::filesystem::path cli =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "qelvar-cli";
    if (!std::filesystem::exists(cli)) {
        state.SkipWithError("qelvar-cli not built");
        return;
    }
    const std::filesystem::path input =
        std::filesystem::temp_directory_path() / ("qelvar_bench_at_" + std::to_string(getpid()));
    {
        std::ofstream out(input);
        const sys_days first = sys_days{year{1901} / 3 / 1};  // 10,000 x 4 days end in 2010
        for (int i = 0; i < 10000; ++i) {
            const year_month_day d{first + days{i * 4}};
            char line[64];
            std::snprintf(line, sizeof line, "%d-%02u-%02u %d %d %d\n", static_cast<int>(d.year()),
                          static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()), i % 13,
                          (i / 13) % 12, i % 2);
            out << line;
        }
    }
    const std::string command = "'" + cli.string() +
                                "' cast --format json --today 2026-12-07 --at 2025-06-01 "
                                "--at-hour 6 - < '" +
                                input.string() + "' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("qelvar-cli failed");
    }
    std::filesystem::remove(input);
}
BENCHMARK(BM_CliBatchAt10000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
