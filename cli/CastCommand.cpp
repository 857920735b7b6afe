// qelvar-cli cast: one chart from the command line, or one chart per input
// line with "-".  Every cast builds its birth data with the functions the
// desktop form uses, so the command and the desktop program cannot disagree.
#include <cstdlib>
#include <ctime>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "chart/ChartRender.h"
#include "cli/CastModel.h"
#include "cli/ChartJson.h"
#include "cli/ChartText.h"
#include "cli/Commands.h"
#include "cli/Encoding.h"

namespace qelvar::cli {

namespace {

constexpr std::string_view kCastUsage =
    "Usage: qelvar-cli cast DATE --hour H --minute M [--sex S] [options]\n"
    "       qelvar-cli cast [--format json|text] [--today D] -\n"
    "\n"
    "  DATE            YYYY-MM-DD, Gregorian unless --lunar\n"
    "  --lunar         DATE is a lunar date; --leap marks its leap month\n"
    "  --hour H        double-hour: 0..12 (12 = 夜子 23-24) or 子..亥, 夜子\n"
    "  --minute M      ten-minute sub-period of the double-hour: 0..11\n"
    "  --sex S         0 or 男 (default), 1 or 女\n"
    "  --today D       YYYY-MM-DD the days lived are counted to (default: today)\n"
    "  --format F      text (default), json or png\n"
    "  --output FILE   the PNG file of --format png (the chart window, drawn\n"
    "                  without a display); 'qelvar-cli render' is cast --format png\n"
    "  --scale S       size of the PNG: S times the window at zoom 1 (0.25..8)\n"
    "  --encoding E    utf-8 (default) or gbk, for text output\n"
    "\n"
    "With '-' each input line is one case, \"2000-02-05 6 0 0\" or\n"
    "\"lunar 2020-04-01 leap 6 0 1\" (date, hour, minute, sex), and each gives\n"
    "one output (a JSON object per line); a date that fails gives\n"
    "{\"error\":\"Error Date\"} and a malformed line {\"error\":\"Malformed input\"}.\n"
    "\n"
    "Exit status: 0 success; 1 a date that fails (\"Error Date\"); 2 malformed\n"
    "arguments or input lines.\n";

constexpr std::string_view kMalformed = "Malformed input";

enum class Format { Text, Json, Png };

struct Options {
    bool batch = false;
    bool haveDate = false;
    bool haveHour = false;
    bool haveMinute = false;
    std::string dateText;
    CastRequest request;
    std::chrono::year_month_day today;
    Format format = Format::Text;
    Encoding encoding = Encoding::Utf8;
    std::string output;  // --output, for png
    double scale = 1;    // --scale, for png
};

std::chrono::year_month_day LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::string IsoDate(std::chrono::year_month_day d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", static_cast<int>(d.year()),
                  static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
    return buf;
}

// Parses the arguments; returns an error message, empty when they are fine.
std::string ParseOptions(const Args& args, Options& o) {
    bool leapSeen = false;
    bool encodingSeen = false;
    o.today = LocalToday();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= args.size()) return false;
            v = args[++i];
            return true;
        };
        std::string v;
        if (a == "--lunar") {
            o.request.lunar = true;
        } else if (a == "--leap") {
            leapSeen = true;
            o.request.leap = true;
        } else if (a == "--hour") {
            if (!value(v)) return "--hour needs a value";
            const auto h = ParseHour(v);
            if (!h) return "--hour takes 0..12, 子..亥 or 夜子, not '" + v + "'";
            o.request.hourSelection = *h;
            o.haveHour = true;
        } else if (a == "--minute") {
            if (!value(v)) return "--minute needs a value";
            const auto m = ParseMinute(v);
            if (!m) return "--minute takes 0..11, not '" + v + "'";
            o.request.minuteSelection = *m;
            o.haveMinute = true;
        } else if (a == "--sex") {
            if (!value(v)) return "--sex needs a value";
            const auto male = ParseMale(v);
            if (!male) return "--sex takes 0, 1, 男 or 女, not '" + v + "'";
            o.request.male = *male;
        } else if (a == "--today") {
            if (!value(v)) return "--today needs a value";
            const auto d = ParseIsoDate(v);
            if (!d) return "--today takes a date YYYY-MM-DD, not '" + v + "'";
            o.today = *d;
        } else if (a == "--format") {
            if (!value(v)) return "--format needs a value";
            if (v == "text")
                o.format = Format::Text;
            else if (v == "json")
                o.format = Format::Json;
            else if (v == "png")
                o.format = Format::Png;
            else
                return "--format takes text, json or png, not '" + v + "'";
        } else if (a == "--output") {
            if (!value(v) || v.empty()) return "--output needs a file name";
            o.output = v;
        } else if (a == "--scale") {
            if (!value(v)) return "--scale needs a value";
            char* end = nullptr;
            o.scale = std::strtod(v.c_str(), &end);
            if (v.empty() || *end != '\0' || !(o.scale >= 0.25 && o.scale <= 8))
                return "--scale takes a number from 0.25 to 8, not '" + v + "'";
        } else if (a == "--encoding") {
            if (!value(v)) return "--encoding needs a value";
            const auto e = ParseEncoding(v);
            if (!e) return "--encoding takes utf-8 or gbk, not '" + v + "'";
            o.encoding = *e;
            encodingSeen = true;
        } else if (a == "-") {
            if (o.batch || o.haveDate) return "give either one date or '-'";
            o.batch = true;
        } else if (!a.empty() && a[0] == '-') {
            return "unknown option '" + a + "'";
        } else {
            if (o.batch || o.haveDate) return "give either one date or '-'";
            if (!ParseDateNumbers(a, o.request.year, o.request.month, o.request.day))
                return "the date must be YYYY-MM-DD, not '" + a + "'";
            o.haveDate = true;
            o.dateText = a;
        }
    }
    if (!o.batch && !o.haveDate) return "a date (or '-' for input lines) is needed";
    if (o.batch && (o.request.lunar || leapSeen || o.haveHour || o.haveMinute))
        return "with '-' the date, hour, minute and sex come from the input lines";
    if (!o.batch && (!o.haveHour || !o.haveMinute)) return "--hour and --minute are needed";
    if (leapSeen && !o.request.lunar) return "--leap needs --lunar";
    if (o.format == Format::Png && o.batch)
        return "--format png draws one chart: give a date, not '-'";
    if (o.format == Format::Png && o.output.empty()) return "--format png needs --output FILE";
    if (o.format != Format::Png && !o.output.empty()) return "--output goes with --format png";
    if (o.format != Format::Png && o.scale != 1) return "--scale goes with --format png";
    if (encodingSeen && o.encoding == Encoding::Gbk && o.format == Format::Json)
        return "--encoding gbk applies to text output; JSON is always UTF-8";
    return {};
}

