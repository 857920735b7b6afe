#include "library/Library.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <utility>

namespace qelvar::library {

namespace {

namespace fs = std::filesystem;

// The first schema.  A group is a top-level folder (parent NULL) or a
// subgroup of one; tags are kept in one column, one per line.  The text a
// search looks through (lower-cased ASCII) and the columns the list sorts by
// are a narrow table of their own, so that a search reads and sorts a few
// megabytes, not every note, and fetches only the page it shows.
constexpr const char* kSchemaV1 = R"sql(
CREATE TABLE groups(
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL CHECK(name <> '' AND instr(name, '/') = 0),
    parent INTEGER REFERENCES groups(id) ON DELETE CASCADE
);
CREATE UNIQUE INDEX groups_by_name ON groups(ifnull(parent, 0), name);
CREATE TABLE records(
    id INTEGER PRIMARY KEY,
    uuid TEXT NOT NULL UNIQUE,
    name TEXT NOT NULL CHECK(name <> ''),
    sex INTEGER NOT NULL CHECK(sex IN (0, 1)),
    kind TEXT NOT NULL CHECK(kind IN ('solar', 'lunar', 'clock')),
    year INTEGER NOT NULL,
    month INTEGER NOT NULL,
    day INTEGER NOT NULL,
    leap INTEGER NOT NULL DEFAULT 0,
    double_hour INTEGER NOT NULL DEFAULT 0,
    minute_slot INTEGER NOT NULL DEFAULT 0,
    clock_hour INTEGER,
    clock_minute INTEGER,
    zone TEXT,
    place TEXT,
    longitude REAL,
    latitude REAL,
    dst TEXT,
    solar_time INTEGER,
    late_zi TEXT NOT NULL,
    leap_month TEXT NOT NULL,
    year_start TEXT NOT NULL,
    notes TEXT NOT NULL DEFAULT '',
    tags TEXT NOT NULL DEFAULT '',
    group_id INTEGER REFERENCES groups(id) ON DELETE SET NULL,
    created INTEGER NOT NULL,
    modified INTEGER NOT NULL,
    birth_key TEXT NOT NULL
);
CREATE INDEX records_by_name ON records(name, year, month, day);
CREATE INDEX records_by_group ON records(group_id);
CREATE TABLE record_search(
    id INTEGER PRIMARY KEY REFERENCES records(id) ON DELETE CASCADE,
    text TEXT NOT NULL,
    name TEXT NOT NULL,
    birth_key TEXT NOT NULL,
    place TEXT NOT NULL,
    group_path TEXT NOT NULL,
    group_id INTEGER,
    modified INTEGER NOT NULL
);
CREATE INDEX record_search_by_name ON record_search(name, id);
)sql";

// The second: the school readings a record is cast under, as the words
// "kuiYue=chou-wei stars=extended" of the choices that are not the
// default ('' for all defaults, which is how the records of the first
// schema were cast).
constexpr const char* kSchemaV2 = R"sql(
ALTER TABLE records ADD COLUMN school TEXT NOT NULL DEFAULT '';
)sql";

// Migration k takes a file from version k - 1 to version k.
constexpr const char* kMigrations[] = {kSchemaV1, kSchemaV2};
static_assert(std::size(kMigrations) == kSchemaVersion);

// The columns every read selects, in the order ReadRecord takes them.
constexpr const char* kColumns =
    "r.uuid, r.name, r.sex, r.kind, r.year, r.month, r.day, r.leap, r.double_hour, "
    "r.minute_slot, r.clock_hour, r.clock_minute, r.zone, r.place, r.longitude, r.latitude, "
    "r.dst, r.solar_time, r.late_zi, r.leap_month, r.year_start, r.notes, r.tags, "
    "CASE WHEN p.name IS NULL THEN ifnull(g.name, '') ELSE p.name || '/' || g.name END, "
    "r.created, r.modified, r.school";
constexpr const char* kFrom =
    " FROM records r LEFT JOIN groups g ON g.id = r.group_id"
    " LEFT JOIN groups p ON p.id = g.parent";

