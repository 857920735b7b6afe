// Dates typed key by key into a picker (DateTyping) and the reasons the form
// gives for a date it cannot convert.
#include <gtest/gtest.h>

#include "birth/BirthBuilder.h"
#include "form/DateTyping.h"

namespace qelvar {
namespace {

struct TypingRow {
    const char* behaviour;
    DateTyping::Section selected;
    bool whole;
    const char* keys;  // '<' is Backspace
    const char* text;  // shown afterwards
    std::optional<DateFields> meant;
};

// Every entry starts from 2026/12/7 in a Gregorian picker (days up to 31).
TEST(DateTyping, KeysGiveTheTextAndTheDateMeant) {
    using S = DateTyping::Section;
    const DateFields d{1988, 6, 15};
    const TypingRow rows[] = {
        {"slashes over the selected year", S::kYear, false, "1988/6/15", "1988/6/15", d},
        {"dashes with leading zeros", S::kYear, false, "1988-06-15", "1988/06/15", d},
        {"dots", S::kYear, false, "1988.6.15", "1988/6/15", d},
        {"spaces", S::kYear, false, "1988 6 15", "1988/6/15", d},
        {"eight digits", S::kYear, false, "19880615", "1988/06/15", d},
        {"everything selected: the first digit clears it", S::kYear, true, "1988/6/1", "1988/6/1",
         DateFields{1988, 6, 1}},
        {"a whole date over the clicked month starts at the year", S::kMonth, false, "1988/6/15",
         "1988/6/15", d},
        {"eight digits over the clicked day", S::kDay, false, "19880615", "1988/06/15", d},
        {"a day typed over the clicked day stays a day", S::kDay, false, "15", "2026/12/15",
         DateFields{2026, 12, 15}},
        {"only the year: month and day stay", S::kYear, false, "1988", "1988/12/7",
         DateFields{1988, 12, 7}},
        {"a short year is not meant yet", S::kYear, false, "198", "198/12/7", std::nullopt},
        {"digits that outgrow the clicked month begin a year", S::kMonth, false, "13", "13/12/7",
         std::nullopt},
        {"month 13 is refused once the entry has moved on", S::kYear, false, "2026/13", "2026/1/7",
         DateFields{2026, 1, 7}},
        {"month 1 waits for a second digit, the separator moves on", S::kYear, false, "2000/1/5",
         "2000/1/5", DateFields{2000, 1, 5}},
        {"Backspace in the day, then back across into the month", S::kYear, false, "1988/6/15<<<2",
         "1988/2/", std::nullopt},
        {"Backspace on the selected section empties it", S::kDay, false, "<", "2026/12/",
         std::nullopt},
        {"a day 0 is not meant", S::kDay, false, "0", "2026/12/0", std::nullopt},
        {"Ctrl+A then Backspace clears the date", S::kYear, true, "<", "//", std::nullopt},
    };
    for (const TypingRow& row : rows) {
        DateTyping typing({2026, 12, 7}, row.selected, row.whole, 31);
        for (const char* k = row.keys; *k != '\0'; ++k) {
            if (*k == '<') {
                typing.Backspace();
            } else if (*k >= '0' && *k <= '9') {
                typing.Digit(*k - '0');
            } else {
                typing.Separator();
            }
        }
        EXPECT_EQ(typing.Text(), row.text) << row.behaviour;
        EXPECT_EQ(typing.Meant(), row.meant) << row.behaviour;
    }
}

TEST(DateTyping, LunarDaysStopAtThirty) {
    DateTyping typing({2000, 1, 1}, DateTyping::kYear, false, 30);
    for (const int digit : {2, 0, 2, 3, 2, 3}) EXPECT_TRUE(typing.Digit(digit));
    EXPECT_FALSE(typing.Digit(1));  // no 31st in a lunar month
    EXPECT_EQ(typing.Text(), "2023/2/3");
}

// Range ends from the lunar table's own notes: lunar 1901 正月初一 is
// 1901-02-19 and the last day of lunar 2050 is 2051-02-10; 2023 has a leap
// second month and a third month of 29 days, 2020 a leap fourth month,
// 2021 no leap month.
TEST(DateProblem, NamesWhatIsWrongWithTheDate) {
    const std::string range = "公历只能换算 1901年2月19日 至 2051年2月10日";
    EXPECT_EQ(SolarDateProblem({2023, 2, 30}), "2023年2月只有28天");
    EXPECT_EQ(SolarDateProblem({2024, 2, 30}), "2024年2月只有29天");
    EXPECT_EQ(SolarDateProblem({1901, 2, 18}), range);
    EXPECT_EQ(SolarDateProblem({2051, 2, 11}), range);
    EXPECT_EQ(SolarDateProblem({1901, 2, 19}), "");
    EXPECT_EQ(SolarDateProblem({2051, 2, 10}), "");
    EXPECT_EQ(LunarDateProblem({2023, 3, 30, 0}), "农历2023年三月只有29天");
    EXPECT_EQ(LunarDateProblem({2023, 2, 30, 1}), "农历2023年闰二月只有29天");
    EXPECT_EQ(LunarDateProblem({2020, 5, 1, 1}), "农历2020年没有闰五月，闰月是闰四月");
    EXPECT_EQ(LunarDateProblem({2021, 1, 1, 1}), "农历2021年没有闰正月");
    EXPECT_EQ(LunarDateProblem({2051, 1, 1, 0}), "农历只能换算 1901 至 2050 年");
    EXPECT_EQ(LunarDateProblem({2020, 4, 30, 0}), "");
    EXPECT_EQ(LunarDateProblem({2023, 2, 30, 0}), "");
}

}  // namespace
}  // namespace qelvar
