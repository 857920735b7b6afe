#include "form/BirthForm.h"

#include <exception>
#include <string>

namespace qelvar {

BirthForm::BirthForm(BirthData& birth, std::chrono::year_month_day today)
    : m_dateSolar(today), m_birth(birth) {
    m_dateLunar = LunarDate{static_cast<std::uint16_t>(static_cast<int>(today.year())),
                            static_cast<std::uint16_t>(static_cast<unsigned>(today.month())),
                            static_cast<std::uint16_t>(static_cast<unsigned>(today.day())), 0};
    m_bMale = true;
    UpdateFromSolar();
}

// Steps shared by both updates once the dates are known: the texts, the
// lunar numbers and the date part of the birth data.
void BirthForm::Accept(const BirthDates& dates) {
    m_strLunarStatic = dates.lunarText;
    m_strLunarYear = std::to_string(dates.lunar.year);
    m_strLunarMonth = std::to_string(dates.lunar.month);
    m_strLunarDay = std::to_string(dates.lunar.day);
    StoreDates(m_birth, dates);
    m_dates = dates;
}

void BirthForm::UpdateFromSolar() {
    try {
        const std::optional<SolarDate> g = ToSolarDate(m_dateSolar);
        const std::optional<BirthDates> dates = g ? DatesFromSolar(*g) : std::nullopt;
        if (!dates) {
            m_strLunarStatic = kErrorDate;
            return;
        }
        const LunarDate& l = dates->lunar;
        m_dateLunar = LunarDate{l.year, l.month, l.day, 0};
        m_bLeap = l.leap == 1;
        Accept(*dates);
    } catch (...) {
        m_strLunarStatic = kErrorDate;
    }
}

void BirthForm::UpdateFromLunar() {
    try {
        const LunarDate l{m_dateLunar.year, m_dateLunar.month, m_dateLunar.day, m_bLeap ? 1 : 0};
        const std::optional<BirthDates> dates = DatesFromLunar(l);
        if (!dates) {
            m_strLunarStatic = kErrorDate;
            return;
        }
        const SolarDate& g = dates->solar;
        m_dateSolar = LunarCalendar::ToDateValue(g.year, g.month, g.day);
        Accept(*dates);
    } catch (...) {
        m_strLunarStatic = kErrorDate;
    }
}

bool BirthForm::DatesReady() const {
    return m_dates && m_strLunarStatic.compare(0, 5, "Error") != 0;
}

bool BirthForm::CastChart() {
    if (!DatesReady()) return false;
    StoreTime(m_birth, *m_dates,
              {.doubleHour = m_nHourSelection,
               .minuteSlot = m_nMinuteSelection,
               .sex = m_bMale ? 0 : 1,
               .instant = m_tBirthInstant});
    return m_nHourSelection != kNoSelection && m_nMinuteSelection != kNoSelection;
}

}  // namespace qelvar