// A prepared statement, finalised when it goes.
// With a cache, the statement is prepared once per library and reset after
// each use.
class Statement {
public:
    using Cache = std::unordered_map<std::string, sqlite3_stmt*>;
    Statement(sqlite3* db, const std::string& sql) { Prepare(db, sql); }
    Statement(sqlite3* db, Cache* cache, const std::string& sql) {
        if (const auto it = cache->find(sql);
            it != cache->end() && !sqlite3_stmt_busy(it->second)) {
            m_stmt = it->second;
            m_cached = true;
            return;
        }
        Prepare(db, sql);
        if (m_stmt && !cache->count(sql)) {
            cache->emplace(sql, m_stmt);
            m_cached = true;
        }
    }
    ~Statement() {
        if (m_cached) {
            sqlite3_reset(m_stmt);
            sqlite3_clear_bindings(m_stmt);
        } else {
            sqlite3_finalize(m_stmt);
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return m_stmt != nullptr; }
    sqlite3_stmt* get() const { return m_stmt; }
    void Bind(int i, std::string_view text) {
        sqlite3_bind_text(m_stmt, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void Bind(int i, long long v) { sqlite3_bind_int64(m_stmt, i, v); }
    void Bind(int i, int v) { sqlite3_bind_int64(m_stmt, i, v); }
    void Bind(int i, double v) { sqlite3_bind_double(m_stmt, i, v); }
    void BindNull(int i) { sqlite3_bind_null(m_stmt, i); }
    int Step() { return sqlite3_step(m_stmt); }
    void Reset() {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    std::string Text(int col) const {
        const auto* p = sqlite3_column_text(m_stmt, col);
        return p ? std::string(reinterpret_cast<const char*>(p),
                               static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, col)))
                 : std::string();
    }
    long long Int(int col) const { return sqlite3_column_int64(m_stmt, col); }
    double Real(int col) const { return sqlite3_column_double(m_stmt, col); }
    bool Null(int col) const { return sqlite3_column_type(m_stmt, col) == SQLITE_NULL; }

private:
    void Prepare(sqlite3* db, const std::string& sql) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &m_stmt, nullptr) != SQLITE_OK) {
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
        }
    }
    sqlite3_stmt* m_stmt = nullptr;
    bool m_cached = false;
};

std::string AsciiLower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string JoinTags(const std::vector<std::string>& tags) {
    std::string s;
    for (const std::string& t : tags) {
        if (!s.empty()) s += '\n';
        s += t;
    }
    return s;
}

std::vector<std::string> SplitTags(const std::string& s) {
    std::vector<std::string> tags;
    std::size_t at = 0;
    while (at < s.size()) {
        const std::size_t end = std::min(s.find('\n', at), s.size());
        tags.push_back(s.substr(at, end - at));
        at = end + 1;
    }
    return tags;
}

// The date a record sorts by, "YYYY-MM-DD HH:MM" (the lists' middle for
// a birth given by double-hour; a lunar date sorts by its numbers).
std::string BirthKey(const TypedBirth& b) {
    char buf[48];
    if (b.kind == BirthKind::Clock) {
        const ClockTime& c = b.moment.clock;
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", c.year, c.month, c.day, c.hour,
                      c.minute);
    } else {
        const int minute = (b.doubleHour == 12 ? 23 * 60 : b.doubleHour * 120 - 60) +
                           b.minuteSlot * 10 + 5;  // [-55, 1435]
        const int m = std::max(minute, 0);
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", b.year, b.month, b.day, m / 60,
                      m % 60);
    }
    return buf;
}

std::string SearchText(const Record& r) {
    std::string s = r.name + '\n' + r.notes + '\n' + JoinTags(r.tags) + '\n';
    const TypedBirth& b = r.birth;
    if (b.kind == BirthKind::Clock) {
        s += DateText(b.moment.clock.year, b.moment.clock.month, b.moment.clock.day);
        if (b.moment.place) s += '\n' + b.moment.place->name;
    } else {
        s += DateText(b.year, b.month, b.day);
    }
    s += '\n' + r.group;
    return AsciiLower(std::move(s));
}

