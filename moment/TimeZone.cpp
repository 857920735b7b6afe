#include "moment/TimeZone.h"

#include <absl/time/time.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <set>

namespace qelvar {
namespace {

using std::chrono::seconds;
using std::chrono::sys_seconds;

// At most this many periods are walked to find one without daylight saving,
// and this many changes of abbreviation alone are passed over in one step.
constexpr int kMaxPeriodsWalked = 8;
constexpr int kMaxSameSteps = 64;
constexpr seconds kHour{3600};

std::string ZoneFolder() {
    const char* dir = std::getenv("TZDIR");
    return dir && *dir ? dir : "/usr/share/zoneinfo";
}

// The zone and link names of tzdata ("Z NAME ..." and "L TARGET NAME" lines
// of its compact source).  The library would open any file under the zone
// folder, or a fixed offset such as "Fixed/UTC+08:00", by name; only what
// tzdata lists is a zone here.
const std::set<std::string, std::less<>>& ZoneNames() {
    static const std::set<std::string, std::less<>> names = [] {
        std::set<std::string, std::less<>> found;
        std::ifstream in(ZoneFolder() + "/tzdata.zi");
        for (std::string line; std::getline(in, line);) {
            if (line.starts_with("Z ")) {
                found.insert(line.substr(2, line.find(' ', 2) - 2));
            } else if (line.starts_with("L ")) {
                const auto name = line.find(' ', 2);
                if (name != std::string::npos) found.insert(line.substr(name + 1));
            }
        }
        return found;
    }();
    return names;
}

absl::TimeZone Load(const std::string& name) {
    absl::TimeZone zone;
    (void)absl::LoadTimeZone(name, &zone);  // checked by Find
    return zone;
}

// A span of one offset and one daylight-saving flag, as the zone files hold it.
struct Period {
    std::int64_t begin = INT64_MIN;  // first second; INT64_MIN: since ever
    std::int64_t end = INT64_MAX;    // first second after; INT64_MAX: for ever
    seconds offset{0};
    bool flag = false;
    bool SameAs(const Period& p) const { return offset == p.offset && flag == p.flag; }
};

absl::Time At(std::int64_t t) {
    return absl::FromUnixSeconds(t);
}

Period PeriodAt(const absl::TimeZone& zone, std::int64_t t) {
    const absl::TimeZone::CivilInfo info = zone.At(At(t));
    Period p;
    p.offset = seconds{info.offset};
    p.flag = info.is_dst;
    absl::TimeZone::CivilTransition change;
    if (t < INT64_MAX && zone.PrevTransition(At(t + 1), &change))
        p.begin = absl::ToUnixSeconds(zone.At(change.to).trans);
    if (zone.NextTransition(At(t), &change)) p.end = absl::ToUnixSeconds(zone.At(change.to).trans);
    return p;
}

// The period before (or after) `p` with another offset or flag; changes of
// the abbreviation alone are passed over.
std::optional<Period> Beside(const absl::TimeZone& zone, const Period& p, bool after) {
    Period q = p;
    for (int i = 0; i < kMaxSameSteps; ++i) {
        if (after ? q.end == INT64_MAX : q.begin == INT64_MIN) return std::nullopt;
        q = PeriodAt(zone, after ? q.end : q.begin - 1);
        if (!q.SameAs(p)) return q;
    }
    return std::nullopt;
}

// The offset of the nearest period without the flag on one side of `p`.
std::optional<seconds> NearestWithoutFlag(const absl::TimeZone& zone, const Period& p, bool after) {
    Period q = p;
    for (int i = 0; i < kMaxPeriodsWalked; ++i) {
        const std::optional<Period> next = Beside(zone, q, after);
        if (!next) return std::nullopt;
        if (!next->flag) return next->offset;
        q = *next;
    }
    return std::nullopt;
}

// The offsets of a period by the rule in the header.
ZoneOffsets OffsetsOf(const absl::TimeZone& zone, const Period& p) {
    if (!p.flag) {
        const auto before = Beside(zone, p, false);
        const auto after = Beside(zone, p, true);
        const auto winter = [&p](const std::optional<Period>& q) {
            return q && q->flag && q->offset < p.offset;
        };
        if (winter(before) && winter(after)) return {p.offset, before->offset, true};
        return {p.offset, p.offset, false};
    }
    const auto before = NearestWithoutFlag(zone, p, false);
    const auto after = NearestWithoutFlag(zone, p, true);
    // Of the neighbours that differ, the nearer offset (the earlier on a
    // tie): Samoa's +14:00 of 2011-2012 lies between -11:00 and +13:00
    // standard time and saves one hour.
    seconds standard = p.offset - kHour;  // no period without the flag nearby
    if (before || after) standard = p.offset;
    const auto distance = [&p](seconds o) { return o > p.offset ? o - p.offset : p.offset - o; };
    if (before && *before != p.offset) standard = *before;
    if (after && *after != p.offset &&
        (standard == p.offset || distance(*after) < distance(standard)))
        standard = *after;
    if (standard > p.offset) return {p.offset, p.offset, false};  // winter time
    return {p.offset, standard, standard != p.offset};
}

std::int64_t Seconds(sys_seconds t) {
    return t.time_since_epoch().count();
}

}  // namespace

std::optional<TimeZone> TimeZone::Find(std::string_view name) {
    if (!ZoneNames().contains(name)) return std::nullopt;
    absl::TimeZone zone;
    if (!absl::LoadTimeZone(std::string(name), &zone)) return std::nullopt;
    return TimeZone{std::string(name)};
}

ZoneOffsets TimeZone::OffsetsAt(sys_seconds utc) const {
    const absl::TimeZone zone = Load(m_name);
    return OffsetsOf(zone, PeriodAt(zone, Seconds(utc)));
}

ClockLookup TimeZone::Lookup(std::chrono::local_seconds clock) const {
    const absl::TimeZone zone = Load(m_name);
    const std::int64_t local = clock.time_since_epoch().count();
    const absl::TimeZone::TimeInfo info =
        zone.At(absl::CivilSecond() + local);  // CivilSecond() is 1970-01-01 00:00:00
    ClockLookup result;
    const std::int64_t pre = absl::ToUnixSeconds(info.pre);
    result.utc = sys_seconds{seconds{pre}};
    switch (info.kind) {
        case absl::TimeZone::TimeInfo::UNIQUE:
            result.offsets = OffsetsAt(result.utc);
            break;
        case absl::TimeZone::TimeInfo::REPEATED:
            result.mapping = ClockMapping::Ambiguous;
            result.offsets = OffsetsAt(result.utc);
            result.later = OffsetsAt(sys_seconds{seconds{absl::ToUnixSeconds(info.post)}});
            break;
        case absl::TimeZone::TimeInfo::SKIPPED: {
            result.mapping = ClockMapping::Nonexistent;
            const std::int64_t trans = absl::ToUnixSeconds(info.trans);
            result.offsets = OffsetsAt(sys_seconds{seconds{trans - 1}});
            result.utc = sys_seconds{seconds{trans}};
            result.gapStart = std::chrono::local_seconds{seconds{trans} + result.offsets.utcOffset};
            result.later = OffsetsAt(result.utc);
            break;
        }
    }
    return result;
}

seconds TimeZone::NearestSaving(sys_seconds utc) const {
    const absl::TimeZone zone = Load(m_name);
    const std::int64_t at = Seconds(utc);
    const Period here = PeriodAt(zone, at);
    const ZoneOffsets offsets = OffsetsOf(zone, here);
    if (offsets.dst) return offsets.utcOffset - offsets.standardOffset;
    constexpr std::int64_t kYear = 366 * 86400;
    seconds best{0};
    std::int64_t bestDistance = kYear;
    // The period after this one and the one before it, when within a year.
    for (const bool after : {true, false}) {
        const std::optional<Period> next = Beside(zone, here, after);
        if (!next) continue;
        const std::int64_t distance = after ? next->begin - at : at - next->end + 1;
        const ZoneOffsets theirs = OffsetsOf(zone, *next);
        if (theirs.dst && distance < bestDistance) {
            best = theirs.utcOffset - theirs.standardOffset;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace qelvar
