#pragma once
// The birth-data form as a model: the values the window shows and the three
// operations its events run.  The Qt form only mirrors these members and
// calls the operations; the operations build the birth data with the
// functions of BirthBuilder, which the CLI calls too, so both agree.

#include <chrono>
#include <optional>
#include <string>

#include "birth/BirthBuilder.h"
#include "birth/BirthData.h"
#include "calendar/LunarCalendar.h"

namespace qelvar {

class BirthForm {
public:
    static constexpr int kNoSelection = -1;
    static constexpr int kLateZiHour = qelvar::kLateZiHour;  // "夜子(23-24)" in the hour list

    // Sets both pickers to `today`, ticks 男 and runs UpdateFromSolar once.
    BirthForm(BirthData& birth, std::chrono::year_month_day today);

    // A change of the Gregorian picker (m_dateSolar).
    void UpdateFromSolar();
    // A change of the lunar picker (m_dateLunar) or of the 闰月 box (m_bLeap).
    void UpdateFromLunar();
    // The cast button: stores lunar date, hour, sub-period, sex and the
    // birth instant in the birth data; true when the chart window should
    // open.  Refuses (stores nothing) while the lunar text starts with "Error".
    bool CastChart();
    // True when the dates would be stored: a successful update and no
    // "Error" text; then only an empty list can keep the chart closed.
    bool DatesReady() const;

    // Mirrored controls.
    std::chrono::year_month_day m_dateSolar;  // picker 1001
    LunarDate m_dateLunar;                    // picker 1002 (numbers only; leap ignored)
    bool m_bLeap = false;                     // check box 1004
    std::string m_strLunarStatic = "Lunar";   // static 1003
    int m_nHourSelection = kNoSelection;      // combo 1006, 0..12
    int m_nMinuteSelection = kNoSelection;    // combo 1009, 0..11
    bool m_bMale = true;                      // radio 1007 (else 1008)
    // The UTC instant of a clock time typed into the form, while the lists
    // show what it resolved to; empty: the middle of the sub-period.
    std::optional<std::chrono::sys_seconds> m_tBirthInstant;

    // Lunar date of the last successful update, "%d".
    std::string m_strLunarYear, m_strLunarMonth, m_strLunarDay;

private:
    void Accept(const BirthDates& dates);

    std::optional<BirthDates> m_dates;  // of the last successful update
    BirthData& m_birth;
};

}  // namespace qelvar
