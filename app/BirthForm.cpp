#include "app/BirthForm.h"

#include <exception>
#include <optional>
#include <string>

namespace qelvar {

namespace {

constexpr const char* kErrorDate = "Error Date";

// The picker value as a calendar record; empty when it holds no date the
// record can carry (an invalid value or a year outside 16 bits).
std::optional<SolarDate> ToSolarDate(const std::chrono::year_month_day& d) {
    if (!d.ok()) return std::nullopt;
    const int y = static_cast<int>(d.year());
    if (y < 1 || y > 9999) return std::nullopt;
    return SolarDate{static_cast<std::uint16_t>(y),
                     static_cast<std::uint16_t>(static_cast<unsigned>(d.month())),
                     static_cast<std::uint16_t>(static_cast<unsigned>(d.day()))};
}

std::string Decimal(int n) {
    return std::to_string(n);
}

}  // namespace

BirthForm::BirthForm(BirthData& birth, std::chrono::year_month_day today)
    : m_dateSolar(today), m_birth(birth) {
    m_dateLunar = LunarDate{static_cast<std::uint16_t>(static_cast<int>(today.year())),
                            static_cast<std::uint16_t>(static_cast<unsigned>(today.month())),
                            static_cast<std::uint16_t>(static_cast<unsigned>(today.day())), 0};
    m_bMale = true;
    UpdateFromSolar();
}

// Steps shared by both updates once the dates are known: the calendar's
// term and solar month for G, then the date part of the birth data.
void BirthForm::StoreDates(const SolarDate& g, const LunarDate& l, int leap) {
    m_strLunarYear = Decimal(l.year);
    m_strLunarMonth = Decimal(l.month);
    m_strLunarDay = Decimal(l.day);
    m_calendar.SolarTerm(g.year, g.month, g.day);
    m_birth.g_strSolarText = Decimal(g.year) + "年" + Decimal(g.month) + "月" + Decimal(g.day) +
                             "日 " + m_calendar.m_strSolarTerm;
    m_birth.g_strSolarYear = Decimal(g.year);
    m_birth.g_strSolarMonth = Decimal(g.month);
    m_birth.g_strSolarDay = Decimal(g.day);
    m_birth.g_strLunarText = LunarCalendar::FormatLunarDate(l.year, l.month, l.day, leap);
    m_birth.g_nSolarMonth = m_calendar.m_nSolarMonth;
}

void BirthForm::UpdateFromSolar() {
    try {
        const std::optional<SolarDate> g = ToSolarDate(m_dateSolar);
        const std::optional<LunarDate> l = g ? m_calendar.SolarToLunar(*g) : std::nullopt;
        if (!l) {
            m_strLunarStatic = kErrorDate;
            return;
        }
        const int leap = l->leap;
        m_strLunarStatic = LunarCalendar::FormatLunarDate(l->year, l->month, l->day, leap);
        m_dateLunar = LunarDate{l->year, l->month, l->day, 0};
        m_bLeap = leap == 1;
        StoreDates(*g, *l, leap);
    } catch (...) {
        m_strLunarStatic = kErrorDate;
    }
}

void BirthForm::UpdateFromLunar() {
    try {
        const int leap = m_bLeap ? 1 : 0;
        const LunarDate l{m_dateLunar.year, m_dateLunar.month, m_dateLunar.day, leap};
        const std::optional<SolarDate> g = m_calendar.LunarToSolar(l);
        if (!g) {
            m_strLunarStatic = kErrorDate;
            return;
        }
        m_strLunarStatic = LunarCalendar::FormatLunarDate(l.year, l.month, l.day, leap);
        m_dateSolar = LunarCalendar::ToDateValue(g->year, g->month, g->day);
        StoreDates(*g, l, leap);
    } catch (...) {
        m_strLunarStatic = kErrorDate;
    }
}

bool BirthForm::CastChart() {
    if (m_strLunarStatic.compare(0, 5, "Error") == 0) return false;
    m_birth.g_strLunarYear = m_strLunarYear;
    m_birth.g_strLunarMonth = m_strLunarMonth;
    m_birth.g_strLunarDay = m_strLunarDay;
    m_birth.g_nHour = m_nHourSelection == kLateZiHour ? 0 : m_nHourSelection;
    m_birth.g_nMinuteSlot = m_nMinuteSelection;
    m_birth.g_nSex = m_bMale ? 0 : 1;
    return m_nHourSelection != kNoSelection && m_nMinuteSelection != kNoSelection;
}

}  // namespace qelvar
