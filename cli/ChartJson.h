#pragma once
// The JSON form of a cast: the birth data, the date counted to, every slot
// of the grid and a readable view of the twelve cells.

#include <string>
#include <string_view>

#include "cli/CastModel.h"

namespace qelvar::cli {

// Appends one JSON object (no newline) for a successful cast.
void AppendCastJson(std::string& out, const CastResult& result, std::string_view today);

// Appends {"error":"..."}.
void AppendErrorJson(std::string& out, std::string_view error);

}  // namespace qelvar::cli
