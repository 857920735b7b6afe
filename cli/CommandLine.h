#pragma once
// The command line as the commands see it: a command adds its options and
// subcommands to a `Command`, and main.cpp reads the arguments with a
// `CommandLine`.  The parsing library (CLI11, header-only and slow to
// compile) is included by CommandLine.cpp alone; these handles only point
// into the objects it owns.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace qelvar::cli {

// One option of a command, for the settings made after adding it.  Each
// setting returns the same option, so that they can be chained.
class Option {
public:
    explicit Option(CLI::Option* option) : m_option(option) {}
    // The value's name in --help ("FILE", "YYYY-MM-DD").
    Option TypeName(const std::string& name) const;
    Option Required() const;
    // Exactly one value (a positional that would otherwise take several).
    Option ExpectOne() const;
    // Every occurrence kept, where the default keeps the last.
    Option TakeAll() const;
    // Only these values; any other is a usage error listing them.
    Option OneOf(std::vector<std::string> values) const;
    // Given only together with `other`.
    Option Needs(const Option& other) const;
    // Read from this environment variable when not given.
    Option FromEnvironment(const std::string& variable) const;

private:
    CLI::Option* m_option;
};

// Reads the text of an option; returns why it is refused (the error then
// reads "NAME: <problem>"), empty when it is taken.
using OptionStore = std::function<std::string(std::string_view text)>;

// A command or subcommand being set up, and afterwards what was given.
class Command {
public:
    explicit Command(CLI::App& app) : m_app(&app) {}

    Option AddParsed(const std::string& name, OptionStore store, const std::string& help);
    Option AddFlag(const std::string& name, bool& target, const std::string& help);
    Option AddText(const std::string& name, std::string& target, const std::string& help);
    Option AddText(const std::string& name, std::optional<std::string>& target,
                   const std::string& help);
    Option AddText(const std::string& name, std::vector<std::string>& target,
                   const std::string& help);
    Command AddSubcommand(const std::string& name, const std::string& summary);
    // Exactly one of the subcommands must be named.
    void RequireOneSubcommand();
    // The text closing the command's --help.
    void SetFooter(const std::string& text);
    std::string Footer() const;

    // After parsing: whether the command was named, and how often an option
    // was given.
    bool Parsed() const;
    std::size_t Count(const std::string& option) const;
    std::string Name() const;

private:
    CLI::App* m_app;
};

// The whole command line: the program's options (--help, --version) and one
// command of those added.
class CommandLine {
public:
    CommandLine(const std::string& description, const std::string& program,
                const std::string& versionText, const std::string& footer);
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    Command AddCommand(const std::string& name, const std::string& summary);

    // The help of the program, or after parsing of the command named.
    std::string Help() const;

    struct Outcome {
        enum class Kind { Run, Help, Version, Malformed };
        Kind kind = Kind::Run;
        std::string text;  // the help, the version line or the problem
    };
    Outcome Parse(int argc, char** argv);

private:
    std::unique_ptr<CLI::App> m_app;
};

}  // namespace qelvar::cli
