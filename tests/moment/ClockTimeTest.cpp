// Clock times through tzdata: China's daylight saving years, the skipped and
// the repeated hour, Hong Kong and Taipei, and the daylight-saving choice.
// Expected values follow from tzdata's rules as published (China: from the
// Sunday on or after 11 April, 1986 from 4 May, at 02:00, to the Sunday on
// or after 11 September at 02:00 daylight time; Hong Kong 1941: +1 h from
// 15 June, +0:30 "winter time" from 1 October; Taiwan 1974-1975: 1 April to
// 30 September) and the double-hours counted by hand.  True solar time is
// off, so the chart uses standard time.
#include <gtest/gtest.h>

#include "moment/BirthMoment.h"
#include "moment/MomentText.h"

namespace qelvar {
namespace {

struct ClockCase {
    const char* what;
    const char* zone;
    ClockTime clock;
    int utcOffsetMinutes;
    bool dst;
    int standardHour, standardMinute;
    int hour, minuteSlot;
};

// 13:30 on the clock: standard time 13:30 is 未 (7) slot 3; under daylight
// saving it is 12:30 standard, 午 (6) slot 9.
constexpr int kNoDst = 480;
constexpr int kDst = 540;
const ClockCase kChinaDstYears[] = {
    {"1986 day before the start",
     "Asia/Shanghai",
     {1986, 5, 3, 13, 30},
     kNoDst,
     false,
     13,
     30,
     7,
     3},
    {"1986 first day", "Asia/Shanghai", {1986, 5, 4, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"1986 last day", "Asia/Shanghai", {1986, 9, 13, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"1986 day after the end", "Asia/Shanghai", {1986, 9, 14, 13, 30}, kNoDst, false, 13, 30, 7, 3},
    {"1987 day before the start",
     "Asia/Shanghai",
     {1987, 4, 11, 13, 30},
     kNoDst,
     false,
     13,
     30,
     7,
     3},
    {"1987 first day", "Asia/Shanghai", {1987, 4, 12, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"1987 last day", "Asia/Shanghai", {1987, 9, 12, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"1987 day after the end", "Asia/Shanghai", {1987, 9, 13, 13, 30}, kNoDst, false, 13, 30, 7, 3},
    {"1988 day before the start",
     "Asia/Shanghai",
     {1988, 4, 16, 13, 30},
     kNoDst,
     false,
     13,
     30,
     7,
     3},
    {"1988 first day", "Asia/Shanghai", {1988, 4, 17, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"1988 last day", "Asia/Shanghai", {1988, 9, 10, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"1988 day after the end", "Asia/Shanghai", {1988, 9, 11, 13, 30}, kNoDst, false, 13, 30, 7, 3},
    {"1989 day before the start",
     "Asia/Shanghai",
     {1989, 4, 15, 13, 30},
     kNoDst,
     false,
     13,
     30,
     7,
     3},
    {"1989 first day", "Asia/Shanghai", {1989, 4, 16, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"1989 last day", "Asia/Shanghai", {1989, 9, 16, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"1989 day after the end", "Asia/Shanghai", {1989, 9, 17, 13, 30}, kNoDst, false, 13, 30, 7, 3},
    {"1990 day before the start",
     "Asia/Shanghai",
     {1990, 4, 14, 13, 30},
     kNoDst,
     false,
     13,
     30,
     7,
     3},
    {"1990 first day", "Asia/Shanghai", {1990, 4, 15, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"1990 last day", "Asia/Shanghai", {1990, 9, 15, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"1990 day after the end", "Asia/Shanghai", {1990, 9, 16, 13, 30}, kNoDst, false, 13, 30, 7, 3},
    {"1991 day before the start",
     "Asia/Shanghai",
     {1991, 4, 13, 13, 30},
     kNoDst,
     false,
     13,
     30,
     7,
     3},
    {"1991 first day", "Asia/Shanghai", {1991, 4, 14, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"1991 last day", "Asia/Shanghai", {1991, 9, 14, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"1991 day after the end", "Asia/Shanghai", {1991, 9, 15, 13, 30}, kNoDst, false, 13, 30, 7, 3},
    {"1985 had none", "Asia/Shanghai", {1985, 7, 1, 13, 30}, kNoDst, false, 13, 30, 7, 3},
    {"1992 had none", "Asia/Shanghai", {1992, 7, 1, 13, 30}, kNoDst, false, 13, 30, 7, 3},
    // Round the changes of 1988 (17 April 02:00 -> 03:00; 11 September
    // 02:00 daylight -> 01:00 standard).
    {"last minute before the skip",
     "Asia/Shanghai",
     {1988, 4, 17, 1, 59},
     kNoDst,
     false,
     1,
     59,
     1,
     5},
    {"first minute after the skip", "Asia/Shanghai", {1988, 4, 17, 3, 0}, kDst, true, 2, 0, 1, 6},
    {"00:59 daylight is 23:59 standard: 夜子",
     "Asia/Shanghai",
     {1988, 9, 11, 0, 59},
     kDst,
     true,
     23,
     59,
     12,
     5},
    {"02:00 after the repeat is standard",
     "Asia/Shanghai",
     {1988, 9, 11, 2, 0},
     kNoDst,
     false,
     2,
     0,
     1,
     6},
    // Hong Kong 1941: a full hour in summer, half an hour in October.
    {"Hong Kong summer 1941", "Asia/Hong_Kong", {1941, 7, 15, 12, 0}, 540, true, 11, 0, 6, 0},
    {"Hong Kong winter time 1941",
     "Asia/Hong_Kong",
     {1941, 10, 15, 12, 0},
     510,
     true,
     11,
     30,
     6,
     3},
    {"Hong Kong before 1941", "Asia/Hong_Kong", {1941, 5, 15, 12, 0}, 480, false, 12, 0, 6, 6},
    {"Taipei summer 1975", "Asia/Taipei", {1975, 7, 15, 13, 30}, kDst, true, 12, 30, 6, 9},
    {"Taipei autumn 1975", "Asia/Taipei", {1975, 10, 15, 13, 30}, kNoDst, false, 13, 30, 7, 3},
};

TEST(ClockTime, OffsetsStandardTimeAndDoubleHour) {
    for (const ClockCase& c : kChinaDstYears) {
        SCOPED_TRACE(c.what);
        BirthMoment m;
        m.zone = c.zone;
        m.clock = c.clock;
        const MomentResult result = ResolveMoment(m);
        ASSERT_TRUE(result.ok()) << result.message;
        const MomentResolution& r = *result.resolution;
        EXPECT_EQ(r.utcOffset.count(), c.utcOffsetMinutes * 60);
        EXPECT_EQ(r.standardOffset, std::chrono::hours{8});  // every zone here
        EXPECT_EQ(r.dst, c.dst);
        EXPECT_FALSE(r.ambiguous);
        EXPECT_EQ(r.standardTime.hour, c.standardHour);
        EXPECT_EQ(r.standardTime.minute, c.standardMinute);
        EXPECT_EQ(r.hour, c.hour);
        EXPECT_EQ(r.minuteSlot, c.minuteSlot);
        EXPECT_FALSE(r.chartUsesTrueSolarTime);
    }
}

// The standard offset is exact when only part of an hour was saved.
TEST(ClockTime, SavingOfHalfAnHourKeepsStandardTimeAtEightHours) {
    BirthMoment m;
    m.zone = "Asia/Hong_Kong";
    m.clock = {1941, 10, 15, 12, 0};
    const MomentResult result = ResolveMoment(m);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.resolution->standardOffset, std::chrono::hours{8});
    EXPECT_EQ(result.resolution->utcOffset - result.resolution->standardOffset,
              std::chrono::minutes{30});
}

// Hong Kong kept local mean time, UTC+7:36:42, until 30 October 1904.
TEST(ClockTime, OffsetOfLocalMeanTimeIsKeptToTheSecond) {
    BirthMoment m;
    m.zone = "Asia/Hong_Kong";
    m.clock = {1900, 10, 15, 12, 0};
    const MomentResult result = ResolveMoment(m);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.resolution->utcOffset.count(), 7 * 3600 + 36 * 60 + 42);
    EXPECT_EQ(result.resolution->standardOffset, result.resolution->utcOffset);
    EXPECT_FALSE(result.resolution->dst);
}

TEST(ClockTime, SkippedHourFailsWithTheGapInTheMessage) {
    for (const int minute : {0, 30, 59}) {
        BirthMoment m;
        m.clock = {1988, 4, 17, 2, minute};
        const MomentResult result = ResolveMoment(m);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.error, MomentError::NonexistentTime);
        EXPECT_NE(result.message.find("02:00 to 03:00"), std::string::npos) << result.message;
    }
}

// 01:30 on 11 September 1988 happened twice: first under daylight saving
// (00:30 standard, 子 slot 9: 90 minutes after 23:00), then in standard time.
TEST(ClockTime, RepeatedHourTakesTheFirstOccurrenceAndSaysSo) {
    BirthMoment m;
    m.clock = {1988, 9, 11, 1, 30};
    const MomentResult result = ResolveMoment(m);
    ASSERT_TRUE(result.ok());
    const MomentResolution& r = *result.resolution;
    EXPECT_TRUE(r.ambiguous);
    EXPECT_TRUE(r.dst);
    EXPECT_EQ(r.utcOffset, std::chrono::hours{9});
    EXPECT_EQ(r.standardTime.hour, 0);
    EXPECT_EQ(r.standardTime.minute, 30);
    EXPECT_EQ(r.hour, 0);
    EXPECT_EQ(r.minuteSlot, 9);
    EXPECT_NE(r.note.find("twice"), std::string::npos);
}

struct ChoiceCase {
    const char* what;
    ClockTime clock;
    DstChoice dst;
    int utcOffsetMinutes;
    int standardHour;
};

// tzdata starts 1988's daylight saving on 17 April; records that kept it from
// 10 April are read with --dst on; a record in standard time with --dst off.
const ChoiceCase kChoices[] = {
    {"on before tzdata's start", {1988, 4, 12, 12, 0}, DstChoice::On, 540, 11},
    {"on inside daylight saving", {1988, 6, 15, 12, 0}, DstChoice::On, 540, 11},
    {"off inside daylight saving", {1988, 6, 15, 12, 0}, DstChoice::Off, 480, 12},
    {"off in winter", {1988, 1, 15, 12, 0}, DstChoice::Off, 480, 12},
    {"on in a year without any", {2000, 6, 15, 12, 0}, DstChoice::On, 540, 11},
    {"on in the skipped hour is a plain reading", {1988, 4, 17, 2, 30}, DstChoice::On, 540, 1},
};

TEST(ClockTime, DaylightSavingChoiceOverridesTzdata) {
    for (const ChoiceCase& c : kChoices) {
        SCOPED_TRACE(c.what);
        BirthMoment m;
        m.clock = c.clock;
        m.dst = c.dst;
        const MomentResult result = ResolveMoment(m);
        ASSERT_TRUE(result.ok()) << result.message;
        EXPECT_EQ(result.resolution->utcOffset.count(), c.utcOffsetMinutes * 60);
        EXPECT_EQ(result.resolution->standardOffset, std::chrono::hours{8});
        EXPECT_EQ(result.resolution->dst, c.dst == DstChoice::On);
        EXPECT_EQ(result.resolution->standardTime.hour, c.standardHour);
    }
}

struct BadCase {
    const char* what;
    BirthMoment moment;
    MomentError error;
};

BirthMoment With(ClockTime clock, const char* zone, std::optional<Birthplace> place,
                 std::optional<bool> solar = std::nullopt) {
    BirthMoment m;
    m.clock = clock;
    m.zone = zone;
    m.place = std::move(place);
    m.trueSolarTime = solar;
    return m;
}

TEST(ClockTime, BadMomentsAreRefused) {
    const BadCase cases[] = {
        {"30 February", With({1990, 2, 30, 12, 0}, "Asia/Shanghai", {}), MomentError::InvalidClock},
        {"hour 24", With({1990, 2, 3, 24, 0}, "Asia/Shanghai", {}), MomentError::InvalidClock},
        {"minute 60", With({1990, 2, 3, 12, 60}, "Asia/Shanghai", {}), MomentError::InvalidClock},
        {"year 1899", With({1899, 2, 3, 12, 0}, "Asia/Shanghai", {}), MomentError::InvalidClock},
        {"unknown zone", With({1990, 2, 3, 12, 0}, "Asia/Atlantis", {}), MomentError::UnknownZone},
        {"longitude 180.5", With({1990, 2, 3, 12, 0}, "Asia/Shanghai", Birthplace{"", 180.5, {}}),
         MomentError::InvalidPlace},
        {"longitude -200", With({1990, 2, 3, 12, 0}, "Asia/Shanghai", Birthplace{"", -200.0, {}}),
         MomentError::InvalidPlace},
        {"latitude 91", With({1990, 2, 3, 12, 0}, "Asia/Shanghai", Birthplace{"", 100.0, 91.0}),
         MomentError::InvalidPlace},
        {"true solar time without a longitude",
         With({1990, 2, 3, 12, 0}, "Asia/Shanghai", {}, true), MomentError::NoLongitude},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const MomentResult result = ResolveMoment(c.moment);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.error, c.error);
        EXPECT_FALSE(result.message.empty());
    }
    EXPECT_TRUE(
        ResolveMoment(With({1990, 2, 3, 12, 0}, "Asia/Shanghai", Birthplace{"", -180.0, -90.0}))
            .ok());
    EXPECT_TRUE(
        ResolveMoment(With({1990, 2, 3, 12, 0}, "Asia/Shanghai", Birthplace{"", 180.0, 90.0}))
            .ok());
}

}  // namespace
}  // namespace qelvar

namespace qelvar {
namespace {

struct ClockLabelCase {
    const char* zone;
    const char* place;  // the birthplace's label, empty: none
    ClockTime clock;
    const char* line;  // how the reading starts
};

// The clock named in Chinese: 北京时间, 台北时间, 香港时间, 澳门时间, else the
// city and the clock's UTC offset (New York in July: UTC−4, daylight time).
const ClockLabelCase kClockLabels[] = {
    {"Asia/Shanghai", "", {2000, 7, 5, 12, 10}, "北京时间 12:10"},
    {"Asia/Taipei", "", {2000, 7, 5, 12, 10}, "台北时间 12:10"},
    {"Asia/Taipei", "", {1975, 7, 15, 13, 30}, "台北夏令时 13:30 → 标准时 12:30"},
    {"Asia/Hong_Kong", "", {2000, 7, 5, 12, 10}, "香港时间 12:10"},
    {"Asia/Macau", "", {2000, 7, 5, 12, 10}, "澳门时间 12:10"},
    {"America/New_York",
     "纽约 · 美国",
     {2000, 7, 5, 12, 10},
     "纽约 UTC−04:00 夏令时 12:10 → 标准时 11:10"},
    {"Europe/Paris", "", {2000, 1, 5, 12, 10}, "Paris UTC+01:00 12:10"},
    {"Asia/Kolkata", "", {2000, 1, 5, 12, 10}, "Kolkata UTC+05:30 12:10"},
};

TEST(MomentText, ClockNamedInChinese) {
    for (const ClockLabelCase& c : kClockLabels) {
        SCOPED_TRACE(c.line);
        BirthMoment m;
        m.clock = c.clock;
        m.zone = c.zone;
        if (*c.place) m.place = Birthplace{c.place, 0.0, std::nullopt};
        m.trueSolarTime = false;
        const MomentResult r = ResolveMoment(m);
        ASSERT_TRUE(r.ok());
        EXPECT_TRUE(DescribeResolution(m, *r.resolution).starts_with(c.line))
            << DescribeResolution(m, *r.resolution);
    }
}

}  // namespace
}  // namespace qelvar
