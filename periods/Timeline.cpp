// The timeline: a target day moved by lunar years, decades and months, and
// the strip's rows around it.
#include "periods/Timeline.h"

#include <algorithm>
#include <chrono>

#include "calendar/CalendarNames.h"
#include "chart/Cycle.h"
#include "chart/Pillars.h"

namespace qelvar {

namespace {

using std::chrono::sys_days;

long long DayCount(const SolarDate& d) {
    const std::chrono::year_month_day ymd{std::chrono::year{d.year}, std::chrono::month{d.month},
                                          std::chrono::day{d.day}};
    return sys_days(ymd).time_since_epoch().count();
}

SolarDate FromDayCount(long long n) {
    const std::chrono::year_month_day ymd{sys_days{std::chrono::days{n}}};
    return {static_cast<std::uint16_t>(static_cast<int>(ymd.year())),
            static_cast<std::uint16_t>(static_cast<unsigned>(ymd.month())),
            static_cast<std::uint16_t>(static_cast<unsigned>(ymd.day()))};
}

TimelineDepth DepthOf(TimelineRow row) {
    return static_cast<TimelineDepth>(static_cast<int>(row) + 1);
}

TimelineDepth DepthOf(TimelineKey key) {
    switch (key) {
        case TimelineKey::DecadeBack:
        case TimelineKey::DecadeOn:
            return TimelineDepth::Decade;
        case TimelineKey::YearBack:
        case TimelineKey::YearOn:
            return TimelineDepth::Year;
        case TimelineKey::MonthBack:
        case TimelineKey::MonthOn:
            return TimelineDepth::Month;
        case TimelineKey::Natal:
            break;
    }
    return TimelineDepth::Natal;
}

std::string MonthLabel(const LunarDate& d) {
    return std::string(d.leap ? "闰" : "") + std::string(LunarMonthNames[d.month]);
}

}  // namespace

Timeline::Timeline(const NatalChart& natal, const LunarCalendar& calendar, SolarDate today)
    : m_natal(natal), m_calendar(calendar), m_today(today), m_decades(Decades(natal)) {
    m_firstYear = natal.lunarYear;
    const int lastAge = m_decades[11].lastAge > 0 ? m_decades[11].lastAge : 120;
    m_lastYear = std::min(2050, natal.lunarYear + lastAge - 1);
    MoveTo(StartDay(), TimelineDepth::Natal);
}

bool Timeline::InRange(const LunarDate& d) const {
    return d.year >= m_firstYear && d.year <= m_lastYear;
}

SolarDate Timeline::StartDay() const {
    const std::optional<LunarDate> today = m_calendar.SolarToLunar(m_today);
    if (today && InRange(*today)) return m_today;
    const std::optional<SolarDate> newYear =
        m_calendar.LunarToSolar({static_cast<std::uint16_t>(m_firstYear), 1, 1, 0});
    return newYear.value_or(SolarDate{1901, 2, 19});
}

std::vector<Timeline::Month> Timeline::MonthsOf(int lunarYear) const {
    std::vector<Month> months;
    const std::optional<SolarDate> newYear =
        m_calendar.LunarToSolar({static_cast<std::uint16_t>(lunarYear), 1, 1, 0});
    if (!newYear) return months;
    long long day = DayCount(*newYear);
    for (;;) {
        const std::optional<LunarDate> first = m_calendar.SolarToLunar(FromDayCount(day));
        if (!first || first->year != lunarYear) break;
        const std::optional<LunarDate> last = m_calendar.SolarToLunar(FromDayCount(day + 29));
        const int length = last && last->day == 30 ? 30 : 29;
        months.push_back({*first, day, length});
        day += length;
    }
    return months;
}

bool Timeline::MoveTo(SolarDate day, TimelineDepth depth) {
    const std::optional<LunarDate> lunar = m_calendar.SolarToLunar(day);
    if (!lunar || !InRange(*lunar)) return false;
    const bool changed = !(day == m_target) || depth != m_depth;
    if (lunar->year != m_lunar.year || m_months.empty()) m_months = MonthsOf(lunar->year);
    m_target = day;
    m_lunar = *lunar;
    m_depth = depth;
    return changed;
}

std::optional<SolarDate> Timeline::SameDayIn(const LunarDate& from, int lunarYear) const {
    if (lunarYear < m_firstYear || lunarYear > m_lastYear) return std::nullopt;
    const std::vector<Month> months = MonthsOf(lunarYear);
    const Month* match = nullptr;
    for (const Month& m : months) {
        if (m.first.month != from.month) continue;
        if (match == nullptr || m.first.leap == from.leap) match = &m;
    }
    if (match == nullptr) return std::nullopt;
    return FromDayCount(match->start + std::min<int>(from.day, match->length) - 1);
}

int Timeline::DecadeIndexOf(int age) const {
    for (int i = 0; i < 12; ++i)
        if (age >= m_decades[i].firstAge && age <= m_decades[i].lastAge) return i;
    return -1;
}

bool Timeline::Step(TimelineKey key) {
    if (key == TimelineKey::Natal) {
        const bool changed = m_depth != TimelineDepth::Natal;
        MoveTo(StartDay(), TimelineDepth::Natal);
        return changed;
    }
    const TimelineDepth depth = std::max(m_depth, DepthOf(key));
    if (m_depth == TimelineDepth::Natal) return MoveTo(m_target, depth);  // starts where it is
    std::optional<SolarDate> next;
    switch (key) {
        case TimelineKey::YearBack:
        case TimelineKey::YearOn:
            next = SameDayIn(m_lunar, m_lunar.year + (key == TimelineKey::YearOn ? 1 : -1));
            break;
        case TimelineKey::DecadeBack:
        case TimelineKey::DecadeOn: {
            const int year = m_lunar.year + (key == TimelineKey::DecadeOn ? 10 : -10);
            next = SameDayIn(m_lunar, std::clamp(year, m_firstYear, m_lastYear));
            break;
        }
        case TimelineKey::MonthBack:
        case TimelineKey::MonthOn: {
            const auto here = std::find_if(m_months.begin(), m_months.end(), [&](const Month& m) {
                return m.first.month == m_lunar.month && m.first.leap == m_lunar.leap;
            });
            if (here == m_months.end()) return false;
            const long long start =
                key == TimelineKey::MonthOn ? here->start + here->length : here->start - 1;
            const std::optional<LunarDate> other = m_calendar.SolarToLunar(FromDayCount(start));
            if (!other || !InRange(*other)) return false;
            const long long first = start - (other->day - 1);  // day 1 of that month
            const std::optional<LunarDate> last = m_calendar.SolarToLunar(FromDayCount(first + 29));
            const int length = last && last->day == 30 ? 30 : 29;
            next = FromDayCount(first + std::min<int>(m_lunar.day, length) - 1);
            break;
        }
        case TimelineKey::Natal:
            break;
    }
    if (!next) return depth != m_depth && MoveTo(m_target, depth);
    return MoveTo(*next, depth);
}

bool Timeline::Select(TimelineRow row, int index) {
    const std::vector<TimelineItem> items = Row(row);
    if (index < 0 || index >= static_cast<int>(items.size()) || !items[index].enabled) return false;
    const TimelineDepth depth = DepthOf(row);
    switch (row) {
        case TimelineRow::Decade: {
            const Decade& d = m_decades[index];
            if (m_lunar.year >= d.firstYear && m_lunar.year <= d.lastYear) {
                return MoveTo(m_target, depth);
            }
            const std::optional<SolarDate> day =
                SameDayIn(m_lunar, std::max(d.firstYear, m_firstYear));
            return day && MoveTo(*day, depth);
        }
        case TimelineRow::Year: {
            const int year = std::stoi(items[index].label);
            const std::optional<SolarDate> day = SameDayIn(m_lunar, year);
            return day && MoveTo(*day, depth);
        }
        case TimelineRow::Month: {
            const Month& m = m_months[index];
            return MoveTo(FromDayCount(m.start + std::min<int>(m_lunar.day, m.length) - 1), depth);
        }
        case TimelineRow::Day: {
            const long long first = DayCount(m_target) - (m_lunar.day - 1);
            return MoveTo(FromDayCount(first + index), depth);
        }
        case TimelineRow::Hour: {
            const bool changed = m_hour != index || m_depth != depth;
            m_hour = index;
            MoveTo(m_target, depth);
            return changed;
        }
    }
    return false;
}

std::vector<TimelineItem> Timeline::Row(TimelineRow row) const {
    std::vector<TimelineItem> items;
    const bool shown = static_cast<int>(m_depth) >= static_cast<int>(DepthOf(row));
    const int age = m_lunar.year - m_natal.lunarYear + 1;
    switch (row) {
        case TimelineRow::Decade: {
            const int current = DecadeIndexOf(age);
            for (int i = 0; i < 12; ++i) {
                const Decade& d = m_decades[i];
                const bool open = d.firstYear <= m_lastYear;
                std::string detail = std::to_string(d.firstAge) + "-" + std::to_string(d.lastAge) +
                                     "岁 " + std::to_string(d.firstYear) + "-" +
                                     std::to_string(d.lastYear) + "年 " +
                                     std::string(StemName(d.stemBranch.stem)) +
                                     std::string(BranchName(d.stemBranch.branch));
                if (!open) detail += "：历表止于2051年2月10日，此大限在其后，无法打开";
                items.push_back({std::to_string(d.firstAge) + "-" + std::to_string(d.lastAge),
                                 std::to_string(d.firstYear) + "-" + std::to_string(d.lastYear),
                                 std::move(detail), shown && i == current, open});
            }
            break;
        }
        case TimelineRow::Year: {
            const int current = DecadeIndexOf(age);
            const int firstAge = current >= 0 ? m_decades[current].firstAge : 1;
            const int lastAge =
                current >= 0 ? m_decades[current].lastAge : m_decades[0].firstAge - 1;
            for (int a = firstAge; a <= lastAge; ++a) {
                const int year = m_natal.lunarYear + a - 1;
                const std::string stemBranch = std::string(StemName(YearStemOf(year))) +
                                               std::string(BranchName(YearBranchOf(year)));
                const bool open = year >= m_firstYear && year <= m_lastYear;
                items.push_back({std::to_string(year), stemBranch + std::to_string(a),
                                 stemBranch + "年 虚岁" + std::to_string(a) +
                                     (open ? "" : "：在历表范围（至2051年2月10日）之外"),
                                 shown && year == m_lunar.year, open});
            }
            break;
        }
        case TimelineRow::Month:
            for (const Month& m : m_months) {
                const StemBranch sb =
                    MonthPillarTable[m.first.month - 1][YearStemOf(m.first.year) % 5];
                const std::string pillar =
                    std::string(StemName(sb.stem)) + std::string(BranchName(sb.branch));
                const SolarDate first = FromDayCount(m.start);
                items.push_back(
                    {MonthLabel(m.first), pillar,
                     MonthLabel(m.first) + "月 " + pillar + "月，" + std::to_string(m.length) +
                         "天，初一是" + std::to_string(first.year) + "年" +
                         std::to_string(first.month) + "月" + std::to_string(first.day) + "日",
                     shown && m.first.month == m_lunar.month && m.first.leap == m_lunar.leap,
                     true});
            }
            break;
        case TimelineRow::Day: {
            const auto here = std::find_if(m_months.begin(), m_months.end(), [&](const Month& m) {
                return m.first.month == m_lunar.month && m.first.leap == m_lunar.leap;
            });
            const int length = here == m_months.end() ? 30 : here->length;
            const long long first = DayCount(m_target) - (m_lunar.day - 1);
            for (int d = 1; d <= length; ++d) {
                const SolarDate g = FromDayCount(first + d - 1);
                // 1970-01-01 was a 辛巳 day, number 17 of the sixty.
                const int cycle = static_cast<int>(((first + d - 1 + 17) % 60 + 60) % 60);
                items.push_back({std::to_string(d), "",
                                 std::string(LunarDayNames[d]) + " " + std::to_string(g.year) +
                                     "年" + std::to_string(g.month) + "月" + std::to_string(g.day) +
                                     "日 " + std::string(StemName(cycle % 10)) +
                                     std::string(BranchName(cycle % 12)) + "日",
                                 shown && d == m_lunar.day, true});
            }
            break;
        }
        case TimelineRow::Hour:
            for (int h = 0; h < 12; ++h) {
                items.push_back({std::string(BranchName(h)), "", std::string(BranchName(h)) + "时",
                                 shown && h == m_hour, true});
            }
            break;
    }
    return items;
}

bool Timeline::GoTo(SolarDate day, int hour) {
    const std::optional<LunarDate> lunar = m_calendar.SolarToLunar(day);
    if (!lunar || !InRange(*lunar) || hour < 0 || hour > 11) return false;
    m_hour = hour;
    MoveTo(day, TimelineDepth::Hour);
    return true;
}

std::optional<HoroscopeRequest> Timeline::Request() const {
    if (IsNatal()) return std::nullopt;
    HoroscopeRequest r{m_target.year, m_target.month, m_target.day, std::nullopt};
    if (m_depth == TimelineDepth::Hour) r.hour = m_hour;
    return r;
}

std::vector<LayerKind> Timeline::ShownLayers() const {
    // 小限 goes with the year it belongs to.
    static constexpr LayerKind kOrder[] = {LayerKind::Decade, LayerKind::Minor, LayerKind::Year,
                                           LayerKind::Month,  LayerKind::Day,   LayerKind::Hour};
    static constexpr int kCount[] = {0, 1, 3, 4, 5, 6};  // by depth, Natal .. Hour
    return {kOrder, kOrder + kCount[static_cast<int>(m_depth)]};
}

}  // namespace qelvar
