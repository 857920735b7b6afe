// The one translation unit that includes CLI11: every other file of the
// command line sets its options through the handles of cli/CommandLine.h.
#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>
#include <utility>

namespace qelvar::cli {

Option Option::TypeName(const std::string& name) const {
    m_option->type_name(name);
    return *this;
}

Option Option::Required() const {
    m_option->required();
    return *this;
}

Option Option::ExpectOne() const {
    m_option->expected(1);
    return *this;
}

Option Option::TakeAll() const {
    m_option->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    return *this;
}

Option Option::OneOf(std::vector<std::string> values) const {
    m_option->check(CLI::IsMember(std::move(values)));
    return *this;
}

Option Option::Needs(const Option& other) const {
    m_option->needs(other.m_option);
    return *this;
}

Option Option::FromEnvironment(const std::string& variable) const {
    m_option->envname(variable);
    return *this;
}

Option Command::AddParsed(const std::string& name, OptionStore store, const std::string& help) {
    auto read = [name, store = std::move(store)](const std::string& text) {
        if (std::string problem = store(text); !problem.empty())
            throw CLI::ValidationError(name, problem);
    };
    return Option(m_app->add_option_function<std::string>(name, read, help));
}

Option Command::AddFlag(const std::string& name, bool& target, const std::string& help) {
    return Option(m_app->add_flag(name, target, help));
}

Option Command::AddText(const std::string& name, std::string& target, const std::string& help) {
    return Option(m_app->add_option(name, target, help));
}

Option Command::AddText(const std::string& name, std::optional<std::string>& target,
                        const std::string& help) {
    return Option(m_app->add_option(name, target, help));
}

Option Command::AddText(const std::string& name, std::vector<std::string>& target,
                        const std::string& help) {
    return Option(m_app->add_option(name, target, help));
}

Command Command::AddSubcommand(const std::string& name, const std::string& summary) {
    return Command(*m_app->add_subcommand(name, summary));
}

void Command::RequireOneSubcommand() {
    m_app->require_subcommand(1, 1);
}

void Command::SetFooter(const std::string& text) {
    m_app->footer(text);
}

std::string Command::Footer() const {
    return m_app->get_footer();
}

bool Command::Parsed() const {
    return m_app->parsed() > 0;
}

std::size_t Command::Count(const std::string& option) const {
    return m_app->count(option);
}

std::string Command::Name() const {
    return m_app->get_name();
}

CommandLine::CommandLine(const std::string& description, const std::string& program,
                         const std::string& versionText, const std::string& footer)
    : m_app(std::make_unique<CLI::App>(description, program)) {
    m_app->set_version_flag("--version", versionText);
    m_app->require_subcommand(1, 1);
    // Before any command is added: the commands take the defaults over.
    m_app->option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    m_app->get_formatter()->column_width(32);
    m_app->footer(footer);
}

CommandLine::~CommandLine() = default;

Command CommandLine::AddCommand(const std::string& name, const std::string& summary) {
    return Command(*m_app->add_subcommand(name, summary));
}

std::string CommandLine::Help() const {
    return m_app->help();
}

CommandLine::Outcome CommandLine::Parse(int argc, char** argv) {
    try {
        m_app->parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        return {Outcome::Kind::Help, m_app->help()};
    } catch (const CLI::CallForVersion& e) {
        return {Outcome::Kind::Version, e.what()};
    } catch (const CLI::ParseError& e) {
        return {Outcome::Kind::Malformed, e.what()};
    }
    return {};
}

}  // namespace qelvar::cli