// One input line: "2000-02-05 6 0 0" or "lunar 2020-04-01 [leap] 6 0 1".
std::string ParseLine(const std::string& line, CastRequest& r) {
    std::istringstream in(line);
    std::vector<std::string> t;
    for (std::string w; in >> w;) t.push_back(w);
    r = CastRequest{};
    std::size_t i = 0;
    if (i < t.size() && t[i] == "lunar") {
        r.lunar = true;
        ++i;
    }
    if (i >= t.size() || !ParseDateNumbers(t[i], r.year, r.month, r.day))
        return "expected a date YYYY-MM-DD";
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
void AppendOne(std::string& out, const CastResult& result, const Options& o,
               const std::string& today) {
    if (o.format == Format::Json) {
        if (result.ok)
            AppendCastJson(out, result, today);
        else
            AppendErrorJson(out, result.error);
        out += '\n';
    } else if (result.ok) {
        AppendChartText(out, result.chart->Grid());
    } else {
        out += result.error;
        out += '\n';
    }
}

bool Write(std::ostream& out, std::ostream& err, const std::string& text, Encoding encoding) {
    if (encoding == Encoding::Utf8) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return true;
    }
    const std::optional<std::string> gbk = Encode(text, encoding);
    if (!gbk) {
        err << "qelvar-cli cast: the output cannot be written in GBK\n";
        return false;
    }
    out.write(gbk->data(), static_cast<std::streamsize>(gbk->size()));
    return true;
}

// The chart window of one cast, drawn to the --output file.
int CastPng(const Options& o, std::ostream& err) {
    CastResult result;
    CastRequestOnce(o.request, o.today, result);
    if (!result.ok) {
        err << result.error << '\n';
        return 1;
    }
    std::string problem;
    if (!RenderChartPng(result.chart->Grid(), o.output, &problem, o.scale)) {
        err << "qelvar-cli cast: cannot write " << o.output << ": " << problem << '\n';
        return 2;
    }
    return 0;
}

}  // namespace

int RunCast(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            out << kCastUsage;
            return 0;
        }
    }
    Options o;
    if (const std::string problem = ParseOptions(args, o); !problem.empty()) {
        err << "qelvar-cli cast: " << problem << "\n\n" << kCastUsage;
        return 2;
    }
    if (o.format == Format::Png) return CastPng(o, err);
    const std::string today = IsoDate(o.today);
    CastResult result;
    std::string buffer;

    if (!o.batch) {
        CastRequestOnce(o.request, o.today, result);
        AppendOne(buffer, result, o, today);
        if (!Write(out, err, buffer, o.encoding)) return 2;
        return result.ok ? 0 : 1;
    }

    // Batch: one output per input line, in order.  A malformed line gives a
    // message on stderr and {"error":"Malformed input"} in its place.
    bool anyMalformed = false, anyFailed = false;
    std::string line;
    for (long number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;  // blank line
        CastRequest request;
        if (const std::string problem = ParseLine(line, request); !problem.empty()) {
            anyMalformed = true;
            err << "qelvar-cli cast: line " << number << ": " << problem << ": '" << line << "'\n";
            result.ok = false;
            result.error = kMalformed;
        } else {
            CastRequestOnce(request, o.today, result);
            anyFailed = anyFailed || !result.ok;
        }
        AppendOne(buffer, result, o, today);
        if (o.format == Format::Text) buffer += '\n';
        if (buffer.size() >= (1 << 16)) {
            if (!Write(out, err, buffer, o.encoding)) return 2;
            buffer.clear();
        }
    }
    if (!Write(out, err, buffer, o.encoding)) return 2;
    out.flush();
    return anyMalformed ? 2 : anyFailed ? 1 : 0;
}

}  // namespace qelvar::cli
