// Speed of a whole cast (the 42 chart steps from the birth data) and of the
// command-line batch cast as a whole process.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "birth/BirthBuilder.h"
#include "chart/ZiWei.h"

namespace {

using namespace std::chrono;

constexpr year_month_day kToday{year{2026}, month{12}, day{7}};

// 360 births spread over 1950..2009, every double-hour, sub-period and sex,
// built as the form and the CLI build them.
std::vector<qelvar::BirthData> Births() {
    std::vector<qelvar::BirthData> births;
    for (int i = 0; i < 360; ++i) {
        const year_month_day date{year{1950 + i % 60}, month{static_cast<unsigned>(1 + i % 12)},
                                  day{static_cast<unsigned>(1 + i % 28)}};
        const qelvar::BirthBuild b = qelvar::BirthFromSolar(
            date, {.doubleHour = i % 13, .minuteSlot = (i / 13) % 12, .sex = i % 2, .instant = {}});
        if (b.ok()) births.push_back(*b.birth);
    }
    return births;
}

std::vector<qelvar::ChartBirth> TypedBirths() {
    std::vector<qelvar::ChartBirth> out;
    for (const qelvar::BirthData& b : Births()) out.push_back(qelvar::ChartBirthOf(b));
    return out;
}

// The 42 steps from a typed birth to the typed chart.
void BM_WholeCast(benchmark::State& state) {
    const std::vector<qelvar::ChartBirth> births = TypedBirths();
    std::size_t i = 0;
    for (auto _ : state) {
        qelvar::ZiWeiChart chart(births[i++ % births.size()], kToday);
        chart.RunChartSteps();
        benchmark::DoNotOptimize(chart.Value().pillarStars.data());
    }
}
BENCHMARK(BM_WholeCast);

// The same from the form's birth data (its decimal fields read once, the
// lunar date of the day looked up), with the 371 slot texts made from the
// chart: what the window and the grid outputs pay.
void BM_WholeCastFromBirthDataWithGrid(benchmark::State& state) {
    const std::vector<qelvar::BirthData> births = Births();
    qelvar::ChartGrid grid;
    std::size_t i = 0;
    for (auto _ : state) {
        qelvar::ZiWeiChart chart(births[i++ % births.size()], kToday);
        chart.RunChartSteps();
        grid.Fill(chart.Value());
        benchmark::DoNotOptimize(grid.GetSlotText(2185).data());
    }
}
BENCHMARK(BM_WholeCastFromBirthDataWithGrid);

// The grid alone, made from a cast chart.
void BM_GridFromChart(benchmark::State& state) {
    const std::vector<qelvar::ChartBirth> births = TypedBirths();
    std::vector<qelvar::Chart> charts;
    for (const auto& b : births) {
        qelvar::ZiWeiChart chart(b, kToday);
        chart.RunChartSteps();
        charts.push_back(chart.Value());
    }
    qelvar::ChartGrid grid;
    std::size_t i = 0;
    for (auto _ : state) {
        grid.Fill(charts[i++ % charts.size()]);
        benchmark::DoNotOptimize(grid.GetSlotText(2185).data());
    }
}
BENCHMARK(BM_GridFromChart);

std::filesystem::path BinDir() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

// `qelvar-cli cast --format json -` over 10,000 input lines, timed as a
// whole process (start-up, parsing, casting, writing to /dev/null).
void BM_CliBatch10000(benchmark::State& state) {
    const std::filesystem::path cli = BinDir() / "qelvar-cli";
    if (!std::filesystem::exists(cli)) {
        state.SkipWithError("qelvar-cli not built");
        return;
    }
    const std::filesystem::path input =
        std::filesystem::temp_directory_path() / ("qelvar_bench_" + std::to_string(getpid()));
    {
        std::ofstream out(input);
        const sys_days first = sys_days{year{1901} / 3 / 1};  // 10,000 x 5 days stay in range
        for (int i = 0; i < 10000; ++i) {
            const year_month_day d{first + days{i * 5}};
            char line[64];
            std::snprintf(line, sizeof line, "%d-%02u-%02u %d %d %d\n", static_cast<int>(d.year()),
                          static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()), i % 13,
                          (i / 13) % 12, i % 2);
            out << line;
        }
    }
    const std::string command = "'" + cli.string() +
                                "' cast --format json --today 2026-12-07 - < '" + input.string() +
                                "' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("qelvar-cli failed");
    }
    std::filesystem::remove(input);
}
BENCHMARK(BM_CliBatch10000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