// Reads the columns of kColumns from `s`, starting at column 0.
Record ReadRecord(const Statement& s) {
    Record r;
    r.id = s.Text(0);
    r.name = s.Text(1);
    r.male = s.Int(2) == 0;
    ParseKind(s.Text(3), r.birth.kind);
    TypedBirth& b = r.birth;
    if (b.kind == BirthKind::Clock) {
        b.moment.clock = {static_cast<int>(s.Int(4)), static_cast<int>(s.Int(5)),
                          static_cast<int>(s.Int(6)), static_cast<int>(s.Int(10)),
                          static_cast<int>(s.Int(11))};
        b.moment.zone = s.Text(12);
        if (!s.Null(14)) {
            Birthplace p{s.Text(13), s.Real(14), std::nullopt};
            if (!s.Null(15)) p.latitude = s.Real(15);
            b.moment.place = p;
        }
        ParseDst(s.Text(16), b.moment.dst);
        if (!s.Null(17)) b.moment.trueSolarTime = s.Int(17) != 0;
    } else {
        b.year = static_cast<int>(s.Int(4));
        b.month = static_cast<int>(s.Int(5));
        b.day = static_cast<int>(s.Int(6));
        b.leap = s.Int(7) != 0;
        b.doubleHour = static_cast<int>(s.Int(8));
        b.minuteSlot = static_cast<int>(s.Int(9));
    }
    if (auto v = ParseLateZi(s.Text(18))) r.conventions.lateZi = *v;
    if (auto v = ParseLeapMonth(s.Text(19))) r.conventions.leapMonth = *v;
    if (auto v = ParseYearStart(s.Text(20))) r.conventions.yearStart = *v;
    r.notes = s.Text(21);
    r.tags = SplitTags(s.Text(22));
    r.group = s.Text(23);
    r.created = s.Int(24);
    r.modified = s.Int(25);
    // A word this program does not know leaves the defaults.
    r.conventions.school = ParseSchoolText(s.Text(26)).value_or(School{});
    return r;
}

// The column of record_search a query sorts by.
std::string SortKey(const Query& q) {
    switch (q.sort) {
        case SortColumn::Birth:
            return "s.birth_key";
        case SortColumn::Place:
            return "s.place";
        case SortColumn::Group:
            return "s.group_path";
        case SortColumn::Modified:
            return "s.modified";
        case SortColumn::Name:
            break;
    }
    return "s.name";
}

std::string TimeStamp() {
    const std::int64_t ms = NowMs();
    const std::time_t t = static_cast<std::time_t>(ms / 1000);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d-%02d%02d%02d-%03d", tm.tm_year + 1900,
                  tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
                  static_cast<int>(ms % 1000));
    return buf;
}

// Copies `from` into the database file `target` (replaced) page by page.
bool BackupInto(sqlite3* from, const std::string& target, std::string& error) {
    sqlite3* to = nullptr;
    if (sqlite3_open_v2(target.c_str(), &to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        error = "cannot create " + target + ": " + sqlite3_errmsg(to);
        sqlite3_close(to);
        return false;
    }
    sqlite3_busy_timeout(to, 5000);
    sqlite3_backup* b = sqlite3_backup_init(to, "main", from, "main");
    int rc = SQLITE_ERROR;
    if (b) {
        do {
            rc = sqlite3_backup_step(b, -1);
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) sqlite3_sleep(20);
        } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
        sqlite3_backup_finish(b);
    }
    const bool ok = rc == SQLITE_DONE && sqlite3_errcode(to) == SQLITE_OK;
    if (!ok) error = "cannot copy the library to " + target + ": " + sqlite3_errmsg(to);
    sqlite3_close(to);
    if (!ok) std::remove(target.c_str());
    return ok;
}

class Transaction {
public:
    explicit Transaction(sqlite3* db) : m_db(db) {
        m_open = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~Transaction() {
        if (m_open) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    bool ok() const { return m_open; }
    bool Commit() {
        m_open = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK;
        return !m_open;
    }

private:
    sqlite3* m_db;
    bool m_open;
};

}  // namespace

std::string DefaultLibraryPath() {
    if (const char* env = std::getenv("QELVAR_LIBRARY"); env && *env) return env;
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : ".") + "/.local/share";
    }
    return base + "/qelvar/library.sqlite";
}

