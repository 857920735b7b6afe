// A sweep over 100,000 (birth, target) pairs checking what every horoscope
// promises: each layer names every cell once with its 命宫 in the layer's
// cell; its four transformations name stars standing in those cells of the
// chart; 流月 counts from 斗君 and the year branch; moving stars stand in
// the twelve cells, each once per layer; the decade's range holds the age.
#include <gtest/gtest.h>

#include <set>

#include "PeriodsFixture.h"
#include "chart/StarTables.h"
#include "chart/Text.h"

namespace qelvar::test {
namespace {

constexpr int kBirths = 2000;
constexpr int kTargetsPerBirth = 50;

bool StarStandsIn(const ChartGrid& grid, std::string_view star, Branch cell) {
    for (int column = 0; column < slot::kStarColumns; ++column)
        if (grid.GetSlotText(slot::StarColumn(column).Slot(CellOfBranch(cell))) == star)
            return true;
    return false;
}

// The first broken promise of one horoscope, "" when none is.
std::string Broken(const Cast& c, const Horoscope& h, LeapMonthRule rule) {
    if (h.age != h.target.lunar.year - ParseDecimal(c.birth.g_strLunarYear) + 1) return "age";
    const std::size_t layers = h.target.hour ? 6 : 5;
    if (h.layers.size() != layers) return "layer count";
    for (const PeriodLayer& l : h.layers) {
        const std::string name(LayerName(l.kind));
        if (std::set<std::string_view>(l.palaces.begin(), l.palaces.end()).size() != 12)
            return name + ": palace names not distinct";
        if (l.palaces[l.cell] != "命宫") return name + ": 命宫 not in the layer's cell";
        for (const Transformation& t : l.transformations)
            if (t.cell == kNoCell || !StarStandsIn(c.grid, t.star, t.cell))
                return name + ": " + std::string(t.star) + " not on the chart there";
        const std::size_t stars = l.kind == LayerKind::Minor  ? 0
                                  : l.kind == LayerKind::Year ? 11
                                                              : 10;
        if (l.stars.size() != stars) return name + ": moving-star count";
        std::set<std::string_view> names;
        for (const MovingStar& s : l.stars) {
            if (s.cell < 0 || s.cell > 11) return name + ": moving star off the ring";
            names.insert(s.name);
        }
        if (names.size() != stars) return name + ": moving stars repeat";
    }
    const int douJun = BranchIndex(LastChar(c.grid.GetSlotText(slot::kDouJun)));
    const int month = CountedMonth(h.target.lunar, rule);
    const PeriodLayer& m = h.layers[3];
    if (m.cell != Ring(douJun + YearBranchOf(h.target.lunar.year) + month - 1))
        return "流月 not counted from 斗君";
    const PeriodLayer& d = h.layers[0];
    if (!d.child) {
        const std::string& range = c.grid.GetSlotText(slot::kDecade.Slot(CellOfBranch(d.cell)));
        const int first = ParseDecimal(range);
        if (FloorMod(h.age - first, 120) >= 10) return "decade range " + range;
    }
    return {};
}

TEST(Sweep, HundredThousandBirthTargetPairs) {
    const LunarCalendar calendar;
    using namespace std::chrono;
    const int firstDay = sys_days{year{1901} / 2 / 19}.time_since_epoch().count();
    const int lastDay = sys_days{year{2051} / 2 / 10}.time_since_epoch().count();
    auto civil = [](int days) { return year_month_day{sys_days{std::chrono::days{days}}}; };
    const int stride = (lastDay - firstDay) / kBirths;
    std::uint32_t random = 12345;
    auto next = [&random](std::uint32_t n) {
        random = random * 1664525u + 1013904223u;
        return (random >> 8) % n;
    };
    int checked = 0, monthOne = 0, children = 0;
    for (int i = 0; i < kBirths; ++i) {
        const int birthDay = firstDay + i * stride;
        const year_month_day b = civil(birthDay);
        const Cast c = CastBirth(static_cast<int>(b.year()), static_cast<int>(unsigned(b.month())),
                                 static_cast<int>(unsigned(b.day())), i % 13, i % 2);
        ASSERT_FALSE(c.birth.g_strLunarYear.empty()) << birthDay;
        for (int k = 0; k < kTargetsPerBirth; ++k) {
            const int day =
                birthDay +
                static_cast<int>(next(static_cast<std::uint32_t>(lastDay - birthDay + 1)));
            const year_month_day t = civil(day);
            const std::optional<int> hour =
                k % 14 == 13 ? std::nullopt : std::optional<int>(k % 14);
            const LeapMonthRule rule = k % 2 ? LeapMonthRule::Split : LeapMonthRule::Whole;
            const HoroscopeResult r =
                ComputeHoroscope(c.natal,
                                 {static_cast<int>(t.year()), static_cast<int>(unsigned(t.month())),
                                  static_cast<int>(unsigned(t.day())), hour},
                                 calendar, rule);
            ASSERT_TRUE(r.ok()) << r.error;
            const std::string broken = Broken(c, r.horoscope, rule);
            ASSERT_EQ(broken, "") << "birth " << c.birth.g_strSolarText << " hour " << i % 13
                                  << " sex " << i % 2 << ", target day " << day;
            ++checked;
            monthOne += CountedMonth(r.horoscope.target.lunar, rule) == 1;
            children += r.horoscope.layers[0].child;
        }
    }
    EXPECT_EQ(checked, kBirths * kTargetsPerBirth);
    EXPECT_GT(monthOne, 1000);  // 正月 targets are among them
    EXPECT_GT(children, 0);
}

}  // namespace
}  // namespace qelvar::test
