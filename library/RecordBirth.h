#pragma once
// From a library record to the birth data a chart is cast from: the one
// adapter between what was typed and the builder's inputs, used by the
// desktop program (the command line fills its cast options the same way).

#include <optional>
#include <string>

#include "birth/BirthBuilder.h"
#include "library/Record.h"
#include "moment/BirthMoment.h"

namespace qelvar::library {

struct RecordCast {
    std::optional<BirthData> birth;              // under the record's conventions
    std::optional<BirthData> built;              // as built, for a cast under other conventions
    std::string error;                           // "Error Date", or how the clock time failed
    std::optional<MomentResolution> resolution;  // a clock time: how it was read
    bool ok() const { return birth.has_value(); }
};

RecordCast CastRecord(const Record& record);

}  // namespace qelvar::library
