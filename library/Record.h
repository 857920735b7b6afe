#pragma once
// One entry of the birth library (命例库): the birth exactly as it was typed,
// with the person's name, notes, tags and group.  Nothing derived is kept:
// the chart is cast again from these fields whenever the entry is opened.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "moment/BirthMoment.h"
#include "periods/Conventions.h"

namespace qelvar::library {

// How the birth was given.
enum class BirthKind {
    Solar,  // a Gregorian date with the double-hour and sub-period lists
    Lunar,  // a lunar date (with its leap flag) with the lists
    Clock,  // a clock time in a zone, optionally at a place
};

struct TypedBirth {
    BirthKind kind = BirthKind::Solar;
    // Solar and Lunar: the date's numbers as typed.
    int year = 2000;
    int month = 1;       // [1, 12]
    int day = 1;         // [1, 31]
    bool leap = false;   // Lunar only: the leap month of that number
    int doubleHour = 0;  // [0, 12], 12 = 夜子 (23:00-24:00)
    int minuteSlot = 0;  // [0, 11], the ten-minute sub-period
    // Clock: the clock time, its zone, the place and the two choices.
    BirthMoment moment;

    friend bool operator==(const TypedBirth& a, const TypedBirth& b);
};

struct Record {
    std::string id;    // UUID, assigned when the record is first stored
    std::string name;  // required; any Unicode text
    bool male = true;
    TypedBirth birth;
    ChartConventions conventions;
    std::string notes;
    std::vector<std::string> tags;  // each non-empty, no ';' and no line break
    std::string group;              // "", "Group" or "Group/Subgroup"
    std::int64_t created = 0;       // milliseconds since 1970-01-01 UTC
    std::int64_t modified = 0;

    friend bool operator==(const Record&, const Record&) = default;
};

// What is wrong with a record before it is stored; empty when it is fine.
// Checks the shapes (name, ranges, tags, group), not whether the date casts.
std::string RecordProblem(const Record& record);

// Same person, same birth: the duplicate test of imports.
bool SameBirth(const Record& a, const Record& b);

// "male" / "female".
std::string_view SexName(bool male);
// "solar" / "lunar" / "clock".
std::string_view KindName(BirthKind kind);
// "auto" / "on" / "off".
std::string_view DstName(DstChoice dst);
bool ParseKind(std::string_view text, BirthKind& kind);
bool ParseDst(std::string_view text, DstChoice& dst);
bool ParseSex(std::string_view text, bool& male);

// "YYYY-MM-DD" of three numbers (the year zero-padded to four digits).
std::string DateText(int year, int month, int day);
// Reads "YYYY-MM-DD"; false when malformed.
bool ParseDateText(std::string_view text, int& year, int& month, int& day);
// The birth in one short line: "2000-02-05 6/0", "农历 2020-闰04-01 6/0",
// "2000-02-05 12:10 Asia/Shanghai 北京".
std::string BirthSummary(const TypedBirth& birth);

// Milliseconds since 1970 as "YYYY-MM-DDTHH:MM:SS.mmmZ", and back.
std::string TimestampText(std::int64_t ms);
bool ParseTimestamp(std::string_view text, std::int64_t& ms);
std::int64_t NowMs();

// A fresh random (version 4) UUID in its lower-case 8-4-4-4-12 form.
std::string NewUuid();

// Splits "A/B" into its levels; false for more than two levels or an empty
// level.
bool SplitGroup(std::string_view group, std::string& parent, std::string& child);

}  // namespace qelvar::library
