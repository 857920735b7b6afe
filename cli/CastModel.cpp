#include "cli/CastModel.h"

#include <array>
#include <charconv>

namespace qelvar::cli {

namespace {

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

namespace {

// The horoscope of the request's target; a target that fails turns the
// whole result into its error.
void AddHoroscope(const CastRequest& r, CastResult& result) {
    static const LunarCalendar calendar;
    if (!FitsDateRecord(*r.at)) {
        result.ok = false;
        result.error = kErrorDate;
        return;
    }
    const HoroscopeRequest target{static_cast<int>(r.at->year), static_cast<int>(r.at->month),
                                  static_cast<int>(r.at->day), r.atHour};
    HoroscopeResult h = ComputeHoroscope(result.natal, target, calendar, r.conventions.leapMonth);
    if (!h.ok()) {
        result.ok = false;
        result.error = h.error;
        return;
    }
    result.horoscope = std::move(h.horoscope);
}

}  // namespace

void CastRequestOnce(const CastRequest& r, std::chrono::year_month_day today, CastResult& result) {
    result.chart.reset();
    if (!FitsDateRecord(r.date)) {
        result.ok = false;
        result.error = kErrorDate;
        return;
    }
    const auto year = static_cast<std::uint16_t>(r.date.year);
    const auto month = static_cast<std::uint16_t>(r.date.month);
    const auto day = static_cast<std::uint16_t>(r.date.day);
    const BirthTime time{.doubleHour = r.hourSelection,
                         .minuteSlot = r.minuteSelection,
                         .sex = r.male ? 0 : 1,
                         .instant = std::nullopt};
    // Numbers past what a year_month_day's fields hold become values that
    // are not ok, never wrap round onto a real day.
    const BirthBuild built =
        r.lunar
            ? BirthFromLunar(LunarDate{year, month, day, r.leap ? 1 : 0}, time)
            : BirthFromSolar(
                  std::chrono::year_month_day{std::chrono::year{year <= 9999 ? int{year} : -32768},
                                              std::chrono::month{month <= 12 ? month : 0u},
                                              std::chrono::day{day <= 31 ? day : 0u}},
                  time);
    result.ok = built.ok();
    if (!result.ok) {
        result.error = built.error;
        return;
    }
    const std::optional<BirthData> birth = ApplyConventions(*built.birth, r.conventions);
    if (!birth) {
        result.ok = false;
        result.error = kErrorDate;
        return;
    }
    result.error.clear();
    result.birth = *birth;
    result.conventions = r.conventions;
    result.chart.emplace(result.birth, today);
    result.chart->RunChartSteps();
    result.natal = ReadNatalChart(result.chart->Grid(), result.birth);
    result.horoscope.reset();
    if (r.at) AddHoroscope(r, result);
}

std::optional<int> ParseHour(std::string_view text) {
    static constexpr std::array<std::string_view, 12> kNames = {"子", "丑", "寅", "卯", "辰", "巳",
                                                                "午", "未", "申", "酉", "戌", "亥"};
    for (int i = 0; i < 12; ++i)
        if (text == kNames[i]) return i;
    if (text == "夜子") return kLateZiHour;
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
