// Resolving a birth moment (time zone, equation of time, true solar time,
// double-hour), finding a birthplace by its Chinese name, and the
// command-line batch of 10,000 clock lines as a whole process.  The moments
// walk every day of 1986..1991 at a different minute each, so daylight
// saving, both zones' periods and the equation-of-time samples all take part;
// the samples are computed once before timing starts.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
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
    const char* names[] = {"成都", "乌鲁木齐", "北京",     "上海市",     "喀什",   "香港",
                           "台北", "苏州",     "江苏苏州", "朝阳, 北京", "大理州", "紐約"};
    std::size_t found = 0;
    for (auto _ : state) {
        for (const char* name : names) found += index.Find(name).size();
    }
    benchmark::DoNotOptimize(found);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(names)));
}
BENCHMARK(BM_FindPlaceByChineseName);

// The index of the generated table, built at the first lookup of a process.
void BM_BuildPlaceIndex(benchmark::State& state) {
    for (auto _ : state) {
        const qelvar::PlaceIndex index(qelvar::TablePlaces(), {});
        benchmark::DoNotOptimize(index.Find("昆山").size());
    }
}
BENCHMARK(BM_BuildPlaceIndex)->Unit(benchmark::kMillisecond)->Iterations(10);

// GeoNames joining the index, at the first Latin name of a process.
void BM_BuildPlaceIndexWithGeoNames(benchmark::State& state) {
    for (auto _ : state) {
        const qelvar::PlaceIndex index(qelvar::TablePlaces(), qelvar::LoadInstalledPlaces);
        benchmark::DoNotOptimize(index.Find("Chengdu").size());
    }
}
BENCHMARK(BM_BuildPlaceIndexWithGeoNames)->Unit(benchmark::kMillisecond)->Iterations(3);

// `qelvar-cli cast --format json -` over 10,000 clock lines five days apart
// from 1901 to 2037 (so the equation of time is sampled over the whole
// span), timed as a whole process writing to /dev/null.
void BM_CliClockBatch10000(benchmark::State& state) {
    using namespace std::chrono;
    const std::filesystem::path cli =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "qelvar-cli";
    if (!std::filesystem::exists(cli)) {
        state.SkipWithError("qelvar-cli not built");
        return;
    }
    const std::filesystem::path input =
        std::filesystem::temp_directory_path() / ("qelvar_clock_" + std::to_string(getpid()));
    {
        std::ofstream out(input);
        const sys_days first = sys_days{year{1901} / 3 / 1};
        for (int i = 0; i < 10000; ++i) {
            const year_month_day d{first + days{i * 5}};
            char line[96];
            std::snprintf(line, sizeof line,
                          "clock %d-%02u-%02u %02d:%02d Asia/Shanghai 104.07 %d\n",
                          static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
                          static_cast<unsigned>(d.day()), (i * 7) % 24, (i * 13) % 60, i % 2);
            out << line;
        }
    }
    const std::string command = "'" + cli.string() +
                                "' cast --format json --today 2026-12-07 - < '" + input.string() +
                                "' > /dev/null 2>&1";
    for (auto _ : state) {
        // Status 1 is expected: a few lines fall into the skipped hours.
        const int status = std::system(command.c_str());
        if (status == -1 || WEXITSTATUS(status) > 1) state.SkipWithError("qelvar-cli failed");
    }
    std::filesystem::remove(input);
}
BENCHMARK(BM_CliClockBatch10000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// `qelvar-cli places --format json -` over 10,000 names (the table's names,
// full and short, every tenth in pinyin so GeoNames joins too), timed as a
// whole process writing to /dev/null.
void BM_CliPlaces10000(benchmark::State& state) {
    const std::filesystem::path cli =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "qelvar-cli";
    if (!std::filesystem::exists(cli)) {
        state.SkipWithError("qelvar-cli not built");
        return;
    }
    const std::filesystem::path input =
        std::filesystem::temp_directory_path() / ("qelvar_places_" + std::to_string(getpid()));
    {
        const std::vector<qelvar::Place> table = qelvar::TablePlaces();
        std::ofstream out(input);
        for (std::size_t i = 0; i < 10000; ++i) {
            const qelvar::Place& p = table[(i * 7) % table.size()];
            if (i % 10 == 0)
                out << p.name << '\n';
            else
                out << (i % 2 || p.otherNames.empty() ? p.chineseName : p.otherNames[0]) << '\n';
        }
    }
    const std::string command =
        "'" + cli.string() + "' places --format json - < '" + input.string() + "' > /dev/null 2>&1";
    for (auto _ : state) {
        const int status = std::system(command.c_str());
        if (status == -1 || WEXITSTATUS(status) > 1) state.SkipWithError("qelvar-cli failed");
    }
    std::filesystem::remove(input);
}
BENCHMARK(BM_CliPlaces10000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
