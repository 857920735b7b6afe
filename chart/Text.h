#pragma once
// Character-level helpers over the UTF-8 texts of the chart.  Widths are
// counted the way the chart's GBK texts count them: an ASCII character is one
// byte, any other character (CJK, █, ⑤, ★ ...) two.

#include <cstdint>
#include <string>
#include <string_view>

#include "chart/Cycle.h"

namespace qelvar {

// The first / last character (code point) of a text; empty for "".
std::string_view FirstChar(std::string_view text);
std::string_view LastChar(std::string_view text);

// Number of characters (code points).
int CharCount(std::string_view text);

// Terminal columns of a UTF-8 text: East Asian wide and full-width
// characters take two, everything else one.
int DisplayWidth(std::string_view text);

// Byte length of the text in GBK.
int GbkLength(std::string_view text);

// Decimal value of the leading digits (after an optional sign), 0 when
// there are none; the way the chart reads its decimal texts.
int ParseDecimal(std::string_view text);

// A text of at most seven bytes packed with its length into one integer,
// so that lookups in name tables compare integers; 0 for a longer text
// (no table name is that long).
constexpr std::uint64_t ShortKey(std::string_view s) {
    if (s.size() > 7) return 0;
    std::uint64_t key = s.size();
    for (std::size_t i = 0; i < s.size(); ++i)
        key |= std::uint64_t{static_cast<unsigned char>(s[i])} << (8 * (i + 1));
    return key;
}
static_assert(ShortKey("") == 0 && ShortKey("a") != ShortKey("b") && ShortKey("12345678") == 0);

}  // namespace qelvar
