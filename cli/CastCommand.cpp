// qelvar-cli cast: one chart from the command line, or one chart per input
// line with "-".  Every cast builds its birth data with the functions the
// desktop form uses, so the command and the desktop program cannot disagree.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "chart/Cycle.h"
#include "cli/CastModel.h"
#include "cli/CastOptions.h"
#include "cli/ChartJson.h"
#include "cli/ChartPng.h"
#include "cli/ChartText.h"
#include "cli/Command.h"
#include "cli/LineReader.h"
#include "cli/MomentOptions.h"
#include "cli/Options.h"
#include "cli/Output.h"
#include "cli/PeriodOptions.h"
#include "cli/PeriodsOutput.h"
#include "cli/Status.h"
#include "moment/MomentText.h"

namespace qelvar::cli {

namespace {

constexpr std::string_view kCastFooter =
    "Formats: text, the chart as the window shows it; json, one object with the\n"
    "birth, every slot and the twelve palaces; png, the chart window drawn to\n"
    "--output FILE without a display (as 'qelvar-cli render').\n"
    "\n"
    "--clock \"YYYY-MM-DD HH:MM\" gives the birth as the clock showed it, in\n"
    "--zone (default Asia/Shanghai; a place in China keeps Beijing time), with\n"
    "--place NAME or --longitude E for true solar time; the double-hour and\n"
    "sub-period follow from it, and json gains a \"moment\" object ('qelvar-cli\n"
    "moment' shows the reading alone).  A clock time skipped when daylight\n"
    "saving began gives \"Nonexistent time\" and status 1.\n"
    "\n"
    "With '-' each line of standard input is one case, \"2000-02-05 6 0 0\" or\n"
    "\"lunar 2020-04-01 leap 6 0 1\" (date, hour, minute, sex) or\n"
    "\"clock 2000-02-05 12:10 Asia/Shanghai 87.6 0\" (clock time, zone,\n"
    "longitude or '-', sex; --dst and --solar-time apply), and each gives one\n"
    "output in order (json: one object per line); a date that fails gives\n"
    "\"Error Date\" ({\"error\":\"Error Date\"}), a skipped clock time\n"
    "{\"error\":\"Nonexistent time\"}, and a malformed line, an unknown zone or\n"
    "a longitude outside -180..180 {\"error\":\"Malformed input\"}; blank lines\n"
    "are skipped.  A line may end in \"at YYYY-MM-DD [H]\", its own --at and\n"
    "--at-hour.\n"
    "\n"
    "--at adds the periods at a Gregorian date: text, one block per layer\n"
    "(大限 小限 流年 流月 流日, 流时 with --at-hour); json, \"horoscope\".  A target\n"
    "outside the calendar gives \"Error Date\", one before the chart's year\n"
    "\"Error Target\" (exit status 1).  JSON always has \"conventions\",\n"
    "\"decades\" and \"flying\".";

constexpr std::string_view kRenderFooter =
    "The chart as the chart window draws it, written to --output as PNG, SVG or\n"
    "PDF by the file's suffix (PNG for any other), offscreen whatever\n"
    "QT_QPA_PLATFORM says, so no display is needed.  The birth is given as to\n"
    "'qelvar-cli cast' (a date with --hour and --minute, or --clock).\n"
    "\n"
    "--at DATE [--at-hour H] draws the periods at that Gregorian date as the\n"
    "window's timeline does: a band per layer along the bottom of every cell\n"
    "(大限 小限 流年 流月 流日, 流时 with --at-hour); --layers 大限,流年 keeps\n"
    "those listed.  --select BRANCH outlines the 三方四正 of the cell of that\n"
    "branch (子..亥) and draws its 飞化 as arrows.  --palette clear uses the\n"
    "清晰 colours; --no-adjectives leaves the adjective stars out.";

constexpr std::string_view kMalformedInput = "Malformed input";

std::optional<Branch> ParseBranch(std::string_view text) {
    for (Branch b = 0; b < 12; ++b)
        if (text == BranchName(b)) return b;
    return std::nullopt;
}

std::optional<bool> ParsePalette(std::string_view text) {
    if (text == "natal") return false;
    if (text == "clear" || text == "清晰") return true;
    return std::nullopt;
}

// "大限,流年" (or decade,minor,year,month,day,hour).
std::optional<std::vector<LayerKind>> ParseLayers(std::string_view text) {
    static constexpr std::array<std::string_view, 6> kLatin = {"decade", "minor", "year",
                                                               "month",  "day",   "hour"};
    std::vector<LayerKind> layers;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view word = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        bool found = false;
        for (int k = 0; k < 6; ++k) {
            const auto kind = static_cast<LayerKind>(k);
            if (word == LayerName(kind) || word == kLatin[static_cast<std::size_t>(k)]) {
                layers.push_back(kind);
                found = true;
            }
        }
        if (!found) return std::nullopt;
    }
    if (layers.empty()) return std::nullopt;
    return layers;
}

std::string IsoDate(std::chrono::year_month_day d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    return buf;
}

CastRequest RequestOf(const CastOptions& o) {
    CastRequest r;
    r.lunar = o.birth.calendar.lunar;
    r.leap = o.birth.calendar.leap;
    r.date = o.date.date;
    r.hourSelection = o.birth.hour.value_or(0);
    r.minuteSelection = o.birth.minute.value_or(0);
    r.male = o.birth.male;
    r.conventions = o.periods.conventions;
    r.at = o.periods.at;
    r.atHour = o.periods.atHour;
    return r;
}

// One case of a batch: a date with its lists, or a clock time.
struct CastLine {
    CastRequest request;
    std::optional<BirthMoment> moment;
};

// "clock YYYY-MM-DD HH:MM ZONE LONGITUDE SEX", the words after "clock".
std::string ParseClockLine(const std::vector<std::string_view>& t, const MomentOptions& o,
                           CastLine& c) {
    if (t.size() != 6) return "expected: clock YYYY-MM-DD HH:MM ZONE LONGITUDE SEX";
    const auto clock = ParseClock(std::string(t[1]) + " " + std::string(t[2]));
    if (!clock) return "expected a clock time YYYY-MM-DD HH:MM";
    BirthMoment m;
    m.clock = *clock;
    m.zone = t[3];
    if (t[4] != "-") {
        const auto longitude = ParseFiniteNumber(t[4]);
        if (!longitude) return "longitude must be degrees east or '-'";
        m.place = Birthplace{"", *longitude, std::nullopt};
    }
    m.dst = o.dst;
    m.trueSolarTime = o.solarTime;
    const auto male = ParseMale(t[5]);
    if (!male) return "sex must be 0, 1, 男 or 女";
    c.request.male = *male;
    c.moment = std::move(m);
    return {};
}

// One input line: "2000-02-05 6 0 0", "lunar 2020-04-01 [leap] 6 0 1" or a
// clock line, each optionally ending in "at YYYY-MM-DD [H]"; returns the
// problem, empty when the line is fine.  `c.request` comes in with the
// conventions and target of the options.
std::string ParseLine(std::string_view line, const MomentOptions& o, CastLine& c) {
    std::vector<std::string_view> t = SplitWords(line);
    CastRequest& r = c.request;
    // A closing "at YYYY-MM-DD [H]" is the line's own target.
    for (std::size_t k = 0; k < t.size(); ++k) {
        if (t[k] != "at") continue;
        if (k + 1 >= t.size() || k + 3 < t.size()) return "expected: at YYYY-MM-DD [HOUR]";
        r.at = ParseDateNumbers(t[k + 1]);
        if (!r.at) return "expected a target date YYYY-MM-DD after 'at'";
        r.atHour.reset();
        if (k + 2 < t.size()) {
            r.atHour = ParseHour(t[k + 2]);
            if (!r.atHour) return "the target hour must be 0..12, 子..亥 or 夜子";
        }
        t.resize(k);
        break;
    }
    if (!t.empty() && t[0] == "clock") return ParseClockLine(t, o, c);
    std::size_t i = 0;
    if (i < t.size() && t[i] == "lunar") {
        r.lunar = true;
        ++i;
    }
    const auto date = i < t.size() ? ParseDateNumbers(t[i]) : std::nullopt;
    if (!date) return "expected a date YYYY-MM-DD";
    r.date = *date;
    ++i;
    if (r.lunar && i < t.size() && t[i] == "leap") {
        r.leap = true;
        ++i;
    }
    if (t.size() - i != 3) return "expected: [lunar] DATE [leap] HOUR MINUTE SEX";
    const auto h = ParseHour(t[i]);
    const auto m = ParseMinute(t[i + 1]);
    const auto male = ParseMale(t[i + 2]);
    if (!h) return "hour must be 0..12, 子..亥 or 夜子";
    if (!m) return "minute must be 0..11";
    if (!male) return "sex must be 0, 1, 男 or 女";
    r.hourSelection = *h;
    r.minuteSelection = *m;
    r.male = *male;
    return {};
}

// Appends the output of one cast: a JSON line, a text chart or the error text.
void AppendOne(std::string& out, const CastResult& result, Format format, const std::string& today,
               Language language) {
    if (format == Format::Json) {
        if (result.ok)
            AppendCastJson(out, result, today);
        else
            AppendErrorJson(out, result.error);
        out += '\n';
    } else if (result.ok) {
        if (result.moment && result.resolution) {
            out += DescribeResolution(*result.moment, *result.resolution);
            out += '\n';
        }
        AppendChartText(out, result.chart, result.grid, language);
        AppendPeriodsText(out, result.conventions, result.horoscope ? &*result.horoscope : nullptr);
    } else {
        out += result.error;
        out += '\n';
    }
}

// Resolves the clock time of one case and casts it.  A clock time that
// cannot be read leaves `result` failed with its error object's text, the
// reason on stderr, and returns the status it gives.
int CastClock(std::string_view command, const BirthMoment& moment, const CastRequest& request,
              std::chrono::year_month_day today, CastResult& result) {
    const MomentResult resolved = ResolveMoment(moment);
    if (!resolved.ok()) {
        const MomentFailure failure = FailureOf(resolved.error);
        std::cerr << "qelvar-cli " << command << ": " << Escaped(resolved.message, kWholeMessage)
                  << '\n';
        result = CastResult{};
        result.error = failure.error;
        return failure.status;
    }
    if (resolved.resolution->ambiguous)
        std::cerr << "qelvar-cli " << command << ": "
                  << Escaped(resolved.resolution->note, kWholeMessage) << '\n';
    CastMomentOnce(moment, *resolved.resolution, request, today, result);
    return result.ok ? kOk : kDateFails;
}

// The chart window of one cast, drawn to the --output file.
int CastPng(std::string_view command, const CastOptions& o) {
    CastResult result;
    if (const int status = CastFromOptions(command, o, result); status == kMalformed) return status;
    if (!result.ok) {
        std::cerr << result.error << '\n';
        return kDateFails;
    }
    const std::string conventions = ConventionsText(result.conventions);
    ChartDrawing drawing;
    drawing.scale = o.scale;
    drawing.language = o.language;
    drawing.natal = &result.natal;
    drawing.chart = &result.chart;
    drawing.select = o.select;
    drawing.clearPalette = o.clearPalette;
    drawing.adjectives = !o.noAdjectives;
    if (result.horoscope) {
        drawing.horoscope = &*result.horoscope;
        for (const PeriodLayer& l : result.horoscope->layers)
            if (!o.layers ||
                std::find(o.layers->begin(), o.layers->end(), l.kind) != o.layers->end())
                drawing.layers.push_back(l.kind);
    }
    const PngOutcome png =
        WriteChartPng(command, result.grid, o.output,
                      conventions.empty() ? std::string() : "conventions: " + conventions, drawing);
    if (png.status != kOk) return Fail(command, png.problem, png.status);
    return kOk;
}

int CastOne(const CastOptions& o) {
    CastResult result;
    const int status = CastFromOptions("cast", o, result);
    if (status == kMalformed && result.error.empty()) return status;
    std::string piece;
    AppendOne(piece, result, o.format, IsoDate(o.birth.today), o.language);
    Output out(1, o.encoding, o.language);
    out.Add(piece);
    if (!out.Flush()) return Fail("cast", out.Failure(), kIoFailed);
    return status;
}

// Batch: one output per input line, in order.  A malformed line gives a
// message on stderr and {"error":"Malformed input"} in its place.
int CastBatch(const CastOptions& o) {
    const std::string today = IsoDate(o.birth.today);
    LineReader in(0);
    Output out(1, o.encoding, o.language);
    CastResult result;
    bool anyMalformed = false, anyFailed = false;
    std::string line, piece;
    long number = 0;
    for (LineReader::Result r; (r = in.Next(line)) != LineReader::Result::End;) {
        if (r == LineReader::Result::Failed) break;
        ++number;
        if (r == LineReader::Result::Line && SplitWords(line).empty()) continue;  // blank line
        CastLine c;
        c.request = RequestOf(o);  // the conventions and target of the options
        const std::string problem = r == LineReader::Result::TooLong ? std::string(kLineTooLong)
                                                                     : ParseLine(line, o.moment, c);
        if (!problem.empty()) {
            anyMalformed = true;
            std::cerr << BadLineMessage("cast", number, line, problem);
            result = CastResult{};
            result.error = kMalformedInput;
        } else if (c.moment) {
            const std::string where = "cast: line " + std::to_string(number);
            const int status = CastClock(where, *c.moment, c.request, o.birth.today, result);
            anyMalformed = anyMalformed || status == kMalformed;
            anyFailed = anyFailed || status == kDateFails;
        } else {
            CastRequestOnce(c.request, o.birth.today, result);
            anyFailed = anyFailed || !result.ok;
        }
        // Written straight into the output when it passes unchanged.
        std::string* const inPlace = out.InPlace();
        std::string& target = inPlace ? *inPlace : piece;
        if (!inPlace) piece.clear();
        AppendOne(target, result, o.format, today, o.language);
        if (o.format == Format::Text) target += '\n';
        if (inPlace)
            out.AddedInPlace();
        else if (!out.Add(piece))
            break;
        if (!out.FlushIfDue()) break;
    }
    out.Flush();
    if (out.Failed()) return Fail("cast", out.Failure(), kIoFailed);
    if (in.Errno() != 0)
        return Fail("cast", std::string("cannot read standard input: ") + std::strerror(in.Errno()),
                    kIoFailed);
    return anyMalformed ? kMalformed : anyFailed ? kDateFails : kOk;
}

void AddScale(Command& command, double& scale) {
    auto parse = [](std::string_view text) {
        const auto value = ParseFiniteNumber(text);
        return value && *value >= 0.25 && *value <= 8.0 ? value : std::nullopt;
    };
    AddParsedOption(command, "--scale", scale, parse, "S", "a number from 0.25 to 8",
                    "the PNG at S times the window's size at zoom 1");
}

}  // namespace

