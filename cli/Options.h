#pragma once
// Option sets shared by the commands.  A command adds the sets it takes in
// its set-up function; a new option that several commands share belongs
// here, as one more field and one more Add call.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "cli/CommandLine.h"
#include "cli/Dates.h"
#include "cli/Encoding.h"
#include "cli/LineReader.h"
#include "lang/Terms.h"

namespace qelvar::cli {

enum class Format { Text, Json, Png };

// An option whose value one of our parsers reads: `parse(text)` gives an
// optional value, empty when the text is bad; the error then says what the
// option `expects`.
template <class T, class Parse>
Option AddParsedOption(Command& command, const std::string& name, T& target, Parse parse,
                       const std::string& valueName, const std::string& expects,
                       const std::string& help) {
    auto store = [&target, parse, expects](std::string_view text) -> std::string {
        auto value = parse(text);
        if (!value) return "takes " + expects + ", not '" + Escaped(text) + "'";
        target = std::move(*value);
        return {};
    };
    return command.AddParsed(name, store, help).TypeName(valueName);
}

// A decimal number, the whole text, finite: "nan" and "inf" are refused.
std::optional<double> ParseFiniteNumber(std::string_view text);

// The DATE argument: one date, or (when `batchAllowed`) "-" for one input
// per line of standard input.
struct DateArgument {
    bool given = false;
    bool batch = false;
    DateNumbers date;
};
void AddDateArgument(Command& command, DateArgument& argument, bool batchAllowed,
                     const std::string& help);

// --lunar, and --leap which needs it.
struct CalendarFlags {
    bool lunar = false;
    bool leap = false;
};
void AddCalendarFlags(Command& command, CalendarFlags& flags);

// --format, taking the formats listed.
void AddFormat(Command& command, Format& format, std::initializer_list<Format> formats);

// --encoding utf-8|gbk|big5 of everything written to standard output.
void AddEncoding(Command& command, Encoding& encoding);

// --lang zh-CN|zh-TW|zh-HK of the chart, calendar and period texts
// written; QELVAR_LANG when the option is not given (default zh-CN).
void AddLanguage(Command& command, Language& language);

// The birth moment of cast and render.
struct BirthOptions {
    CalendarFlags calendar;
    std::optional<int> hour;    // combo index 0..12 (12 = 夜子)
    std::optional<int> minute;  // 0..11
    bool male = true;
    std::chrono::year_month_day today;  // the days lived are counted to it
};
void AddBirthOptions(Command& command, BirthOptions& birth);

// --output FILE.
void AddOutputFile(Command& command, std::string& path, const std::string& help);

// Reports malformed arguments on stderr, escaped (Escaped, newlines kept);
// returns kMalformed.
int UsageError(std::string_view command, std::string_view problem);

// Reports a failure on stderr ("qelvar-cli <command>: <problem>", escaped
// as above); returns `status`.
int Fail(std::string_view command, std::string_view problem, int status);

}  // namespace qelvar::cli
