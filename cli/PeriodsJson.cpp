// JSON of the periods; cells are written as branch names, tables keyed by
// cell run 寅 .. 丑 as the ring does.
#include <cstdio>

#include "chart/StarTables.h"
#include "cli/PeriodsOutput.h"
#include "io/Json.h"

namespace qelvar::cli {

namespace {

// Branches in ring order, 寅 first.
constexpr std::array<Branch, 12> kRing = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 1};

void Cell(std::string& out, Branch b) {
    if (b < 0)
        out += "null";
    else
        AppendJsonString(out, BranchName(b));
}

void StemBranchText(std::string& out, StemBranch sb) {
    std::string s(StemName(sb.stem));
    s += BranchName(sb.branch);
    AppendJsonString(out, s);
}

void Transformations(std::string& out, const FourTransformations& t) {
    out += '[';
    for (int k = 0; k < 4; ++k) {
        if (k) out += ',';
        out += "{\"mark\":";
        AppendJsonString(out, kTransformationMarks[t[k].mark]);
        out += ",\"star\":";
        AppendJsonString(out, t[k].star);
        out += ",\"cell\":";
        Cell(out, t[k].cell);
        out += '}';
    }
    out += ']';
}

// {"寅": "...", ...} from names by Branch.
void ByBranch(std::string& out, const std::array<std::string_view, 12>& names) {
    out += '{';
    for (int i = 0; i < 12; ++i) {
        if (i) out += ',';
        AppendJsonKey(out, BranchName(kRing[i]));
        AppendJsonString(out, names[kRing[i]]);
    }
    out += '}';
}

void Conventions(std::string& out, const ChartConventions& c) {
    out += "\"conventions\":{\"lateZi\":";
    AppendJsonString(out, ConventionName(c.lateZi));
    out += ",\"leapMonth\":";
    AppendJsonString(out, ConventionName(c.leapMonth));
    out += ",\"yearStart\":";
    AppendJsonString(out, ConventionName(c.yearStart));
    if (!c.school.IsDefault()) {
        // The school's readings, written only when one differs so that the
        // default output stays as it was.
        for (const auto& [key, value] : SchoolFields(c.school)) {
            out += ',';
            AppendJsonKey(out, key);
            AppendJsonString(out, value);
        }
    }
    out += '}';
}

void DecadeList(std::string& out, const NatalChart& natal) {
    out += "\"decades\":[";
    const auto decades = Decades(natal);
    for (std::size_t i = 0; i < decades.size(); ++i) {
        const Decade& d = decades[i];
        if (i) out += ',';
        out += "{\"cell\":";
        Cell(out, d.cell);
        out += ",\"stemBranch\":";
        StemBranchText(out, d.stemBranch);
        out += ",\"ages\":[" + std::to_string(d.firstAge) + ',' + std::to_string(d.lastAge);
        out += "],\"years\":[" + std::to_string(d.firstYear) + ',' + std::to_string(d.lastYear);
        out += "]}";
    }
    out += ']';
}

void Flying(std::string& out, const NatalChart& natal) {
    out += "\"flying\":{";
    const auto flying = FlyingTransformations(natal);
    for (int i = 0; i < 12; ++i) {
        const Branch b = kRing[i];
        const FlyingCell& f = flying[b];
        if (i) out += ',';
        AppendJsonKey(out, BranchName(b));
        out += "{\"stemBranch\":";
        StemBranchText(out, f.stemBranch);
        out += ",\"transformations\":";
        Transformations(out, f.transformations);
        out += ",\"self\":[";
        bool first = true;
        for (int k = 0; k < 4; ++k) {
            if (!f.self[k]) continue;
            if (!first) out += ',';
            first = false;
            AppendJsonString(out, kTransformationMarks[k]);
        }
        out += "],\"surrounding\":[";
        for (int k = 0; k < 4; ++k) {
            if (k) out += ',';
            Cell(out, f.surrounding[k]);
        }
        out += "]}";
    }
    out += '}';
}

void Stars(std::string& out, const PeriodLayer& l) {
    out += '{';
    bool firstCell = true;
    for (const Branch b : kRing) {
        bool any = false;
        for (const MovingStar& s : l.stars) {
            if (s.cell != b) continue;
            if (!any) {
                if (!firstCell) out += ',';
                firstCell = false;
                AppendJsonKey(out, BranchName(b));
                out += '[';
            } else {
                out += ',';
            }
            any = true;
            AppendJsonString(out, s.name);
        }
        if (any) out += ']';
    }
    out += '}';
}

void Layer(std::string& out, const PeriodLayer& l) {
    out += "{\"layer\":";
    AppendJsonString(out, LayerName(l.kind));
    out += ",\"stemBranch\":";
    StemBranchText(out, l.stemBranch);
    out += ",\"cell\":";
    Cell(out, l.cell);
    out += l.child ? ",\"child\":true" : ",\"child\":false";
    out += ",\"palaces\":";
    ByBranch(out, l.palaces);
    out += ",\"transformations\":";
    Transformations(out, l.transformations);
    out += ",\"stars\":";
    Stars(out, l);
    if (l.kind == LayerKind::Year) {
        out += ",\"gods\":{\"suiQian\":";
        ByBranch(out, l.suiQian);
        out += ",\"jiangQian\":";
        ByBranch(out, l.jiangQian);
        out += '}';
    }
    out += '}';
}

void HoroscopeJson(std::string& out, const Horoscope& h) {
    const HoroscopeTarget& t = h.target;
    char solar[24];
    std::snprintf(solar, sizeof solar, "%04d-%02d-%02d", int{t.solar.year}, int{t.solar.month},
                  int{t.solar.day});
    out += "\"horoscope\":{\"target\":{\"solar\":";
    AppendJsonString(out, solar);
    out += ",\"lunar\":{\"year\":" + std::to_string(t.lunar.year);
    out += ",\"month\":" + std::to_string(t.lunar.month);
    out += ",\"day\":" + std::to_string(t.lunar.day);
    out += t.lunar.leap ? ",\"leap\":true}" : ",\"leap\":false}";
    out += ",\"hour\":";
    out += t.hour ? std::to_string(*t.hour) : std::string("null");
    out += "},\"age\":" + std::to_string(h.age);
    out += ",\"layers\":[";
    for (std::size_t i = 0; i < h.layers.size(); ++i) {
        if (i) out += ',';
        Layer(out, h.layers[i]);
    }
    out += "]}";
}

}  // namespace

void AppendPeriodsJson(std::string& out, const NatalChart& natal,
                       const ChartConventions& conventions, const Horoscope* horoscope) {
    out += ',';
    Conventions(out, conventions);
    out += ',';
    DecadeList(out, natal);
    out += ',';
    Flying(out, natal);
    if (horoscope) {
        out += ',';
        HoroscopeJson(out, *horoscope);
    }
}

}  // namespace qelvar::cli
