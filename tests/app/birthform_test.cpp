// The birth-data form model: the two date updates, the "Error Date" rule and
// the cast button.
#include "form/BirthForm.h"

#include <gtest/gtest.h>

namespace qelvar {
namespace {

using namespace std::chrono;

constexpr year_month_day kToday{year{2026}, month{12}, day{7}};

year_month_day Ymd(int y, unsigned m, unsigned d) {
    return year_month_day{year{y}, month{m}, day{d}};
}

struct Form {
    BirthData birth;
    BirthForm form{birth, kToday};

    void Solar(int y, unsigned m, unsigned d) {
        form.m_dateSolar = Ymd(y, m, d);
        form.UpdateFromSolar();
    }
    void Lunar(int y, int m, int d, bool leap) {
        form.m_dateLunar = LunarDate{static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m),
                                     static_cast<std::uint16_t>(d), 0};
        form.m_bLeap = leap;
        form.UpdateFromLunar();
    }
};

TEST(BirthForm, OpensOnTodaysLunarDateWithMaleTicked) {
    Form f;
    EXPECT_NE(f.form.m_strLunarStatic, "Lunar");
    EXPECT_EQ(f.form.m_strLunarStatic.rfind("马(丙午)年", 0), 0u) << f.form.m_strLunarStatic;
    EXPECT_TRUE(f.form.m_bMale);
    EXPECT_EQ(f.birth.g_strSolarYear, "2026");
    EXPECT_EQ(f.birth.g_strSolarMonth, "12");
    EXPECT_EQ(f.birth.g_strSolarDay, "7");
    EXPECT_EQ(f.form.m_nHourSelection, BirthForm::kNoSelection);
    EXPECT_FALSE(f.form.CastChart());  // no selections yet
}

TEST(UpdateFromSolar, FillsTheLunarSideAndTheDatePartOfTheBirthData) {
    Form f;
    f.form.m_bLeap = true;
    f.Solar(2000, 2, 5);
    EXPECT_EQ(f.form.m_strLunarStatic, "龙(庚辰)年正月初一");
    EXPECT_EQ(f.form.m_dateLunar.year, 2000);
    EXPECT_EQ(f.form.m_dateLunar.month, 1);
    EXPECT_EQ(f.form.m_dateLunar.day, 1);
    EXPECT_FALSE(f.form.m_bLeap);
    EXPECT_EQ(f.birth.g_strSolarText, "2000年2月5日 ");
    EXPECT_EQ(f.birth.g_strLunarText, "龙(庚辰)年正月初一");
    EXPECT_EQ(f.birth.g_nSolarMonth, 13);
    EXPECT_EQ(f.birth.g_strSolarYear, "2000");
    EXPECT_EQ(f.birth.g_strSolarMonth, "2");
    EXPECT_EQ(f.birth.g_strSolarDay, "5");
    EXPECT_EQ(f.form.m_strLunarYear, "2000");

    f.Solar(2000, 2, 4);
    EXPECT_EQ(f.birth.g_strSolarText, "2000年2月4日 立春");
}

TEST(UpdateFromSolar, LeapMonthTicksTheBoxAndCastStoresTheBareMonth) {
    Form f;
    f.Solar(2020, 5, 23);
    EXPECT_TRUE(f.form.m_bLeap);
    EXPECT_EQ(f.form.m_strLunarStatic, "鼠(庚子)年闰四月初一");
    f.form.m_nHourSelection = 3;
    f.form.m_nMinuteSelection = 4;
    EXPECT_TRUE(f.form.CastChart());
    EXPECT_EQ(f.birth.g_strLunarYear, "2020");
    EXPECT_EQ(f.birth.g_strLunarMonth, "4");
    EXPECT_EQ(f.birth.g_strLunarDay, "1");
    EXPECT_EQ(f.birth.g_strLunarText, "鼠(庚子)年闰四月初一");
}

TEST(UpdateFromLunar, MovesTheGregorianPicker) {
    Form f;
    f.Lunar(2020, 4, 1, true);
    EXPECT_EQ(f.form.m_dateSolar, Ymd(2020, 5, 23));
    EXPECT_EQ(f.form.m_strLunarStatic, "鼠(庚子)年闰四月初一");
    EXPECT_EQ(f.birth.g_strSolarDay, "23");
    EXPECT_EQ(f.birth.g_strLunarText, "鼠(庚子)年闰四月初一");
}

TEST(UpdateFromLunar, ThePickerHoldsLunarNumbersThatAreNoGregorianDate) {
    Form f;
    f.Lunar(2000, 2, 30, false);  // month 2 of 2000 starts on 3-6 and has 30 days
    EXPECT_EQ(f.form.m_strLunarStatic, "龙(庚辰)年二月三十");
    EXPECT_EQ(f.form.m_dateSolar, Ymd(2000, 4, 4));
    EXPECT_EQ(f.birth.g_strSolarText, "2000年4月4日 清明");
    EXPECT_EQ(f.form.m_strLunarDay, "30");
}

TEST(ErrorDate, AFailedUpdateChangesNothingButTheLunarText) {
    struct Case {
        const char* what;
        void (*fail)(Form&);
    };
    const Case cases[] = {
        {"leap flag on a month without leap", [](Form& f) { f.Lunar(2020, 5, 1, true); }},
        {"Gregorian day before the range", [](Form& f) { f.Solar(1901, 2, 18); }},
        {"Gregorian day after the range", [](Form& f) { f.Solar(2051, 2, 12); }},
        {"lunar day 30 of a 29-day month", [](Form& f) { f.Lunar(2000, 3, 30, false); }},
        {"lunar year after 2050", [](Form& f) { f.Lunar(2051, 1, 1, false); }},
        {"lunar month 13", [](Form& f) { f.Lunar(2000, 13, 1, false); }},
        {"invalid Gregorian value", [](Form& f) { f.Solar(2001, 2, 29); }},
    };
    for (const Case& c : cases) {
        Form f;
        f.Solar(2020, 5, 1);  // a successful update first
        f.form.m_nHourSelection = 1;
        f.form.m_nMinuteSelection = 1;
        const BirthData before = f.birth;
        const std::string lunarYear = f.form.m_strLunarYear;
        const LunarDate lunarBefore = f.form.m_dateLunar;
        const auto solarBefore = f.form.m_dateSolar;
        const bool leapBefore = f.form.m_bLeap;
        c.fail(f);
        EXPECT_EQ(f.form.m_strLunarStatic, "Error Date") << c.what;
        EXPECT_EQ(f.birth.g_strSolarText, before.g_strSolarText) << c.what;
        EXPECT_EQ(f.birth.g_strLunarText, before.g_strLunarText) << c.what;
        EXPECT_EQ(f.birth.g_nSolarMonth, before.g_nSolarMonth) << c.what;
        EXPECT_EQ(f.form.m_strLunarYear, lunarYear) << c.what;
        if (std::string_view(c.what).find("Gregorian") != std::string_view::npos) {
            EXPECT_EQ(f.form.m_dateLunar, lunarBefore) << c.what;  // the other picker stays
            EXPECT_EQ(f.form.m_bLeap, leapBefore) << c.what;
        } else {
            EXPECT_EQ(f.form.m_dateSolar, solarBefore) << c.what;
        }
        // The cast button then refuses and stores nothing.
        EXPECT_FALSE(f.form.CastChart()) << c.what;
        EXPECT_EQ(f.birth.g_strLunarYear, before.g_strLunarYear) << c.what;
        EXPECT_EQ(f.birth.g_nHour, before.g_nHour) << c.what;
    }
}

TEST(CastChart, RefusesEveryErrorTextByItsFirstFiveBytes) {
    for (const char* text : {"Error Date", "Error Year", "Error Month", "Error Day", "Error"}) {
        Form f;
        f.form.m_nHourSelection = 0;
        f.form.m_nMinuteSelection = 0;
        f.form.m_strLunarStatic = text;
        EXPECT_FALSE(f.form.CastChart()) << text;
        EXPECT_EQ(f.birth.g_strLunarYear, "") << text;
    }
    Form f;
    f.form.m_nHourSelection = 0;
    f.form.m_nMinuteSelection = 0;
    f.form.m_strLunarStatic = "Erro";
    EXPECT_TRUE(f.form.CastChart());
}

TEST(CastChart, StoresHourMinuteAndSex) {
    struct Row {
        int hourSelection, minuteSelection;
        bool male;
        int hour, sex;
        bool opens;
    };
    const Row rows[] = {
        {12, 0, true, 0, 0, true},                        // 夜子 folds into 子 on the same day
        {11, 5, true, 11, 0, true},                       // 亥
        {6, 11, false, 6, 1, true},                       // 女
        {6, BirthForm::kNoSelection, true, 6, 0, false},  // no sub-period: nothing opens
        {BirthForm::kNoSelection, 3, true, -1, 0, false},
    };
    for (const Row& r : rows) {
        Form f;
        f.Solar(2000, 2, 5);
        f.form.m_nHourSelection = r.hourSelection;
        f.form.m_nMinuteSelection = r.minuteSelection;
        f.form.m_bMale = r.male;
        EXPECT_EQ(f.form.CastChart(), r.opens);
        EXPECT_EQ(f.birth.g_nHour, r.hour);
        EXPECT_EQ(f.birth.g_nMinuteSlot, r.minuteSelection);
        EXPECT_EQ(f.birth.g_nSex, r.sex);
        EXPECT_EQ(f.birth.g_strLunarDay, "1");  // stored even when nothing opens
    }
}

}  // namespace
}  // namespace qelvar