Library::Library(sqlite3* db, std::string path) : m_db(db), m_path(std::move(path)) {}

Library::~Library() {
    for (auto& [sql, stmt] : m_cache) sqlite3_finalize(stmt);
    sqlite3_close_v2(m_db);
}

std::string Library::Error() const {
    return sqlite3_errmsg(m_db);
}

Outcome Library::Exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &message) == SQLITE_OK) return {};
    Outcome o = Outcome::Failed(message ? message : Error());
    sqlite3_free(message);
    return o;
}

Library::Opened Library::Open(const std::string& path) {
    Opened result;
    std::error_code ec;
    const fs::path parent = fs::path(path).parent_path();
    if (!parent.empty()) fs::create_directories(parent, ec);
    const bool existed = fs::exists(path, ec) && fs::file_size(path, ec) > 0;
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        result.error = OpenError::CannotOpen;
        result.message = "cannot open the library " + path + ": " + sqlite3_errmsg(db);
        sqlite3_close(db);
        return result;
    }
    std::unique_ptr<Library> lib(new Library(db, path));
    sqlite3_busy_timeout(db, 10000);
    sqlite3_extended_result_codes(db, 1);
    auto damaged = [&](const std::string& why) {
        result.error = OpenError::Damaged;
        result.message = "the library " + path + " is damaged: " + why;
        return std::move(result);
    };
    if (existed) {
        // Nothing is written before the file has passed the check.
        Statement check(db, "PRAGMA quick_check");
        if (!check.ok()) return damaged(lib->Error());
        int rc = check.Step();
        if (rc != SQLITE_ROW) return damaged(lib->Error());
        if (const std::string first = check.Text(0); first != "ok") return damaged(first);
        Statement tables(
            db,
            "SELECT count(*) FROM sqlite_master WHERE name NOT IN "
            "('groups', 'groups_by_name', 'records', 'records_by_name', "
            "'records_by_group', 'record_search', 'record_search_by_name') AND name NOT "
            "LIKE 'sqlite_%'");
        Statement version(db, "PRAGMA user_version");
        if (!tables.ok() || tables.Step() != SQLITE_ROW || !version.ok() ||
            version.Step() != SQLITE_ROW)
            return damaged(lib->Error());
        if (tables.Int(0) != 0) return damaged("it holds tables of another program");
        if (version.Int(0) > kSchemaVersion) {
            result.error = OpenError::TooNew;
            result.message = "the library " + path + " has schema version " +
                             std::to_string(version.Int(0)) + "; this program reads up to " +
                             std::to_string(kSchemaVersion);
            return result;
        }
    }
    // A 32 MB page cache keeps the random-order id index of a large import
    // in memory.
    for (const char* pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL",
                               "PRAGMA foreign_keys=ON", "PRAGMA cache_size=-32768"}) {
        if (Outcome o = lib->Exec(pragma); !o.ok) {
            result.error = OpenError::CannotOpen;
            result.message = "cannot open the library " + path + ": " + o.error;
            return result;
        }
    }
    Statement version(db, "PRAGMA user_version");
    if (!version.ok() || version.Step() != SQLITE_ROW) return damaged(lib->Error());
    const int from = static_cast<int>(version.Int(0));
    if (from < kSchemaVersion) {
        if (from > 0) {
            std::string backup;
            if (Outcome o = lib->Backup(backup); !o.ok) {
                result.error = OpenError::CannotOpen;
                result.message = o.error;
                return result;
            }
        }
        if (Outcome o = lib->Migrate(from); !o.ok) {
            result.error = OpenError::CannotOpen;
            result.message = "cannot bring the library " + path + " up to date: " + o.error;
            return result;
        }
    }
    result.library = std::move(lib);
    return result;
}

