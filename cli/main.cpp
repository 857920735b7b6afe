// qelvar-cli: the command-line companion of the desktop program.
#include <array>
#include <cerrno>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/LineReader.h"
#include "cli/Options.h"
#include "cli/Output.h"
#include "cli/Status.h"

namespace qelvar::cli {
namespace {

constexpr std::string_view kVersion = "1.0.0.1";

// Every command, in the order --help lists them.
constexpr std::array kCommands = {
    CommandInfo{"convert", "convert a date between the Gregorian and the lunar calendar",
                &SetUpConvert},
    CommandInfo{"cast", "cast a Purple Star chart for a birth moment", &SetUpCast},
    CommandInfo{"render", "draw the chart window of a birth to a PNG file", &SetUpRender},
    CommandInfo{"moment", "read a clock time in a place: true solar time and double-hour",
                &SetUpMoment},
    CommandInfo{"places", "find a birthplace by its Chinese or Latin name", &SetUpPlaces},
    CommandInfo{"library",
                "keep births in the library: list, find, show, add, edit, remove, "
                "export, import",
                &SetUpLibrary},
};

struct Registered {
    Command command;
    Runner run;
};

// Writes help or version text to standard output, checked like any output.
int PrintOut(std::string_view text) {
    if (WriteAll(1, text)) return kOk;
    std::cerr << "qelvar-cli: cannot write to standard output: " << std::strerror(errno) << '\n';
    return kIoFailed;
}

std::string ParsedCommand(const std::vector<Registered>& commands) {
    for (const Registered& c : commands)
        if (c.command.Parsed()) return c.command.Name();
    return {};
}

int Main(int argc, char** argv) {
    CommandLine line("The command-line companion of Qelvar: lunar dates and Purple Star charts.",
                     "qelvar-cli", "qelvar-cli " + std::string(kVersion),
                     "  qelvar-cli <command> --help   options of one command\n\n" +
                         std::string(kExitStatusHelp));
    std::vector<Registered> commands;
    for (const CommandInfo& info : kCommands) {
        Command command = line.AddCommand(std::string(info.name), std::string(info.summary));
        Runner run = info.setUp(command);
        const std::string footer = command.Footer();
        command.SetFooter((footer.empty() ? "" : footer + "\n\n") + std::string(kExitStatusHelp));
        commands.push_back({command, std::move(run)});
    }
    if (argc == 2 && std::string_view(argv[1]) == "help") return PrintOut(line.Help());

    const CommandLine::Outcome outcome = line.Parse(argc, argv);
    switch (outcome.kind) {
        case CommandLine::Outcome::Kind::Help:  // the help of the command named, if any
            return PrintOut(outcome.text);
        case CommandLine::Outcome::Kind::Version:
            return PrintOut(outcome.text + "\n");
        case CommandLine::Outcome::Kind::Malformed: {
            const std::string command = ParsedCommand(commands);
            if (command.empty()) {
                std::cerr << "qelvar-cli: " << Escaped(outcome.text, kWholeMessage, true) << "\n\n"
                          << line.Help();
                return kMalformed;
            }
            return UsageError(command, outcome.text);
        }
        case CommandLine::Outcome::Kind::Run:
            break;
    }
    for (const Registered& c : commands)
        if (c.command.Parsed()) return c.run();
    return kMalformed;  // exactly one command is required, so one was named
}

}  // namespace
}  // namespace qelvar::cli

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    try {
        return qelvar::cli::Main(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "qelvar-cli: " << e.what() << '\n';
        return qelvar::cli::kIoFailed;
    }
}
