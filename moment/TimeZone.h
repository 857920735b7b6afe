#pragma once
// Clock times of an IANA time zone, from the system's tzdata through Abseil's
// time zone library (cctz), which reads the compiled zone files including
// their closing rule, so that daylight saving goes on after 2037.
//
// The compiled files give the daylight saving of a period only as a flag, so
// the standard offset is derived from the periods beside it:
// - a period with the flag takes the offset of the nearest period without it
//   before it or after it, of those that differ from its own the nearer
//   one: Hong Kong's winter time of 1941, UTC+8:30, is standard time UTC+8
//   with 30 minutes saved.  When that offset is the larger, tzdata has
//   recorded winter time as a negative saving, and the period is standard
//   time itself.
// - a period without the flag between two such winter periods is summer
//   time: Dublin keeps +00:00 standard time in winter and +01:00, one hour
//   saved, in summer (likewise Namibia 1994-2017 and Morocco since 2018).
// This is tzdata's own "rearguard" reading of a negative saving.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace qelvar {

// The offsets in force at one instant.
struct ZoneOffsets {
    std::chrono::seconds utcOffset{0};       // clock minus UTC
    std::chrono::seconds standardOffset{0};  // standard time minus UTC
    bool dst = false;                        // daylight saving in force (a saving above zero)
    friend bool operator==(const ZoneOffsets&, const ZoneOffsets&) = default;
};

// How a clock time maps to instants.
enum class ClockMapping {
    Unique,       // exactly one instant
    Nonexistent,  // skipped when the clocks were put forward
    Ambiguous,    // repeated when the clocks were put back
};

struct ClockLookup {
    ClockMapping mapping = ClockMapping::Unique;
    // Unique and Ambiguous: the (first) instant and its offsets.
    // Nonexistent: the offsets in force before the gap, and the instant at
    // which the gap begins.
    std::chrono::sys_seconds utc{};
    ZoneOffsets offsets;
    // Nonexistent: the clock time at which the gap begins (it lasts until
    // that plus the saving); Ambiguous: the offsets of the second occurrence.
    std::chrono::local_seconds gapStart{};
    ZoneOffsets later;
};

class TimeZone {
public:
    // Empty when tzdata has no zone (or link) of that name.
    static std::optional<TimeZone> Find(std::string_view name);

    // Offsets at an instant.
    ZoneOffsets OffsetsAt(std::chrono::sys_seconds utc) const;
    // How a clock time of this zone maps to instants.
    ClockLookup Lookup(std::chrono::local_seconds clock) const;
    // The daylight saving that tzdata applies nearest to an instant, within
    // a year either side, for a clock said to keep daylight saving when
    // tzdata has none there; zero when the zone has none then.
    std::chrono::seconds NearestSaving(std::chrono::sys_seconds utc) const;

    std::string_view Name() const { return m_name; }

private:
    explicit TimeZone(std::string name) : m_name(std::move(name)) {}
    std::string m_name;  // a name tzdata lists; the library caches the zone by it
};

}  // namespace qelvar