Outcome Library::Migrate(int from) {
    Transaction t(m_db);
    if (!t.ok()) return Outcome::Failed(Error());
    // Another program may have migrated the file since it was read.
    Statement version(m_db, &m_cache, "PRAGMA user_version");
    if (!version.ok() || version.Step() != SQLITE_ROW) return Outcome::Failed(Error());
    for (int v = std::max(from, static_cast<int>(version.Int(0))); v < kSchemaVersion; ++v) {
        if (Outcome o = Exec(kMigrations[v]); !o.ok) return o;
        const std::string set = "PRAGMA user_version=" + std::to_string(v + 1);
        if (Outcome o = Exec(set.c_str()); !o.ok) return o;
    }
    if (!t.Commit()) return Outcome::Failed(Error());
    return {};
}

std::optional<long long> Library::GroupId(const std::string& group, bool create) {
    std::string parentName, childName;
    if (group.empty() || !SplitGroup(group, parentName, childName)) return std::nullopt;
    auto lookup = [&](const std::string& name,
                      std::optional<long long> parent) -> std::optional<long long> {
        Statement find(m_db, &m_cache,
                       "SELECT id FROM groups WHERE name = ?1 AND ifnull(parent, 0) = ?2");
        find.Bind(1, name);
        find.Bind(2, parent.value_or(0));
        if (find.Step() == SQLITE_ROW) return find.Int(0);
        if (!create) return std::nullopt;
        Statement add(m_db, &m_cache, "INSERT INTO groups(name, parent) VALUES(?1, ?2)");
        add.Bind(1, name);
        if (parent) add.Bind(2, *parent);
        if (add.Step() != SQLITE_DONE) return std::nullopt;
        return sqlite3_last_insert_rowid(m_db);
    };
    const auto parent = lookup(parentName, std::nullopt);
    if (!parent || childName.empty()) return parent;
    return lookup(childName, parent);
}

Outcome Library::Write(const Record& r, bool insert) {
    if (std::string problem = RecordProblem(r); !problem.empty()) return Outcome::Failed(problem);
    std::optional<long long> group;
    if (!r.group.empty()) {
        group = GroupId(r.group, true);
        if (!group) return Outcome::Failed("cannot store the group " + r.group + ": " + Error());
    }
    static constexpr const char* kSet =
        "name=?2, sex=?3, kind=?4, year=?5, month=?6, day=?7, leap=?8, double_hour=?9, "
        "minute_slot=?10, clock_hour=?11, clock_minute=?12, zone=?13, place=?14, longitude=?15, "
        "latitude=?16, dst=?17, solar_time=?18, late_zi=?19, leap_month=?20, year_start=?21, "
        "notes=?22, tags=?23, group_id=?24, created=?25, modified=?26, birth_key=?27, school=?28";
    const std::string sql =
        insert ? "INSERT INTO records(uuid, name, sex, kind, year, month, day, leap, double_hour, "
                 "minute_slot, clock_hour, clock_minute, zone, place, longitude, latitude, dst, "
                 "solar_time, late_zi, leap_month, year_start, notes, tags, group_id, created, "
                 "modified, birth_key, school) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, "
                 "?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21, ?22, ?23, ?24, ?25, ?26, "
                 "?27, ?28)"
               : std::string("UPDATE records SET ") + kSet + " WHERE uuid = ?1";
    Statement s(m_db, &m_cache, sql);
    if (!s.ok()) return Outcome::Failed(Error());
    const TypedBirth& b = r.birth;
    s.Bind(1, r.id);
    s.Bind(2, r.name);
    s.Bind(3, r.male ? 0LL : 1LL);
    s.Bind(4, KindName(b.kind));
    if (b.kind == BirthKind::Clock) {
        const ClockTime& c = b.moment.clock;
        s.Bind(5, c.year);
        s.Bind(6, c.month);
        s.Bind(7, c.day);
        s.Bind(8, 0LL);
        s.Bind(9, 0LL);
        s.Bind(10, 0LL);
        s.Bind(11, c.hour);
        s.Bind(12, c.minute);
        s.Bind(13, b.moment.zone);
        if (b.moment.place) {
            s.Bind(14, b.moment.place->name);
            s.Bind(15, b.moment.place->longitude);
            if (b.moment.place->latitude) s.Bind(16, *b.moment.place->latitude);
        }
        s.Bind(17, DstName(b.moment.dst));
        if (b.moment.trueSolarTime) s.Bind(18, *b.moment.trueSolarTime ? 1LL : 0LL);
    } else {
        s.Bind(5, b.year);
        s.Bind(6, b.month);
        s.Bind(7, b.day);
        s.Bind(8, b.leap ? 1LL : 0LL);
        s.Bind(9, b.doubleHour);
        s.Bind(10, b.minuteSlot);
    }
    s.Bind(19, ConventionName(r.conventions.lateZi));
    s.Bind(20, ConventionName(r.conventions.leapMonth));
    s.Bind(21, ConventionName(r.conventions.yearStart));
    s.Bind(22, r.notes);
    s.Bind(23, JoinTags(r.tags));
    if (group) s.Bind(24, *group);
    s.Bind(25, static_cast<long long>(r.created));
    s.Bind(26, static_cast<long long>(r.modified));
    s.Bind(27, BirthKey(b));
    s.Bind(28, SchoolText(r.conventions.school));
    if (s.Step() != SQLITE_DONE) return Outcome::Failed(Error());
    if (!insert && sqlite3_changes(m_db) == 0) return Outcome::Failed("no record " + r.id);
    Statement search(m_db, &m_cache,
                     "INSERT OR REPLACE INTO record_search(id, text, name, birth_key, place, "
                     "group_path, group_id, modified) SELECT id, ?2, name, birth_key, "
                     "ifnull(place, ''), ?3, group_id, modified FROM records WHERE uuid = ?1");
    search.Bind(1, r.id);
    search.Bind(2, SearchText(r));
    search.Bind(3, r.group);
    if (search.Step() != SQLITE_DONE) return Outcome::Failed(Error());
    return {};
}

