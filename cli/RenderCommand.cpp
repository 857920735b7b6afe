#include <algorithm>
#include <ostream>

#include "cli/Commands.h"

namespace qelvar::cli {

// `render` is `cast --format png`: the same birth options, the chart window
// drawn to the file given with --output.
int RunRender(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
    Args castArgs = args;
    const bool wantsHelp = std::find_if(args.begin(), args.end(), [](const std::string& a) {
                               return a == "--help" || a == "-h";
                           }) != args.end();
    if (!wantsHelp) {
        castArgs.push_back("--format");
        castArgs.push_back("png");
    }
    return RunCast(castArgs, in, out, err);
}

}  // namespace qelvar::cli
