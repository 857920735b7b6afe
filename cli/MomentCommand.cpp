// qelvar-cli moment: how a clock time in a place is read (instant, standard
// time, true solar time, double-hour and sub-period), without casting; and
// qelvar-cli places: the places a name finds.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/MomentOptions.h"
#include "cli/Options.h"
#include "cli/Output.h"
#include "cli/Status.h"
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
    "Lists the places of the GeoNames data that NAME finds, most populous\n"
    "first: Latin name, Chinese name, state, country, longitude, latitude and\n"
    "the zone of the clock births there are written in (Beijing time for\n"
    "every place in China).  NAME is Chinese or Latin (成都, Chengdu, Urumqi);\n"
    "\"Suzhou, Anhui\" narrows it by state or country.  Status 1: no place found.";

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
    if (!m.moment) return UsageError("moment", m.problem);
    const MomentResult resolved = ResolveMoment(*m.moment);
    std::string text;
    int status = kOk;
    if (!resolved.ok()) {
        const MomentFailure failure = FailureOf(resolved.error);
        std::cerr << "qelvar-cli moment: " << resolved.message << '\n';
        status = failure.status;
        if (o.format == Format::Json) {
            text = "{\"error\":" + JsonString(failure.error) + "}\n";
        } else {
            text = std::string(failure.error) + '\n';
        }
    } else if (o.format == Format::Json) {
        if (resolved.resolution->ambiguous)
            std::cerr << "qelvar-cli moment: " << resolved.resolution->note << '\n';
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
           ",\"zone\":" + JsonString(ClockZoneFor(p)) + "}";
}

int RunPlaces(const std::string& name, Format format, Encoding encoding, Language language) {
    const auto found = PlaceIndex::Installed().Find(name);
    std::string text;
    if (format == Format::Json) {
        text += '[';
        for (std::size_t i = 0; i < found.size(); ++i) {
            if (i) text += ',';
            AppendPlaceJson(text, *found[i]);
        }
        text += "]\n";
    } else {
        char buf[64];
        for (const Place* p : found) {
            std::snprintf(buf, sizeof buf, "\t%.4f\t%.4f\t", p->longitude, p->latitude);
            text += p->name + '\t' + (p->chineseName.empty() ? "-" : p->chineseName) + '\t' +
                    p->state + ", " + p->country + buf + ClockZoneFor(*p) + '\n';
        }
    }
    if (found.empty()) std::cerr << "qelvar-cli places: no place named '" << name << "'\n";
    if (const int written = Write("places", text, encoding, language); written != kOk)
        return written;
    return found.empty() ? kDateFails : kOk;
}

}  // namespace

Runner SetUpMoment(CLI::App& command) {
    auto o = std::make_shared<MomentCommandOptions>();
    command.footer(std::string(kMomentFooter));
    AddMomentOptions(command, o->moment);
    AddFormat(command, o->format, {Format::Text, Format::Json});
    AddEncoding(command, o->encoding);
    AddLanguage(command, o->language);
    return [o]() { return RunMoment(*o); };
}

Runner SetUpPlaces(CLI::App& command) {
    struct Options {
        std::string name;
        Format format = Format::Text;
        Encoding encoding = Encoding::Utf8;
        Language language = Language::ZhCN;
    };
    auto o = std::make_shared<Options>();
    command.footer(std::string(kPlacesFooter));
    command.add_option("NAME", o->name, "a place name, Chinese or Latin")->required();
    AddFormat(command, o->format, {Format::Text, Format::Json});
    AddEncoding(command, o->encoding);
    AddLanguage(command, o->language);
    return [o]() { return RunPlaces(o->name, o->format, o->encoding, o->language); };
}

}  // namespace qelvar::cli
