#include "cli/MomentOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "calendar/BirthInstant.h"
#include "calendar/CalendarNames.h"
#include "cli/Dates.h"
#include "cli/LineReader.h"
#include "cli/Options.h"
#include "cli/Status.h"
#include "form/MomentEntry.h"
#include "io/Json.h"
#include "moment/MomentText.h"
#include "moment/PlaceIndex.h"

namespace qelvar::cli {

namespace {

std::optional<DstChoice> ParseDst(std::string_view text) {
    if (text == "auto") return DstChoice::Auto;
    if (text == "on") return DstChoice::On;
    if (text == "off") return DstChoice::Off;
    return std::nullopt;
}

std::optional<bool> ParseOnOff(std::string_view text) {
    if (text == "on") return true;
    if (text == "off") return false;
    return std::nullopt;
}

std::optional<std::string> ParseText(std::string_view text) {
    if (text.empty()) return std::nullopt;
    return std::string(text);
}

// A number with at most `decimals` decimals, trailing zeros dropped.
std::string Number(double value, int decimals) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

std::string OffsetText(std::chrono::seconds offset) {
    const long total = offset.count();
    const long a = total < 0 ? -total : total;
    char buf[24];
    if (a % 60 == 0)
        std::snprintf(buf, sizeof buf, "%c%02ld:%02ld", total < 0 ? '-' : '+', a / 3600,
                      a / 60 % 60);
    else
        std::snprintf(buf, sizeof buf, "%c%02ld:%02ld:%02ld", total < 0 ? '-' : '+', a / 3600,
                      a / 60 % 60, a % 60);
    return buf;
}

// 子 .. 亥 by double-hour, 夜子 for the late 子 hour.
std::string_view HourName(int h) {
    return h == kLateZiHour ? std::string_view("夜子") : BranchNames[h];
}

void Line(std::string& out, std::string_view label, const std::string& value) {
    out += label;
    out.append(label.size() < 18 ? 18 - label.size() : 1, ' ');
    out += value;
    out += '\n';
}

}  // namespace

std::string PlaceProblem(std::string_view name, const PlaceLookup& found) {
    const std::string quoted = "'" + Escaped(name) + "'";
    if (found.candidates.empty()) return "no place named " + quoted;
    std::string problem =
        found.candidates.size() == 1
            ? quoted + " is only a translation GeoNames gives; add the country to take it:"
            : quoted + " names " + std::to_string(found.candidates.size()) +
                  " places; add the province, prefecture, state or country, or give the code:";
    for (const Place* p : found.candidates) {
        problem += "\n  " + PlaceLabel(*p);
        if (!p->code.empty()) problem += "  " + p->code;
        problem += "  (" + Number(p->longitude, 2) + " E, " + Number(p->latitude, 2) + " N)";
    }
    return problem;
}

std::optional<ClockTime> ParseClock(std::string_view text) {
    const auto split = text.find_first_of(" T");
    if (split == std::string_view::npos) return std::nullopt;
    const auto date = ParseDateNumbers(text.substr(0, split));
    const auto time = ParseClockText(text.substr(split + 1));
    if (!date || !time) return std::nullopt;
    const auto field = [](long long v) { return static_cast<int>(std::min(v, 1'000'000LL)); };
    return ClockTime{field(date->year), field(date->month), field(date->day), time->first,
                     time->second};
}

void AddMomentOptions(Command& command, MomentOptions& m) {
    AddParsedOption(command, "--clock", m.clock, ParseClock, "\"YYYY-MM-DD HH:MM\"",
                    "a clock time \"YYYY-MM-DD HH:MM\"",
                    "the birth as the clock showed it (instead of DATE --hour --minute)");
    AddParsedOption(command, "--zone", m.zone, ParseText, "ZONE", "an IANA zone name",
                    "the clock's time zone (default Asia/Shanghai, or the place's)");
    AddParsedOption(
        command, "--place", m.place, ParseText, "NAME", "a place name",
        "birthplace by name or code: 昆山, kunshan, \"苏州, 江苏\", 320583 ('places NAME')");
    AddParsedOption(command, "--longitude", m.longitude, ParseFiniteNumber, "E",
                    "degrees east, -180..180",
                    "birthplace longitude, degrees east (instead of --place)");
    AddParsedOption(command, "--latitude", m.latitude, ParseFiniteNumber, "N", "degrees north",
                    "birthplace latitude, degrees north (with --longitude)");
    AddParsedOption(command, "--dst", m.dst, ParseDst, "auto|on|off", "auto, on or off",
                    "daylight saving of the clock: as tzdata says (default), on or off");
    AddParsedOption(command, "--solar-time", m.solarTime, ParseOnOff, "on|off", "on or off",
                    "chart by true solar time (default on when a place is given)");
}

MomentFromOptions MomentOf(const MomentOptions& o) {
    if (o.place && o.longitude) return {std::nullopt, "give either --place or --longitude"};
    if (o.latitude && !o.longitude) return {std::nullopt, "--latitude goes with --longitude"};
    BirthMoment m;
    if (o.clock) m.clock = *o.clock;
    if (o.zone) m.zone = *o.zone;
    m.dst = o.dst;
    m.trueSolarTime = o.solarTime;
    if (o.longitude) m.place = Birthplace{"", *o.longitude, o.latitude};
    if (o.place) {
        const PlaceLookup found = PlaceIndex::Installed().Lookup(*o.place);
        if (!found.chosen) return {std::nullopt, PlaceProblem(*o.place, found), kDateFails};
        const Place& p = *found.chosen;
        m.place = Birthplace{PlaceLabel(p), p.longitude, p.latitude};
        if (!o.zone) m.zone = ClockZoneFor(p);
    }
    return {m, {}};
}

MomentFailure FailureOf(MomentError error) {
    switch (error) {
        case MomentError::NonexistentTime:
            return {kDateFails, "Nonexistent time"};
        case MomentError::InvalidClock:
            return {kDateFails, "Error Date"};
        default:
            return {kMalformed, "Malformed input"};
    }
}

void AppendMomentJson(std::string& out, const BirthMoment& m, const MomentResolution& r) {
    const CivilDate clockDate{m.clock.year, m.clock.month, m.clock.day};
    out += '{';
    AppendJsonKey(out, "clock");
    AppendJsonString(out, WallTimeText({clockDate, m.clock.hour, m.clock.minute, 0}));
    out += ',';
    AppendJsonKey(out, "zone");
    AppendJsonString(out, m.zone);
    out += ',';
    AppendJsonKey(out, "utcOffsetMinutes");
    out += Number(static_cast<double>(r.utcOffset.count()) / 60.0, 1);
    out += ',';
    AppendJsonKey(out, "dst");
    out += r.dst ? "true" : "false";
    out += ',';
    AppendJsonKey(out, "standardTime");
    AppendJsonString(out, WallTimeText(r.standardTime));
    out += ',';
    AppendJsonKey(out, "longitude");
    out += r.longitude ? Number(*r.longitude, 4) : "null";
    out += ',';
    AppendJsonKey(out, "longitudeMinutes");
    out += r.longitude ? Number(r.longitudeMinutes, 1) : "null";
    out += ',';
    AppendJsonKey(out, "equationOfTimeMinutes");
    out += Number(r.equationOfTimeMinutes, 1);
    out += ',';
    AppendJsonKey(out, "trueSolarTime");
    if (r.longitude)
        AppendJsonString(out, WallTimeText(r.trueSolarTime));
    else
        out += "null";
    out += ',';
    AppendJsonKey(out, "date");
    AppendJsonString(out, DateText(r.date));
    out += ',';
    AppendJsonKey(out, "hour");
    out += std::to_string(r.hour);
    out += ',';
    AppendJsonKey(out, "minuteSlot");
    out += std::to_string(r.minuteSlot);
    out += '}';
}

void AppendMomentText(std::string& out, const BirthMoment& m, const MomentResolution& r) {
    const CivilDate clockDate{m.clock.year, m.clock.month, m.clock.day};
    Line(out, "clock", WallTimeText({clockDate, m.clock.hour, m.clock.minute, 0}) + " " + m.zone);
    if (m.place) {
        std::string where = m.place->name.empty() ? std::string() : m.place->name + ", ";
        where += Number(m.place->longitude, 4) + " E";
        if (m.place->latitude) where += ", " + Number(*m.place->latitude, 4) + " N";
        Line(out, "place", where);
    }
    const auto utcDays = std::chrono::floor<std::chrono::days>(r.utc);
    const std::chrono::hh_mm_ss utcTime{r.utc - utcDays};
    const std::chrono::year_month_day utcDate{utcDays};
    Line(out, "UTC",
         WallTimeText(
             {{static_cast<int>(utcDate.year()), static_cast<int>(unsigned(utcDate.month())),
               static_cast<int>(unsigned(utcDate.day()))},
              static_cast<int>(utcTime.hours().count()),
              static_cast<int>(utcTime.minutes().count()),
              0}));
    Line(out, "UTC offset",
         OffsetText(r.utcOffset) +
             (r.dst ? ", daylight saving (standard " + OffsetText(r.standardOffset) + ")"
                    : ", standard time"));
    Line(out, "standard time", WallTimeText(r.standardTime));
    if (r.longitude) {
        Line(out, "longitude", Number(r.longitudeMinutes, 1) + " min");
        Line(out, "equation of time", Number(r.equationOfTimeMinutes, 1) + " min");
        Line(out, "true solar time", WallTimeText(r.trueSolarTime));
    }
    Line(out, "chart",
         DateText(r.date) + " " + std::string(HourName(r.hour)) + " (" + std::to_string(r.hour) +
             "), sub-period " + std::to_string(r.minuteSlot) + ", by " +
             (r.chartUsesTrueSolarTime ? "true solar time" : "standard time"));
    if (!r.note.empty()) Line(out, "note", r.note);
    out += DescribeResolution(m, r);
    out += '\n';
}

}  // namespace qelvar::cli