Outcome Library::Add(Record& r) {
    if (std::string problem = RecordProblem(r); !problem.empty()) return Outcome::Failed(problem);
    Transaction t(m_db);
    if (!t.ok()) return Outcome::Failed(Error());
    if (r.id.empty() || Get(r.id)) r.id = NewUuid();
    const std::int64_t now = NowMs();
    if (r.created == 0) r.created = now;
    if (r.modified == 0) r.modified = r.created;
    if (Outcome o = Write(r, true); !o.ok) return o;
    if (!t.Commit()) return Outcome::Failed(Error());
    return {};
}

Outcome Library::Update(Record& r) {
    Transaction t(m_db);
    if (!t.ok()) return Outcome::Failed(Error());
    const auto stored = Get(r.id);
    if (!stored) return Outcome::Failed("no record " + r.id);
    r.id = stored->id;
    r.created = stored->created;
    r.modified = std::max(NowMs(), stored->modified + 1);
    if (Outcome o = Write(r, false); !o.ok) return o;
    if (!t.Commit()) return Outcome::Failed(Error());
    return {};
}

Outcome Library::Remove(const std::string& id) {
    Transaction t(m_db);
    if (!t.ok()) return Outcome::Failed(Error());
    const auto stored = Get(id);
    if (!stored) return Outcome::Failed("no record " + id);
    Statement s(m_db, &m_cache, "DELETE FROM records WHERE uuid = ?1");
    s.Bind(1, stored->id);
    if (s.Step() != SQLITE_DONE) return Outcome::Failed(Error());
    if (!t.Commit()) return Outcome::Failed(Error());
    return {};
}

std::optional<Record> Library::Get(const std::string& id) {
    if (id.empty()) return std::nullopt;
    {
        Statement s(m_db, &m_cache,
                    std::string("SELECT ") + kColumns + kFrom + " WHERE r.uuid = ?1");
        s.Bind(1, id);
        if (s.Step() == SQLITE_ROW) return ReadRecord(s);
    }
    if (id.size() < 4 || id.find_first_of("%_") != std::string::npos) return std::nullopt;
    Statement s(
        m_db, &m_cache,
        std::string("SELECT ") + kColumns + kFrom + " WHERE r.uuid >= ?1 AND r.uuid < ?2 LIMIT 2");
    s.Bind(1, id);
    s.Bind(2, id + "\x7f");
    if (s.Step() != SQLITE_ROW) return std::nullopt;
    Record r = ReadRecord(s);
    if (s.Step() == SQLITE_ROW) return std::nullopt;  // more than one begins so
    return r;
}

