#include "cli/PeriodOptions.h"

#include "cli/CastModel.h"
#include "cli/Options.h"

namespace qelvar::cli {

void AddConventionOptions(Command& command, ChartConventions& c) {
    AddParsedOption(command, "--late-zi", c.lateZi, ParseLateZi, "same-day|next-day",
                    "same-day or next-day",
                    "夜子 (23-24) as 子 of the same day (default) or of the next day");
    AddParsedOption(command, "--leap-month", c.leapMonth, ParseLeapMonth, "whole|split",
                    "whole or split",
                    "a leap month counts as the month it follows (whole, default), or from "
                    "day 16 as the following month (split)");
    AddParsedOption(command, "--year-start", c.yearStart, ParseYearStart, "new-year|lichun",
                    "new-year or lichun",
                    "the chart's year begins at 正月初一 (new-year, default) or at 立春");
    // The preset comes first: the switches after it change single readings.
    School& s = c.school;
    AddParsedOption(command, "--preset", s, ParsePreset, "default|common", "default or common",
                    "every school reading at its default, or the common set (chou-wei, year, "
                    "火星, pair, common names, extended stars); single switches override it");
    AddParsedOption(command, "--kui-yue", s.kuiYue, ParseKuiYue, "default|chou-wei",
                    "default or chou-wei", "天魁 天钺 of 庚 years at 午/寅 (default) or 丑/未");
    AddParsedOption(command, "--tian-ma", s.tianMa, ParseTianMa, "month|year", "month or year",
                    "天马 by the lunar month (default) or by the year branch");
    AddParsedOption(command, "--body-ruler-zi", s.bodyRulerZi, ParseBodyRulerZi, "铃星|火星",
                    "铃星 or 火星", "身主 of 子 years: 铃星 (default) or 火星");
    AddParsedOption(command, "--jie-kong", s.jieKong, ParseJieKong, "single|pair", "single or pair",
                    "截空 as one star (default) or 截路 and 空亡 by the year stem");
    AddParsedOption(command, "--mutagen-geng", s.mutagenGeng, ParseMutagenGeng,
                    "阳武阴同|阳武府同|阳武同阴", "阳武阴同, 阳武府同 or 阳武同阴",
                    "禄权科忌 of 庚: 太阳 武曲 太阴 天同 (default), 太阳 武曲 天府 天同 or "
                    "太阳 武曲 天同 太阴");
    AddParsedOption(command, "--mutagen-wu", s.mutagenWu, ParseMutagenWu, "贪阴右机|贪阴阳机",
                    "贪阴右机 or 贪阴阳机",
                    "禄权科忌 of 戊: 贪狼 太阴 右弼 天机 (default) or 贪狼 太阴 太阳 天机");
    AddParsedOption(command, "--mutagen-ren", s.mutagenRen, ParseMutagenRen, "梁紫左武|梁紫府武",
                    "梁紫左武 or 梁紫府武",
                    "禄权科忌 of 壬: 天梁 紫微 左辅 武曲 (default) or 天梁 紫微 天府 武曲");
    AddParsedOption(command, "--god-names", s.godNames, ParseGodNames, "default|common",
                    "default or common", "names of the twelve-god cycles: default or common");
    AddParsedOption(
        command, "--stars", s.stars, ParseStarSet, "default|extended", "default or extended",
        "extended adds 天德 月德 年解 旬空, the 来因 mark and the 小限 ages of each cell");
}

void AddTargetOptions(Command& command, PeriodOptions& periods) {
    const Option at =
        AddParsedOption(command, "--at", periods.at, ParseDateNumbers, "YYYY-MM-DD",
                        "a date YYYY-MM-DD", "add the periods (运限) at this Gregorian date");
    AddParsedOption(command, "--at-hour", periods.atHour, ParseHour, "H", "0..12, 子..亥 or 夜子",
                    "double-hour of --at, as --hour takes it: adds 流时")
        .Needs(at);
}

}  // namespace qelvar::cli
