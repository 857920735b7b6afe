#pragma once
// A small JSON writer for the command-line output: string escaping and
// number appending into one growing buffer.

#include <string>
#include <string_view>

namespace qelvar::cli {

// Appends `text` as a quoted JSON string; quotes, backslashes and control
// characters are escaped, other bytes (UTF-8) pass through unchanged.
void AppendJsonString(std::string& out, std::string_view text);

// The quoted JSON string of `text`.
std::string JsonString(std::string_view text);

// Appends `"key":` (the key escaped as a JSON string).
void AppendJsonKey(std::string& out, std::string_view key);

// Appends a decimal integer.
void AppendJsonInt(std::string& out, long long value);

}  // namespace qelvar::cli
