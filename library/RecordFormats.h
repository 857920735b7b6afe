#pragma once
// The library's exchange formats: JSON (every field, with a format name and
// version) and CSV (one row per record, for spreadsheets).  Both are
// described in the README; the readers accept what the writers write and
// report the first problem with its place in the input.

#include <string>
#include <string_view>
#include <vector>

#include "library/Record.h"

namespace qelvar::library {

inline constexpr std::string_view kJsonFormatName = "qelvar-library";
// Version 2 added the school readings to "conventions"; files of version 1
// are read with the defaults.
inline constexpr int kJsonFormatVersion = 2;

// One record as a JSON object (no line break).
void AppendRecordJson(std::string& out, const Record& record);
// A JSON array of the records, one per line.
std::string RecordsJsonArray(const std::vector<Record>& records);
// The export file: {"format":"qelvar-library","version":2,"records":[...]}.
std::string LibraryJson(const std::vector<Record>& records);

// The CSV file: a header row naming the columns, then one row per record,
// lines ending CRLF; `bom` starts it with a UTF-8 byte-order mark, which
// spreadsheet programs look for.
std::string LibraryCsv(const std::vector<Record>& records, bool bom);

struct ReadRecords {
    std::vector<Record> records;
    std::string error;  // empty when every record was read
    bool ok() const { return error.empty(); }
};
// The export file, or a bare array of records.
ReadRecords ReadLibraryJson(std::string_view text);
ReadRecords ReadLibraryCsv(std::string_view text);
// JSON when the text (after any byte-order mark and white space) opens
// with '{' or '[', else CSV.
ReadRecords ReadLibraryFile(std::string_view text);

}  // namespace qelvar::library
