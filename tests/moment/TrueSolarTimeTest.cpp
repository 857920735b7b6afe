// True solar time: the longitude correction, the equation of time and the
// double-hour they give.  The equations of time below were worked out apart
// from this code with Meeus' low-precision Sun (Astronomical Algorithms,
// chapters 25 and 28), good to about two seconds; the rest by hand.
#include <gtest/gtest.h>

#include "moment/BirthMoment.h"
#include "moment/EquationOfTime.h"

namespace qelvar {
namespace {

struct SolarCase {
    const char* what;
    ClockTime clock;  // Beijing time
    double longitude;
    double longitudeMinutes;
    double equationOfTimeMinutes;
    CivilDate trueSolarDate;
    int trueSolarHour, trueSolarMinute;
    int hour, minuteSlot;
};

const SolarCase kCases[] = {
    // 12:10 - 129.6 - 13.9 min = 09:46.5.
    {"Ürümqi: 午 7 becomes 巳 4",
     {2000, 2, 5, 12, 10},
     87.60,
     -129.6,
     -13.94,
     {2000, 2, 5},
     9,
     46,
     5,
     4},
    // Daylight saving: 06:30 standard - 63.7 - 0.4 min = 05:25.9.
    {"Chengdu in daylight saving",
     {1988, 6, 15, 7, 30},
     104.07,
     -63.72,
     -0.36,
     {1988, 6, 15},
     5,
     25,
     3,
     2},
    // 11:00 standard - 14.4 - 5.9 min = 10:39.7: 巳, not 午.
    {"Beijing in daylight saving",
     {1990, 7, 15, 12, 0},
     116.40,
     -14.40,
     -5.87,
     {1990, 7, 15},
     10,
     39,
     5,
     9},
    // The longitude gives +352.8 s, the equation of time −352.2 s: true
    // solar time is 11:00:00.6, just inside 午.  ERFA puts the equation of
    // time at −352.3 s; the difference UT1 − UTC (about −0.2 s then, not
    // applied) is too small to cross back.
    {"Shanghai, a second after 11:00",
     {1990, 7, 15, 12, 0},
     121.47,
     5.88,
     -5.87,
     {1990, 7, 15},
     11,
     0,
     6,
     0},
    // 00:30 - 176.0 - 14.2 min = 21:19.8 the evening before.
    {"Kashgar: back across midnight",
     {2000, 2, 10, 0, 30},
     75.99,
     -176.04,
     -14.21,
     {2000, 2, 9},
     21,
     19,
     11,
     1},
    // 01:40 - 129.6 + 16.4 min = 23:46.8 the evening before: 夜子 of that day.
    {"Ürümqi: into 夜子 of the day before",
     {2000, 11, 3, 1, 40},
     87.60,
     -129.6,
     16.42,
     {2000, 11, 2},
     23,
     46,
     12,
     4},
    // East of 120°: 12:00 + 26.5 + 16.4 min = 12:42.9.
    {"Harbin, east of the zone's meridian",
     {2000, 11, 3, 12, 0},
     126.63,
     26.52,
     16.42,
     {2000, 11, 3},
     12,
     42,
     6,
     10},
};

TEST(TrueSolarTime, CorrectionsAndDoubleHour) {
    for (const SolarCase& c : kCases) {
        SCOPED_TRACE(c.what);
        BirthMoment m;
        m.clock = c.clock;
        m.place = Birthplace{"", c.longitude, {}};
        const MomentResult result = ResolveMoment(m);
        ASSERT_TRUE(result.ok()) << result.message;
        const MomentResolution& r = *result.resolution;
        EXPECT_TRUE(r.chartUsesTrueSolarTime);
        EXPECT_NEAR(r.longitudeMinutes, c.longitudeMinutes, 0.005);
        EXPECT_NEAR(r.equationOfTimeMinutes, c.equationOfTimeMinutes, 0.04);
        EXPECT_EQ(r.trueSolarTime.date.year, c.trueSolarDate.year);
        EXPECT_EQ(r.trueSolarTime.date.month, c.trueSolarDate.month);
        EXPECT_EQ(r.trueSolarTime.date.day, c.trueSolarDate.day);
        EXPECT_EQ(r.trueSolarTime.hour, c.trueSolarHour);
        EXPECT_EQ(r.trueSolarTime.minute, c.trueSolarMinute);
        EXPECT_EQ(r.date.day, c.trueSolarDate.day);
        EXPECT_EQ(r.hour, c.hour);
        EXPECT_EQ(r.minuteSlot, c.minuteSlot);
    }
}

// With true solar time switched off the chart takes standard time, though
// the corrections are still worked out and shown.
TEST(TrueSolarTime, SwitchedOffChartsStandardTime) {
    BirthMoment m;
    m.clock = {2000, 2, 5, 12, 10};
    m.place = Birthplace{"Ürümqi", 87.60, 43.80};
    m.trueSolarTime = false;
    const MomentResult result = ResolveMoment(m);
    ASSERT_TRUE(result.ok());
    EXPECT_FALSE(result.resolution->chartUsesTrueSolarTime);
    EXPECT_EQ(result.resolution->hour, 6);
    EXPECT_EQ(result.resolution->minuteSlot, 7);
    EXPECT_EQ(result.resolution->trueSolarTime.hour, 9);
}

// Almanac values of the equation of time (Meeus, as above), in minutes.
TEST(EquationOfTime, AgreesWithAnIndependentSeries) {
    struct Row {
        int year, month, day;
        double minutes;
    };
    const Row rows[] = {
        {2000, 2, 11, -14.24}, {2000, 4, 15, 0.04},  {2000, 6, 13, -0.10},
        {2000, 9, 1, 0.12},    {2000, 11, 3, 16.42}, {2000, 12, 25, -0.26},
        {1950, 7, 26, -6.40},  {2040, 5, 14, 3.62},  {1910, 2, 11, -14.42},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.year * 10000 + r.month * 100 + r.day);
        const std::chrono::sys_seconds noon{
            std::chrono::sys_days{std::chrono::year{r.year} / r.month / r.day} +
            std::chrono::hours{12}};
        EXPECT_NEAR(EquationOfTimeMinutes(noon), r.minutes, 0.04);
    }
}

// The interpolated values stay with the direct computation across samples.
TEST(EquationOfTime, InterpolationFollowsTheDirectComputation) {
    const std::chrono::sys_seconds start{std::chrono::sys_days{std::chrono::year{1901} / 1 / 1}};
    for (int i = 0; i < 100; ++i) {
        const auto t = start + std::chrono::seconds{i * (547L * 86400 + 3917)};
        EXPECT_NEAR(EquationOfTimeMinutes(t), ComputeEquationOfTimeMinutes(t), 0.25 / 60);
    }
}

// Double-hours start at odd hours; 子 runs from 23:00 of the day before, so
// 00:00 is its sixth ten-minute slot; 23:00-23:59 is 夜子 (12).
TEST(HourAndSlot, BoundariesOfTheDoubleHours) {
    struct Row {
        int hour, minute;
        int doubleHour, slot;
    };
    const Row rows[] = {
        {0, 0, 0, 6},   {0, 59, 0, 11},   {1, 0, 1, 0},    {2, 59, 1, 11},
        {3, 0, 2, 0},   {12, 10, 6, 7},   {10, 59, 5, 11}, {11, 0, 6, 0},
        {21, 9, 11, 0}, {22, 59, 11, 11}, {23, 0, 12, 0},  {23, 59, 12, 5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.hour * 100 + r.minute);
        const HourAndSlot hs = HourAndSlotOfMinute(r.hour * 60 + r.minute);
        EXPECT_EQ(hs.hour, r.doubleHour);
        EXPECT_EQ(hs.minuteSlot, r.slot);
    }
}

}  // namespace
}  // namespace qelvar
