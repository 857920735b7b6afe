#include "cli/ChartJson.h"

#include <array>
#include <vector>

#include "chart/ChartGrid.h"
#include "chart/ChartNames.h"
#include "chart/Pillars.h"
#include "chart/Text.h"
#include "cli/MomentOptions.h"
#include "cli/PeriodsOutput.h"
#include "io/Json.h"

namespace qelvar::cli {

namespace {

void Str(std::string& out, std::string_view key, std::string_view value) {
    AppendJsonKey(out, key);
    AppendJsonString(out, value);
}

void Int(std::string& out, std::string_view key, int value) {
    AppendJsonKey(out, key);
    AppendJsonInt(out, value);
}

// A name, or null for an empty one.
void StrOrNull(std::string& out, std::string_view key, std::string_view value) {
    AppendJsonKey(out, key);
    if (value.empty())
        out += "null";
    else
        AppendJsonString(out, value);
}

void AppendChartPillar(std::string& out, StemBranch p) {
    out += '{';
    Str(out, "stem", StemName(p.stem));
    out += ',';
    Str(out, "branch", BranchName(p.branch));
    out += ',';
    Str(out, "nayin", NayinOf(p));
    out += '}';
}

void AppendChartPalace(std::string& out, const Chart& c, Branch b) {
    const Palace& p = c.PalaceOfBranch(b);
    out += '{';
    Str(out, "branch", BranchName(b));
    out += ',';
    Str(out, "stem", StemName(p.stem));
    out += ',';
    Str(out, "name", kPalaceNames[p.name]);
    out += ",\"isBodyPalace\":";
    out += p.isBody ? "true" : "false";
    out += ",\"decade\":[";
    AppendJsonInt(out, p.decadeFrom);
    out += ',';
    AppendJsonInt(out, p.decadeTo);
    out += "],";
    Str(out, "stage", kLifeStages[p.stage]);
    out += ',';
    Str(out, "nayin", NayinOf(StemBranch{p.stem, b}));
    out += ',';
    const GodNames names = c.school.godNames;
    Str(out, "boShi", BoShiCycle(names)[p.boShi]);
    out += ',';
    Str(out, "suiQian", SuiQianCycle(names)[p.suiQian]);
    out += ',';
    Str(out, "jiangQian", JiangQianCycle(names)[p.jiangQian]);
    if (c.school.stars == StarSet::Extended) {
        out += ",\"isOriginPalace\":";
        out += p.isOrigin ? "true" : "false";
        out += ",\"smallLimitAges\":[";
        const std::vector<int> ages = c.SmallLimitAges(CellOfBranch(b));
        for (std::size_t i = 0; i < ages.size(); ++i) {
            if (i) out += ',';
            AppendJsonInt(out, ages[i]);
        }
        out += ']';
    }
    out += ",\"stars\":[";
    for (int i = 0; i < p.starCount; ++i) {
        const PlacedStar& s = p.stars[i];
        if (i) out += ',';
        out += '{';
        Str(out, "name", StarName(s.star));
        out += ',';
        Str(out, "kind", KindName(KindOf(s.star)));
        out += ',';
        StrOrNull(
            out, "brightness",
            s.brightness == Brightness::Blank ? std::string_view{} : BrightnessName(s.brightness));
        out += ',';
        StrOrNull(out, "mutagen", MutagenName(s.mutagen));
        out += '}';
    }
    out += "]}";
}

// The chart as typed values: names only, no slot numbers.
void AppendChartObject(std::string& out, const Chart& c) {
    out += "{\"bureau\":{";
    Str(out, "element", ElementName(c.bureau.element));
    out += ',';
    Int(out, "number", c.bureau.number);
    out += ',';
    Str(out, "name", BureauName(c.bureau));
    out += "},";
    Str(out, "lifeRuler", StarName(c.lifeRuler));
    out += ',';
    Str(out, "bodyRuler", StarName(c.bodyRuler));
    out += ',';
    Str(out, "douJun", BranchName(c.douJun));
    out += ',';
    Str(out, "lifePalace", BranchName(BranchOfCell(c.life)));
    out += ',';
    Str(out, "bodyPalace", BranchName(BranchOfCell(c.body)));
    out += ",\"pillars\":[";
    for (int i = 0; i < 5; ++i) {
        if (i) out += ',';
        AppendChartPillar(out, c.pillars[i]);
    }
    // The stars of each of the four pillars: its column of the three lines.
    out += "],\"pillarStars\":[";
    for (int col = 0; col < 4; ++col) {
        if (col) out += ',';
        out += '[';
        bool first = true;
        for (const auto& line : c.pillarStars) {
            if (line[col] == PillarStar::None) continue;
            if (!first) out += ',';
            first = false;
            AppendJsonString(out, PillarStarName(line[col]));
        }
        out += ']';
    }
    out += "],\"palaces\":[";
    for (Branch b = 0; b < 12; ++b) {
        if (b) out += ',';
        AppendChartPalace(out, c, b);
    }
    out += "]}";
}

void AppendBirth(std::string& out, const BirthData& b) {
    out += '{';
    Str(out, "solarYear", b.g_strSolarYear);
    out += ',';
    Str(out, "solarMonth", b.g_strSolarMonth);
    out += ',';
    Str(out, "solarDay", b.g_strSolarDay);
    out += ',';
    Str(out, "solarText", b.g_strSolarText);
    out += ',';
    Str(out, "lunarText", b.g_strLunarText);
    out += ',';
    Int(out, "solarMonthCode", b.g_nSolarMonth);
    out += ',';
    Str(out, "lunarYear", b.g_strLunarYear);
    out += ',';
    Str(out, "lunarMonth", b.g_strLunarMonth);
    out += ',';
    Str(out, "lunarDay", b.g_strLunarDay);
    out += ',';
    Int(out, "hour", b.g_nHour);
    out += ',';
    Int(out, "minuteSlot", b.g_nMinuteSlot);
    out += ',';
    Int(out, "sex", b.g_nSex);
    out += '}';
}

void AppendSlots(std::string& out, const ChartGrid& grid) {
    // The keys written once: "1012":, ,"1013":, ...
    static const std::vector<std::string> kKeys = [] {
        std::vector<std::string> keys;
        for (const int id : ChartGrid::SlotIds())
            keys.push_back((keys.empty() ? "\"" : ",\"") + std::to_string(id) + "\":");
        return keys;
    }();
    out += '{';
    std::size_t i = 0;
    for (const int id : ChartGrid::SlotIds()) {
        out += kKeys[i++];
        AppendJsonString(out, grid.GetSlotText(id));
    }
    out += '}';
}

// The star columns 0..5 carry the transformation marks, 0..7 a brightness.
constexpr int kMarkedColumns = 6;

bool IsBrightnessWord(std::string_view t) {
    return t == "庙" || t == "旺" || t == "平" || t == "闲" || t == "陷" || t == "地" || t == "  ";
}

bool IsMarkOrFiller(std::string_view ch) {
    return ch == "禄" || ch == "权" || ch == "科" || ch == "忌" || ch == "█";
}

void AppendStarView(std::string& out, bool first, std::string_view name,
                    std::string_view brightness, std::string_view mark, int position) {
    if (!first) out += ',';
    out += "{\"name\":";
    AppendJsonString(out, name);
    out += ",\"brightness\":";
    AppendJsonString(out, brightness);
    out += ",\"mark\":";
    AppendJsonString(out, mark);
    out += ",\"position\":";
    AppendJsonInt(out, position);
    out += '}';
}

// One cell of "palaces", the record of the cell as the grid shows it: its
// texts are the grid's, the stars of its star columns come from the chart
// (a brightness where the grid shows one, the mark of a transformed star
// in columns 0..5), and a star the grid shows in the overflow slots of a
// crowded cell (the mark slot, the first two brightness slots) follows.
void AppendPalace(std::string& out, const Chart& c, const ChartGrid& grid,
                  const std::array<Star, 4>& transformed, PalaceIndex cell) {
    auto text = [&grid, cell](SlotFamily f) -> const std::string& {
        return grid.GetSlotText(f.Slot(cell));
    };
    out += "{\"cell\":";
    AppendJsonInt(out, cell);
    out += ",\"branch\":";
    AppendJsonString(out, BranchName(BranchOfCell(cell)));
    out += ",\"palace\":";
    AppendJsonString(out, text(slot::kPalaceName));
    out += ",\"stem\":";
    AppendJsonString(out, text(slot::kPalaceStem));
    out += ",\"stars\":[";
    bool first = true;
    const Palace& p = c.palaces[cell];
    for (int i = 0; i < p.starCount; ++i) {
        const PlacedStar& s = p.stars[i];
        if (s.position >= slot::kStarColumns) continue;
        std::string_view brightness, mark;
        if (s.position < slot::kBrightnessColumns && s.brightness != Brightness::Blank)
            brightness = BrightnessName(s.brightness);
        if (s.position < kMarkedColumns)
            for (int k = 0; k < 4; ++k)
                if (transformed[k] == s.star) mark = kTransformationMarks[k];
        AppendStarView(out, first, StarName(s.star), brightness, mark, s.position);
        first = false;
    }
    // A star that overflowed into the mark slot leads its text.
    const std::string_view marks = text(slot::kMarks);
    std::string_view rest = marks;
    while (!rest.empty() && !IsMarkOrFiller(FirstChar(rest)))
        rest.remove_prefix(FirstChar(rest).size());
    if (rest.size() != marks.size()) {
        AppendStarView(out, first, marks.substr(0, marks.size() - rest.size()), {}, {}, 14);
        first = false;
    }
    for (int j : {18, 19}) {
        const std::string& t = grid.GetSlotText(slot::StarSequence(cell, j));
        if (t.empty() || IsBrightnessWord(t)) continue;
        AppendStarView(out, first, t, {}, {}, j);
        first = false;
    }
    out += "],";
    Str(out, "nayin", text(slot::kNayin));
    out += ',';
    Str(out, "stage", text(slot::kLifeStage));
    out += ",\"gods\":{";
    Str(out, "boShi", text(slot::kBoShi));
    out += ',';
    Str(out, "suiQian", text(slot::kSuiQian));
    out += ',';
    Str(out, "jiangQian", text(slot::kJiangQian));
    out += "},";
    Str(out, "decade", text(slot::kDecade));
    out += '}';
}

}  // namespace

void AppendCastJson(std::string& out, const CastResult& result, std::string_view today) {
    const ChartGrid& grid = result.grid;
    out += "{\"birth\":";
    AppendBirth(out, result.birth);
    out += ',';
    Str(out, "today", today);
    out += ",\"slots\":";
    AppendSlots(out, grid);
    out += ",\"palaces\":[";
    const std::array<Star, 4> transformed = result.chart.Transformations();
    for (PalaceIndex cell = 0; cell < 12; ++cell) {
        if (cell) out += ',';
        AppendPalace(out, result.chart, grid, transformed, cell);
    }
    out += "],\"chart\":";
    AppendChartObject(out, result.chart);
    if (result.moment && result.resolution) {
        out += ",\"moment\":";
        AppendMomentJson(out, *result.moment, *result.resolution);
    }
    AppendPeriodsJson(out, result.natal, result.conventions,
                      result.horoscope ? &*result.horoscope : nullptr);
    out += '}';
}

void AppendErrorJson(std::string& out, std::string_view error) {
    out += '{';
    Str(out, "error", error);
    out += '}';
}

}  // namespace qelvar::cli
