#pragma once
// The commands of qelvar-cli.  A command is one set-up function: it adds its
// options to the CLI11 subcommand it is given (the shared sets are in
// cli/Options.h) and returns the function that runs it once the command
// line has been read.  main.cpp lists every command once, in kCommands.

#include <functional>
#include <string_view>

namespace CLI {
class App;
}

namespace qelvar::cli {

// Runs a command whose options have been read; returns the exit status
// (cli/Status.h).
using Runner = std::function<int()>;
using SetUp = Runner (*)(CLI::App& command);

struct CommandInfo {
    std::string_view name;
    std::string_view summary;
    SetUp setUp;
};

Runner SetUpConvert(CLI::App& command);
Runner SetUpCast(CLI::App& command);
Runner SetUpRender(CLI::App& command);
Runner SetUpMoment(CLI::App& command);
Runner SetUpPlaces(CLI::App& command);
Runner SetUpLibrary(CLI::App& command);

}  // namespace qelvar::cli
