#pragma once
// The one JSON writer (command-line output, library files): string escaping and
// number appending into one growing buffer.

#include <string>
#include <string_view>

namespace qelvar {

// Appends `text` as a quoted JSON string; quotes, backslashes and control
// characters are escaped, other bytes (UTF-8) pass through unchanged.
void AppendJsonString(std::string& out, std::string_view text);

// The quoted JSON string of `text`.
std::string JsonString(std::string_view text);

// Appends `"key":` (the key escaped as a JSON string).
void AppendJsonKey(std::string& out, std::string_view key);

// Appends a decimal integer.
void AppendJsonInt(std::string& out, long long value);

// Appends a finite number in the shortest form that reads back as the same
// double ("116.4", not "116.40000000000001").
void AppendJsonNumber(std::string& out, double value);

}  // namespace qelvar
