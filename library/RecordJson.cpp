// The JSON form of the library: written with the one JSON writer
// (io/Json), read with nlohmann::json.
#include <nlohmann/json.hpp>

#include "io/Json.h"
#include "library/RecordFormats.h"

namespace qelvar::library {

namespace {

using nlohmann::json;

void Key(std::string& out, std::string_view key) {
    AppendJsonString(out, key);
    out += ':';
}

void AppendBirth(std::string& out, const TypedBirth& b) {
    out += '{';
    Key(out, "calendar");
    AppendJsonString(out, KindName(b.kind));
    if (b.kind == BirthKind::Clock) {
        const BirthMoment& m = b.moment;
        char clock[40];
        std::snprintf(clock, sizeof clock, "%s %02d:%02d",
                      DateText(m.clock.year, m.clock.month, m.clock.day).c_str(), m.clock.hour,
                      m.clock.minute);
        out += ',';
        Key(out, "clock");
        AppendJsonString(out, clock);
        out += ',';
        Key(out, "zone");
        AppendJsonString(out, m.zone);
        out += ',';
        Key(out, "place");
        if (m.place)
            AppendJsonString(out, m.place->name);
        else
            out += "null";
        out += ',';
        Key(out, "longitude");
        if (m.place)
            AppendJsonNumber(out, m.place->longitude);
        else
            out += "null";
        out += ',';
        Key(out, "latitude");
        if (m.place && m.place->latitude)
            AppendJsonNumber(out, *m.place->latitude);
        else
            out += "null";
        out += ',';
        Key(out, "dst");
        AppendJsonString(out, DstName(m.dst));
        out += ',';
        Key(out, "solarTime");
        out += m.trueSolarTime ? (*m.trueSolarTime ? "true" : "false") : "null";
    } else {
        out += ',';
        Key(out, "date");
        AppendJsonString(out, DateText(b.year, b.month, b.day));
        if (b.kind == BirthKind::Lunar) {
            out += ',';
            Key(out, "leap");
            out += b.leap ? "true" : "false";
        }
        out += ',';
        Key(out, "hour");
        AppendJsonInt(out, b.doubleHour);
        out += ',';
        Key(out, "minute");
        AppendJsonInt(out, b.minuteSlot);
    }
    out += '}';
}

// Reading: each helper throws std::runtime_error naming the field.
[[noreturn]] void Bad(const std::string& what) {
    throw std::runtime_error(what);
}

std::string Text(const json& o, const char* key, bool required, std::string fallback = {}) {
    const auto it = o.find(key);
    if (it == o.end() || it->is_null()) {
        if (required) Bad(std::string("\"") + key + "\" is missing");
        return fallback;
    }
    if (!it->is_string()) Bad(std::string("\"") + key + "\" is not a string");
    return it->get<std::string>();
}

int Int(const json& o, const char* key, int fallback) {
    const auto it = o.find(key);
    if (it == o.end() || it->is_null()) return fallback;
    if (!it->is_number_integer()) Bad(std::string("\"") + key + "\" is not a whole number");
    const auto v = it->get<long long>();
    if (v < -1'000'000 || v > 1'000'000) Bad(std::string("\"") + key + "\" is out of range");
    return static_cast<int>(v);
}

std::optional<double> Number(const json& o, const char* key) {
    const auto it = o.find(key);
    if (it == o.end() || it->is_null()) return std::nullopt;
    if (!it->is_number()) Bad(std::string("\"") + key + "\" is not a number");
    return it->get<double>();
}

std::optional<bool> Bool(const json& o, const char* key) {
    const auto it = o.find(key);
    if (it == o.end() || it->is_null()) return std::nullopt;
    if (!it->is_boolean()) Bad(std::string("\"") + key + "\" is not true or false");
    return it->get<bool>();
}

std::int64_t Time(const json& o, const char* key) {
    const std::string text = Text(o, key, false);
    std::int64_t ms = 0;
    if (!text.empty() && !ParseTimestamp(text, ms))
        Bad(std::string("\"") + key + "\" is not a time YYYY-MM-DDTHH:MM:SS.mmmZ");
    return ms;
}

TypedBirth ReadBirth(const json& o) {
    if (!o.is_object()) Bad("\"birth\" is not an object");
    TypedBirth b;
    if (!ParseKind(Text(o, "calendar", true), b.kind))
        Bad("\"calendar\" is not solar, lunar or clock");
    if (b.kind == BirthKind::Clock) {
        BirthMoment& m = b.moment;
        const std::string clock = Text(o, "clock", true);
        ClockTime& c = m.clock;
        if (clock.size() != 16 || clock[10] != ' ' || clock[13] != ':' ||
            !ParseDateText(clock.substr(0, 10), c.year, c.month, c.day) ||
            !std::isdigit(static_cast<unsigned char>(clock[11])) ||
            !std::isdigit(static_cast<unsigned char>(clock[12])) ||
            !std::isdigit(static_cast<unsigned char>(clock[14])) ||
            !std::isdigit(static_cast<unsigned char>(clock[15])))
            Bad("\"clock\" is not YYYY-MM-DD HH:MM");
        c.hour = (clock[11] - '0') * 10 + (clock[12] - '0');
        c.minute = (clock[14] - '0') * 10 + (clock[15] - '0');
        m.zone = Text(o, "zone", false, kDefaultZone);
        if (const auto longitude = Number(o, "longitude"))
            m.place = Birthplace{Text(o, "place", false), *longitude, Number(o, "latitude")};
        if (!ParseDst(Text(o, "dst", false, "auto"), m.dst)) Bad("\"dst\" is not auto, on or off");
        m.trueSolarTime = Bool(o, "solarTime");
    } else {
        if (!ParseDateText(Text(o, "date", true), b.year, b.month, b.day))
            Bad("\"date\" is not YYYY-MM-DD");
        b.leap = Bool(o, "leap").value_or(false);
        b.doubleHour = Int(o, "hour", 0);
        b.minuteSlot = Int(o, "minute", 0);
    }
    return b;
}

Record ReadRecord(const json& o) {
    if (!o.is_object()) Bad("a record is not an object");
    Record r;
    r.id = Text(o, "id", false);
    r.name = Text(o, "name", true);
    if (!ParseSex(Text(o, "sex", false, "male"), r.male)) Bad("\"sex\" is not male or female");
    const auto birth = o.find("birth");
    if (birth == o.end()) Bad("\"birth\" is missing");
    r.birth = ReadBirth(*birth);
    if (const auto c = o.find("conventions"); c != o.end() && !c->is_null()) {
        if (!c->is_object()) Bad("\"conventions\" is not an object");
        const std::string late = Text(*c, "lateZi", false, "same-day");
        const std::string leap = Text(*c, "leapMonth", false, "whole");
        const std::string start = Text(*c, "yearStart", false, "new-year");
        const auto a = ParseLateZi(late);
        const auto b = ParseLeapMonth(leap);
        const auto y = ParseYearStart(start);
        if (!a || !b || !y) Bad("a convention has an unknown value");
        r.conventions = {*a, *b, *y, {}};
        // The school readings; one left out is the default.
        for (const SchoolField& f : SchoolFields(School{})) {
            const std::string value = Text(*c, std::string(f.key).c_str(), false);
            if (!value.empty() && !SetSchoolChoice(r.conventions.school, f.key, value))
                Bad("\"" + std::string(f.key) + "\" has an unknown value");
        }
    }
    r.notes = Text(o, "notes", false);
    if (const auto tags = o.find("tags"); tags != o.end() && !tags->is_null()) {
        if (!tags->is_array()) Bad("\"tags\" is not an array");
        for (const json& t : *tags) {
            if (!t.is_string()) Bad("a tag is not a string");
            r.tags.push_back(t.get<std::string>());
        }
    }
    r.group = Text(o, "group", false);
    r.created = Time(o, "created");
    r.modified = Time(o, "modified");
    if (std::string problem = RecordProblem(r); !problem.empty()) Bad(problem);
    return r;
}

}  // namespace

void AppendRecordJson(std::string& out, const Record& r) {
    out += '{';
    Key(out, "id");
    AppendJsonString(out, r.id);
    out += ',';
    Key(out, "name");
    AppendJsonString(out, r.name);
    out += ',';
    Key(out, "sex");
    AppendJsonString(out, SexName(r.male));
    out += ',';
    Key(out, "birth");
    AppendBirth(out, r.birth);
    out += ',';
    Key(out, "conventions");
    out += '{';
    Key(out, "lateZi");
    AppendJsonString(out, ConventionName(r.conventions.lateZi));
    out += ',';
    Key(out, "leapMonth");
    AppendJsonString(out, ConventionName(r.conventions.leapMonth));
    out += ',';
    Key(out, "yearStart");
    AppendJsonString(out, ConventionName(r.conventions.yearStart));
    for (const auto& [key, value] : SchoolFields(r.conventions.school)) {
        out += ',';
        Key(out, key);
        AppendJsonString(out, value);
    }
    out += "},";
    Key(out, "notes");
    AppendJsonString(out, r.notes);
    out += ',';
    Key(out, "tags");
    out += '[';
    for (std::size_t i = 0; i < r.tags.size(); ++i) {
        if (i) out += ',';
        AppendJsonString(out, r.tags[i]);
    }
    out += "],";
    Key(out, "group");
    AppendJsonString(out, r.group);
    out += ',';
    Key(out, "created");
    AppendJsonString(out, TimestampText(r.created));
    out += ',';
    Key(out, "modified");
    AppendJsonString(out, TimestampText(r.modified));
    out += '}';
}

std::string RecordsJsonArray(const std::vector<Record>& records) {
    std::string out = "[";
    for (std::size_t i = 0; i < records.size(); ++i) {
        out += i ? ",\n" : "\n";
        AppendRecordJson(out, records[i]);
    }
    out += records.empty() ? "]\n" : "\n]\n";
    return out;
}

std::string LibraryJson(const std::vector<Record>& records) {
    std::string out = "{";
    Key(out, "format");
    AppendJsonString(out, kJsonFormatName);
    out += ',';
    Key(out, "version");
    AppendJsonInt(out, kJsonFormatVersion);
    out += ',';
    Key(out, "records");
    out += RecordsJsonArray(records);
    out.pop_back();
    out += "}\n";
    return out;
}

ReadRecords ReadLibraryJson(std::string_view text) {
    ReadRecords result;
    const json doc = json::parse(text.begin(), text.end(), nullptr, false);
    if (doc.is_discarded()) {
        result.error = "not valid JSON";
        return result;
    }
    const json* list = &doc;
    if (doc.is_object()) {
        const auto format = doc.find("format");
        if (format == doc.end() || *format != kJsonFormatName) {
            result.error = "not a Qelvar library file (\"format\" is not \"qelvar-library\")";
            return result;
        }
        const auto version = doc.find("version");
        if (version == doc.end() || !version->is_number_integer() ||
            version->get<long long>() > kJsonFormatVersion || version->get<long long>() < 1) {
            result.error = "a library file of a version this program does not read";
            return result;
        }
        const auto records = doc.find("records");
        if (records == doc.end()) {
            result.error = "\"records\" is missing";
            return result;
        }
        list = &*records;
    }
    if (!list->is_array()) {
        result.error = "expected an array of records";
        return result;
    }
    result.records.reserve(list->size());
    for (std::size_t i = 0; i < list->size(); ++i) {
        try {
            result.records.push_back(ReadRecord((*list)[i]));
        } catch (const std::exception& e) {
            result.records.clear();
            result.error = "record " + std::to_string(i + 1) + ": " + e.what();
            return result;
        }
    }
    return result;
}

ReadRecords ReadLibraryFile(std::string_view text) {
    std::string_view rest = text;
    if (rest.starts_with("\xEF\xBB\xBF")) rest.remove_prefix(3);
    const std::size_t first = rest.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos && (rest[first] == '{' || rest[first] == '['))
        return ReadLibraryJson(rest);
    return ReadLibraryCsv(text);
}

}  // namespace qelvar::library
