#include "lang/Terms.h"

#include <algorithm>
#include <cctype>

namespace qelvar {

namespace {

std::span<const detail::TermRow> TableOf(Language language) {
    switch (language) {
        case Language::ZhTW:
            return detail::ZhTwTerms();
        case Language::ZhHK:
            return detail::ZhHkTerms();
        case Language::ZhCN:
            break;
    }
    return {};
}

const detail::TermRow* Find(std::span<const detail::TermRow> rows, std::string_view key) {
    const auto it = std::lower_bound(
        rows.begin(), rows.end(), key,
        [](const detail::TermRow& row, std::string_view k) { return row.simplified < k; });
    return it != rows.end() && it->simplified == key ? &*it : nullptr;
}

// The longest term, in bytes, of the tables.
std::size_t LongestTerm() {
    static const std::size_t longest = [] {
        std::size_t n = 0;
        for (const auto& row : detail::ZhTwTerms()) n = std::max(n, row.simplified.size());
        return n;
    }();
    return longest;
}

std::size_t CharLength(unsigned char lead) {
    return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

}  // namespace

std::optional<Language> ParseLanguage(std::string_view name) {
    // A locale name's codeset and modifier do not count.
    name = name.substr(0, std::min(name.find('.'), name.find('@')));
    if (name.size() != 5 || (name[2] != '-' && name[2] != '_')) return std::nullopt;
    std::string n;
    for (const char c : name) n += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (n.compare(0, 2, "zh") != 0) return std::nullopt;
    const std::string_view region = std::string_view(n).substr(3);
    if (region == "cn") return Language::ZhCN;
    if (region == "tw") return Language::ZhTW;
    if (region == "hk" || region == "mo") return Language::ZhHK;
    return std::nullopt;
}

Language LanguageOfLocale(std::string_view locale) {
    return ParseLanguage(locale).value_or(Language::ZhCN);
}

std::string_view LanguageCode(Language language) {
    switch (language) {
        case Language::ZhTW:
            return "zh-TW";
        case Language::ZhHK:
            return "zh-HK";
        case Language::ZhCN:
            break;
    }
    return "zh-CN";
}

std::string_view Term(Language language, std::string_view simplified) {
    const detail::TermRow* row = Find(TableOf(language), simplified);
    return row ? row->traditional : simplified;
}

bool HasTerm(std::string_view simplified) {
    return Find(detail::ZhTwTerms(), simplified) != nullptr;
}

std::string Localize(Language language, std::string_view text) {
    const std::span<const detail::TermRow> rows = TableOf(language);
    if (rows.empty()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t step = CharLength(static_cast<unsigned char>(text[i]));
        const detail::TermRow* best = nullptr;
        if (step > 1) {
            // Longest first: every length that ends on a character boundary.
            for (std::size_t n = std::min(LongestTerm(), text.size() - i); n >= step && !best;
                 --n) {
                if (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80)
                    continue;
                best = Find(rows, text.substr(i, n));
            }
        }
        if (best) {
            out += best->traditional;
            i += best->simplified.size();
        } else {
            out.append(text, i, std::min(step, text.size() - i));
            i += step;
        }
    }
    return out;
}

}  // namespace qelvar