std::string Contradiction(const CastOptions& o) {
    const bool png = o.format == Format::Png;
    const MomentOptions& m = o.moment;
    const bool placed = m.zone || m.place || m.longitude;
    if (o.fromLibrary) {
        if (o.date.given || m.clock || placed || o.birth.calendar.lunar || o.birth.hour ||
            o.birth.minute)
            return "--from-library gives the birth: no date, --clock, --lunar, --hour or --minute";
        if (png && o.output.empty()) return "the PNG needs --output FILE";
        if (!png && !o.output.empty()) return "--output goes with --format png";
        return {};
    }
    if (m.clock) {
        if (o.date.given) return "give either --clock or a date, not both";
        if (o.birth.calendar.lunar || o.birth.hour || o.birth.minute)
            return "--clock gives the date and time: no --lunar, --hour or --minute";
        if (png && o.output.empty()) return "the PNG needs --output FILE";
        if (!png && !o.output.empty()) return "--output goes with --format png";
        return {};
    }
    if (placed && !o.date.batch) return "--zone, --place and --longitude go with --clock";
    if (placed) return "with '-' the zone and longitude come from clock lines";
    if (!o.date.batch && (m.dst != DstChoice::Auto || m.solarTime))
        return "--dst and --solar-time go with --clock or clock lines";
    if (!o.date.given) return "a date, --clock, or '-' for input lines is needed";
    if (o.date.batch && (o.birth.calendar.lunar || o.birth.hour || o.birth.minute))
        return "with '-' the date, hour, minute and sex come from the input lines";
    if (!o.date.batch && (!o.birth.hour || !o.birth.minute))
        return "--hour and --minute are needed";
    if (png && o.date.batch) return "a PNG holds one chart: give a date, not '-'";
    if (png && o.output.empty()) return "the PNG needs --output FILE";
    if (!png && !o.output.empty()) return "--output goes with --format png";
    if (!png && o.scale != 1) return "--scale goes with --format png";
    return {};
}

