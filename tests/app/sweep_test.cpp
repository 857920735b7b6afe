// Casts over every day of the calendar range through the birth builder,
// the grids compared with digests of the grids cast before the engine was
// typed (GridDigest.h; every grid of three years with the suite, every grid
// of the range with the disabled WholeRangeGridDigests),
// checking what every chart promises and the year and month pillars against
// the moments of the solar terms.  The sampled sweep (each day with a
// rotating double-hour and sex; every 5th day under the sanitizers) runs
// with the suite, as do the pillar sweeps (every day at 00:05 and 23:55,
// every sub-period of every 节 day); the full sweep (each day x the 13
// hour entries, the twelve double-hours and 夜子, x both sexes, about 1.4
// million casts) is disabled by default and runs with
//   build/bin/qelvar_app_tests --gtest_also_run_disabled_tests --gtest_filter='*FullSweep*'
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "GridDigest.h"
#include "birth/BirthBuilder.h"
#include "calendar/SolarTermMoments.h"
#include "chart/Pillars.h"
#include "chart/Text.h"
#include "chart/ZiWei.h"

namespace qelvar {
namespace {

using namespace std::chrono;

constexpr year_month_day kToday{year{2026}, month{12}, day{7}};
constexpr sys_days kFirst = sys_days{year{1901} / 2 / 19};
constexpr sys_days kLast = sys_days{year{2051} / 2 / 10};

constexpr std::array<std::string_view, 14> kMainStars = {"紫微", "天机", "太阳", "武曲", "天同",
                                                         "廉贞", "天府", "太阴", "贪狼", "巨门",
                                                         "天相", "天梁", "七杀", "破军"};

std::string Iso(sys_days t) {
    const year_month_day d{t};
    return std::to_string(static_cast<int>(d.year())) + "-" +
           std::to_string(static_cast<unsigned>(d.month())) + "-" +
           std::to_string(static_cast<unsigned>(d.day()));
}

// Every invariant of a cast; returns the first one broken, "" when none is.
std::string BrokenInvariant(const ChartGrid& g) {
    std::array<int, kMainStars.size()> seen{};
    for (const int id : ChartGrid::SlotIds()) {
        const std::string& text = g.GetSlotText(id);
        if (text.size() != 6) continue;  // every main star is two characters
        for (std::size_t k = 0; k < kMainStars.size(); ++k) seen[k] += text == kMainStars[k];
    }
    for (std::size_t k = 0; k < kMainStars.size(); ++k)
        if (seen[k] != 1)
            return "main star " + std::string(kMainStars[k]) + " appears " +
                   std::to_string(seen[k]) + " times";
    int life = 0, body = 0;
    PalaceIndex lifeCell = 0;
    std::set<std::string> names;
    for (PalaceIndex c = 0; c < 12; ++c) {
        const std::string& name = g.GetSlotText(1012 + c);
        names.insert(name);
        if (name == "本命宫" || name == "命★身") {
            ++life;
            lifeCell = c;
        }
        body += name.find("★身") != std::string::npos;
    }
    if (life != 1) return "life palace named " + std::to_string(life) + " times";
    if (body != 1) return "body mark " + std::to_string(body) + " times";
    if (names.size() != 12) return "palace names not distinct";

    const std::string& bureau = g.GetSlotText(1036);
    const std::array<std::pair<std::string_view, int>, 5> bureaus = {
        {{"水二局", 2}, {"木三局", 3}, {"金四局", 4}, {"土五局", 5}, {"火六局", 6}}};
    int n = 0;
    for (const auto& [name, number] : bureaus)
        if (bureau == name) n = number;
    if (n == 0) return "bureau text " + bureau;
    if (g.GetSlotText(1037 + lifeCell).rfind(std::to_string(n) + "-", 0) != 0)
        return "life decade " + g.GetSlotText(1037 + lifeCell) + " under " + bureau;

    std::set<std::string> boShi;
    for (PalaceIndex c = 0; c < 12; ++c) {
        boShi.insert(g.GetSlotText(1241 + c));
        for (const int base : {1253, 1265})
            if (g.GetSlotText(base + c) == ChartGrid::InitialText(base + c))
                return "god placeholder left";
    }
    if (boShi.size() != 12) return "博士 cycle incomplete";

    std::string_view stars = g.GetSlotText(2185);
    for (int line = 0; line < 3; ++line) {
        const std::size_t end = stars.find("\r\n");
        if (end == std::string_view::npos) return "pillar-star line without CR LF";
        if (GbkLength(stars.substr(0, end)) != 35) return "pillar-star line not 35 bytes";
        stars.remove_prefix(end + 2);
    }
    if (!stars.empty()) return "text after the third pillar-star line";
    return {};
}

using PillarPair = std::pair<std::string, std::string>;

// Year and month pillar of an instant from the term moments alone: with Y
// and M the year and month of its China Standard Time date, the month
// turns at the moment of M's 节 (term 2M - 1) and the year at 立春 (term 3
// of Y).
PillarPair MomentPillars(sys_seconds t) {
    const year_month_day d{floor<days>(t + hours{8})};
    const int y = static_cast<int>(d.year());
    const int m = static_cast<int>(static_cast<unsigned>(d.month()));
    const bool afterJie = t >= SolarTermMoment(y, 2 * m - 1);
    const bool afterLiChun = m > 2 || (m == 2 && t >= SolarTermMoment(y, 3));
    const int pillarYear = afterLiChun ? y : y - 1;
    const int ys = FloorMod(pillarYear - 4, 10);
    const Branch monthBranch = FloorMod(afterJie ? m : m - 1, 12);
    const int row = FloorMod(monthBranch - 2, 12);
    return {std::string(StemName(ys)) + std::string(BranchName(pillarYear - 4)),
            std::string(StemName(2 + 2 * (ys % 5) + row)) + std::string(BranchName(monthBranch))};
}

// The double-hour (0..12) and sub-period of a clock time: 23:xx is 夜子,
// 00:xx 子, h > 0 starts at 2h - 1 o'clock; the sub-period counts ten
// minutes from the start.
std::pair<int, int> ClockHourAndSlot(int hour, int minute) {
    const int h = hour == 23 ? 12 : (hour + 1) / 2;
    const int start = h == 0 ? -1 : 2 * h - 1;
    return {h, ((hour - start) * 60 + minute) / 10};
}

BirthData Build(sys_days date, int doubleHour, int slot, int sex = 0) {
    const BirthBuild b = BirthFromSolar(
        year_month_day{date},
        {.doubleHour = doubleHour, .minuteSlot = slot, .sex = sex, .instant = std::nullopt});
    EXPECT_TRUE(b.ok()) << Iso(date);
    return b.ok() ? *b.birth : BirthData{};
}

// The pillars step alone, as the chart runs it.
PillarPair ChartPillars(const BirthData& birth) {
    ZiWeiChart chart(birth, kToday);
    chart.ComputePillars();
    return {chart.Pillars().m_strYearPillar, chart.Pillars().m_strMonthPillar};
}

// Days between two sampled days: every day, or every 5th day in the
// sanitizer build, where a cast costs some 30 times more.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kDayStride = 5;
#else
constexpr int kDayStride = 1;
#endif

void Sweep(bool everyHour) {
    long casts = 0, failures = 0;
    int i = 0;
    for (sys_days t = kFirst; t <= kLast; t += days{kDayStride}, ++i) {
        constexpr int kHourEntries = kLateZiHour + 1;  // 子 .. 亥, then 夜子
        const int casesToday = everyHour ? 2 * kHourEntries : 1;
        for (int k = 0; k < casesToday; ++k) {
            const int hour = everyHour ? k / 2 : i % kHourEntries;
            const BirthData birth = Build(t, hour, (i + k) % 12, everyHour ? k % 2 : (i / 13) % 2);
            ZiWeiChart chart(birth, kToday);
            chart.RunChartSteps();
            ++casts;
            const std::string broken = BrokenInvariant(chart.Grid());
            if (!broken.empty() && ++failures <= 10)
                ADD_FAILURE() << Iso(t) << " hour " << hour << ": " << broken;
            const PillarPair expected = MomentPillars(*birth.g_tBirthInstant);
            EXPECT_EQ(chart.Pillars().m_strYearPillar, expected.first) << Iso(t) << " " << hour;
            EXPECT_EQ(chart.Pillars().m_strMonthPillar, expected.second) << Iso(t) << " " << hour;
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(casts, 54000 / kDayStride);
}

TEST(Sweep, EveryDayWithRotatingHourAndSex) {
    Sweep(false);
}

// Every day at 00:05 (子, sub-period 6) and 23:55 (夜子, sub-period 5): the
// sub-period's middle is the clock time itself, and the pillars are those
// of the term moments.  Every 5th day under the sanitizers.
TEST(PillarSweep, EveryDayAtFiveAfterMidnightAndFiveBefore) {
    struct Time {
        int hour, minute;
    };
    for (const Time c : {Time{0, 5}, Time{23, 55}}) {
        const auto [doubleHour, slot] = ClockHourAndSlot(c.hour, c.minute);
        ASSERT_EQ(doubleHour, c.hour == 0 ? 0 : 12);
        ASSERT_EQ(slot, c.hour == 0 ? 6 : 5);
        for (sys_days t = kFirst; t <= kLast; t += days{kDayStride}) {
            const BirthData birth = Build(t, doubleHour, slot);
            const sys_seconds clock = t + hours{c.hour} + minutes{c.minute} - hours{8};
            ASSERT_EQ(birth.g_tBirthInstant, clock) << Iso(t);
            ASSERT_EQ(ChartPillars(birth), MomentPillars(clock)) << Iso(t) << " " << c.hour;
        }
    }
}

// Every sub-period of every double-hour (子 and 夜子 included) of every day
// holding a 节: the instant read back on the clock gives the same
// sub-period and the same double-hour (子 of a date being 夜子 of the date
// before, and the late sub-periods of 夜子 子 of the date after), and the
// pillars of the pillars step are those of the term moments.  Every 5th 节
// under the sanitizers.
TEST(PillarSweep, EverySubPeriodOfEveryJieDay) {
    int jieDays = 0, turns = 0;
    for (int y = kFirstTermYear; y <= kLastTermYear; ++y) {
        for (int index = 1; index <= 23; index += 2) {
            const sys_days day = floor<days>(SolarTermMoment(y, index) + hours{8});
            if (day < kFirst || day > kLast || (y * 12 + index) % kDayStride != 0) continue;
            ++jieDays;
            const std::optional<BirthDates> dates =
                DatesFromSolar(*ToSolarDate(year_month_day{day}));
            ASSERT_TRUE(dates.has_value()) << Iso(day);
            PillarPair previous;
            for (int h = 0; h <= 12; ++h) {
                for (int slot = 0; slot < 12; ++slot) {
                    const BirthBuild birth = BuildBirth(
                        *dates, {.doubleHour = h, .minuteSlot = slot, .sex = 0, .instant = {}});
                    ASSERT_TRUE(birth.ok());
                    const sys_seconds t = *birth.birth->g_tBirthInstant;
                    const sys_seconds local = t + hours{8};
                    const sys_days clockDay = floor<days>(local);
                    const hh_mm_ss<seconds> clock{local - clockDay};
                    const auto [h2, slot2] =
                        ClockHourAndSlot(static_cast<int>(clock.hours().count()),
                                         static_cast<int>(clock.minutes().count()));
                    EXPECT_EQ(slot2, slot) << Iso(day) << " " << h << "/" << slot;
                    const int shift = static_cast<int>((clockDay - day).count());  // [-1, 1]
                    EXPECT_TRUE((h2 == h && shift == 0) || (h == 0 && h2 == 12 && shift == -1) ||
                                (h == 12 && h2 == 0 && shift == 1))
                        << Iso(day) << " " << h << "/" << slot << " read back as " << h2;
                    const YearMonthPillars p = YearMonthPillarsAt(t);
                    const PillarPair got{PillarText(p.year), PillarText(p.month)};
                    EXPECT_EQ(got, MomentPillars(t)) << Iso(day) << " " << h << "/" << slot;
                    turns += (h > 0 || slot > 0) && got.second != previous.second;
                    previous = got;
                }
            }
        }
    }
    EXPECT_GE(jieDays, 1790 / kDayStride);
    // The sub-periods run from 23:05 the evening before to 00:55 the
    // morning after, so the month turns exactly once among them.
    EXPECT_EQ(turns, jieDays);
}

// Around every lunar new year that falls in January the days between the new
// year and 立春 still belong to the old pillar year and the 丑 month.
TEST(YearPillar, TurnsAtLiChunAroundEveryJanuaryNewYear) {
    LunarCalendar cal;
    int newYears = 0;
    for (int y = 1902; y <= 2050; ++y) {
        const auto newYear = cal.LunarToSolar(LunarDate{static_cast<std::uint16_t>(y), 1, 1, 0});
        ASSERT_TRUE(newYear.has_value()) << y;
        if (newYear->month != 1) continue;
        ++newYears;
        for (sys_days t = sys_days{year{y} / 1 / 1}; t <= sys_days{year{y} / 2 / 28};
             t += days{1}) {
            const BirthData birth = Build(t, 6, 0);
            ZiWeiChart chart(birth, kToday);
            chart.RunChartSteps();
            const PillarPair expected = MomentPillars(*birth.g_tBirthInstant);
            EXPECT_EQ(chart.Pillars().m_strYearPillar, expected.first) << Iso(t);
            EXPECT_EQ(chart.Pillars().m_strMonthPillar, expected.second) << Iso(t);
        }
    }
    EXPECT_GT(newYears, 30);
}

TEST(Sweep, DISABLED_FullSweepEveryDayEveryHourBothSexes) {
    Sweep(true);
}

// The digests of tests/app/data/grid_digests.txt by year.
std::map<int, std::string> RecordedDigests() {
    std::ifstream in(std::string(QELVAR_SOURCE_DIR) + "/tests/app/data/grid_digests.txt");
    std::map<int, std::string> out;
    int y = 0;
    std::string digest, rest;
    while (in >> y >> digest && std::getline(in, rest)) out[y] = digest + rest;
    return out;
}

// The grid of one birth, cast as the program casts it.
struct Caster {
    std::optional<ZiWeiChart> chart;
    const ChartGrid* operator()(const BirthDates& dates, const BirthTime& time) {
        const BirthBuild b = BuildBirth(dates, time);
        if (!b.ok()) return nullptr;
        chart.emplace(*b.birth, test::kDigestToday);
        chart->RunChartSteps();
        return &chart->Grid();
    }
};

void ExpectYearDigests(std::initializer_list<int> years) {
    const std::map<int, std::string> recorded = RecordedDigests();
    ASSERT_EQ(recorded.size(), 151U);
    Caster caster;
    for (const int y : years) {
        const test::YearDigest d = test::DigestYear(y, caster);
        char line[64];
        std::snprintf(line, sizeof line, "%016llx %ld %ld",
                      static_cast<unsigned long long>(d.digest), d.casts, d.failures);
        EXPECT_EQ(line, recorded.at(y)) << "grids of " << y;
    }
}

// Every grid of the first year of the range, a leap year and the last
// days of the range is the grid recorded; under the sanitizers the last
// days alone.
TEST(GridDigest, SampledYearsCastTheRecordedGrids) {
#if defined(__SANITIZE_ADDRESS__)
    ExpectYearDigests({2051});
#else
    ExpectYearDigests({1901, 2000, 2051});
#endif
}

// Every grid of the range: each day, hour entry, sub-period and sex.
//   build/bin/qelvar_app_tests --gtest_also_run_disabled_tests --gtest_filter='*WholeRange*'
TEST(GridDigest, DISABLED_WholeRangeGridDigests) {
    for (int y = 1901; y <= 2051; ++y) ExpectYearDigests({y});
}

}  // namespace
}  // namespace qelvar
