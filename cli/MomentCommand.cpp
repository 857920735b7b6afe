// qelvar-cli moment: how a clock time in a place is read (instant, standard
// time, true solar time, double-hour and sub-period), without casting; and
// qelvar-cli places: the places a name finds.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "cli/Command.h"
#include "cli/LineReader.h"
#include "cli/MomentOptions.h"
#include "cli/Options.h"
#include "cli/Output.h"
#include "cli/Status.h"
#include "io/Json.h"
#include "moment/PlaceIndex.h"

namespace qelvar::cli {

namespace {

constexpr std::string_view kMomentFooter =
    "Prints the UTC instant, the clock's offset and daylight saving, standard\n"
    "time, the longitude correction 4 x (longitude - 15 x standard offset in\n"
    "hours) and the equation of time in minutes, true solar time, and the date,\n"
    "double-hour (0..12, 12 = 夜子) and sub-period (0..11) a chart is cast with\n"
    "(from true solar time when it is on).  json: the \"moment\" object of\n"
    "'cast --clock'.  A skipped clock time gives \"Nonexistent time\", status 1;\n"
    "a repeated one takes the first occurrence and says so.";

constexpr std::string_view kPlacesFooter =
    "Lists the places NAME may mean: China's divisions down to the county, Taiwan,\n"
    "Hong Kong and Macau, capitals and large cities abroad by their Chinese names,\n"
    "and GeoNames' cities.  One line each: Chinese name (else Latin), level\n"
    "(省级/地级/县级/区/城市), province (or state and country), prefecture, code,\n"
    "longitude, latitude and the zone of the clock births there are written in\n"
    "(Beijing time for all of mainland China).  NAME is Chinese, simplified or\n"
    "traditional, full or short (昆山, 昆山市, 大理州, 紐約), pinyin or Latin (kunshan,\n"
    "Urumqi), a code (320583), with the province, prefecture or country after a\n"
    "comma or before it (\"苏州, 江苏\", 江苏苏州, \"Suzhou, Jiangsu\").  NAME '-'\n"
    "reads names one a line from standard input and writes one text block (ended\n"
    "by an empty line) or one JSON array a line.  Status 1: a name found nothing.";

struct MomentCommandOptions {
    MomentOptions moment;
    Format format = Format::Text;
    Encoding encoding = Encoding::Utf8;
    Language language = Language::ZhCN;
};

int Write(std::string_view command, const std::string& text, Encoding encoding, Language language) {
    Output out(1, encoding, language);
    out.Add(text);
    if (!out.Flush()) return Fail(command, out.Failure(), kIoFailed);
    return kOk;
}

int RunMoment(const MomentCommandOptions& o) {
    if (!o.moment.clock) return UsageError("moment", "--clock \"YYYY-MM-DD HH:MM\" is needed");
    const MomentFromOptions m = MomentOf(o.moment);
    if (!m.moment)
        return m.status == kMalformed ? UsageError("moment", m.problem)
                                      : Fail("moment", m.problem, m.status);
    const MomentResult resolved = ResolveMoment(*m.moment);
    std::string text;
    int status = kOk;
    if (!resolved.ok()) {
        const MomentFailure failure = FailureOf(resolved.error);
        std::cerr << "qelvar-cli moment: " << Escaped(resolved.message, kWholeMessage) << '\n';
        status = failure.status;
        if (o.format == Format::Json) {
            text = "{\"error\":" + JsonString(failure.error) + "}\n";
        } else {
            text = std::string(failure.error) + '\n';
        }
    } else if (o.format == Format::Json) {
        if (resolved.resolution->ambiguous)
            std::cerr << "qelvar-cli moment: " << Escaped(resolved.resolution->note, kWholeMessage)
                      << '\n';
        AppendMomentJson(text, *m.moment, *resolved.resolution);
        text += '\n';
    } else {
        AppendMomentText(text, *m.moment, *resolved.resolution);
    }
    if (const int written = Write("moment", text, o.encoding, o.language); written != kOk)
        return written;
    return status;
}

void AppendPlaceJson(std::string& out, const Place& p) {
    char coordinates[64];
    std::snprintf(coordinates, sizeof coordinates, ",\"longitude\":%.4f,\"latitude\":%.4f",
                  p.longitude, p.latitude);
    out += "{\"name\":" + JsonString(p.name) + ",\"chineseName\":" + JsonString(p.chineseName) +
           ",\"state\":" + JsonString(p.state) + ",\"country\":" + JsonString(p.country) +
           ",\"countryCode\":" + JsonString(p.countryCode) + coordinates +
           ",\"zone\":" + JsonString(ClockZoneFor(p)) +
           ",\"level\":" + JsonString(LevelName(p.level)) +
           ",\"province\":" + JsonString(p.province) +
           ",\"prefecture\":" + JsonString(p.prefecture) + ",\"code\":" + JsonString(p.code) +
           ",\"label\":" + JsonString(PlaceLabel(p)) + "}";
}

std::string OrDash(const std::string& s) {
    return s.empty() ? "-" : s;
}

void AppendPlaceText(std::string& out, const Place& p) {
    const bool chinese = p.checkedChinese && !p.chineseName.empty();
    std::string province = p.province;
    if (p.countryCode != "CN" && p.countryCode != "TW" && p.countryCode != "HK" &&
        p.countryCode != "MO") {
        province = (p.state.empty() ? "" : p.state + ", ") +
                   (p.countryChinese.empty() ? p.country : p.countryChinese);
    }
    char coordinates[48];
    std::snprintf(coordinates, sizeof coordinates, "\t%.2f\t%.2f\t", p.longitude, p.latitude);
    out += (chinese ? p.chineseName : p.name) + '\t' + std::string(LevelName(p.level)) + '\t' +
           OrDash(province) + '\t' + OrDash(p.prefecture) + '\t' + OrDash(p.code) + coordinates +
           ClockZoneFor(p) + '\n';
}

// The candidates of one name; false when it found none.
bool AppendPlaces(std::string& out, const std::string& name, Format format) {
    const auto found = PlaceIndex::Installed().Find(name);
    if (format == Format::Json) {
        out += '[';
        for (std::size_t i = 0; i < found.size(); ++i) {
            if (i) out += ',';
            AppendPlaceJson(out, *found[i]);
        }
        out += "]\n";
    } else {
        for (const Place* p : found) AppendPlaceText(out, *p);
    }
    return !found.empty();
}

int RunPlaces(const std::string& name, Format format, Encoding encoding, Language language) {
    if (name != "-") {
        std::string text;
        const bool found = AppendPlaces(text, name, format);
        if (!found) std::cerr << "qelvar-cli places: no place named '" << Escaped(name) << "'\n";
        if (const int written = Write("places", text, encoding, language); written != kOk)
            return written;
        return found ? kOk : kDateFails;
    }
    Output out(1, encoding, language);
    LineReader in(0);
    std::string line;
    long number = 0;
    bool allFound = true;
    for (LineReader::Result r; (r = in.Next(line)) != LineReader::Result::End;) {
        if (r == LineReader::Result::Failed) break;
        ++number;
        std::string text;
        if (r == LineReader::Result::TooLong) {
            std::cerr << BadLineMessage("places", number, line, kLineTooLong);
            allFound = false;
            text = format == Format::Json ? "[]\n" : "";
        } else {
            allFound = AppendPlaces(text, line, format) && allFound;
        }
        if (format == Format::Text) text += '\n';
        out.Add(text);
        if (!out.FlushIfDue()) break;
    }
    if (in.Errno() != 0)
        return Fail("places",
                    std::string("cannot read standard input: ") + std::strerror(in.Errno()),
                    kIoFailed);
    if (!out.Flush()) return Fail("places", out.Failure(), kIoFailed);
    return allFound ? kOk : kDateFails;
}

}  // namespace

Runner SetUpMoment(Command& command) {
    auto o = std::make_shared<MomentCommandOptions>();
    command.SetFooter(std::string(kMomentFooter));
    AddMomentOptions(command, o->moment);
    AddFormat(command, o->format, {Format::Text, Format::Json});
    AddEncoding(command, o->encoding);
    AddLanguage(command, o->language);
    return [o]() { return RunMoment(*o); };
}

Runner SetUpPlaces(Command& command) {
    struct Options {
        std::string name;
        Format format = Format::Text;
        Encoding encoding = Encoding::Utf8;
        Language language = Language::ZhCN;
    };
    auto o = std::make_shared<Options>();
    command.SetFooter(std::string(kPlacesFooter));
    command.AddText("NAME", o->name, "a place name (Chinese or Latin) or code; - reads names")
        .Required();
    AddFormat(command, o->format, {Format::Text, Format::Json});
    AddEncoding(command, o->encoding);
    AddLanguage(command, o->language);
    return [o]() { return RunPlaces(o->name, o->format, o->encoding, o->language); };
}

}  // namespace qelvar::cli