namespace {

// The WHERE clause over record_search, binding ?1 (text) and ?2 (group id).
std::string Where(const Query& q, bool hasGroup) {
    std::string w;
    if (!q.text.empty()) w += " WHERE instr(s.text, ?1) > 0";
    if (hasGroup)
        w += std::string(w.empty() ? " WHERE" : " AND") +
             " (s.group_id = ?2 OR s.group_id IN (SELECT id FROM groups WHERE parent = ?2))";
    return w;
}

}  // namespace

std::vector<Record> Library::Find(const Query& q, long offset, long limit) {
    std::vector<Record> out;
    std::optional<long long> group;
    if (!q.group.empty()) {
        group = GroupId(q.group, false);
        if (!group) return out;
    }
    // The page is chosen in the narrow table; only its rows are read whole.
    const std::string dir = q.descending ? " DESC" : "";
    const std::string page = "SELECT s.id AS id, " + SortKey(q) + " AS k FROM record_search s" +
                             Where(q, group.has_value()) + " ORDER BY " +
                             // With a filter, the matches are found by scanning and then
                             // sorted ('+' keeps SQLite from walking the name index and
                             // reading every row through it).
                             (q.text.empty() && !group ? "k" : "+k") + dir + ", s.id" + dir +
                             " LIMIT ?3 OFFSET ?4";
    Statement s(m_db, &m_cache,
                std::string("SELECT ") + kColumns + " FROM (" + page +
                    ") t JOIN records r ON r.id = t.id LEFT JOIN groups g ON g.id = r.group_id"
                    " LEFT JOIN groups p ON p.id = g.parent ORDER BY t.k" +
                    dir + ", t.id" + dir);
    if (!q.text.empty()) s.Bind(1, AsciiLower(q.text));
    if (group) s.Bind(2, *group);
    s.Bind(3, static_cast<long long>(limit));
    s.Bind(4, static_cast<long long>(offset));
    while (s.Step() == SQLITE_ROW) out.push_back(ReadRecord(s));
    return out;
}

long Library::Count(const Query& q) {
    std::optional<long long> group;
    if (!q.group.empty()) {
        group = GroupId(q.group, false);
        if (!group) return 0;
    }
    Statement s(m_db, &m_cache,
                std::string("SELECT count(*) FROM record_search s") + Where(q, group.has_value()));
    if (!q.text.empty()) s.Bind(1, AsciiLower(q.text));
    if (group) s.Bind(2, *group);
    return s.Step() == SQLITE_ROW ? static_cast<long>(s.Int(0)) : 0;
}

std::vector<Library::GroupNode> Library::Groups() {
    std::vector<GroupNode> out;
    Statement s(m_db,
                "SELECT ifnull(p.name, g.name), CASE WHEN p.name IS NULL THEN NULL ELSE g.name END"
                " FROM groups g LEFT JOIN groups p ON p.id = g.parent"
                " ORDER BY ifnull(p.name, g.name), g.parent IS NOT NULL, g.name");
    while (s.Step() == SQLITE_ROW) {
        if (s.Null(1))
            out.push_back({s.Text(0), {}});
        else if (!out.empty())
            out.back().children.push_back(s.Text(1));
    }
    return out;
}

std::optional<Record> Library::FindDuplicate(const Record& r) {
    if (!r.id.empty())
        if (auto same = Get(r.id); same && same->id == r.id) return same;
    const TypedBirth& b = r.birth;
    const bool clock = b.kind == BirthKind::Clock;
    Statement s(m_db, &m_cache,
                std::string("SELECT ") + kColumns + kFrom +
                    " WHERE r.name = ?1 AND r.year = ?2 AND r.month = ?3 AND r.day = ?4");
    s.Bind(1, r.name);
    s.Bind(2, clock ? b.moment.clock.year : b.year);
    s.Bind(3, clock ? b.moment.clock.month : b.month);
    s.Bind(4, clock ? b.moment.clock.day : b.day);
    while (s.Step() == SQLITE_ROW) {
        Record stored = ReadRecord(s);
        if (SameBirth(stored, r)) return stored;
    }
    return std::nullopt;
}

