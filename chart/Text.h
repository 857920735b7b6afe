#pragma once
// Character-level helpers over the UTF-8 texts of the chart.  Widths are
// counted the way the chart's GBK texts count them: an ASCII character is one
// byte, any other character (CJK, █, ⑤, ★ ...) two.

#include <string>
#include <string_view>

namespace qelvar {

// The first / last character (code point) of a text; empty for "".
std::string_view FirstChar(std::string_view text);
std::string_view LastChar(std::string_view text);

// Number of characters (code points).
int CharCount(std::string_view text);

// Byte length of the text in GBK.
int GbkLength(std::string_view text);

// Decimal value of the leading digits (after an optional sign), 0 when
// there are none; the way the chart reads its decimal texts.
int ParseDecimal(std::string_view text);

}  // namespace qelvar
