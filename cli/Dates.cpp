#include "cli/Dates.h"

#include <charconv>

namespace qelvar::cli {

namespace {

// One or more decimal digits, nothing else.
std::optional<long long> ParseField(std::string_view s) {
    if (s.empty()) return std::nullopt;
    for (const char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    long long value = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), value);
    if (r.ec == std::errc::result_out_of_range || value > DateNumbers::kSaturated)
        return DateNumbers::kSaturated;
    return value;
}

bool Fits16(long long v) {
    return v >= 0 && v <= 0xFFFF;
}

}  // namespace

std::optional<DateNumbers> ParseDateNumbers(std::string_view text) {
    const auto dash1 = text.find('-');
    if (dash1 == std::string_view::npos) return std::nullopt;
    const auto dash2 = text.find('-', dash1 + 1);
    if (dash2 == std::string_view::npos) return std::nullopt;
    const auto y = ParseField(text.substr(0, dash1));
    const auto m = ParseField(text.substr(dash1 + 1, dash2 - dash1 - 1));
    const auto d = ParseField(text.substr(dash2 + 1));
    if (!y || !m || !d) return std::nullopt;
    return DateNumbers{*y, *m, *d};
}

bool FitsDateRecord(const DateNumbers& date) {
    return Fits16(date.year) && Fits16(date.month) && Fits16(date.day);
}

std::optional<std::chrono::year_month_day> ParseGregorian(std::string_view text) {
    const auto n = ParseDateNumbers(text);
    if (!n || n->year > 9999 || n->month > 12 || n->day > 31) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{static_cast<int>(n->year)},
                                           std::chrono::month{static_cast<unsigned>(n->month)},
                                           std::chrono::day{static_cast<unsigned>(n->day)}};
    if (!date.ok()) return std::nullopt;
    return date;
}

}  // namespace qelvar::cli