Outcome Library::Import(std::vector<Record>& records, DuplicatePolicy policy, ImportReport& report,
                        bool dryRun) {
    report = {};
    for (std::size_t i = 0; i < records.size(); ++i)
        if (std::string problem = RecordProblem(records[i]); !problem.empty())
            return Outcome::Failed("record " + std::to_string(i + 1) + " (" + records[i].name +
                                   "): " + problem);
    if (!dryRun && !records.empty())
        if (Outcome o = Backup(report.backup); !o.ok) return o;
    Transaction t(m_db);
    if (!t.ok()) return Outcome::Failed(Error());
    const std::int64_t now = NowMs();
    for (Record& r : records) {
        if (auto stored = FindDuplicate(r)) {
            if (policy == DuplicatePolicy::Skip) {
                ++report.skipped;
                continue;
            }
            Record merged = *stored;
            for (const std::string& tag : r.tags)
                if (std::find(merged.tags.begin(), merged.tags.end(), tag) == merged.tags.end())
                    merged.tags.push_back(tag);
            if (merged.notes.empty())
                merged.notes = r.notes;
            else if (!r.notes.empty() && merged.notes.find(r.notes) == std::string::npos)
                merged.notes += "\n\n" + r.notes;
            if (merged.group.empty()) merged.group = r.group;
            merged.modified = std::max(now, stored->modified + 1);
            if (Outcome o = Write(merged, false); !o.ok) return o;
            ++report.merged;
            continue;
        }
        if (r.id.empty()) r.id = NewUuid();
        if (r.created == 0) r.created = now;
        if (r.modified == 0) r.modified = r.created;
        if (Outcome o = Write(r, true); !o.ok)
            return Outcome::Failed("record " + r.name + ": " + o.error);
        ++report.added;
    }
    if (dryRun) return {};  // the transaction rolls back
    if (!t.Commit()) return Outcome::Failed(Error());
    return {};
}

Outcome Library::CopyTo(const std::string& target) {
    std::string error;
    if (!BackupInto(m_db, target, error)) return Outcome::Failed(error);
    return {};
}

Outcome Library::Backup(std::string& backupPath) {
    const fs::path folder = fs::path(m_path).parent_path() / "backups";
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return Outcome::Failed("cannot create " + folder.string() + ": " + ec.message());
    // Named after the library's file, so that libraries sharing a folder
    // keep their own five copies.
    const std::string stem = fs::path(m_path).stem().string() + "-";
    std::string name = stem + TimeStamp();
    fs::path target = folder / (name + ".sqlite");
    for (int n = 2; fs::exists(target, ec); ++n)
        target = folder / (name + "-" + std::to_string(n) + ".sqlite");
    if (Outcome o = CopyTo(target.string()); !o.ok) return o;
    backupPath = target.string();
    // Keep the newest copies; the names sort by time.
    std::vector<fs::path> copies;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string file = entry.path().filename().string();
        if (file.starts_with(stem) && file.size() == stem.size() + 26 && file.ends_with(".sqlite"))
            copies.push_back(entry.path());
    }
    std::sort(copies.begin(), copies.end());
    for (std::size_t i = 0; i + kBackupsKept < copies.size(); ++i) fs::remove(copies[i], ec);
    return {};
}

std::string MoveAside(const std::string& path) {
    std::error_code ec;
    std::string target = path + ".damaged-" + TimeStamp().substr(0, 15);
    for (int n = 2; fs::exists(target, ec); ++n)
        target = path + ".damaged-" + TimeStamp().substr(0, 15) + "-" + std::to_string(n);
    if (::rename(path.c_str(), target.c_str()) != 0) return {};
    for (const char* side : {"-wal", "-shm"})
        if (fs::exists(path + side, ec)) ::rename((path + side).c_str(), (target + side).c_str());
    return target;
}

}  // namespace qelvar::library
