#include "moment/MomentText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qelvar {
namespace {

std::string HourMinute(const WallTime& t) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour % 24, t.minute % 60);
    return buf;
}

bool SameDate(const CivilDate& a, const CivilDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

// The time of day, with its date in front when it is not the clock's date.
std::string TimeOn(const WallTime& t, const CivilDate& clockDate) {
    return SameDate(t.date, clockDate) ? HourMinute(t) : DateText(t.date) + " " + HourMinute(t);
}

struct ZoneName {
    std::string_view zone;
    std::string_view city;  // "北京" -> 北京时间, 北京夏令时
};
constexpr ZoneName kChineseZones[] = {{"Asia/Shanghai", "北京"},
                                      {"Asia/Taipei", "台北"},
                                      {"Asia/Hong_Kong", "香港"},
                                      {"Asia/Macau", "澳门"}};

// "UTC+08:00", "UTC−05:00" (U+2212).
std::string UtcOffsetText(std::chrono::seconds offset) {
    const long total = static_cast<long>(offset.count());
    const long a = total < 0 ? -total : total;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02ld:%02ld", a / 3600 % 100, a / 60 % 60);
    return std::string("UTC") + (total < 0 ? "−" : "+") + buf;
}

// The clock in Chinese: 北京时间, 台北时间, 香港时间, 澳门时间 (夏令时 in
// summer), else the city's name and the clock's UTC offset.
std::string ClockLabel(const BirthMoment& m, const MomentResolution& r) {
    if (r.dst && m.zone == kDefaultZone) return "夏令时";
    for (const ZoneName& z : kChineseZones) {
        if (m.zone == z.zone) return std::string(z.city) + (r.dst ? "夏令时" : "时间");
    }
    std::string city;
    if (m.place && !m.place->name.empty()) {
        city = m.place->name.substr(0, m.place->name.find(" · "));
    } else {
        city = m.zone.substr(m.zone.rfind('/') + 1);
        std::replace(city.begin(), city.end(), '_', ' ');
    }
    return city + " " + UtcOffsetText(r.utcOffset) + (r.dst ? " 夏令时" : "");
}

}  // namespace

std::string DateText(const CivilDate& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year % 10000, d.month % 100, d.day % 100);
    return buf;
}

std::string WallTimeText(const WallTime& t) {
    return DateText(t.date) + " " + HourMinute(t);
}

std::string SignedMinutesText(double minutes) {
    const double rounded = std::round(minutes * 10.0) / 10.0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", std::fabs(rounded));
    if (rounded < 0) return std::string("−") + buf;
    if (rounded > 0) return std::string("+") + buf;
    return buf;
}

std::string DescribeResolution(const BirthMoment& m, const MomentResolution& r) {
    const CivilDate clockDate{m.clock.year, m.clock.month, m.clock.day};
    const WallTime clock{clockDate, m.clock.hour, m.clock.minute, 0};
    std::string line = ClockLabel(m, r) + " " + HourMinute(clock);
    if (r.utcOffset != r.standardOffset) {
        line += " → 标准时 " + TimeOn(r.standardTime, clockDate);
    }
    if (r.longitude) {
        line += " → 真太阳时 " + TimeOn(r.trueSolarTime, clockDate) + "（经度 " +
                SignedMinutesText(r.longitudeMinutes) + " 分，时差 " +
                SignedMinutesText(r.equationOfTimeMinutes) + " 分）";
        if (!r.chartUsesTrueSolarTime) line += "，按标准时排盘";
    }
    if (r.ambiguous) line += "；此刻钟点重复，取第一次";
    return line;
}

}  // namespace qelvar
