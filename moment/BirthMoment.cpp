#include "moment/BirthMoment.h"

#include <cmath>
#include <cstdio>

#include "moment/EquationOfTime.h"
#include "moment/TimeZone.h"

namespace qelvar {
namespace {

using std::chrono::local_seconds;
using std::chrono::seconds;
using std::chrono::sys_seconds;

constexpr int kSecondsPerDay = 86400;
constexpr double kSecondsPerDegree = 240.0;  // the Earth turns 1° in 4 minutes

MomentResult Fail(MomentError error, std::string message) {
    MomentResult result;
    result.error = error;
    result.message = std::move(message);
    return result;
}

std::string ClockText(const ClockTime& c) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", c.year, c.month, c.day, c.hour,
                  c.minute);
    return buf;
}

bool IsValidClock(const ClockTime& c) {
    return c.year >= kEquationOfTimeFirstYear && c.year <= kEquationOfTimeLastYear &&
           IsValidGregorianDate(c.year, c.month, c.day) && c.hour >= 0 && c.hour <= 23 &&
           c.minute >= 0 && c.minute <= 59;
}

bool IsValidPlace(const Birthplace& p) {
    return std::isfinite(p.longitude) && p.longitude >= -180.0 && p.longitude <= 180.0 &&
           (!p.latitude ||
            (std::isfinite(*p.latitude) && *p.latitude >= -90.0 && *p.latitude <= 90.0));
}

long SecondsSinceEpoch(local_seconds t) {
    return static_cast<long>(t.time_since_epoch().count());
}

// Seconds from 1970-01-01 00:00 on a clock -> that reading.
WallTime WallTimeOf(long wallSeconds) {
    const long days = wallSeconds >= 0 ? wallSeconds / kSecondsPerDay
                                       : -((-wallSeconds + kSecondsPerDay - 1) / kSecondsPerDay);
    const long inDay = wallSeconds - days * kSecondsPerDay;  // [0, 86399]
    return {CivilFromDays(static_cast<int>(days)), static_cast<int>(inDay / 3600),
            static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60)};
}

// "HH:MM", with the date in front when `withDate`.
std::string ClockReading(long wallSeconds, bool withDate) {
    const WallTime t = WallTimeOf(wallSeconds);
    char buf[40];
    if (withDate)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", t.date.year, t.date.month,
                      t.date.day, t.hour, t.minute);
    else
        std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour, t.minute);
    return buf;
}

// The instant of a clock time and the offsets it was read with, or an error
// for a clock time that the clocks skipped.
MomentResult Locate(const TimeZone& zone, const BirthMoment& m, local_seconds clock) {
    MomentResolution r;
    if (m.dst == DstChoice::Auto) {
        const ClockLookup found = zone.Lookup(clock);
        if (found.mapping == ClockMapping::Nonexistent) {
            const long start = SecondsSinceEpoch(found.gapStart);
            const long saved = (found.later.utcOffset - found.offsets.utcOffset).count();
            const bool days = saved >= kSecondsPerDay;  // Samoa skipped 30 December 2011
            return Fail(MomentError::NonexistentTime,
                        ClockText(m.clock) + " does not exist in " + m.zone +
                            ": the clocks went forward from " + ClockReading(start, days) + " to " +
                            ClockReading(start + saved, days) +
                            " (give --dst on or off if the record kept the other time)");
        }
        r.utc = found.utc;
        r.utcOffset = found.offsets.utcOffset;
        r.standardOffset = found.offsets.standardOffset;
        r.dst = found.offsets.dst;
        if (found.mapping == ClockMapping::Ambiguous) {
            r.ambiguous = true;
            r.note = ClockText(m.clock) + " happened twice in " + m.zone +
                     " (the clocks went back); the first, " +
                     (r.dst ? "daylight saving time" : "the earlier offset") + ", is used";
        }
    } else {
        // A fixed reading: standard time, or standard time plus the saving
        // tzdata gives nearest to that day.
        const sys_seconds guess{clock.time_since_epoch()};
        const ZoneOffsets near = zone.OffsetsAt(guess - zone.OffsetsAt(guess).utcOffset);
        r.standardOffset = near.standardOffset;
        r.dst = m.dst == DstChoice::On;
        seconds saving{0};
        if (r.dst) {
            saving = zone.NearestSaving(guess - near.standardOffset);
            if (saving == seconds{0}) saving = std::chrono::hours{1};
        }
        r.utcOffset = r.standardOffset + saving;
        r.utc = guess - r.utcOffset;
    }
    MomentResult result;
    result.resolution = std::move(r);
    return result;
}

}  // namespace