int CastFromOptions(std::string_view command, const CastOptions& o, CastResult& result) {
    if (o.storedMoment)
        return CastClock(command, *o.storedMoment, RequestOf(o), o.birth.today, result);
    if (!o.moment.clock) {
        CastRequestOnce(RequestOf(o), o.birth.today, result);
        return result.ok ? kOk : kDateFails;
    }
    const MomentFromOptions m = MomentOf(o.moment);
    if (!m.moment) {
        result = CastResult{};  // no error text: nothing goes to standard output
        return m.status == kMalformed ? UsageError(command, m.problem)
                                      : Fail(command, m.problem, m.status);
    }
    return CastClock(command, *m.moment, RequestOf(o), o.birth.today, result);
}

Runner SetUpCast(Command& command) {
    auto o = std::make_shared<CastOptions>();
    command.SetFooter(std::string(kCastFooter));
    AddDateArgument(command, o->date, true,
                    "YYYY-MM-DD, Gregorian unless --lunar; '-' reads one case per line of "
                    "standard input");
    AddBirthOptions(command, o->birth);
    AddMomentOptions(command, o->moment);
    AddFormat(command, o->format, {Format::Text, Format::Json, Format::Png});
    AddOutputFile(command, o->output, "the PNG file of --format png");
    AddScale(command, o->scale);
    AddEncoding(command, o->encoding);
    AddLanguage(command, o->language);
    AddTargetOptions(command, o->periods);
    AddConventionOptions(command, o->periods.conventions);
    AddFromLibrary(command, *o);
    return [o]() {
        if (const std::string problem = Contradiction(*o); !problem.empty())
            return UsageError("cast", problem);
        if (const int status = LoadFromLibrary("cast", *o); status != kOk) return status;
        if (o->format == Format::Png) return CastPng("cast", *o);
        return o->date.batch ? CastBatch(*o) : CastOne(*o);
    };
}

