#pragma once
// A birth given as a clock time on the command line: --clock, --zone,
// --place or --longitude/--latitude, --dst and --solar-time, shared by
// `cast` and `moment`; and the JSON and text forms of its resolution.

#include <optional>
#include <string>
#include <string_view>

#include "cli/CommandLine.h"
#include "moment/BirthMoment.h"
#include "moment/PlaceIndex.h"

namespace qelvar::cli {

struct MomentOptions {
    std::optional<ClockTime> clock;  // --clock "YYYY-MM-DD HH:MM"
    bool clockDateFits = true;       // false: a date field too large for a date
    std::optional<std::string> zone;
    std::optional<std::string> place;
    std::optional<double> longitude;
    std::optional<double> latitude;
    DstChoice dst = DstChoice::Auto;
    std::optional<bool> solarTime;
};
void AddMomentOptions(Command& command, MomentOptions& moment);

// "YYYY-MM-DD HH:MM" (or with a 'T'); empty when malformed.  The date's
// numbers are not checked here: a day that does not exist fails later.
std::optional<ClockTime> ParseClock(std::string_view text);

// The moment the options give, or the problem: a place not found or not
// named with certainty (with the candidates) fails with status 1, the rest
// are usage errors.
struct MomentFromOptions {
    std::optional<BirthMoment> moment;
    std::string problem;
    int status = 2;  // kMalformed; kDateFails for a place not found or not one
};
MomentFromOptions MomentOf(const MomentOptions& options);

// Why a place name was not taken, with its candidates (their label, code and
// coordinates) one a line.
std::string PlaceProblem(std::string_view name, const PlaceLookup& found);

// How a resolution failed, for the exit status and the error object:
// "Nonexistent time" and "Error Date" are kDateFails, the rest "Malformed
// input" and kMalformed.
struct MomentFailure {
    int status;
    std::string_view error;
};
MomentFailure FailureOf(MomentError error);

// The "moment" object of the JSON output: times to the minute, truncated;
// offset and corrections in minutes to one decimal.
void AppendMomentJson(std::string& out, const BirthMoment& moment, const MomentResolution& r);

// The resolution as labelled lines, ending with the one-line summary.
void AppendMomentText(std::string& out, const BirthMoment& moment, const MomentResolution& r);

}  // namespace qelvar::cli
