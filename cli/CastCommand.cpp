#include <ostream>

#include "cli/Commands.h"

namespace qelvar::cli {

int RunCast(const Args&, std::istream&, std::ostream&, std::ostream& err) {
    err << "qelvar-cli: 'cast' is not available in this build yet\n";
    return 2;
}

}  // namespace qelvar::cli
