#pragma once
// Output encodings of qelvar-cli: UTF-8 as the program holds its texts, or
// GBK (code page 936) or Big5 (code page 950, for traditional texts) at the
// command-line boundary.

#include <optional>
#include <string>
#include <string_view>

namespace qelvar::cli {

enum class Encoding { Utf8, Gbk, Big5 };

// "utf-8" / "utf8" / "gbk" / "cp936" / "big5" / "cp950" (any case); empty
// for anything else.
std::optional<Encoding> ParseEncoding(std::string_view name);

// UTF-8 -> GBK bytes with glibc's iconv; empty when the text is not valid
// UTF-8 or holds a character GBK lacks.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// UTF-8 -> Big5 bytes with glibc's iconv, ⑤ written as the full-width ５
// (Big5 has no circled digits); empty when the text is not valid UTF-8 or
// holds a character Big5 lacks (every simplified-only one does).
std::optional<std::string> Utf8ToBig5(std::string_view utf8);

// "UTF-8", "GBK", "Big5": the name messages give the encoding.
std::string_view EncodingName(Encoding encoding);

// The text in the given encoding (UTF-8 text passes through unchanged).
std::optional<std::string> Encode(std::string_view utf8, Encoding encoding);

}  // namespace qelvar::cli
