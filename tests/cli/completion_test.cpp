// The bash completion installed with qelvar-cli: run in bash with the words
// typed so far, it offers the commands, options and values the program takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "convert_process.h"

namespace qelvar::test {
namespace {

// What the completion offers for `words` (the last one being completed).
std::set<std::string> Complete(const std::vector<std::string>& words) {
    std::string array;
    for (const auto& w : words) array += " " + ShellQuote(w);
    const std::string script =
        "bash -c 'source \"$0\"; COMP_WORDS=(\"${@}\"); COMP_CWORD=$(($# - 1)); _qelvar_cli; "
        "printf \"%s\\n\" \"${COMPREPLY[@]}\"' " +
        ShellQuote(std::string(QELVAR_SOURCE_DIR) + "/cli/qelvar-cli.bash") + array;
    const auto r = RunShell(script);
    EXPECT_EQ(r.status, 0) << r.err;
    std::set<std::string> offered;
    for (std::size_t p = 0, nl; (nl = r.out.find('\n', p)) != std::string::npos; p = nl + 1)
        if (nl > p) offered.insert(r.out.substr(p, nl - p));
    return offered;
}

TEST(Completion, OffersCommandsOptionsAndValues) {
    using Set = std::set<std::string>;
    struct Row {
        std::vector<std::string> words;
        Set offered;
    };
    const Row rows[] = {
        {{"qelvar-cli", "c"}, {"convert", "cast"}},
        {{"qelvar-cli", "r"}, {"render"}},
        {{"qelvar-cli", "cast", "--fo"}, {"--format"}},
        {{"qelvar-cli", "cast", "--format", ""}, {"text", "json", "png"}},
        {{"qelvar-cli", "convert", "--format", ""}, {"text", "json"}},
        {{"qelvar-cli", "convert", "--format", "=", ""}, {"text", "json"}},
        {{"qelvar-cli", "convert", "--format", "=", "j"}, {"json"}},
        {{"qelvar-cli", "cast", "--encoding", "g"}, {"gbk"}},
        {{"qelvar-cli", "render", "2000-02-05", "--hour", "夜"}, {"夜子"}},
        {{"qelvar-cli", "cast", "--sex", ""}, {"0", "1", "男", "女"}},
        {{"qelvar-cli", "m"}, {"moment"}},
        {{"qelvar-cli", "moment", "--dst", ""}, {"auto", "on", "off"}},
        {{"qelvar-cli", "cast", "--solar-time", ""}, {"on", "off"}},
        {{"qelvar-cli", "render", "--f"}, {"--from-library"}},
        {{"qelvar-cli", "cast", "--today", ""}, {}},
        {{"qelvar-cli", "library", "ex"}, {"export"}},
        {{"qelvar-cli", "library", "import", "--duplicates", ""}, {"merge", "skip"}},
        {{"qelvar-cli", "library", "export", "--format", ""}, {"csv", "json"}},
    };
    for (const Row& row : rows) {
        std::string typed;
        for (const auto& w : row.words) typed += w + " ";
        EXPECT_EQ(Complete(row.words), row.offered) << typed;
    }
}

// Every option a command's --help lists is offered after "--".
TEST(Completion, KnowsEveryOptionTheHelpLists) {
    for (const std::string command :
         {"convert", "cast", "render", "moment", "places", "library list", "library find",
          "library show", "library add", "library edit", "library remove", "library export",
          "library import"}) {
        std::vector<std::string> words = {"qelvar-cli"};
        std::vector<std::string> args;
        for (std::size_t at = 0; at <= command.size();) {
            const std::size_t end = std::min(command.find(' ', at), command.size());
            words.push_back(command.substr(at, end - at));
            args.push_back(words.back());
            at = end + 1;
        }
        args.push_back("--help");
        const auto help = RunCli(args);
        std::set<std::string> listed;
        for (std::size_t p = help.out.find("\n  -"); p != std::string::npos;
             p = help.out.find("\n  -", p + 1)) {
            // The option column ends where two spaces start the description.
            const std::string column = help.out.substr(p + 3, help.out.find("  ", p + 3) - p - 3);
            std::string word;
            for (const char c : column + " ") {
                if (c != ' ' && c != ',') {
                    word += c;
                    continue;
                }
                if (word.rfind("--", 0) == 0) listed.insert(word);
                word.clear();
            }
        }
        ASSERT_FALSE(listed.empty()) << command;
        words.push_back("--");
        const auto offered = Complete(words);
        for (const std::string& option : listed)
            EXPECT_TRUE(offered.count(option)) << command << " " << option;
    }
}

}  // namespace
}  // namespace qelvar::test
