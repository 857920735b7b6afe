#pragma once
// Conversions between QDate and std::chrono::year_month_day, and today's
// local date.

#include <QDate>
#include <chrono>

namespace qelvar {

inline std::chrono::year_month_day ToYearMonthDay(QDate date) {
    return std::chrono::year{date.year()} /
           std::chrono::month{static_cast<unsigned>(date.month())} /
           std::chrono::day{static_cast<unsigned>(date.day())};
}

// An invalid QDate for a value that is no Gregorian date.
inline QDate ToQDate(std::chrono::year_month_day date) {
    if (!date.ok()) return {};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

inline std::chrono::year_month_day LocalToday() {
    return ToYearMonthDay(QDate::currentDate());
}

}  // namespace qelvar
