// The CSV form of the library: RFC 4180 fields (quoted when they hold a
// comma, a quote or a line break), a header row naming the columns, and
// the columns in any order when read.
#include <charconv>
#include <map>

#include "library/RecordFormats.h"

namespace qelvar::library {

namespace {

// The columns in the order they are written.
constexpr std::string_view kColumns[] = {
    "id",       "name",   "sex",        "calendar", "date",       "leap",
    "hour",     "minute", "clock",      "zone",     "place",      "longitude",
    "latitude", "dst",    "solar_time", "late_zi",  "leap_month", "year_start",
    "notes",    "tags",   "group",      "created",  "modified"};

// The school readings follow, one column each, named after the JSON's keys
// in snake case ("kuiYue" -> "kui_yue").
std::string SnakeCase(std::string_view key) {
    std::string out;
    for (const char c : key) {
        if (c >= 'A' && c <= 'Z') {
            out += '_';
            out += static_cast<char>(c - 'A' + 'a');
        } else {
            out += c;
        }
    }
    return out;
}

void Field(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::string Number(double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::vector<std::string> Row(const Record& r) {
    const TypedBirth& b = r.birth;
    const bool clock = b.kind == BirthKind::Clock;
    const BirthMoment& m = b.moment;
    std::string clockText, tags;
    if (clock) {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%s %02d:%02d",
                      DateText(m.clock.year, m.clock.month, m.clock.day).c_str(), m.clock.hour,
                      m.clock.minute);
        clockText = buf;
    }
    for (const std::string& t : r.tags) tags += (tags.empty() ? "" : ";") + t;
    std::vector<std::string> row = {
        r.id,
        r.name,
        std::string(SexName(r.male)),
        std::string(KindName(b.kind)),
        clock ? "" : DateText(b.year, b.month, b.day),
        b.kind == BirthKind::Lunar && b.leap ? "1" : "0",
        clock ? "" : std::to_string(b.doubleHour),
        clock ? "" : std::to_string(b.minuteSlot),
        clockText,
        clock ? m.zone : "",
        clock && m.place ? m.place->name : "",
        clock && m.place ? Number(m.place->longitude) : "",
        clock && m.place && m.place->latitude ? Number(*m.place->latitude) : "",
        clock ? std::string(DstName(m.dst)) : "",
        clock && m.trueSolarTime ? (*m.trueSolarTime ? "1" : "0") : "",
        std::string(ConventionName(r.conventions.lateZi)),
        std::string(ConventionName(r.conventions.leapMonth)),
        std::string(ConventionName(r.conventions.yearStart)),
        r.notes,
        tags,
        r.group,
        r.created ? TimestampText(r.created) : "",
        r.modified ? TimestampText(r.modified) : ""};
    for (const SchoolField& f : SchoolFields(r.conventions.school)) row.emplace_back(f.value);
    return row;
}

// Splits the text into rows of fields; false (with `error`) on a quote
// left open.
bool ParseCsv(std::string_view text, std::vector<std::vector<std::string>>& rows,
              std::string& error) {
    std::vector<std::string> row;
    std::string field;
    bool quoted = false, any = false;
    std::size_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == '"' && field.empty()) {
            quoted = any = true;
        } else if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
            any = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            ++line;
            if (any || !field.empty()) {
                row.push_back(std::move(field));
                rows.push_back(std::move(row));
            }
            row.clear();
            field.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (quoted) {
        error = "a quoted field is not closed (line " + std::to_string(line) + ")";
        return false;
    }
    if (any || !field.empty()) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return true;
}

bool ParseInt(const std::string& s, int& v) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc{} && r.ptr == s.data() + s.size();
}

bool ParseDouble(const std::string& s, double& v) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc{} && r.ptr == s.data() + s.size();
}

