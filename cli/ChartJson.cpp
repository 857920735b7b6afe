#include "cli/ChartJson.h"

#include "chart/PalaceView.h"
#include "cli/Json.h"
#include "cli/PeriodsOutput.h"

namespace qelvar::cli {

namespace {

void Key(std::string& out, std::string_view key) {
    out += '"';
    out += key;
    out += "\":";
}

void Str(std::string& out, std::string_view key, std::string_view value) {
    Key(out, key);
    AppendJsonString(out, value);
}

void Int(std::string& out, std::string_view key, int value) {
    Key(out, key);
    out += std::to_string(value);
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
    out += '{';
    bool first = true;
    for (const int id : ChartGrid::SlotIds()) {
        if (!first) out += ',';
        first = false;
        out += '"';
        out += std::to_string(id);
        out += "\":";
        AppendJsonString(out, grid.GetSlotText(id));
    }
    out += '}';
}

void AppendPalace(std::string& out, const PalaceView& v) {
    out += '{';
    Int(out, "cell", v.cell);
    out += ',';
    Str(out, "branch", v.branch);
    out += ',';
    Str(out, "palace", v.name);
    out += ',';
    Str(out, "stem", v.stem);
    out += ",\"stars\":[";
    for (std::size_t i = 0; i < v.stars.size(); ++i) {
        const StarView& s = v.stars[i];
        if (i) out += ',';
        out += '{';
        Str(out, "name", s.name);
        out += ',';
        Str(out, "brightness", s.brightness);
        out += ',';
        Str(out, "mark", s.mark);
        out += ',';
        Int(out, "position", s.position);
        out += '}';
    }
    out += "],";
    Str(out, "nayin", v.nayin);
    out += ',';
    Str(out, "stage", v.stage);
    out += ",\"gods\":{";
    Str(out, "boShi", v.boShi);
    out += ',';
    Str(out, "suiQian", v.suiQian);
    out += ',';
    Str(out, "jiangQian", v.jiangQian);
    out += "},";
    Str(out, "decade", v.decade);
    out += '}';
}

}  // namespace

void AppendCastJson(std::string& out, const CastResult& result, std::string_view today) {
    const ChartGrid& grid = result.chart->Grid();
    out += "{\"birth\":";
    AppendBirth(out, result.birth);
    out += ',';
    Str(out, "today", today);
    out += ",\"slots\":";
    AppendSlots(out, grid);
    out += ",\"palaces\":[";
    const auto cells = ReadPalaces(grid);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i) out += ',';
        AppendPalace(out, cells[i]);
    }
    out += ']';
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
