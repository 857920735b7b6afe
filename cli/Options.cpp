#include "cli/Options.h"

#include <charconv>
#include <cmath>
#include <ctime>
#include <iostream>

#include "cli/CastModel.h"
#include "cli/Status.h"

namespace qelvar::cli {

namespace {

std::chrono::year_month_day LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::string_view FormatName(Format format) {
    switch (format) {
        case Format::Text:
            return "text";
        case Format::Json:
            return "json";
        case Format::Png:
            return "png";
    }
    return {};
}

}  // namespace

std::optional<double> ParseFiniteNumber(std::string_view text) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

void AddDateArgument(Command& command, DateArgument& argument, bool batchAllowed,
                     const std::string& help) {
    auto parse = [&argument, batchAllowed](std::string_view text) -> std::optional<DateNumbers> {
        argument.given = true;
        argument.batch = batchAllowed && text == "-";
        if (argument.batch) return DateNumbers{};
        return ParseDateNumbers(text);
    };
    AddParsedOption(command, "DATE", argument.date, parse,
                    batchAllowed ? "YYYY-MM-DD|-" : "YYYY-MM-DD",
                    batchAllowed ? "a date YYYY-MM-DD or '-'" : "a date YYYY-MM-DD", help);
}

void AddCalendarFlags(Command& command, CalendarFlags& flags) {
    const Option lunar = command.AddFlag("--lunar", flags.lunar, "DATE is a lunar date");
    command.AddFlag("--leap", flags.leap, "with --lunar: the month is the leap month").Needs(lunar);
}

void AddFormat(Command& command, Format& format, std::initializer_list<Format> formats) {
    std::string names;
    for (const Format f : formats) names += (names.empty() ? "" : "|") + std::string(FormatName(f));
    auto parse = [formats = std::vector<Format>(formats)](std::string_view text) {
        for (const Format f : formats)
            if (text == FormatName(f)) return std::optional<Format>(f);
        return std::optional<Format>();
    };
    AddParsedOption(command, "--format", format, parse, names, names,
                    "output format (default text)");
}

void AddEncoding(Command& command, Encoding& encoding) {
    AddParsedOption(command, "--encoding", encoding, ParseEncoding, "utf-8|gbk|big5",
                    "utf-8, gbk or big5",
                    "encoding of standard output, text and json alike (default utf-8); big5 "
                    "writes ⑤ as ５");
}

void AddLanguage(Command& command, Language& language) {
    auto parse = [](std::string_view text) {
        // Only the three codes: a locale name ("zh_TW.UTF-8") is not a --lang.
        for (const Language l : {Language::ZhCN, Language::ZhTW, Language::ZhHK})
            if (text == LanguageCode(l)) return std::optional<Language>(l);
        return std::optional<Language>();
    };
    AddParsedOption(command, "--lang", language, parse, "zh-CN|zh-TW|zh-HK",
                    "zh-CN, zh-TW or zh-HK",
                    "language of the texts: simplified (zh-CN, default) or traditional Chinese "
                    "(zh-TW, zh-HK)")
        .FromEnvironment("QELVAR_LANG");
}

void AddBirthOptions(Command& command, BirthOptions& birth) {
    AddCalendarFlags(command, birth.calendar);
    AddParsedOption(command, "--hour", birth.hour, ParseHour, "H", "0..12, 子..亥 or 夜子",
                    "double-hour: 0..12 (12 = 夜子 23-24) or 子..亥, 夜子");
    AddParsedOption(command, "--minute", birth.minute, ParseMinute, "M", "0..11",
                    "ten-minute sub-period of the double-hour: 0..11");
    AddParsedOption(command, "--sex", birth.male, ParseMale, "S", "0, 1, 男 or 女",
                    "0 or 男 (default), 1 or 女");
    birth.today = LocalToday();
    AddParsedOption(command, "--today", birth.today, ParseGregorian, "YYYY-MM-DD",
                    "a date YYYY-MM-DD", "the day the days lived are counted to (default: today)");
}

void AddOutputFile(Command& command, std::string& path, const std::string& help) {
    auto parse = [](std::string_view text) {
        return text.empty() ? std::nullopt : std::optional<std::string>(text);
    };
    AddParsedOption(command, "--output", path, parse, "FILE", "a file name", help);
}

int UsageError(std::string_view command, std::string_view problem) {
    std::cerr << "qelvar-cli " << command << ": " << Escaped(problem, kWholeMessage, true)
              << "\nTry 'qelvar-cli " << command << " --help'.\n";
    return kMalformed;
}

int Fail(std::string_view command, std::string_view problem, int status) {
    std::cerr << "qelvar-cli " << command << ": " << Escaped(problem, kWholeMessage, true) << '\n';
    return status;
}

}  // namespace qelvar::cli
