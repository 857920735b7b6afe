#include "cli/CastModel.h"

#include <array>
#include <charconv>

namespace qelvar::cli {

namespace {

constexpr const char* kErrorDate = "Error Date";

std::optional<int> ParseUnsigned(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    for (const char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

void CastThroughForm(BirthForm& form, const BirthData& birth, const CastRequest& r,
                     std::chrono::year_month_day today, CastResult& result) {
    if (!FitsDateRecord(r.date)) {
        result.ok = false;
        result.error = kErrorDate;
        return;
    }
    const auto year = static_cast<std::uint16_t>(r.date.year);
    const auto month = static_cast<std::uint16_t>(r.date.month);
    const auto day = static_cast<std::uint16_t>(r.date.day);
    if (r.lunar) {
        form.m_dateLunar = LunarDate{year, month, day, 0};
        form.m_bLeap = r.leap;
        form.UpdateFromLunar();
    } else {
        // Numbers past what the picker's fields hold become values it reports
        // as not ok, never wrap round onto a real day.
        form.m_dateSolar = std::chrono::year_month_day{
            std::chrono::year{year <= 9999 ? int{year} : -32768},
            std::chrono::month{month <= 12 ? month : 0u}, std::chrono::day{day <= 31 ? day : 0u}};
        form.UpdateFromSolar();
    }
    form.m_nHourSelection = r.hourSelection;
    form.m_nMinuteSelection = r.minuteSelection;
    form.m_bMale = r.male;
    if (!form.CastChart()) {
        result.ok = false;
        result.error = form.m_strLunarStatic;
        return;
    }
    result.ok = true;
    result.error.clear();
    result.birth = birth;
    result.chart.emplace(birth, today);
    result.chart->RunChartSteps();
}

std::optional<int> ParseHour(std::string_view text) {
    static constexpr std::array<std::string_view, 12> kNames = {"子", "丑", "寅", "卯", "辰", "巳",
                                                                "午", "未", "申", "酉", "戌", "亥"};
    for (int i = 0; i < 12; ++i)
        if (text == kNames[i]) return i;
    if (text == "夜子") return BirthForm::kLateZiHour;
    const auto n = ParseUnsigned(text, 2);
    if (n && *n <= 12) return n;
    return std::nullopt;
}

std::optional<int> ParseMinute(std::string_view text) {
    const auto n = ParseUnsigned(text, 2);
    if (n && *n <= 11) return n;
    return std::nullopt;
}

std::optional<bool> ParseMale(std::string_view text) {
    if (text == "0" || text == "男") return true;
    if (text == "1" || text == "女") return false;
    return std::nullopt;
}

}  // namespace qelvar::cli
