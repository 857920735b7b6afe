// Speed of the birth library at 100,000 records: opening the file (with its
// integrity check), a search per keystroke (the first screen of matches and
// their count, as the list window asks), importing the JSON export into an
// empty library, and exporting it.
#include "library/Library.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "library/RecordFormats.h"

namespace {

namespace fs = std::filesystem;
using qelvar::library::Library;
using qelvar::library::Record;

constexpr int kRecords = 100'000;

// Names of two or three characters, dates across two centuries, one record
// in three with notes and tags, as a practitioner's library might hold.
std::vector<Record> Records() {
    static const char* kFamily[] = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周"};
    static const char* kGiven[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋",
                                   "勇", "艳", "杰", "娟", "涛", "明", "超", "秀", "霞", "平"};
    std::mt19937 rng(1);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    std::vector<Record> records(kRecords);
    for (Record& r : records) {
        r.name =
            std::string(kFamily[pick(10)]) + kGiven[pick(20)] + (pick(2) ? kGiven[pick(20)] : "");
        r.birth.year = 1920 + pick(100);
        r.birth.month = 1 + pick(12);
        r.birth.day = 1 + pick(28);
        r.birth.doubleHour = pick(13);
        r.birth.minuteSlot = pick(12);
        r.male = pick(2) == 0;
        if (pick(3) == 0) {
            r.notes = "客户, 2019 年来访, 问事业与婚姻。";
            r.tags = {"客户", pick(2) ? "事业" : "婚姻"};
            r.group = pick(2) ? "客户" : "客户/2024";
        }
    }
    return records;
}

struct Fixture {
    fs::path dir;
    fs::path full;  // 100,000 records
    std::string json;
    Fixture() {
        dir = fs::temp_directory_path() / ("qelvar_bench_library_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        full = dir / "full.sqlite";
        json = qelvar::library::LibraryJson(Records());
        auto lib = Library::Open(full.string()).library;
        auto read = qelvar::library::ReadLibraryJson(json);
        qelvar::library::ImportReport report;
        lib->Import(read.records, qelvar::library::DuplicatePolicy::Skip, report);
    }
    ~Fixture() { fs::remove_all(dir); }
};

Fixture& Shared() {
    static Fixture f;
    return f;
}

void BM_Open(benchmark::State& state) {
    Fixture& f = Shared();
    for (auto _ : state) {
        auto opened = Library::Open(f.full.string());
        benchmark::DoNotOptimize(opened.library.get());
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

// One keystroke: the count and the first 100 rows of the matches.
void BM_SearchKeystroke(benchmark::State& state) {
    Fixture& f = Shared();
    auto lib = Library::Open(f.full.string()).library;
    const char* typed[] = {"王", "王伟", "王伟芳", "1984", "1984-0", "事业", "nobody"};
    std::size_t i = 0;
    for (auto _ : state) {
        qelvar::library::Query q{typed[i++ % std::size(typed)], "", {}, false};
        benchmark::DoNotOptimize(lib->Count(q));
        benchmark::DoNotOptimize(lib->Find(q, 0, 100));
    }
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

// Reading the JSON file and importing it whole into an empty library.
void BM_ImportJson(benchmark::State& state) {
    Fixture& f = Shared();
    int n = 0;
    for (auto _ : state) {
        const fs::path target = f.dir / ("import" + std::to_string(n++) + ".sqlite");
        auto lib = Library::Open(target.string()).library;
        auto read = qelvar::library::ReadLibraryJson(f.json);
        qelvar::library::ImportReport report;
        if (!lib->Import(read.records, qelvar::library::DuplicatePolicy::Skip, report).ok ||
            report.added != kRecords)
            state.SkipWithError("import failed");
    }
}
BENCHMARK(BM_ImportJson)->Unit(benchmark::kMillisecond)->Iterations(2);

// Every record read and written as the JSON export.
void BM_ExportJson(benchmark::State& state) {
    Fixture& f = Shared();
    auto lib = Library::Open(f.full.string()).library;
    for (auto _ : state) {
        const std::string json = qelvar::library::LibraryJson(lib->Find({}));
        benchmark::DoNotOptimize(json.size());
    }
}
BENCHMARK(BM_ExportJson)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
