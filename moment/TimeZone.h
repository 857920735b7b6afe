#pragma once
// Clock times of an IANA time zone, from the system's tzdata through
// Howard Hinnant's date library.  The compiled zone files give the daylight
// saving of a period only as a flag, so the standard offset of such a period
// is taken from the nearest period without daylight saving before it (after
// it when there is none): Hong Kong's winter time of 1941, UTC+8:30, is
// standard time UTC+8 with 30 minutes saved.

#include <chrono>
#include <optional>
#include <string_view>

namespace qelvar {

// The offsets in force at one instant.
struct ZoneOffsets {
    std::chrono::seconds utcOffset{0};       // clock minus UTC
    std::chrono::seconds standardOffset{0};  // standard time minus UTC
    bool dst = false;                        // daylight saving in force
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
    // Empty when tzdata has no zone of that name.
    static std::optional<TimeZone> Find(std::string_view name);

    // Offsets at an instant.
    ZoneOffsets OffsetsAt(std::chrono::sys_seconds utc) const;
    // How a clock time of this zone maps to instants.
    ClockLookup Lookup(std::chrono::local_seconds clock) const;
    // The daylight saving that tzdata applies nearest to an instant, within
    // a year either side, for a clock said to keep daylight saving when
    // tzdata has none there; zero when the zone has none then.
    std::chrono::seconds NearestSaving(std::chrono::sys_seconds utc) const;

    std::string_view Name() const;

private:
    explicit TimeZone(const void* zone) : m_zone(zone) {}
    const void* m_zone;  // a date::time_zone of the system's database
};

}  // namespace qelvar
