// The birth library through qelvar-cli: what is stored comes back field for
// field through every way out and in, a killed import and two writers at
// once lose nothing, and a damaged file is reported and left alone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "../cli/convert_process.h"
#include "library/Library.h"
#include "library/RecordFormats.h"

namespace qelvar::test {
namespace {

namespace fs = std::filesystem;
using library::BirthKind;
using library::Library;
using library::Record;

fs::path Folder(const std::string& name) {
    const fs::path dir =
        fs::path(testing::TempDir()) / ("qelvar_library_" + std::to_string(::getpid()) + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::unique_ptr<Library> OpenOrDie(const fs::path& file) {
    auto opened = Library::Open(file.string());
    EXPECT_TRUE(opened.library) << opened.message;
    return std::move(opened.library);
}

// Random records over every field: names and notes from a mix of Chinese,
// emoji, quotes, commas, line breaks and backslashes; all three kinds of
// birth; longitudes with all their digits.
class RecordMaker {
public:
    explicit RecordMaker(unsigned seed) : m_rng(seed) {}

    std::string Text(int minLength, int maxLength, bool lines) {
        static const std::vector<std::string> kPieces = {"张", "王", "李", "明", "华", "𠀀", "😀",
                                                         "a",  "Z",  " ",  ",",  "\"", "'",  "\\",
                                                         "é",  "\t", "；", "Ω",  "x",  "1"};
        std::string s;
        const int n = Int(minLength, maxLength);
        for (int i = 0; i < n; ++i) {
            if (lines && Int(0, 9) == 0)
                s += Int(0, 1) ? "\n" : "\r\n";
            else
                s +=
                    kPieces[static_cast<std::size_t>(Int(0, static_cast<int>(kPieces.size()) - 1))];
        }
        return s;
    }

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    double Real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(m_rng);
    }

    // `castable`: a birth the chart accepts (the CLI's add casts it first).
    Record Make(bool castable) {
        Record r;
        r.name = Text(1, 12, false);
        if (r.name == " ") r.name = "x";
        r.male = Int(0, 1) == 0;
        const int kind = Int(0, 2);
        auto& b = r.birth;
        if (kind == 2) {
            b.kind = BirthKind::Clock;
            b.moment.clock = {Int(1950, 2049), Int(1, 12), Int(1, 28), Int(8, 20), Int(0, 59)};
            b.moment.zone = Int(0, 1) ? "Asia/Shanghai" : "America/New_York";
            if (Int(0, 2) > 0) {
                b.moment.place =
                    Birthplace{castable ? "" : Text(0, 6, false), Real(-180, 180), std::nullopt};
                if (Int(0, 1)) b.moment.place->latitude = Real(-90, 90);
            }
            b.moment.dst = castable ? (Int(0, 1) ? DstChoice::Auto : DstChoice::Off)
                                    : static_cast<DstChoice>(Int(0, 2));
            if (b.moment.place && Int(0, 1)) b.moment.trueSolarTime = Int(0, 1) == 1;
        } else {
            b.kind = kind == 0 ? BirthKind::Solar : BirthKind::Lunar;
            b.year = castable ? Int(1902, 2049) : Int(1, 9999);
            b.month = Int(1, 12);
            b.day = Int(1, kind == 0 ? 28 : 29);
            b.leap = !castable && kind == 1 && Int(0, 3) == 0;
            b.doubleHour = Int(0, 12);
            b.minuteSlot = Int(0, 11);
        }
        r.conventions = {static_cast<LateZi>(Int(0, 1)), static_cast<LeapMonthRule>(Int(0, 1)),
                         static_cast<YearStart>(Int(0, 1)), RandomSchool()};
        if (Int(0, 1)) r.notes = Text(0, 80, true);
        for (int i = Int(0, 3); i > 0; --i) {
            std::string tag = Text(1, 5, false);
            for (char& c : tag)
                if (c == '\t') c = '_';
            if (std::find(r.tags.begin(), r.tags.end(), tag) == r.tags.end()) r.tags.push_back(tag);
        }
        static const std::vector<std::string> kGroups = {
            "", "", "客户", "客户/2024", "家人", "家人/表亲", "Friends, \"old\""};
        r.group = kGroups[static_cast<std::size_t>(Int(0, 6))];
        return r;
    }

private:
    // Half the records at the defaults, a quarter the common preset, the
    // rest with every reading drawn.
    School RandomSchool() {
        School s;
        const int pick = Int(0, 3);
        if (pick < 2) return s;
        if (pick == 2) return *ParsePreset("common");
        s.kuiYue = static_cast<KuiYueRule>(Int(0, 1));
        s.tianMa = static_cast<TianMaRule>(Int(0, 1));
        s.bodyRulerZi = static_cast<BodyRulerZi>(Int(0, 1));
        s.jieKong = static_cast<JieKongRule>(Int(0, 1));
        s.mutagenGeng = static_cast<MutagenGeng>(Int(0, 2));
        s.mutagenWu = static_cast<MutagenWu>(Int(0, 1));
        s.mutagenRen = static_cast<MutagenRen>(Int(0, 1));
        s.godNames = static_cast<GodNames>(Int(0, 1));
        s.stars = static_cast<StarSet>(Int(0, 1));
        return s;
    }
    std::mt19937 m_rng;
};

std::string Shortest(double v) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// The options of `cast` that give the birth, sex and conventions of `r`.
std::vector<std::string> CastArguments(const Record& r) {
    std::vector<std::string> a = {"--sex", r.male ? "0" : "1"};
    const auto& b = r.birth;
    if (b.kind == BirthKind::Clock) {
        const ClockTime& c = b.moment.clock;
        char clock[32];
        std::snprintf(clock, sizeof clock, "%04d-%02d-%02d %02d:%02d", c.year, c.month, c.day,
                      c.hour, c.minute);
        a.insert(a.end(), {"--clock", clock, "--zone", b.moment.zone, "--dst",
                           std::string(library::DstName(b.moment.dst))});
        if (b.moment.place) {
            a.insert(a.end(), {"--longitude", Shortest(b.moment.place->longitude)});
            if (b.moment.place->latitude)
                a.insert(a.end(), {"--latitude", Shortest(*b.moment.place->latitude)});
        }
        if (b.moment.trueSolarTime)
            a.insert(a.end(), {"--solar-time", *b.moment.trueSolarTime ? "on" : "off"});
    } else {
        a.push_back(library::DateText(b.year, b.month, b.day));
        if (b.kind == BirthKind::Lunar) a.push_back("--lunar");
        if (b.leap) a.push_back("--leap");
        a.insert(a.end(), {"--hour", std::to_string(b.doubleHour), "--minute",
                           std::to_string(b.minuteSlot)});
    }
    a.insert(a.end(), {"--late-zi", std::string(ConventionName(r.conventions.lateZi)),
                       "--leap-month", std::string(ConventionName(r.conventions.leapMonth)),
                       "--year-start", std::string(ConventionName(r.conventions.yearStart))});
    // The school readings as `cast` takes them: the common preset when they
    // are it, else one switch per reading.
    const School& school = r.conventions.school;
    if (school == *ParsePreset("common")) {
        a.insert(a.end(), {"--preset", "common"});
    } else {
        static constexpr const char* kOptions[] = {
            "--kui-yue",    "--tian-ma",     "--body-ruler-zi", "--jie-kong", "--mutagen-geng",
            "--mutagen-wu", "--mutagen-ren", "--god-names",     "--stars"};
        const auto fields = SchoolFields(school);
        for (std::size_t i = 0; i < fields.size(); ++i)
            a.insert(a.end(), {kOptions[i], std::string(fields[i].value)});
    }
    return a;
}

// The command line of `library add` that gives `r`.
std::vector<std::string> AddArguments(const Record& r, const fs::path& file) {
    std::vector<std::string> a = {"library", "add", "--library", file.string(), "--name", r.name};
    const std::vector<std::string> cast = CastArguments(r);
    a.insert(a.end(), cast.begin(), cast.end());
    if (!r.notes.empty()) a.insert(a.end(), {"--note", r.notes});
    for (const std::string& t : r.tags) a.insert(a.end(), {"--tag", t});
    if (!r.group.empty()) a.insert(a.end(), {"--group", r.group});
    return a;
}

std::vector<Record> ParsedList(const ProcessResult& p) {
    EXPECT_EQ(p.status, 0) << p.err;
    const library::ReadRecords read = library::ReadLibraryJson(p.out);
    EXPECT_TRUE(read.ok()) << read.error;
    return read.records;
}

// "{...}\n{...}\n" as "[{...},{...}]".
std::string LinesAsArray(const std::string& lines) {
    std::string out = "[";
    for (std::size_t at = 0; at < lines.size();) {
        const std::size_t end = std::min(lines.find('\n', at), lines.size());
        if (out.size() > 1) out += ',';
        out += lines.substr(at, end - at);
        at = end + 1;
    }
    return out + "]";
}

// Sorted by id, so that lists in any order compare.
std::vector<Record> ById(std::vector<Record> v) {
    std::sort(v.begin(), v.end(), [](const Record& a, const Record& b) { return a.id < b.id; });
    return v;
}

void ExpectSameRecords(const std::vector<Record>& expected, const std::vector<Record>& got,
                       const std::string& stage) {
    ASSERT_EQ(expected.size(), got.size()) << stage;
    const auto a = ById(expected), b = ById(got);
    int shown = 0;
    for (std::size_t i = 0; i < a.size() && shown < 5; ++i) {
        if (a[i] == b[i]) continue;
        ++shown;
        std::string x, y;
        library::AppendRecordJson(x, a[i]);
        library::AppendRecordJson(y, b[i]);
        ADD_FAILURE() << stage << ":\n expected " << x << "\n      got " << y;
    }
}

TEST(LibraryCli, TenThousandRandomRecordsRoundTripFieldForField) {
    const fs::path dir = Folder("roundtrip");
    const fs::path file = dir / "library.sqlite";
    RecordMaker maker(20261208);
    std::vector<Record> expected;
    // Through the command line, as typed: each is cast before it is kept.
    for (int i = 0; i < 150; ++i) {
        Record r = maker.Make(true);
        const ProcessResult p = RunCli(AddArguments(r, file));
        ASSERT_EQ(p.status, 0) << p.err << Quoted(AddArguments(r, file));
        r.id = p.out.substr(0, p.out.size() - 1);
        ASSERT_EQ(r.id.size(), 36u) << p.out;
        expected.push_back(r);
    }
    // A record cast from the library gives the chart its typed options give,
    // its school readings with it.
    int castChecked = 0;
    for (const Record& r : expected) {
        if (r.conventions.school.IsDefault() || castChecked == 3) continue;
        std::vector<std::string> cast = CastArguments(r);
        cast.insert(cast.begin(), {"cast", "--format", "json", "--today", "2026-12-08"});
        const ProcessResult typed = RunCli(cast);
        const ProcessResult stored = RunCli({"cast", "--format", "json", "--today", "2026-12-08",
                                             "--library", file.string(), "--from-library", r.id});
        ASSERT_EQ(typed.status, 0) << typed.err << Quoted(cast);
        ASSERT_EQ(stored.status, 0) << stored.err;
        EXPECT_EQ(stored.out, typed.out);
        EXPECT_NE(stored.out.find("\"stars\""), std::string::npos);
        ++castChecked;
    }
    EXPECT_EQ(castChecked, 3);
    // The rest straight into the store, with every value the fields allow.
    {
        auto lib = OpenOrDie(file);
        for (int i = static_cast<int>(expected.size()); i < 10'000; ++i) {
            Record r = maker.Make(false);
            ASSERT_TRUE(lib->Add(r).ok);
            expected.push_back(r);
        }
    }
    // Times set by the store are read back from the first list.
    std::vector<Record> listed =
        ParsedList(RunCli({"library", "list", "--library", file.string(), "--format", "json"}));
    ASSERT_EQ(listed.size(), expected.size());
    {
        std::map<std::string, const Record*> byId;
        for (const Record& r : listed) byId[r.id] = &r;
        for (Record& r : expected) {
            ASSERT_TRUE(byId.count(r.id)) << r.id;
            EXPECT_GT(byId[r.id]->created, 1'700'000'000'000);
            r.created = byId[r.id]->created;
            r.modified = byId[r.id]->modified;
        }
    }
    ExpectSameRecords(expected, listed, "list");

    // show, 2,000 ids a time (one shell command line holds at most 128 KiB).
    std::string shown;
    for (std::size_t first = 0; first < expected.size(); first += 2000) {
        std::vector<std::string> show = {"library",     "show",     "--library",
                                         file.string(), "--format", "json"};
        for (std::size_t i = first; i < std::min(first + 2000, expected.size()); ++i)
            show.push_back(expected[i].id);
        const ProcessResult p = RunCli(show);
        ASSERT_EQ(p.status, 0) << p.err;
        shown += p.out;
    }
    ExpectSameRecords(expected, ParsedList({0, LinesAsArray(shown), ""}), "show");

    for (const char* format : {"json", "csv"}) {
        const fs::path exported = dir / (std::string("export.") + format);
        const fs::path copy = dir / (std::string("copy-") + format + ".sqlite");
        ProcessResult p = RunCli({"library", "export", "--library", file.string(), "--format",
                                  format, "--bom", "--output", exported.string()});
        ASSERT_EQ(p.status, 0) << p.err;
        p = RunCli({"library", "import", "--library", copy.string(), exported.string()});
        ASSERT_EQ(p.status, 0) << p.err;
        EXPECT_EQ(p.out.substr(0, 12), "added 10000,") << p.out;
        ExpectSameRecords(
            expected,
            ParsedList(RunCli({"library", "list", "--library", copy.string(), "--format", "json"})),
            std::string("export and import as ") + format);
        // Everything again: every record is a duplicate.
        p = RunCli({"library", "import", "--library", copy.string(), exported.string()});
        EXPECT_EQ(p.out.substr(0, 35), "added 0, merged 0, skipped 10000 du") << p.out;
    }
}

// A library of `n` records in JSON, as export writes it.
std::string GeneratedExport(int n, unsigned seed) {
    RecordMaker maker(seed);
    std::vector<Record> records;
    records.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        records.push_back(maker.Make(false));
        records.back().id = library::NewUuid();
    }
    return library::LibraryJson(records);
}

long Count(const fs::path& file) {
    auto lib = OpenOrDie(file);
    return lib ? lib->Count({}) : -1;
}

off_t SizeOf(const fs::path& file) {
    struct stat st {};
    return ::stat(file.c_str(), &st) == 0 ? st.st_size : 0;
}

TEST(LibraryCli, KilledImportLeavesTheOldLibraryOrTheWholeImport) {
    const fs::path dir = Folder("kill");
    const fs::path big = dir / "big.json";
    std::ofstream(big, std::ios::binary) << GeneratedExport(100'000, 7);
    const fs::path file = dir / "library.sqlite";
    {
        auto lib = OpenOrDie(file);
        RecordMaker maker(3);
        for (int i = 0; i < 25; ++i) {
            Record r = maker.Make(false);
            ASSERT_TRUE(lib->Add(r).ok);
        }
    }
    // Killed once the import's writes have begun (the WAL file grows), and
    // again later: each time the library holds the old records or all.
    int killedMidway = 0;
    long before = 25;
    for (const off_t walBytes : {off_t{1} << 20, off_t{12} << 20}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            execl(CliPath().c_str(), "qelvar-cli", "library", "import", "--library", file.c_str(),
                  big.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        const fs::path wal = file.string() + "-wal";
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        int status = 0;
        bool exited = false;
        while (std::chrono::steady_clock::now() < deadline) {
            if (waitpid(child, &status, WNOHANG) == child) {
                exited = true;
                break;
            }
            if (SizeOf(wal) >= walBytes) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        if (!exited) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            killedMidway += WIFSIGNALED(status) ? 1 : 0;
        }
        const long after = Count(file);
        EXPECT_TRUE(after == before || after == before + 100'000)
            << "before " << before << ", after " << after;
        before = after;
        auto lib = OpenOrDie(file);  // and it passes the integrity check
    }
    EXPECT_GE(killedMidway, 1) << "no import was killed part way";
}

TEST(LibraryCli, TwoProcessesAddingAtOnceLoseNothing) {
    const fs::path file = Folder("concurrent") / "library.sqlite";
    delete OpenOrDie(file).release();  // created before the race, as the program would
    pid_t children[2];
    for (int k = 0; k < 2; ++k) {
        children[k] = fork();
        ASSERT_GE(children[k], 0);
        if (children[k] == 0) {
            auto opened = Library::Open(file.string());
            if (!opened.library) _exit(2);
            RecordMaker maker(100u + static_cast<unsigned>(k));
            for (int i = 0; i < 1000; ++i) {
                Record r = maker.Make(false);
                r.name = "p" + std::to_string(k) + "-" + std::to_string(i);
                if (!opened.library->Add(r).ok) _exit(1);
            }
            _exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    auto lib = OpenOrDie(file);
    EXPECT_EQ(lib->Count({}), 2000);
    EXPECT_EQ(lib->Count({"p0-", "", {}, false}), 1000);
    EXPECT_EQ(lib->Count({"p1-999", "", {}, false}), 1);
}

TEST(LibraryCli, EveryImportIsBackedUpFirstAndTheNewestFiveAreKept) {
    const fs::path dir = Folder("backups");
    const fs::path file = dir / "library.sqlite";
    RecordMaker maker(11);
    for (int i = 1; i <= 7; ++i) {
        const fs::path one = dir / ("one" + std::to_string(i) + ".json");
        std::ofstream(one, std::ios::binary) << library::LibraryJson({maker.Make(false)});
        const ProcessResult p = RunCli(
            {"library", "import", "--library", file.string(), one.string(), "--format", "json"});
        ASSERT_EQ(p.status, 0) << p.err;
    }
    std::vector<fs::path> copies;
    for (const auto& e : fs::directory_iterator(dir / "backups")) copies.push_back(e.path());
    std::sort(copies.begin(), copies.end());
    ASSERT_EQ(copies.size(), 5u);
    // The copies hold the library before imports 3..7: 2..6 records.
    for (std::size_t i = 0; i < copies.size(); ++i) EXPECT_EQ(Count(copies[i]), long(i) + 2);
    EXPECT_EQ(Count(file), 7);
}

// A library of the first schema (no school readings) is copied aside, then
// brought up to date: its records keep every field and read the defaults.
TEST(LibraryCli, FirstSchemaIsBackedUpAndMigrated) {
    const fs::path dir = Folder("migrate");
    const fs::path file = dir / "library.sqlite";
    std::vector<Record> before;
    {
        auto lib = OpenOrDie(file);
        RecordMaker maker(21);
        for (int i = 0; i < 200; ++i) {
            Record r = maker.Make(false);
            r.conventions.school = {};
            ASSERT_TRUE(lib->Add(r).ok);
            before.push_back(r);
        }
    }
    // Back to the first schema, as a program of that time left the file.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "ALTER TABLE records DROP COLUMN school; PRAGMA user_version=1",
                           nullptr, nullptr, nullptr),
              SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);
    const ProcessResult p =
        RunCli({"library", "list", "--library", file.string(), "--format", "json"});
    ExpectSameRecords(before, ParsedList(p), "after the migration");
    std::vector<fs::path> copies;
    for (const auto& e : fs::directory_iterator(dir / "backups")) copies.push_back(e.path());
    ASSERT_EQ(copies.size(), 1u);
    // The copy is the first schema still, every record in it (read as it
    // is: opening it as a library would migrate it); the library is the new
    // one and keeps a school reading.
    ASSERT_EQ(sqlite3_open(copies[0].c_str(), &db), SQLITE_OK);
    for (const auto& [sql, expected] :
         {std::pair{"PRAGMA user_version", 1}, {"SELECT count(*) FROM records", 200}}) {
        sqlite3_stmt* q = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &q, nullptr);
        ASSERT_EQ(sqlite3_step(q), SQLITE_ROW) << sql;
        EXPECT_EQ(sqlite3_column_int(q, 0), expected) << sql;
        sqlite3_finalize(q);
    }
    sqlite3_close(db);
    auto lib = OpenOrDie(file);
    Record r = before.front();
    r.conventions.school.jieKong = JieKongRule::Pair;
    ASSERT_TRUE(lib->Update(r).ok);
    EXPECT_EQ(lib->Get(r.id)->conventions.school.jieKong, JieKongRule::Pair);
}

// library edit changes the school readings as cast takes them: a switch
// one reading, a preset all of them, a switch after it one again.
TEST(LibraryCli, EditChangesTheSchoolReadingsGiven) {
    const fs::path file = Folder("edit") / "library.sqlite";
    ProcessResult p = RunCli({"library", "add", "--library", file.string(), "--name", "甲",
                              "1990-05-01", "--hour", "6", "--minute", "0"});
    ASSERT_EQ(p.status, 0) << p.err;
    const std::string id = p.out.substr(0, p.out.size() - 1);
    auto school = [&] {
        auto lib = OpenOrDie(file);
        return lib->Get(id)->conventions.school;
    };
    struct Step {
        std::vector<std::string> options;
        School expected;
    };
    School common = *ParsePreset("common");
    School commonPlain = common;
    commonPlain.stars = StarSet::Table;
    const Step steps[] = {
        {{"--kui-yue", "chou-wei"}, School{.kuiYue = KuiYueRule::ChouWei}},
        {{"--mutagen-geng", "阳武府同"},
         School{.kuiYue = KuiYueRule::ChouWei, .mutagenGeng = MutagenGeng::YangWuFuTong}},
        {{"--preset", "common"}, common},
        {{"--stars", "default"}, commonPlain},
        {{"--note", "only the note"}, commonPlain},
        {{"--preset", "default"}, School{}},
    };
    for (const Step& step : steps) {
        std::vector<std::string> args = {"library", "edit", "--library", file.string(), id};
        args.insert(args.end(), step.options.begin(), step.options.end());
        p = RunCli(args);
        ASSERT_EQ(p.status, 0) << p.err;
        EXPECT_EQ(school(), step.expected) << step.options[0];
    }
}

TEST(LibraryCli, DamagedFileGivesStatusThreeAndIsLeftAsItWas) {
    const fs::path dir = Folder("damaged");
    const fs::path good = dir / "good.sqlite";
    {
        auto lib = OpenOrDie(good);
        RecordMaker maker(5);
        for (int i = 0; i < 3000; ++i) {
            Record r = maker.Make(false);
            ASSERT_TRUE(lib->Add(r).ok);
        }
    }
    const std::string whole = ReadWhole(good.string());
    ASSERT_GT(whole.size(), 200'000u);
    std::mt19937 rng(9);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage) c = static_cast<char>(rng());
    std::string headed = whole.substr(0, 100) + garbage;  // a database header, then noise
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"truncated to half", whole.substr(0, whole.size() / 2)},
        {"truncated inside its first page", whole.substr(0, 1000)},
        {"random bytes", garbage},
        {"a text file", "name,date\n张三,2000-01-01\n"},
        {"a header followed by noise", headed},
    };
    for (const auto& [what, bytes] : cases) {
        const fs::path file = dir / "library.sqlite";
        fs::remove(file.string() + "-wal");
        fs::remove(file.string() + "-shm");
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        const auto mtime = fs::last_write_time(file);
        for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
                 {"library", "list"},
                 {"library", "add", "--name", "x", "2000-01-01", "--hour", "1", "--minute", "0"},
                 {"cast", "--from-library", "abcd"}}) {
            std::vector<std::string> a = args;
            a.insert(a.end(), {"--library", file.string()});
            const ProcessResult p = RunCli(a);
            EXPECT_EQ(p.status, 3) << what << ": " << args[1] << p.err;
            EXPECT_NE(p.err.find(file.string()), std::string::npos) << what << p.err;
            EXPECT_EQ(ReadWhole(file.string()), bytes) << what;
            EXPECT_EQ(fs::last_write_time(file), mtime) << what;
        }
        EXPECT_FALSE(fs::exists(dir / "backups")) << what;
    }
}

}  // namespace
}  // namespace qelvar::test
