#pragma once
// The birth-time part of the form as a model: the time field "出生时间", the
// place field "出生地", the check box "真太阳时" and the line that shows how
// the clock time was read.  A time typed selects the double-hour and
// sub-period lists of the BirthForm (and moves its date when true solar
// time falls on another day) and hands the form its UTC instant; a list
// chosen by hand clears the time.

#include <chrono>
#include <optional>
#include <string>

#include "form/BirthForm.h"
#include "moment/BirthMoment.h"

namespace qelvar {

class MomentEntry {
public:
    // Mirrored controls.
    std::string m_strTime;         // "HH:MM" or empty
    std::string m_strPlace;        // a place name, or "E" / "E, N" in degrees
    bool m_bTrueSolarTime = true;  // used when the place is known
    std::string m_strResolution;   // the line under the fields

    // The date picked by hand in `form`: it becomes the clock date, and a
    // time already typed is read again.
    void OnDateChosen(BirthForm& form);
    // The time, the place or the check box changed: reads the time on the
    // clock date (the form's date when none was chosen yet) and selects the
    // lists.  Returns true when the lists were set.
    bool Apply(BirthForm& form);
    // A list chosen by hand: the time and its instant are cleared.
    void OnListChosen(BirthForm& form);

    // The moment last resolved, for the cast.
    const std::optional<MomentResolution>& Resolution() const { return m_resolution; }
    // The clock time, zone and place that resolution was read from.
    const std::optional<BirthMoment>& Moment() const { return m_moment; }
    // The moment was read for a place found by name, whose label leads the
    // line ("朝阳区 · 北京市：北京时间 …").
    bool PlaceFound() const { return m_placeFound; }

private:
    std::optional<BirthMoment> ReadMoment(std::chrono::year_month_day clockDate);

    std::optional<std::chrono::year_month_day> m_clockDate;
    std::optional<MomentResolution> m_resolution;
    std::optional<BirthMoment> m_moment;
    bool m_placeFound = false;
};

// The birthplace and the reading of the clock time for a chart's caption
// ("出生地 成都  北京时间 07:30 → …"); empty when no time was read.
std::string MomentCaption(const MomentEntry& entry);

// "HH:MM" (or "H:MM") of the time field; empty when malformed.
std::optional<std::pair<int, int>> ParseClockText(std::string_view text);

}  // namespace qelvar
