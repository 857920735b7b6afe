// Writes the digests of every chart grid of the calendar's range, one line
// per Gregorian year: "YEAR DIGEST CASTS FAILURES" (tests/app/GridDigest.h
// says what is digested).  The output is tests/app/data/grid_digests.txt,
// which the sweep test compares with the grids of the current engine:
//
//   build/bin/grid_digest [THREADS] > tests/app/data/grid_digests.txt
//
// Regenerate it only when a change of the charts is meant.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "GridDigest.h"
#include "chart/ZiWei.h"

namespace {

using namespace qelvar;

// The grid of one birth, cast as the program casts it.
struct Caster {
    std::optional<ZiWeiChart> chart;
    const ChartGrid* operator()(const BirthDates& dates, const BirthTime& time) {
        const BirthBuild b = BuildBirth(dates, time);
        if (!b.ok()) return nullptr;
        chart.emplace(*b.birth, test::kDigestToday);
        chart->RunChartSteps();
        return &chart->Grid();
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int threads = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2;
    constexpr int kFirstYear = 1901, kLastYear = 2051;
    std::vector<test::YearDigest> digests(kLastYear - kFirstYear + 1);
    std::vector<std::thread> pool;
    for (int k = 0; k < threads; ++k)
        pool.emplace_back([&digests, k, threads] {
            Caster caster;
            for (int y = kFirstYear + k; y <= kLastYear; y += threads)
                digests[y - kFirstYear] = test::DigestYear(y, caster);
        });
    for (auto& t : pool) t.join();
    for (int y = kFirstYear; y <= kLastYear; ++y) {
        const test::YearDigest& d = digests[y - kFirstYear];
        std::printf("%d %016" PRIx64 " %ld %ld\n", y, d.digest, d.casts, d.failures);
    }
    return 0;
}
