#pragma once
// The timeline of a chart window: which period is selected (none in the
// natal view, else a target day and how deep the selection goes: decade,
// year, month, day or double-hour), the rows the strip shows for it, and
// the steps of the keyboard and of a click on a row item.

#include <optional>
#include <string>
#include <vector>

#include "calendar/LunarCalendar.h"
#include "periods/Periods.h"

namespace qelvar {

enum class TimelineDepth { Natal, Decade, Year, Month, Day, Hour };

enum class TimelineRow { Decade, Year, Month, Day, Hour };
inline constexpr int kTimelineRowCount = 5;

enum class TimelineKey {
    YearBack,    // Left
    YearOn,      // Right
    DecadeBack,  // Up
    DecadeOn,    // Down
    MonthBack,   // PageUp
    MonthOn,     // PageDown
    Natal,       // Home
};

struct TimelineItem {
    std::string label;   // UTF-8, short: "2-11", "2026", "闰四", "17", "午"
    std::string second;  // a second line ("2001", the first year of a decade) or ""
    std::string detail;  // longer text for a tool tip
    bool selected = false;
    bool enabled = true;
};

class Timeline {
public:
    // `today` is where the first step starts when it lies in the chart's range.
    Timeline(const NatalChart& natal, const LunarCalendar& calendar, SolarDate today);

    TimelineDepth Depth() const { return m_depth; }
    bool IsNatal() const { return m_depth == TimelineDepth::Natal; }
    // The target day (meaningful unless natal) and its lunar date.
    SolarDate Target() const { return m_target; }
    LunarDate TargetLunar() const { return m_lunar; }
    int Hour() const { return m_hour; }

    std::vector<TimelineItem> Row(TimelineRow row) const;

    // False when the step changes nothing (at the end of the range).
    bool Step(TimelineKey key);
    // A click on item `index` of `row`; false when it is disabled or absent.
    bool Select(TimelineRow row, int index);

    // Every layer down to the double-hour `hour` (0..11) of `day`; false
    // for a day outside the chart's range.
    bool GoTo(SolarDate day, int hour);

    // The horoscope request of the selection; empty in the natal view.
    std::optional<HoroscopeRequest> Request() const;
    // The layers shown for the depth: 大限, then 小限 with 流年, 流月, 流日, 流时.
    std::vector<LayerKind> ShownLayers() const;

private:
    struct Month {
        LunarDate first;      // day 1
        long long start = 0;  // day count of day 1 (days since 1970-01-01)
        int length = 0;       // 29 or 30
    };

    bool MoveTo(SolarDate day, TimelineDepth depth);
    // Starting point of the first step from the natal view.
    SolarDate StartDay() const;
    bool InRange(const LunarDate& d) const;
    std::vector<Month> MonthsOf(int lunarYear) const;
    // The month and day of `from` (clamped to the month) in another lunar year.
    std::optional<SolarDate> SameDayIn(const LunarDate& from, int lunarYear) const;
    int DecadeIndexOf(int age) const;  // -1 before the first decade

    NatalChart m_natal;
    const LunarCalendar& m_calendar;
    SolarDate m_today;
    std::array<Decade, 12> m_decades;
    int m_firstYear = 0, m_lastYear = 0;  // the range of lunar years
    TimelineDepth m_depth = TimelineDepth::Natal;
    SolarDate m_target;
    LunarDate m_lunar;
    int m_hour = 0;
    std::vector<Month> m_months;  // of the target's lunar year
};

}  // namespace qelvar
