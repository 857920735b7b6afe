// The form's birth-time model without widgets: the time field's format, the
// clock date kept while true solar time moves the form's date, and a list
// chosen by hand.
#include <gtest/gtest.h>

#include "form/MomentEntry.h"

namespace qelvar {
namespace {

using std::chrono::year;

TEST(MomentEntry, TimeFieldFormat) {
    struct Row {
        const char* text;
        int hour, minute;  // -1: refused
    } const rows[] = {
        {"12:10", 12, 10}, {"7:30", 7, 30},   {" 00:00 ", 0, 0}, {"23:59", 23, 59},
        {"24:00", -1, -1}, {"12:60", -1, -1}, {"12:7", -1, -1},  {"1210", -1, -1},
        {":10", -1, -1},   {"", -1, -1},      {"12:1x", -1, -1}, {"123:10", -1, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const auto parsed = ParseClockText(r.text);
        ASSERT_EQ(parsed.has_value(), r.hour >= 0);
        if (parsed) {
            EXPECT_EQ(*parsed, std::make_pair(r.hour, r.minute));
        }
    }
}

// Ürümqi 2000-11-03 01:40 Beijing time is 23:46 true solar time on
// 2 November (−129.6 and +16.4 minutes): 夜子 of the 2nd.  Reading it again
// (the place typed once more) keeps the 3rd as the clock date.
TEST(MomentEntry, ClockDateStaysWhenTrueSolarTimeMovesTheForm) {
    BirthData birth;
    BirthForm form(birth, year{2000} / 11 / 3);
    MomentEntry entry;
    entry.m_strTime = "01:40";
    entry.m_strPlace = "87.60";
    ASSERT_TRUE(entry.Apply(form));
    EXPECT_EQ(form.m_dateSolar, year{2000} / 11 / 2);
    EXPECT_EQ(birth.g_strSolarDay, "2");
    EXPECT_EQ(form.m_nHourSelection, 12);
    EXPECT_EQ(form.m_nMinuteSelection, 4);
    ASSERT_TRUE(entry.Apply(form));
    EXPECT_EQ(form.m_dateSolar, year{2000} / 11 / 2);
    EXPECT_EQ(form.m_nHourSelection, 12);
    entry.m_bTrueSolarTime = false;  // 01:40 Beijing time: 丑, slot 4
    ASSERT_TRUE(entry.Apply(form));
    EXPECT_EQ(form.m_dateSolar, year{2000} / 11 / 3);
    EXPECT_EQ(form.m_nHourSelection, 1);
    EXPECT_EQ(form.m_nMinuteSelection, 4);
    EXPECT_TRUE(form.m_tBirthInstant.has_value());
    entry.OnListChosen(form);
    EXPECT_FALSE(form.m_tBirthInstant.has_value());
    EXPECT_TRUE(entry.m_strTime.empty());
    EXPECT_FALSE(entry.Resolution().has_value());
}

TEST(MomentEntry, UnknownPlaceSetsNothing) {
    BirthData birth;
    BirthForm form(birth, year{2000} / 2 / 5);
    MomentEntry entry;
    entry.m_strTime = "12:10";
    entry.m_strPlace = "Qwertyville";
    EXPECT_FALSE(entry.Apply(form));
    EXPECT_EQ(form.m_nHourSelection, BirthForm::kNoSelection);
    EXPECT_EQ(entry.m_strResolution, "找不到出生地“Qwertyville”");
    EXPECT_EQ(MomentCaption(entry), "");
}

// The chart's caption carries the place as it was found and the reading of
// the clock time (Ürümqi's seat, 87.62 E, 2000-02-05 12:10: longitude
// −129.5, equation of time −13.9), and nothing once a list was chosen by
// hand.  A name shared by several places is read for none of them.
TEST(MomentEntry, CaptionTellsPlaceAndReading) {
    BirthData birth;
    BirthForm form(birth, year{2000} / 2 / 5);
    MomentEntry entry;
    entry.m_strTime = "12:10";
    entry.m_strPlace = "乌鲁木齐";  // the city and the county
    EXPECT_FALSE(entry.Apply(form));
    EXPECT_EQ(entry.m_strResolution,
              "出生地“乌鲁木齐”有2处，请加上省市：乌鲁木齐市 · 新疆维吾尔自治区；"
              "乌鲁木齐县 · 乌鲁木齐市");
    EXPECT_FALSE(form.m_tBirthInstant.has_value());
    entry.m_strPlace = "乌鲁木齐市";
    ASSERT_TRUE(entry.Apply(form));
    EXPECT_EQ(MomentCaption(entry),
              "出生地 乌鲁木齐市 · 新疆维吾尔自治区：北京时间 12:10 → 真太阳时 09:46（经度 −129.5 "
              "分，时差 −13.9 分）");
    entry.OnListChosen(form);
    EXPECT_EQ(MomentCaption(entry), "");
}

}  // namespace
}  // namespace qelvar
