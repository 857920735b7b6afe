#pragma once
// A birth as it was recorded: a clock time to the minute in a time zone,
// with an optional birthplace, and its resolution into the instant, standard
// time, true solar time and the double-hour and ten-minute sub-period a chart
// is cast with.

#include <chrono>
#include <optional>
#include <string>

#include "calendar/DayCount.h"

namespace qelvar {

inline constexpr const char* kDefaultZone = "Asia/Shanghai";

// Whether the clock kept daylight saving time.
enum class DstChoice {
    Auto,  // as tzdata says for that zone and date
    On,    // the clock was ahead of standard time (by tzdata's saving)
    Off,   // the clock showed standard time
};

struct ClockTime {
    int year = 2000;
    int month = 1;   // [1, 12]
    int day = 1;     // [1, 31]
    int hour = 0;    // [0, 23]
    int minute = 0;  // [0, 59]
};

struct Birthplace {
    std::string name;                // empty when given by coordinates alone
    double longitude = 0.0;          // degrees, east positive, [-180, 180]
    std::optional<double> latitude;  // degrees, north positive, [-90, 90]
};

struct BirthMoment {
    ClockTime clock;
    std::string zone = kDefaultZone;  // IANA name of the clock's zone
    std::optional<Birthplace> place;
    DstChoice dst = DstChoice::Auto;
    // Chart by true solar time; unset: on exactly when a place is given.
    std::optional<bool> trueSolarTime;

    bool UsesTrueSolarTime() const { return trueSolarTime.value_or(place.has_value()); }
};

// A wall-clock reading, kept to the second.
struct WallTime {
    CivilDate date;
    int hour = 0;    // [0, 23]
    int minute = 0;  // [0, 59]
    int second = 0;  // [0, 59]
};

struct MomentResolution {
    std::chrono::sys_seconds utc;
    std::chrono::seconds utcOffset{0};       // clock minus UTC, to the second
    std::chrono::seconds standardOffset{0};  // standard time minus UTC
    bool dst = false;
    // The clock time happened twice (clocks put back); the first was taken.
    bool ambiguous = false;
    std::string note;  // says so when ambiguous, else empty

    WallTime standardTime;
    std::optional<double> longitude;
    // 4 × (longitude − 15 × standard offset in hours), in minutes.
    double longitudeMinutes = 0.0;
    double equationOfTimeMinutes = 0.0;
    WallTime trueSolarTime;  // standard time + both corrections (needs a longitude)
    bool chartUsesTrueSolarTime = false;

    // From the chart time (true solar time when used, else standard time),
    // taken in whole minutes.
    CivilDate date;
    int hour = 0;        // [0, 12]: 0 子 (00:00-00:59) .. 11 亥, 12 夜子 (23:00-23:59)
    int minuteSlot = 0;  // [0, 11]: whole minutes since the double-hour began, / 10
};

enum class MomentError {
    None,
    InvalidClock,     // no such date, hour or minute, or a year outside 1900..2100
    UnknownZone,      // tzdata has no such zone
    InvalidPlace,     // longitude outside −180..180 or latitude outside −90..90
    NoLongitude,      // true solar time asked for without a longitude
    NonexistentTime,  // skipped when daylight saving began
};

struct MomentResult {
    std::optional<MomentResolution> resolution;
    MomentError error = MomentError::None;
    std::string message;  // what went wrong, for the user
    bool ok() const { return resolution.has_value(); }
};

MomentResult ResolveMoment(const BirthMoment& moment);

// Double-hour [0, 12] and sub-period [0, 11] of a minute of the day [0, 1439].
struct HourAndSlot {
    int hour = 0;
    int minuteSlot = 0;
};
HourAndSlot HourAndSlotOfMinute(int minuteOfDay);

}  // namespace qelvar
