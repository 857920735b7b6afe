// A sweep over 100,000 (birth, target) pairs (25,000 under the sanitizers)
// checking what every horoscope promises: each layer names every cell once
// with its 命宫 in the layer's cell; its four transformations name stars
// standing in those cells of the chart; 流月 counts from 斗君 and the year
// branch; moving stars stand in the twelve cells, each once per layer; the
// decade's range holds the age.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "PeriodsFixture.h"
#include "chart/StarTables.h"
#include "chart/Text.h"

namespace qelvar::test {
namespace {

// 100,000 pairs; a quarter of them in the sanitizer build, where a cast and
// a horoscope cost some 20 to 30 times more.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kBirths = 1000;
constexpr int kTargetsPerBirth = 25;
#else
constexpr int kBirths = 2000;
constexpr int kTargetsPerBirth = 50;
#endif

bool StarStandsIn(const ChartGrid& grid, std::string_view star, Branch cell) {
    for (int column = 0; column < slot::kStarColumns; ++column)
        if (grid.GetSlotText(slot::StarColumn(column).Slot(CellOfBranch(cell))) == star)
            return true;
    return false;
}

// True when the first n names are all different (names of up to seven
// bytes, compared as packed integers).
template <std::size_t N>
bool Distinct(const std::array<std::string_view, N>& names, std::size_t n = N) {
    std::array<std::uint64_t, N> keys{};
    for (std::size_t i = 0; i < n; ++i) {
        keys[i] = ShortKey(names[i]);
        if (keys[i] == 0) return false;
    }
    std::sort(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(n));
    return std::adjacent_find(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(n)) ==
           keys.begin() + static_cast<std::ptrdiff_t>(n);
}

// One birth of the sweep: its cast and, found on the chart's grid the first
// time a transformation names them, the cells of the transformed stars.
struct SweepBirth {
    Cast cast;
    std::array<std::array<Branch, 4>, 10> cellOf{};  // by stem and mark; -2 not yet seen

    // The transformation names a star that stands in that cell, the same
    // cell every time.
    bool Stands(Stem stem, const Transformation& t) {
        Branch& known = cellOf[stem][t.mark];
        if (known == -2) known = StarStandsIn(cast.grid, t.star, t.cell) ? t.cell : kNoCell;
        return t.cell != kNoCell && known == t.cell;
    }
};

// The first broken promise of one horoscope, "" when none is.
std::string Broken(SweepBirth& b, const Horoscope& h, LeapMonthRule rule) {
    const Cast& c = b.cast;
    if (h.age != h.target.lunar.year - ParseDecimal(c.birth.g_strLunarYear) + 1) return "age";
    const std::size_t layers = h.target.hour ? 6 : 5;
    if (h.layers.size() != layers) return "layer count";
    for (const PeriodLayer& l : h.layers) {
        const std::string_view name = LayerName(l.kind);
        if (!Distinct(l.palaces)) return std::string(name) + ": palace names not distinct";
        if (l.palaces[l.cell] != "命宫")
            return std::string(name) + ": 命宫 not in the layer's cell";
        for (const Transformation& t : l.transformations)
            if (!b.Stands(l.stemBranch.stem, t))
                return std::string(name) + ": " + std::string(t.star) + " not on the chart there";
        const std::size_t stars = l.kind == LayerKind::Minor  ? 0
                                  : l.kind == LayerKind::Year ? 11
                                                              : 10;
        if (l.stars.size() != stars) return std::string(name) + ": moving-star count";
        std::array<std::string_view, 11> names{};
        for (std::size_t i = 0; i < stars; ++i) {
            if (l.stars[i].cell < 0 || l.stars[i].cell > 11)
                return std::string(name) + ": moving star off the ring";
            names[i] = l.stars[i].name;
        }
        if (!Distinct(names, stars)) return std::string(name) + ": moving stars repeat";
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

TEST(Sweep, BirthTargetPairs) {
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
        SweepBirth birth;
        birth.cast = CastBirth(static_cast<int>(b.year()), static_cast<int>(unsigned(b.month())),
                               static_cast<int>(unsigned(b.day())), i % 13, i % 2);
        for (auto& marks : birth.cellOf) marks.fill(-2);
        const Cast& c = birth.cast;
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
            const std::string broken = Broken(birth, r.horoscope, rule);
            ASSERT_EQ(broken, "") << "birth " << c.birth.g_strSolarText << " hour " << i % 13
                                  << " sex " << i % 2 << ", target day " << day;
            ++checked;
            monthOne += CountedMonth(r.horoscope.target.lunar, rule) == 1;
            children += r.horoscope.layers[0].child;
        }
    }
    EXPECT_EQ(checked, kBirths * kTargetsPerBirth);
    EXPECT_GT(monthOne, checked / 100);  // 正月 targets are among them
    EXPECT_GT(children, 0);
}

}  // namespace
}  // namespace qelvar::test
