#pragma once
// The periods of a cast in the command-line outputs: the JSON members
// "conventions", "decades", "flying" and "horoscope", and the text blocks.

#include <string>

#include "periods/Conventions.h"
#include "periods/Periods.h"

namespace qelvar::cli {

// Appends ,"conventions":{...},"decades":[...],"flying":{...} and, with a
// horoscope, ,"horoscope":{...}: members for the cast object.
void AppendPeriodsJson(std::string& out, const NatalChart& natal,
                       const ChartConventions& conventions, const Horoscope* horoscope);

// The conventions that are not the defaults, "lateZi=next-day yearStart=lichun";
// "" for the defaults.
std::string ConventionsText(const ChartConventions& conventions);

// The text after the chart: a line of the conventions that are not the
// defaults, and with a horoscope one block per layer.
void AppendPeriodsText(std::string& out, const ChartConventions& conventions,
                       const Horoscope* horoscope);

}  // namespace qelvar::cli
