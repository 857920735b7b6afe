// qelvar-cli convert: Gregorian <-> lunar conversion of one date or of a
// batch read from standard input.
#include <charconv>
#include <cstdio>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/LunarCalendar.h"
#include "cli/Commands.h"
#include "cli/Encoding.h"
#include "cli/Json.h"

namespace qelvar::cli {

namespace {

constexpr std::string_view kHelp =
    "Usage: qelvar-cli convert [options] DATE\n"
    "       qelvar-cli convert [--format text|json] [--encoding utf-8|gbk] -\n"
    "\n"
    "Convert a date between the Gregorian and the Chinese lunar calendar\n"
    "(Gregorian 1901-02-19 .. 2051-02-10, lunar 1901-01-01 .. 2050-12-29).\n"
    "\n"
    "  DATE                   YYYY-MM-DD, a Gregorian date unless --lunar\n"
    "  --lunar                DATE is a lunar date (month and day numbers)\n"
    "  --leap                 with --lunar: the month is the leap month\n"
    "  --format text|json     output format (default text)\n"
    "  --encoding utf-8|gbk   encoding of the output (default utf-8)\n"
    "  -                      batch: read one input per line from standard input,\n"
    "                         \"2000-02-05\", \"lunar 2020-04-01\" or\n"
    "                         \"lunar 2020-04-01 leap\", and write the results in\n"
    "                         order (json: one object per line; text: one block\n"
    "                         per input, each followed by an empty line); blank\n"
    "                         lines are skipped\n"
    "  -h, --help             this help\n"
    "\n"
    "Prints the other date, the lunar text, the Gregorian text with the solar\n"
    "term of the day, the term and the solar month code (1..12 = 寅..丑,\n"
    "13/14 = February on or after / before 立春).\n"
    "\n"
    "Exit status: 0 success; 1 a date that does not convert (\"Error Date\");\n"
    "2 malformed arguments or input lines.\n";

constexpr std::string_view kErrorDate = "Error Date";
constexpr std::string_view kMalformed = "Malformed input";

enum class Format { Text, Json };

// One conversion asked for: the numbers as typed, and which calendar they are in.
struct Request {
    bool lunar = false;
    bool leap = false;
    long long year = 0;
    long long month = 0;
    long long day = 0;
};

struct Conversion {
    SolarDate solar;
    LunarDate lunar;
    std::string lunarText;
    std::string solarText;
    std::string solarTerm;
    SolarMonthCode solarMonthCode = 0;
};

// A decimal field of one or more digits; numbers too large for any date
// saturate (they then fail as dates, never wrap around).
std::optional<long long> ParseField(std::string_view s) {
    if (s.empty()) return std::nullopt;
    for (const char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    long long value = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    if (r.ec == std::errc::result_out_of_range) return 1'000'000'000LL;
    return value;
}

// "YYYY-MM-DD" with decimal fields of any width.
std::optional<Request> ParseDate(std::string_view s) {
    const auto dash1 = s.find('-');
    if (dash1 == std::string_view::npos) return std::nullopt;
    const auto dash2 = s.find('-', dash1 + 1);
    if (dash2 == std::string_view::npos) return std::nullopt;
    const auto y = ParseField(s.substr(0, dash1));
    const auto m = ParseField(s.substr(dash1 + 1, dash2 - dash1 - 1));
    const auto d = ParseField(s.substr(dash2 + 1));
    if (!y || !m || !d) return std::nullopt;
    return Request{false, false, *y, *m, *d};
}

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

// A batch line: "DATE", "lunar DATE" or "lunar DATE leap".
std::optional<Request> ParseLine(const std::vector<std::string_view>& words) {
    if (words.size() == 1) return ParseDate(words[0]);
    if (words.empty() || words.size() > 3 || words[0] != "lunar") return std::nullopt;
    if (words.size() == 3 && words[2] != "leap") return std::nullopt;
    auto request = ParseDate(words[1]);
    if (!request) return std::nullopt;
    request->lunar = true;
    request->leap = words.size() == 3;
    return request;
}

bool Fits16(long long v) {
    return v >= 0 && v <= 0xFFFF;
}

std::optional<Conversion> Convert(LunarCalendar& cal, const Request& r) {
    if (!Fits16(r.year) || !Fits16(r.month) || !Fits16(r.day)) return std::nullopt;
    const auto y = static_cast<std::uint16_t>(r.year);
    const auto m = static_cast<std::uint16_t>(r.month);
    const auto d = static_cast<std::uint16_t>(r.day);
    Conversion c;
    if (r.lunar) {
        c.lunar = LunarDate{y, m, d, r.leap ? 1 : 0};
        const auto solar = cal.LunarToSolar(c.lunar);
        if (!solar) return std::nullopt;
        c.solar = *solar;
    } else {
        c.solar = SolarDate{y, m, d};
        const auto lunar = cal.SolarToLunar(c.solar);
        if (!lunar) return std::nullopt;
        c.lunar = *lunar;
    }
    c.lunarText = LunarCalendar::FormatLunarDate(c.lunar);
    cal.SolarTerm(c.solar.year, c.solar.month, c.solar.day);
    c.solarTerm = cal.m_strSolarTerm;
    c.solarMonthCode = cal.m_nSolarMonth;
    c.solarText = std::to_string(c.solar.year) + "年" + std::to_string(c.solar.month) + "月" +
                  std::to_string(c.solar.day) + "日 " + c.solarTerm;
    return c;
}

void AppendIsoDate(std::string& out, int y, int m, int d) {
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    out.append(buf, static_cast<std::size_t>(n));
}

void AppendJson(std::string& out, const Conversion& c) {
    out += "{\"solar\":{\"year\":";
    AppendJsonInt(out, c.solar.year);
    out += ",\"month\":";
    AppendJsonInt(out, c.solar.month);
    out += ",\"day\":";
    AppendJsonInt(out, c.solar.day);
    out += "},\"lunar\":{\"year\":";
    AppendJsonInt(out, c.lunar.year);
    out += ",\"month\":";
    AppendJsonInt(out, c.lunar.month);
    out += ",\"day\":";
    AppendJsonInt(out, c.lunar.day);
    out += c.lunar.leap ? ",\"leap\":true}" : ",\"leap\":false}";
    out += ",\"lunarText\":";
    AppendJsonString(out, c.lunarText);
    out += ",\"solarText\":";
    AppendJsonString(out, c.solarText);
    out += ",\"solarTerm\":";
    AppendJsonString(out, c.solarTerm);
    out += ",\"solarMonthCode\":";
    AppendJsonInt(out, c.solarMonthCode);
    out += "}\n";
}

void AppendText(std::string& out, const Conversion& c) {
    out += "solar: ";
    AppendIsoDate(out, c.solar.year, c.solar.month, c.solar.day);
    out += "\nlunar: ";
    AppendIsoDate(out, c.lunar.year, c.lunar.month, c.lunar.day);
    if (c.lunar.leap) out += " leap";
    out += "\nlunarText: " + c.lunarText;
    out += "\nsolarText: " + c.solarText;
    out += "\nsolarTerm: " + c.solarTerm;
    out += "\nsolarMonthCode: " + std::to_string(c.solarMonthCode) + "\n";
}

void AppendError(std::string& out, Format format, std::string_view message) {
    if (format == Format::Json) {
        out += "{\"error\":";
        AppendJsonString(out, message);
        out += "}\n";
    } else {
        out += message;
        out += '\n';
    }
}

// Writes the buffer in the chosen encoding and empties it.
bool Flush(std::string& buffer, Encoding encoding, std::ostream& out) {
    const auto bytes = Encode(buffer, encoding);
    buffer.clear();
    if (!bytes) return false;
    out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    return true;
}

struct Options {
    Format format = Format::Text;
    Encoding encoding = Encoding::Utf8;
    bool lunar = false;
    bool leap = false;
    bool help = false;
    std::optional<std::string> date;  // the DATE argument, or "-"
};

int Usage(std::ostream& err, std::string_view problem) {
    err << "qelvar-cli convert: " << problem << "\nTry 'qelvar-cli convert --help'.\n";
    return 2;
}

// "--name" or "--name=value".
bool IsOption(std::string_view arg, std::string_view name) {
    return arg == name || (arg.size() > name.size() && arg.substr(0, name.size()) == name &&
                           arg[name.size()] == '=');
}

// Splits "--name=value" or takes the next argument as the value.
std::optional<std::string> OptionValue(const Args& args, std::size_t& i, std::string_view name) {
    const std::string_view a = args[i];
    if (a.size() > name.size() && a.substr(0, name.size()) == name && a[name.size()] == '=') {
        return std::string(a.substr(name.size() + 1));
    }
    if (i + 1 >= args.size()) return std::nullopt;
    return args[++i];
}

// Parses the arguments; returns an exit status when they are malformed.
std::optional<int> ParseOptions(const Args& args, Options& o, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (a == "--lunar") {
            o.lunar = true;
        } else if (a == "--leap") {
            o.leap = true;
        } else if (IsOption(a, "--format")) {
            const auto v = OptionValue(args, i, "--format");
            if (v == "text") {
                o.format = Format::Text;
            } else if (v == "json") {
                o.format = Format::Json;
            } else {
                return Usage(err, "--format takes text or json");
            }
        } else if (IsOption(a, "--encoding")) {
            const auto v = OptionValue(args, i, "--encoding");
            const auto e = v ? ParseEncoding(*v) : std::nullopt;
            if (!e) return Usage(err, "--encoding takes utf-8 or gbk");
            o.encoding = *e;
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return Usage(err, "unknown option '" + std::string(a) + "'");
        } else if (o.date) {
            return Usage(err, "more than one date given");
        } else {
            o.date = std::string(a);
        }
    }
    return std::nullopt;
}

int RunOne(const Options& o, std::ostream& out, std::ostream& err) {
    auto request = ParseDate(*o.date);
    if (!request) return Usage(err, "cannot read the date '" + *o.date + "' (expected YYYY-MM-DD)");
    request->lunar = o.lunar;
    request->leap = o.leap;
    LunarCalendar cal;
    const auto c = Convert(cal, *request);
    std::string buffer;
    if (c) {
        o.format == Format::Json ? AppendJson(buffer, *c) : AppendText(buffer, *c);
    } else if (o.format == Format::Json) {
        AppendError(buffer, Format::Json, kErrorDate);
    }
    if (!Flush(buffer, o.encoding, out)) {
        err << "qelvar-cli convert: the output cannot be encoded\n";
        return 1;
    }
    out.flush();
    if (!c) {
        err << kErrorDate << '\n';
        return 1;
    }
    return 0;
}

// Shortened copy of a bad input line for a message.
std::string Excerpt(std::string_view line) {
    constexpr std::size_t kMax = 40;
    std::string s(line.substr(0, kMax));
    for (char& ch : s) {
        if (static_cast<unsigned char>(ch) < 0x20 || static_cast<unsigned char>(ch) >= 0x7F)
            ch = '?';
    }
    return line.size() > kMax ? s + "..." : s;
}

int RunBatch(const Options& o, std::istream& in, std::ostream& out, std::ostream& err) {
    LunarCalendar cal;
    std::string buffer;
    buffer.reserve(1 << 17);
    bool anyFailed = false;
    bool anyMalformed = false;
    std::string line;
    for (long lineNo = 1; std::getline(in, line); ++lineNo) {
        const auto words = SplitWords(line);
        if (words.empty()) continue;  // blank lines are skipped
        const auto request = ParseLine(words);
        if (!request) {
            anyMalformed = true;
            err << "qelvar-cli convert: line " << lineNo << ": cannot read '" << Excerpt(line)
                << "' (expected YYYY-MM-DD, lunar YYYY-MM-DD or lunar YYYY-MM-DD leap)\n";
            AppendError(buffer, o.format, kMalformed);
        } else if (const auto c = Convert(cal, *request)) {
            o.format == Format::Json ? AppendJson(buffer, *c) : AppendText(buffer, *c);
        } else {
            anyFailed = true;
            AppendError(buffer, o.format, kErrorDate);
        }
        if (o.format == Format::Text) buffer += '\n';
        if (buffer.size() >= (1 << 16) && !Flush(buffer, o.encoding, out)) {
            err << "qelvar-cli convert: the output cannot be encoded\n";
            return 1;
        }
    }
    if (!Flush(buffer, o.encoding, out)) {
        err << "qelvar-cli convert: the output cannot be encoded\n";
        return 1;
    }
    out.flush();
    return anyMalformed ? 2 : anyFailed ? 1 : 0;
}

}  // namespace

int RunConvert(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
    Options o;
    if (const auto status = ParseOptions(args, o, err)) return *status;
    if (o.help) {
        out << kHelp;
        return 0;
    }
    if (!o.date) return Usage(err, "no date given");
    if (o.leap && !o.lunar) return Usage(err, "--leap needs --lunar");
    if (*o.date == "-") {
        if (o.lunar) return Usage(err, "--lunar does not go with '-'; write 'lunar' on the line");
        return RunBatch(o, in, out, err);
    }
    return RunOne(o, out, err);
}

}  // namespace qelvar::cli
