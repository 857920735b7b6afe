// The contract every command of qelvar-cli keeps alike: how a date is read,
// how options take values, what each exit status means, what --help lists.
// Each row runs for every command it applies to.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "convert_process.h"

namespace qelvar::test {
namespace {

using Args = std::vector<std::string>;

struct Command {
    std::string name;
    Args options;  // every option that takes a value
    Args flags;    // every option that takes none
    bool hasStdout = true;
};

const Command kConvert{"convert", {"--format", "--encoding"}, {"--lunar", "--leap", "--help"}};
const Command kCast{
    "cast",
    {"--hour", "--minute", "--sex", "--today", "--format", "--output", "--encoding"},
    {"--lunar", "--leap", "--help"}};
const Command kRender{"render",
                      {"--hour", "--minute", "--sex", "--today", "--output"},
                      {"--lunar", "--leap", "--help"},
                      false};

std::string PngPath() {
    return testing::TempDir() + "qelvar_contract_" + std::to_string(::getpid()) + ".png";
}

// The command line of one birth or date, `date` as given.
Args Single(const Command& c, const std::string& date) {
    if (c.name == "convert") return {"convert", date};
    Args a = {c.name, date, "--hour", "6", "--minute", "0", "--today", "2026-12-07"};
    if (c.name == "render") a.insert(a.end(), {"--output", PngPath()});
    return a;
}

Args With(Args a, const Args& more) {
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

std::string Joined(const Args& args) {
    std::string s;
    for (const auto& a : args) s += a + " ";
    return s;
}

// render needs the Qt layer; a build without it says so.
bool CanRender() {
    static const bool can = RunCli(Single(kRender, "2000-02-05")).status == 0;
    return can;
}

std::vector<Command> Commands() {
    std::vector<Command> all = {kConvert, kCast};
    if (CanRender()) all.push_back(kRender);
    return all;
}

void ExpectUsageError(const ProcessResult& r, const std::string& command, const Args& args) {
    EXPECT_EQ(r.status, 2) << Joined(args) << r.err;
    EXPECT_EQ(r.out, "") << Joined(args);
    EXPECT_EQ(r.err.rfind("qelvar-cli " + command + ": ", 0), 0u) << Joined(args) << r.err;
    EXPECT_NE(r.err.find("Try 'qelvar-cli " + command + " --help'."), std::string::npos)
        << Joined(args);
}

TEST(CliContract, DatesFromOneReader) {
    struct Row {
        const char* behaviour;
        const char* date;
        int status;
    };
    const Row rows[] = {
        {"an ordinary date", "2000-02-05", 0},
        {"leading zeros are read as the same date", "0002000-02-05", 0},
        {"a year past the calendar fails as a date", "99999-01-01", 1},
        {"a number too large for any field fails, never wraps", "2000-65537-05", 1},
        {"a number too large for any integer fails", "99999999999999999999999-01-01", 1},
        {"a day that does not exist fails", "2001-02-29", 1},
    };
    for (const Command& c : Commands()) {
        for (const Row& row : rows) {
            const auto r = RunCli(Single(c, row.date));
            EXPECT_EQ(r.status, row.status) << c.name << ": " << row.behaviour << r.err;
            if (row.status == 1) {
                EXPECT_NE((r.out + r.err).find("Error Date"), std::string::npos) << c.name;
            }
        }
        if (c.hasStdout) {
            EXPECT_EQ(RunCli(Single(c, "0002000-02-05")).out, RunCli(Single(c, "2000-02-05")).out)
                << c.name;
        }
    }
}

TEST(CliContract, MalformedArgumentsExitWithTwo) {
    for (const Command& c : Commands()) {
        const Args base = Single(c, "2000-02-05");
        std::vector<Args> cases = {
            {c.name},
            Single(c, "2000-2"),
            Single(c, "hello"),
            Single(c, "+2000-02-05"),
            With(base, {"2000-02-06"}),
            With(base, {"--bogus"}),
            With(base, {"--format=xml"}),
        };
        for (const std::string& option : c.options) cases.push_back(With(base, {option}));
        for (const Args& args : cases) ExpectUsageError(RunCli(args), c.name, args);
    }
}

TEST(CliContract, BadValuesAreNamed) {
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"--format", "xml"}, {"--encoding", "latin1"},  {"--hour", "13"},
        {"--hour", "午午"},  {"--minute", "12"},        {"--minute", "-1"},
        {"--sex", "2"},      {"--today", "2026-02-30"}, {"--output", ""},
    };
    for (const Command& c : Commands()) {
        for (const auto& [option, value] : bad) {
            if (std::find(c.options.begin(), c.options.end(), option) == c.options.end()) continue;
            for (const Args& tail : {Args{option + "=" + value}, Args{option, value}}) {
                const Args args = With(Single(c, "2000-02-05"), tail);
                const auto r = RunCli(args);
                ExpectUsageError(r, c.name, args);
                EXPECT_NE(r.err.find(option), std::string::npos) << Joined(args);
            }
        }
    }
}

TEST(CliContract, EqualsAndSpaceGiveTheSameValue) {
    const std::vector<std::pair<std::string, std::string>> good = {
        {"--format", "json"}, {"--encoding", "gbk"}, {"--hour", "夜子"},
        {"--minute", "11"},   {"--sex", "女"},       {"--today", "2030-01-01"},
    };
    for (const Command& c : Commands()) {
        for (const auto& [option, value] : good) {
            if (std::find(c.options.begin(), c.options.end(), option) == c.options.end()) continue;
            const auto joined = RunCli(With(Single(c, "2000-02-05"), {option + "=" + value}));
            const auto spaced = RunCli(With(Single(c, "2000-02-05"), {option, value}));
            const auto unset = RunCli(Single(c, "2000-02-05"));
            EXPECT_EQ(joined.status, 0) << c.name << " " << option << joined.err;
            EXPECT_EQ(spaced.status, 0) << c.name << " " << option << spaced.err;
            EXPECT_EQ(joined.out, spaced.out) << c.name << " " << option;
            if (c.hasStdout) {
                EXPECT_NE(joined.out, unset.out) << c.name << " " << option;
            }
        }
    }
}

TEST(CliContract, HelpListsEveryOptionAndTheExitStatuses) {
    for (const Command& c : {kConvert, kCast, kRender}) {
        const auto r = RunCli({c.name, "--help"});
        EXPECT_EQ(r.status, 0) << c.name;
        EXPECT_NE(r.out.find("Usage: qelvar-cli " + c.name), std::string::npos) << c.name;
        for (const std::string& option : With(c.options, c.flags)) {
            const bool listed = r.out.find("\n  " + option + " ") != std::string::npos ||
                                r.out.find("," + option + " ") != std::string::npos;
            EXPECT_TRUE(listed) << c.name << " " << option;
        }
        for (const char* status : {"\n  0  ", "\n  1  ", "\n  2  ", "\n  3  "})
            EXPECT_NE(r.out.find(status), std::string::npos) << c.name << status;
    }
}

TEST(CliContract, GbkAppliesToTextAndJsonAlike) {
    // 龙 is C1 FA in GBK; every output below holds 龙(庚辰)年正月初一.
    for (const Command& c : {kConvert, kCast}) {
        for (const char* format : {"text", "json"}) {
            const auto r =
                RunCli(With(Single(c, "2000-02-05"), {"--format", format, "--encoding", "gbk"}));
            EXPECT_EQ(r.status, 0) << c.name << " " << format << r.err;
            EXPECT_NE(r.out.find("\xC1\xFA"), std::string::npos) << c.name << " " << format;
            EXPECT_EQ(r.out.find("龙"), std::string::npos) << c.name << " " << format;
        }
    }
}

TEST(CliContract, OutputThatCannotBeWrittenExitsWithThree) {
    for (const Command& c : {kConvert, kCast}) {
        const auto r = RunShell("\"$CLI\"" + Quoted(Single(c, "2000-02-05")) + " >/dev/full");
        EXPECT_EQ(r.status, 3) << c.name;
        EXPECT_EQ(r.err, "qelvar-cli " + c.name +
                             ": cannot write to standard output: No space left on device\n");
    }
    const auto help = RunShell("\"$CLI\" cast --help >/dev/full");
    EXPECT_EQ(help.status, 3);
    EXPECT_NE(help.err.find("No space left on device"), std::string::npos);
}

}  // namespace
}  // namespace qelvar::test
