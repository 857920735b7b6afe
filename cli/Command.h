#pragma once
// The commands of qelvar-cli.  A command is one set-up function: it adds its
// options to the subcommand it is given (the shared sets are in
// cli/Options.h) and returns the function that runs it once the command
// line has been read.  main.cpp lists every command once, in kCommands.

#include <functional>
#include <string_view>

#include "cli/CommandLine.h"

namespace qelvar::cli {

// Runs a command whose options have been read; returns the exit status
// (cli/Status.h).
using Runner = std::function<int()>;
using SetUp = Runner (*)(Command& command);

struct CommandInfo {
    std::string_view name;
    std::string_view summary;
    SetUp setUp;
};

Runner SetUpConvert(Command& command);
Runner SetUpCast(Command& command);
Runner SetUpRender(Command& command);
Runner SetUpMoment(Command& command);
Runner SetUpPlaces(Command& command);
Runner SetUpLibrary(Command& command);

}  // namespace qelvar::cli
