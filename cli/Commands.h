#pragma once
// The subcommands of qelvar-cli.  Each takes the arguments after its own
// name and returns the process exit status: 0 success, 1 a date that fails,
// 2 malformed arguments or input.

#include <iosfwd>
#include <string>
#include <vector>

namespace qelvar::cli {

using Args = std::vector<std::string>;

int RunConvert(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunCast(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);
int RunRender(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace qelvar::cli
