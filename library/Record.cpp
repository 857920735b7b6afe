#include "library/Record.h"

#include <sys/random.h>

#include <chrono>
#include <cstdio>
#include <random>

#include "calendar/DayCount.h"

namespace qelvar::library {

namespace {

bool SamePlace(const std::optional<Birthplace>& a, const std::optional<Birthplace>& b) {
    if (!a || !b) return a.has_value() == b.has_value();
    return a->name == b->name && a->longitude == b->longitude && a->latitude == b->latitude;
}

bool SameMoment(const BirthMoment& a, const BirthMoment& b) {
    return a.clock.year == b.clock.year && a.clock.month == b.clock.month &&
           a.clock.day == b.clock.day && a.clock.hour == b.clock.hour &&
           a.clock.minute == b.clock.minute && a.zone == b.zone && SamePlace(a.place, b.place) &&
           a.dst == b.dst && a.trueSolarTime == b.trueSolarTime;
}

bool InRange(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

// Reads exactly `digits` decimal digits.
bool Digits(std::string_view text, std::size_t at, std::size_t digits, int& value) {
    if (at + digits > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

}  // namespace

bool operator==(const TypedBirth& a, const TypedBirth& b) {
    if (a.kind != b.kind) return false;
    if (a.kind == BirthKind::Clock) return SameMoment(a.moment, b.moment);
    return a.year == b.year && a.month == b.month && a.day == b.day &&
           (a.kind != BirthKind::Lunar || a.leap == b.leap) && a.doubleHour == b.doubleHour &&
           a.minuteSlot == b.minuteSlot;
}

bool SameBirth(const Record& a, const Record& b) {
    return a.name == b.name && a.male == b.male && a.birth == b.birth;
}

std::string RecordProblem(const Record& r) {
    if (r.name.empty()) return "the name is empty";
    const TypedBirth& b = r.birth;
    if (b.kind == BirthKind::Clock) {
        const ClockTime& c = b.moment.clock;
        if (!InRange(c.year, 1, 9999) || !InRange(c.month, 1, 12) || !InRange(c.day, 1, 31) ||
            !InRange(c.hour, 0, 23) || !InRange(c.minute, 0, 59))
            return "the clock time is out of range";
        if (b.moment.zone.empty()) return "the zone is empty";
        if (b.moment.place) {
            const Birthplace& p = *b.moment.place;
            if (!(p.longitude >= -180 && p.longitude <= 180)) return "longitude outside -180..180";
            if (p.latitude && !(*p.latitude >= -90 && *p.latitude <= 90))
                return "latitude outside -90..90";
        }
    } else {
        if (!InRange(b.year, 1, 9999) || !InRange(b.month, 1, 12) || !InRange(b.day, 1, 31))
            return "the date is out of range";
        if (!InRange(b.doubleHour, 0, 12)) return "the double-hour is outside 0..12";
        if (!InRange(b.minuteSlot, 0, 11)) return "the sub-period is outside 0..11";
        if (b.leap && b.kind != BirthKind::Lunar) return "leap goes with a lunar date";
    }
    for (const std::string& tag : r.tags) {
        if (tag.empty()) return "a tag is empty";
        if (tag.find_first_of(";\n\r") != std::string::npos)
            return "a tag holds ';' or a line break: '" + tag + "'";
    }
    std::string parent, child;
    if (!r.group.empty() && !SplitGroup(r.group, parent, child))
        return "a group is 'NAME' or 'NAME/SUBGROUP': '" + r.group + "'";
    return {};
}

std::string_view SexName(bool male) {
    return male ? "male" : "female";
}

std::string_view KindName(BirthKind kind) {
    switch (kind) {
        case BirthKind::Lunar:
            return "lunar";
        case BirthKind::Clock:
            return "clock";
        case BirthKind::Solar:
            break;
    }
    return "solar";
}

std::string_view DstName(DstChoice dst) {
    switch (dst) {
        case DstChoice::On:
            return "on";
        case DstChoice::Off:
            return "off";
        case DstChoice::Auto:
            break;
    }
    return "auto";
}

bool ParseKind(std::string_view text, BirthKind& kind) {
    for (BirthKind k : {BirthKind::Solar, BirthKind::Lunar, BirthKind::Clock})
        if (text == KindName(k)) {
            kind = k;
            return true;
        }
    return false;
}

bool ParseDst(std::string_view text, DstChoice& dst) {
    for (DstChoice d : {DstChoice::Auto, DstChoice::On, DstChoice::Off})
        if (text == DstName(d)) {
            dst = d;
            return true;
        }
    return false;
}

bool ParseSex(std::string_view text, bool& male) {
    if (text == "male" || text == "男") {
        male = true;
        return true;
    }
    if (text == "female" || text == "女") {
        male = false;
        return true;
    }
    return false;
}

std::string DateText(int year, int month, int day) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
    return buf;
}

bool ParseDateText(std::string_view text, int& year, int& month, int& day) {
    return text.size() == 10 && text[4] == '-' && text[7] == '-' && Digits(text, 0, 4, year) &&
           Digits(text, 5, 2, month) && Digits(text, 8, 2, day);
}

std::string BirthSummary(const TypedBirth& b) {
    char buf[96];
    if (b.kind == BirthKind::Clock) {
        const ClockTime& c = b.moment.clock;
        std::snprintf(buf, sizeof buf, "%s %02d:%02d ", DateText(c.year, c.month, c.day).c_str(),
                      c.hour, c.minute);
        std::string s = buf + b.moment.zone;
        if (b.moment.place) {
            if (!b.moment.place->name.empty()) {
                s += ' ' + b.moment.place->name;
            } else {
                std::snprintf(buf, sizeof buf, " %.4f E", b.moment.place->longitude);
                s += buf;
            }
        }
        return s;
    }
    std::snprintf(buf, sizeof buf, " %d/%d", b.doubleHour, b.minuteSlot);
    if (b.kind == BirthKind::Solar) return DateText(b.year, b.month, b.day) + buf;
    char date[40];
    std::snprintf(date, sizeof date, "%04d-%s%02d-%02d", b.year, b.leap ? "闰" : "", b.month,
                  b.day);
    return std::string("农历 ") + date + buf;
}

std::string TimestampText(std::int64_t ms) {
    const std::int64_t days = FloorDiv(ms, std::int64_t{86'400'000});
    const std::int64_t inDay = ms - days * 86'400'000;  // [0, 86'399'999]
    const CivilDate d = CivilFromDays(static_cast<int>(days));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", d.year, d.month, d.day,
                  static_cast<int>(inDay / 3'600'000), static_cast<int>(inDay / 60'000 % 60),
                  static_cast<int>(inDay / 1000 % 60), static_cast<int>(inDay % 1000));
    return buf;
}

bool ParseTimestamp(std::string_view t, std::int64_t& ms) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, milli = 0;
    if (t.size() < 20 || !ParseDateText(t.substr(0, 10), y, mo, d) || t[10] != 'T' ||
        !Digits(t, 11, 2, h) || t[13] != ':' || !Digits(t, 14, 2, mi) || t[16] != ':' ||
        !Digits(t, 17, 2, s))
        return false;
    std::size_t at = 19;
    if (t[at] == '.') {
        if (!Digits(t, 20, 3, milli)) return false;
        at = 23;
    }
    if (at + 1 != t.size() || t[at] != 'Z') return false;
    if (!InRange(mo, 1, 12) || !InRange(d, 1, 31) || h > 23 || mi > 59 || s > 60) return false;
    ms = DaysFromCivil<std::int64_t>(y, mo, d) * 86'400'000 +
         ((h * 60 + mi) * 60 + s) * std::int64_t{1000} + milli;
    return true;
}

std::int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string NewUuid() {
    unsigned char b[16];
    std::size_t got = 0;
    while (got < sizeof b) {
        const ssize_t n = getrandom(b + got, sizeof b - got, 0);
        if (n > 0)
            got += static_cast<std::size_t>(n);
        else {
            std::random_device rd;  // no getrandom: the library's own source
            for (; got < sizeof b; ++got) b[got] = static_cast<unsigned char>(rd());
        }
    }
    b[6] = static_cast<unsigned char>((b[6] & 0x0F) | 0x40);  // version 4
    b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);  // RFC 4122 variant
    static constexpr char kHex[] = "0123456789abcdef";
    std::string s;
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) s += '-';
        s += kHex[b[i] >> 4];
        s += kHex[b[i] & 0xF];
    }
    return s;
}

bool SplitGroup(std::string_view group, std::string& parent, std::string& child) {
    const std::size_t slash = group.find('/');
    parent = std::string(group.substr(0, slash));
    child = slash == std::string_view::npos ? std::string() : std::string(group.substr(slash + 1));
    if (parent.empty()) return false;
    if (slash == std::string_view::npos) return true;
    return !child.empty() && child.find('/') == std::string::npos;
}

}  // namespace qelvar::library
