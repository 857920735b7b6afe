#include "periods/Conventions.h"

#include <array>

namespace qelvar {

namespace {

template <typename E>
struct Named {
    E value;
    std::string_view name;
};

constexpr std::array<Named<LateZi>, 2> kLateZi = {
    {{LateZi::SameDay, "same-day"}, {LateZi::NextDay, "next-day"}}};
constexpr std::array<Named<LeapMonthRule>, 2> kLeapMonth = {
    {{LeapMonthRule::Whole, "whole"}, {LeapMonthRule::Split, "split"}}};
constexpr std::array<Named<YearStart>, 2> kYearStart = {
    {{YearStart::NewYear, "new-year"}, {YearStart::Lichun, "lichun"}}};

template <typename E, std::size_t N>
std::string_view NameOf(const std::array<Named<E>, N>& table, E v) {
    for (const auto& e : table)
        if (e.value == v) return e.name;
    return {};
}

template <typename E, std::size_t N>
std::optional<E> Parse(const std::array<Named<E>, N>& table, std::string_view name) {
    for (const auto& e : table)
        if (e.name == name) return e.value;
    return std::nullopt;
}

// Days 16 and later of a split leap month count as the following month.
constexpr int kSplitDay = 16;

}  // namespace

std::string_view ConventionName(LateZi v) {
    return NameOf(kLateZi, v);
}
std::string_view ConventionName(LeapMonthRule v) {
    return NameOf(kLeapMonth, v);
}
std::string_view ConventionName(YearStart v) {
    return NameOf(kYearStart, v);
}
std::optional<LateZi> ParseLateZi(std::string_view name) {
    return Parse(kLateZi, name);
}
std::optional<LeapMonthRule> ParseLeapMonth(std::string_view name) {
    return Parse(kLeapMonth, name);
}
std::optional<YearStart> ParseYearStart(std::string_view name) {
    return Parse(kYearStart, name);
}

int CountedMonth(const LunarDate& date, LeapMonthRule rule) {
    const int month = date.month;
    if (rule == LeapMonthRule::Split && date.leap != 0 && date.day >= kSplitDay && month < 12)
        return month + 1;
    return month;
}

}  // namespace qelvar
