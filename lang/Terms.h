#pragma once
// The language of the program's texts and the term tables that carry the
// chart, calendar and period terms from Simplified Chinese (the language
// every name table is written in) into traditional Chinese.  zh-CN texts are
// the name tables' own, byte for byte.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qelvar {

enum class Language : std::uint8_t { ZhCN, ZhTW, ZhHK };

// "zh-CN" / "zh-TW" / "zh-HK", '_' for '-' and any case; also the
// traditional regions zh-MO (as zh-HK), and a POSIX locale name
// ("zh_TW.UTF-8", "zh_HK@euro").  Empty for anything else.
std::optional<Language> ParseLanguage(std::string_view name);

// The language of a POSIX locale (LANG or LC_MESSAGES): zh_TW is zh-TW,
// zh_HK and zh_MO zh-HK, every other locale zh-CN.
Language LanguageOfLocale(std::string_view locale);

// "zh-CN", "zh-TW", "zh-HK".
std::string_view LanguageCode(Language language);

constexpr bool IsTraditional(Language language) {
    return language != Language::ZhCN;
}

// The term in the language; the simplified term itself for zh-CN and for a
// text the table has no row for.
std::string_view Term(Language language, std::string_view simplified);

// Whether the term tables hold `simplified` as a term.
bool HasTerm(std::string_view simplified);

// A text composed of terms (with digits, Latin letters, spaces and
// punctuation between them) in the language: each run is replaced by its
// longest term, left to right; what no term starts with stays as it is.
std::string Localize(Language language, std::string_view text);

namespace detail {

struct TermRow {
    std::string_view simplified;
    std::string_view traditional;
};

// The zh-TW and zh-HK tables, sorted by the simplified term in byte order
// (lang/TermTables.cpp, generated).
std::span<const TermRow> ZhTwTerms();
std::span<const TermRow> ZhHkTerms();

}  // namespace detail

}  // namespace qelvar