// One data row to a record; the problem, empty when fine.
std::string ReadRow(const std::map<std::string, std::string>& f, Record& r) {
    auto get = [&f](const char* column) {
        const auto it = f.find(column);
        return it == f.end() ? std::string() : it->second;
    };
    r.id = get("id");
    r.name = get("name");
    if (const std::string sex = get("sex"); !sex.empty() && !ParseSex(sex, r.male))
        return "sex is not male or female";
    TypedBirth& b = r.birth;
    const std::string kind = get("calendar");
    if (!ParseKind(kind.empty() ? "solar" : kind, b.kind))
        return "calendar is not solar, lunar or clock";
    if (b.kind == BirthKind::Clock) {
        BirthMoment& m = b.moment;
        const std::string clock = get("clock");
        if (clock.size() != 16 || clock[10] != ' ' || clock[13] != ':' ||
            !ParseDateText(clock.substr(0, 10), m.clock.year, m.clock.month, m.clock.day) ||
            !ParseInt(clock.substr(11, 2), m.clock.hour) ||
            !ParseInt(clock.substr(14, 2), m.clock.minute))
            return "clock is not YYYY-MM-DD HH:MM";
        if (const std::string zone = get("zone"); !zone.empty()) m.zone = zone;
        if (const std::string lon = get("longitude"); !lon.empty()) {
            Birthplace p{get("place"), 0.0, std::nullopt};
            if (!ParseDouble(lon, p.longitude)) return "longitude is not a number";
            if (const std::string lat = get("latitude"); !lat.empty()) {
                double v = 0;
                if (!ParseDouble(lat, v)) return "latitude is not a number";
                p.latitude = v;
            }
            m.place = p;
        }
        if (const std::string dst = get("dst"); !dst.empty() && !ParseDst(dst, m.dst))
            return "dst is not auto, on or off";
        if (const std::string st = get("solar_time"); !st.empty()) {
            if (st != "0" && st != "1") return "solar_time is not 0, 1 or empty";
            m.trueSolarTime = st == "1";
        }
    } else {
        if (!ParseDateText(get("date"), b.year, b.month, b.day)) return "date is not YYYY-MM-DD";
        const std::string leap = get("leap");
        if (!leap.empty() && leap != "0" && leap != "1") return "leap is not 0 or 1";
        b.leap = leap == "1";
        if (!ParseInt(get("hour"), b.doubleHour)) return "hour is not a number 0..12";
        if (!ParseInt(get("minute"), b.minuteSlot)) return "minute is not a number 0..11";
    }
    const std::string late = get("late_zi"), leapRule = get("leap_month"),
                      start = get("year_start");
    const auto a = ParseLateZi(late.empty() ? "same-day" : late);
    const auto lm = ParseLeapMonth(leapRule.empty() ? "whole" : leapRule);
    const auto y = ParseYearStart(start.empty() ? "new-year" : start);
    if (!a || !lm || !y) return "a convention has an unknown value";
    r.conventions = {*a, *lm, *y, {}};
    // The school readings; a column left out or empty is the default.
    for (const SchoolField& choice : SchoolFields(School{})) {
        const std::string value = get(SnakeCase(choice.key).c_str());
        if (!value.empty() && !SetSchoolChoice(r.conventions.school, choice.key, value))
            return SnakeCase(choice.key) + " has an unknown value";
    }
    r.notes = get("notes");
    const std::string tags = get("tags");
    for (std::size_t at = 0; at < tags.size();) {
        const std::size_t end = std::min(tags.find(';', at), tags.size());
        if (end > at) r.tags.push_back(tags.substr(at, end - at));
        at = end + 1;
    }
    r.group = get("group");
    for (auto [column, target] : {std::pair{"created", &r.created}, {"modified", &r.modified}}) {
        const std::string t = get(column);
        if (!t.empty() && !ParseTimestamp(t, *target))
            return std::string(column) + " is not a time YYYY-MM-DDTHH:MM:SS.mmmZ";
    }
    return RecordProblem(r);
}

}  // namespace

std::string LibraryCsv(const std::vector<Record>& records, bool bom) {
    std::string out = bom ? "\xEF\xBB\xBF" : "";
    for (std::size_t i = 0; i < std::size(kColumns); ++i) {
        if (i) out += ',';
        out += kColumns[i];
    }
    for (const SchoolField& f : SchoolFields(School{})) out += ',' + SnakeCase(f.key);
    out += "\r\n";
    for (const Record& r : records) {
        const std::vector<std::string> row = Row(r);
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i) out += ',';
            Field(out, row[i]);
        }
        out += "\r\n";
    }
    return out;
}

ReadRecords ReadLibraryCsv(std::string_view text) {
    ReadRecords result;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<std::vector<std::string>> rows;
    if (!ParseCsv(text, rows, result.error)) return result;
    if (rows.empty()) {
        result.error = "the CSV file is empty (no header row)";
        return result;
    }
    const std::vector<std::string>& header = rows[0];
    bool hasName = false;
    for (const std::string& h : header) hasName = hasName || h == "name";
    if (!hasName) {
        result.error = "the CSV header row has no column \"name\"";
        return result;
    }
    result.records.reserve(rows.size() - 1);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].size() != header.size()) {
            result.error = "row " + std::to_string(i + 1) + " has " +
                           std::to_string(rows[i].size()) + " fields, the header " +
                           std::to_string(header.size());
            result.records.clear();
            return result;
        }
        std::map<std::string, std::string> fields;
        for (std::size_t k = 0; k < header.size(); ++k) fields[header[k]] = std::move(rows[i][k]);
        Record r;
        if (std::string problem = ReadRow(fields, r); !problem.empty()) {
            result.error = "row " + std::to_string(i + 1) + ": " + problem;
            result.records.clear();
            return result;
        }
        result.records.push_back(std::move(r));
    }
    return result;
}

}  // namespace qelvar::library
