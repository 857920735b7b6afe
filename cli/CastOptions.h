#pragma once
// The options of a cast (cast, render, and the birth of `library add`) and
// the two steps every command that takes a birth runs: the check that the
// options say one birth, and its cast.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/Cycle.h"
#include "cli/CastModel.h"
#include "cli/MomentOptions.h"
#include "cli/Options.h"
#include "cli/PeriodOptions.h"
#include "periods/Periods.h"

namespace qelvar::cli {

struct CastOptions {
    DateArgument date;
    BirthOptions birth;
    MomentOptions moment;
    Format format = Format::Text;
    Encoding encoding = Encoding::Utf8;
    Language language = Language::ZhCN;
    std::string output;  // --output, for png
    double scale = 1;    // --scale, for png
    PeriodOptions periods;
    // render only
    std::optional<Branch> select;
    bool clearPalette = false;
    bool noAdjectives = false;
    std::optional<std::vector<LayerKind>> layers;
    // --from-library ID: the birth comes from a library record, which sets
    // `date` and `birth`, or `storedMoment` for a clock time (its place
    // already read when the record was made).
    std::optional<std::string> fromLibrary;
    std::optional<std::string> library;  // --library FILE
    std::optional<BirthMoment> storedMoment;
};

// What the options leave unsaid or contradict; empty when they are fine.
std::string Contradiction(const CastOptions& o);

// The cast the options ask for: from a clock time or from the lists.
// Returns kMalformed for a place that is not found, kDateFails for a date
// that does not cast.
int CastFromOptions(std::string_view command, const CastOptions& o, CastResult& result);

// --from-library ID and --library FILE.
void AddFromLibrary(Command& command, CastOptions& o);
// Reads the record of --from-library into the options; the exit status
// (kIoFailed for a library that cannot be opened, kMalformed for an
// unknown id), kOk when read.
int LoadFromLibrary(std::string_view command, CastOptions& o);

}  // namespace qelvar::cli
