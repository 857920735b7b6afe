#include "moment/TimeZone.h"

#include <date/tz.h>

#include <stdexcept>
#include <string>

namespace qelvar {
namespace {

using std::chrono::seconds;
using std::chrono::sys_seconds;

const date::time_zone* Zone(const void* zone) {
    return static_cast<const date::time_zone*>(zone);
}

// At most this many periods are walked to find one without daylight saving.
constexpr int kMaxPeriodsWalked = 8;

// Standard offset of a period: its own offset when it keeps no daylight
// saving, else the offset of the nearest such period before (or after) it.
seconds StandardOffset(const date::time_zone& zone, const date::sys_info& period) {
    if (period.save == std::chrono::minutes{0}) return period.offset;
    date::sys_info earlier = period;
    for (int i = 0; i < kMaxPeriodsWalked && earlier.begin > date::sys_seconds::min(); ++i) {
        earlier = zone.get_info(earlier.begin - seconds{1});
        if (earlier.save == std::chrono::minutes{0}) return earlier.offset;
    }
    date::sys_info later = period;
    for (int i = 0; i < kMaxPeriodsWalked && later.end < date::sys_seconds::max(); ++i) {
        later = zone.get_info(later.end);
        if (later.save == std::chrono::minutes{0}) return later.offset;
    }
    return period.offset - std::chrono::hours{1};  // never met in tzdata
}

ZoneOffsets OffsetsOf(const date::time_zone& zone, const date::sys_info& period) {
    return {period.offset, StandardOffset(zone, period), period.save != std::chrono::minutes{0}};
}

sys_seconds ToStd(date::sys_seconds t) {
    return sys_seconds{t.time_since_epoch()};
}
date::sys_seconds FromStd(sys_seconds t) {
    return date::sys_seconds{t.time_since_epoch()};
}

}  // namespace

std::optional<TimeZone> TimeZone::Find(std::string_view name) {
    try {
        return TimeZone{date::locate_zone(name)};
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

std::string_view TimeZone::Name() const {
    return Zone(m_zone)->name();
}

ZoneOffsets TimeZone::OffsetsAt(sys_seconds utc) const {
    const auto& zone = *Zone(m_zone);
    return OffsetsOf(zone, zone.get_info(FromStd(utc)));
}

ClockLookup TimeZone::Lookup(std::chrono::local_seconds clock) const {
    const auto& zone = *Zone(m_zone);
    const date::local_seconds local{clock.time_since_epoch()};
    const date::local_info info = zone.get_info(local);
    ClockLookup result;
    result.offsets = OffsetsOf(zone, info.first);
    switch (info.result) {
        case date::local_info::unique:
            result.utc = ToStd(date::sys_seconds{local.time_since_epoch()} - info.first.offset);
            break;
        case date::local_info::ambiguous:
            result.mapping = ClockMapping::Ambiguous;
            result.utc = ToStd(date::sys_seconds{local.time_since_epoch()} - info.first.offset);
            result.later = OffsetsOf(zone, info.second);
            break;
        case date::local_info::nonexistent:
            result.mapping = ClockMapping::Nonexistent;
            result.utc = ToStd(info.first.end);
            result.gapStart =
                std::chrono::local_seconds{(info.first.end + info.first.offset).time_since_epoch()};
            result.later = OffsetsOf(zone, info.second);
            break;
    }
    return result;
}

seconds TimeZone::NearestSaving(sys_seconds utc) const {
    const auto& zone = *Zone(m_zone);
    const auto at = FromStd(utc);
    const date::sys_info here = zone.get_info(at);
    if (here.save != std::chrono::minutes{0}) return here.offset - StandardOffset(zone, here);
    constexpr auto kYear = date::days{366};
    seconds best{0};
    seconds bestDistance = kYear;
    // The period after this one and the one before it, when within a year.
    if (here.end < date::sys_seconds::max()) {
        const date::sys_info next = zone.get_info(here.end);
        if (next.save != std::chrono::minutes{0} && here.end - at < bestDistance) {
            best = next.offset - StandardOffset(zone, next);
            bestDistance = here.end - at;
        }
    }
    if (here.begin > date::sys_seconds::min()) {
        const date::sys_info previous = zone.get_info(here.begin - seconds{1});
        if (previous.save != std::chrono::minutes{0} && at - here.begin < bestDistance) {
            best = previous.offset - StandardOffset(zone, previous);
        }
    }
    return best;
}

}  // namespace qelvar
