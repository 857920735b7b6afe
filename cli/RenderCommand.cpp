#include <ostream>

#include "cli/Commands.h"

namespace qelvar::cli {

int RunRender(const Args&, std::istream&, std::ostream&, std::ostream& err) {
    err << "qelvar-cli: 'render' is not available in this build yet\n";
    return 2;
}

}  // namespace qelvar::cli
