// qelvar-cli convert: Gregorian <-> lunar conversion of one date or of a
// batch read from standard input.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/LunarCalendar.h"
#include "cli/Command.h"
#include "cli/LineReader.h"
#include "cli/Options.h"
#include "cli/Output.h"
#include "cli/Status.h"
#include "io/Json.h"

namespace qelvar::cli {

namespace {

constexpr std::string_view kName = "convert";

constexpr std::string_view kFooter =
    "Dates convert within Gregorian 1901-02-19 .. 2051-02-10, lunar\n"
    "1901-01-01 .. 2050-12-29.\n"
    "\n"
    "With '-' each line of standard input is one date, \"2000-02-05\",\n"
    "\"lunar 2020-04-01\" or \"lunar 2020-04-01 leap\", and the results come in\n"
    "order (json: one object per line; text: one block per input, each followed\n"
    "by an empty line); blank lines are skipped.  A date that fails gives\n"
    "\"Error Date\", a malformed line \"Malformed input\".\n"
    "\n"
    "Prints the other date, the lunar text, the Gregorian text with the solar\n"
    "term of the day, the term and the solar month code (1..12 = 寅..丑,\n"
    "13/14 = February on or after / before 立春).";

constexpr std::string_view kErrorDate = "Error Date";
constexpr std::string_view kMalformedInput = "Malformed input";
constexpr std::string_view kExpected =
    "expected YYYY-MM-DD, lunar YYYY-MM-DD or lunar YYYY-MM-DD leap";

struct Options {
    DateArgument date;
    CalendarFlags calendar;
    Format format = Format::Text;
    Encoding encoding = Encoding::Utf8;
    Language language = Language::ZhCN;
};

// One conversion asked for: the numbers as typed, and which calendar they are in.
struct Request {
    bool lunar = false;
    bool leap = false;
    DateNumbers date;
};

struct Conversion {
    SolarDate solar;
    LunarDate lunar;
    std::string lunarText;
    std::string solarText;
    std::string solarTerm;
    SolarMonthCode solarMonthCode = 0;
};

// A batch line: "DATE", "lunar DATE" or "lunar DATE leap".
std::optional<Request> ParseLine(const std::vector<std::string_view>& words) {
    if (words.size() == 1) {
        const auto date = ParseDateNumbers(words[0]);
        if (!date) return std::nullopt;
        return Request{false, false, *date};
    }
    if (words.empty() || words.size() > 3 || words[0] != "lunar") return std::nullopt;
    if (words.size() == 3 && words[2] != "leap") return std::nullopt;
    const auto date = ParseDateNumbers(words[1]);
    if (!date) return std::nullopt;
    return Request{true, words.size() == 3, *date};
}

std::optional<Conversion> Convert(LunarCalendar& cal, const Request& r) {
    if (!FitsDateRecord(r.date)) return std::nullopt;
    const auto y = static_cast<std::uint16_t>(r.date.year);
    const auto m = static_cast<std::uint16_t>(r.date.month);
    const auto d = static_cast<std::uint16_t>(r.date.day);
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
    out += "}";
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

void AppendResult(std::string& out, Format format, const Conversion& c) {
    if (format == Format::Json) {
        AppendJson(out, c);
        out += '\n';
    } else {
        AppendText(out, c);
    }
}

void AppendError(std::string& out, Format format, std::string_view message) {
    if (format == Format::Json) {
        out += "{\"error\":";
        AppendJsonString(out, message);
        out += '}';
    } else {
        out += message;
    }
    out += '\n';
}

int RunOne(const Options& o) {
    const Request request{o.calendar.lunar, o.calendar.leap, o.date.date};
    LunarCalendar cal;
    const auto c = Convert(cal, request);
    std::string piece;
    if (c) {
        AppendResult(piece, o.format, *c);
    } else if (o.format == Format::Json) {
        AppendError(piece, Format::Json, kErrorDate);
    }
    Output out(1, o.encoding, o.language);
    out.Add(piece);
    if (!out.Flush()) return Fail(kName, out.Failure(), kIoFailed);
    if (!c) {
        std::cerr << kErrorDate << '\n';
        return kDateFails;
    }
    return kOk;
}

int RunBatch(const Options& o) {
    LunarCalendar cal;
    LineReader in(0);
    Output out(1, o.encoding, o.language);
    bool anyFailed = false;
    bool anyMalformed = false;
    std::string line, piece;
    long lineNo = 0;
    for (LineReader::Result r; (r = in.Next(line)) != LineReader::Result::End;) {
        if (r == LineReader::Result::Failed) break;
        ++lineNo;
        piece.clear();
        const auto words = SplitWords(line);
        if (r == LineReader::Result::Line && words.empty()) continue;  // blank lines are skipped
        const auto request = r == LineReader::Result::Line ? ParseLine(words) : std::nullopt;
        if (!request) {
            anyMalformed = true;
            std::cerr << BadLineMessage(
                kName, lineNo, line, r == LineReader::Result::TooLong ? kLineTooLong : kExpected);
            AppendError(piece, o.format, kMalformedInput);
        } else if (const auto c = Convert(cal, *request)) {
            AppendResult(piece, o.format, *c);
        } else {
            anyFailed = true;
            AppendError(piece, o.format, kErrorDate);
        }
        if (o.format == Format::Text) piece += '\n';
        if (!out.Add(piece) || !out.FlushIfDue()) break;
    }
    out.Flush();
    if (out.Failed()) return Fail(kName, out.Failure(), kIoFailed);
    if (in.Errno() != 0)
        return Fail(kName, std::string("cannot read standard input: ") + std::strerror(in.Errno()),
                    kIoFailed);
    return anyMalformed ? kMalformed : anyFailed ? kDateFails : kOk;
}

}  // namespace

Runner SetUpConvert(Command& command) {
    auto o = std::make_shared<Options>();
    command.SetFooter(std::string(kFooter));
    AddDateArgument(command, o->date, true,
                    "YYYY-MM-DD, a Gregorian date unless --lunar; '-' reads one date per line "
                    "of standard input");
    AddCalendarFlags(command, o->calendar);
    AddFormat(command, o->format, {Format::Text, Format::Json});
    AddEncoding(command, o->encoding);
    AddLanguage(command, o->language);
    return [o]() {
        if (!o->date.given) return UsageError(kName, "no date given");
        if (o->date.batch) {
            if (o->calendar.lunar)
                return UsageError(kName, "--lunar does not go with '-'; write 'lunar' on the line");
            return RunBatch(*o);
        }
        return RunOne(*o);
    };
}

}  // namespace qelvar::cli