Runner SetUpRender(Command& command) {
    auto o = std::make_shared<CastOptions>();
    o->format = Format::Png;
    command.SetFooter(std::string(kRenderFooter));
    AddDateArgument(command, o->date, false, "YYYY-MM-DD, Gregorian unless --lunar");
    AddBirthOptions(command, o->birth);
    AddMomentOptions(command, o->moment);
    AddOutputFile(command, o->output,
                  "the .png, .svg or .pdf file to write (replaced whole or not at all)");
    AddScale(command, o->scale);
    AddTargetOptions(command, o->periods);
    AddLanguage(command, o->language);
    AddConventionOptions(command, o->periods.conventions);
    AddParsedOption(command, "--select", o->select, ParseBranch, "BRANCH", "a branch 子..亥",
                    "the selected cell: its 三方四正 and 飞化");
    AddParsedOption(command, "--palette", o->clearPalette, ParsePalette, "natal|clear",
                    "natal or clear", "the window's colours (default) or the 清晰 colours");
    AddParsedOption(command, "--layers", o->layers, ParseLayers, "LIST",
                    "layer names such as 大限,流年",
                    "with --at: the layers drawn, e.g. 大限,流年 (default all)");
    command.AddFlag("--no-adjectives", o->noAdjectives, "leave the adjective stars out");
    AddFromLibrary(command, *o);
    return [o]() {
        if (const std::string problem = Contradiction(*o); !problem.empty())
            return UsageError("render", problem);
        if (const int status = LoadFromLibrary("render", *o); status != kOk) return status;
        if (o->layers && !o->periods.at) return UsageError("render", "--layers goes with --at");
        return CastPng("render", *o);
    };
}

}  // namespace qelvar::cli
