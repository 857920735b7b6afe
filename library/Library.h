#pragma once
// The birth library: one SQLite file of Records.
//
// The file carries its schema version in PRAGMA user_version and is brought
// up to date by the migrations in Library.cpp when opened; it runs in WAL
// mode with a busy timeout, so that two programs can write to it, and with
// foreign keys on.  Every change is one transaction.  Opening checks the
// file's integrity first and never writes to a file that fails the check.
// Before every import and every migration of an existing file, a copy is
// made with SQLite's backup API in the folder "backups" beside the file,
// "<name>-YYYYMMDD-HHMMSS-mmm.sqlite" (UTC); the newest five are kept.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "library/Record.h"

struct sqlite3;
struct sqlite3_stmt;

namespace qelvar::library {

inline constexpr int kSchemaVersion = 2;
inline constexpr int kBackupsKept = 5;

// The library's file: $QELVAR_LIBRARY when set, else
// $XDG_DATA_HOME/qelvar/library.sqlite (~/.local/share/qelvar/library.sqlite).
std::string DefaultLibraryPath();

enum class OpenError {
    None,
    CannotOpen,  // the file or its folder cannot be created or read
    Damaged,     // not a database, or one that fails the integrity check
    TooNew,      // written by a later version of this program
};

// The outcome of a change: ok, or what went wrong.
struct Outcome {
    bool ok = true;
    std::string error;
    static Outcome Failed(std::string why) { return {false, std::move(why)}; }
};

// Columns the list sorts by.
enum class SortColumn { Name, Birth, Place, Group, Modified };

// A search: every record whose name, notes, tags, date, place or group
// holds `text` (ASCII letters compared without case), in `group` ("" all;
// a top-level group includes its subgroups).
struct Query {
    std::string text;
    std::string group;
    SortColumn sort = SortColumn::Name;
    bool descending = false;
};

// What an import did.
enum class DuplicatePolicy { Skip, Merge };
struct ImportReport {
    int added = 0;
    int merged = 0;      // duplicates merged into the stored record
    int skipped = 0;     // duplicates left out
    std::string backup;  // the copy made before the import
};

class Library {
public:
    struct Opened;
    // Opens (creating when missing) the library at `path`.
    static Opened Open(const std::string& path);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    const std::string& Path() const { return m_path; }

    // Stores a new record: gives it an id (unless it has one not yet used)
    // and its times (unless set), and writes them back into `record`.
    Outcome Add(Record& record);
    // Replaces the stored record of the same id; `modified` becomes now.
    Outcome Update(Record& record);
    Outcome Remove(const std::string& id);

    // The record with this id, or with the only id that begins with `id`
    // (at least 4 characters).
    std::optional<Record> Get(const std::string& id);

    // Records matching `query`, in its order, from `offset`, at most `limit`
    // (negative: all).
    std::vector<Record> Find(const Query& query, long offset = 0, long limit = -1);
    long Count(const Query& query);

    // The groups: each top-level name with its subgroups, sorted.
    struct GroupNode {
        std::string name;
        std::vector<std::string> children;
    };
    std::vector<GroupNode> Groups();

    // Adds the records in one transaction after a backup: all or nothing.
    // A record with a stored record's id, or with its name and birth, is a
    // duplicate: skipped, or merged into the stored one (tags joined, notes
    // appended when they differ, group kept unless empty).  `dryRun`
    // counts without changing anything (a preview).
    Outcome Import(std::vector<Record>& records, DuplicatePolicy policy, ImportReport& report,
                   bool dryRun = false);

    // A stored record with the id of `record`, or with its name and birth.
    std::optional<Record> FindDuplicate(const Record& record);

    // Copies the whole library into `target` with SQLite's backup API.
    Outcome CopyTo(const std::string& target);
    // A dated copy in the backups folder, the oldest beyond five removed.
    Outcome Backup(std::string& backupPath);

private:
    Library(sqlite3* db, std::string path);
    Outcome Exec(const char* sql);
    Outcome Migrate(int from);
    Outcome Write(const Record& record, bool insert);
    std::optional<long long> GroupId(const std::string& group, bool create);
    std::string Error() const;

    sqlite3* m_db;
    std::string m_path;
    std::unordered_map<std::string, sqlite3_stmt*> m_cache;  // prepared once
};

struct Library::Opened {
    std::unique_ptr<Library> library;
    OpenError error = OpenError::None;
    std::string message;  // names the file and what is wrong with it
};

// Moves a damaged library aside, to "<path>.damaged-YYYYMMDD-HHMMSS" (its
// -wal and -shm files with it), never overwriting; returns the new path or
// empty on failure.
std::string MoveAside(const std::string& path);

}  // namespace qelvar::library