HourAndSlot HourAndSlotOfMinute(int minuteOfDay) {
    const int clockHour = minuteOfDay / 60;  // [0, 23]
    if (clockHour == 23) return {12, (minuteOfDay - 23 * 60) / 10};
    const int hour = (clockHour + 1) / 2;  // [0, 11]
    // 子 began at 23:00 the evening before; the others at 01:00, 03:00, ...
    const int began = hour == 0 ? -60 : (2 * hour - 1) * 60;
    return {hour, (minuteOfDay - began) / 10};
}

MomentResult ResolveMoment(const BirthMoment& m) {
    if (!IsValidClock(m.clock)) {
        return Fail(MomentError::InvalidClock,
                    "no such clock time, or a year outside 1900..2100: " + ClockText(m.clock));
    }
    if (m.place && !IsValidPlace(*m.place)) {
        return Fail(MomentError::InvalidPlace,
                    "longitude must lie within -180..180 and latitude within -90..90");
    }
    if (m.UsesTrueSolarTime() && !m.place) {
        return Fail(MomentError::NoLongitude, "true solar time needs a place or a longitude");
    }
    const std::optional<TimeZone> zone = TimeZone::Find(m.zone);
    if (!zone) return Fail(MomentError::UnknownZone, "unknown time zone: " + m.zone);

    const local_seconds clock{
        seconds{static_cast<long>(DaysFromCivil(m.clock.year, m.clock.month, m.clock.day)) *
                    kSecondsPerDay +
                m.clock.hour * 3600 + m.clock.minute * 60}};
    MomentResult result = Locate(*zone, m, clock);
    if (!result.ok()) return result;
    MomentResolution& r = *result.resolution;

    const long utcSeconds = r.utc.time_since_epoch().count();
    const long standardSeconds = utcSeconds + r.standardOffset.count();
    r.standardTime = WallTimeOf(standardSeconds);
    r.equationOfTimeMinutes = EquationOfTimeMinutes(r.utc);
    long chartSeconds = standardSeconds;
    if (m.place) {
        const double longitude = m.place->longitude;
        r.longitude = longitude;
        r.longitudeMinutes = 4.0 * longitude - static_cast<double>(r.standardOffset.count()) / 60.0;
        // UTC + longitude / 15 h is local mean time; the equation of time
        // turns it into apparent solar time.  Kept to the whole second.
        const double trueSolar = static_cast<double>(utcSeconds) + longitude * kSecondsPerDegree +
                                 r.equationOfTimeMinutes * 60.0;
        const auto trueSolarSeconds = static_cast<long>(std::floor(trueSolar));
        r.trueSolarTime = WallTimeOf(trueSolarSeconds);
        if (m.UsesTrueSolarTime()) chartSeconds = trueSolarSeconds;
    }
    r.chartUsesTrueSolarTime = m.UsesTrueSolarTime();
    const WallTime chart = WallTimeOf(chartSeconds);
    r.date = chart.date;
    const HourAndSlot hs = HourAndSlotOfMinute(chart.hour * 60 + chart.minute);
    r.hour = hs.hour;
    r.minuteSlot = hs.minuteSlot;
    return result;
}

}  // namespace qelvar
