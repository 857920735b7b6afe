#include "cli/CastModel.h"

#include <array>
#include <charconv>

#include "birth/BirthFromMoment.h"
#include "calendar/CalendarNames.h"

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

// Casts a built birth under the request's conventions (with the horoscope
// of its target), or records why there is none.
void Finish(const BirthBuild& built, const CastRequest& r, std::chrono::year_month_day today,
            CastResult& result) {
    result.horoscope.reset();
    result.ok = built.ok();
    if (!result.ok) {
        result.error = built.error;
        return;
    }
    std::optional<HoroscopeRequest> target;
    if (r.at) {
        if (!FitsDateRecord(*r.at)) {
            result.ok = false;
            result.error = kErrorDate;
            return;
        }
        target = HoroscopeRequest{static_cast<int>(r.at->year), static_cast<int>(r.at->month),
                                  static_cast<int>(r.at->day), r.atHour};
    }
    ChartCast cast = CastChart(*built.birth, r.conventions, today, target);
    result.ok = cast.ok();
    result.error = cast.error;
    if (!result.ok) return;
    result.conventions = r.conventions;
    result.birth = std::move(cast.birth);
    result.chart = cast.chart;
    result.natal = cast.natal;
    result.grid.Fill(result.chart);
    result.horoscope = std::move(cast.horoscope);
}

}  // namespace

void CastRequestOnce(const CastRequest& r, std::chrono::year_month_day today, CastResult& result) {
    result.moment.reset();
    result.resolution.reset();
    if (!FitsDateRecord(r.date)) {
        result.ok = false;
        result.error = std::string(kErrorDate);
        return;
    }
    const auto year = static_cast<std::uint16_t>(r.date.year);
    const auto month = static_cast<std::uint16_t>(r.date.month);
    const auto day = static_cast<std::uint16_t>(r.date.day);
    const BirthTime time{.doubleHour = r.hourSelection,
                         .minuteSlot = r.minuteSelection,
                         .sex = r.male ? 0 : 1,
                         .instant = std::nullopt};
    // Numbers past what a date value holds become values that are not ok,
    // never wrap round onto a real day.
    const BirthBuild built =
        r.lunar ? BirthFromLunar(LunarDate{year, month, day, r.leap ? 1 : 0}, time)
                : BirthFromSolar(std::chrono::year{year <= 9999 ? int{year} : -32768} /
                                     std::chrono::month{month <= 12 ? month : 0u} /
                                     std::chrono::day{day <= 31 ? day : 0u},
                                 time);
    Finish(built, r, today, result);
}

void CastMomentOnce(const BirthMoment& moment, const MomentResolution& resolution,
                    const CastRequest& request, std::chrono::year_month_day today,
                    CastResult& result) {
    result.moment = moment;
    result.resolution = resolution;
    Finish(BirthFromMoment(resolution, request.male ? 0 : 1), request, today, result);
}

std::optional<int> ParseHour(std::string_view text) {
    for (int i = 0; i < 12; ++i)
        if (text == BranchNames[i]) return i;
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
