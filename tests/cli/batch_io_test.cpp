// Batches of convert and cast around their parsers: output that cannot be
// written, input that cannot be read, lines too long to hold and lines
// that would reach the terminal raw.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert_process.h"

namespace qelvar::test {
namespace {

struct Batch {
    std::string command;  // "convert --format json -"
    std::string goodLine;
};

const Batch kBatches[] = {
    {"convert --format json -", "2000-02-05\n"},
    {"cast --format json --today 2026-12-07 -", "2000-02-05 6 0 0\n"},
};

std::string Name(const Batch& b) {
    return b.command.substr(0, b.command.find(' '));
}

std::string Repeat(const std::string& line, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += line;
    return s;
}

std::vector<std::string> Lines(const std::string& s) {
    std::vector<std::string> lines;
    for (std::size_t p = 0, nl; (nl = s.find('\n', p)) != std::string::npos; p = nl + 1)
        lines.push_back(s.substr(p, nl - p));
    return lines;
}

TEST(BatchOutput, AFullDeviceExitsWithThree) {
    for (const Batch& b : kBatches) {
        const auto r = RunShell("\"$CLI\" " + b.command + " >/dev/full", Repeat(b.goodLine, 50));
        EXPECT_EQ(r.status, 3) << b.command;
        EXPECT_EQ(r.err, "qelvar-cli " + Name(b) +
                             ": cannot write to standard output: No space left on device\n");
    }
}

TEST(BatchOutput, AClosedPipeWithSigpipeIgnoredExitsWithThree) {
    for (const Batch& b : kBatches) {
        // The reader takes one byte and goes; the status comes back on stderr.
        const auto r = RunShell("trap '' PIPE; { \"$CLI\" " + b.command +
                                    "; echo \"status $?\" >&2; } | head -c 1 >/dev/null",
                                Repeat(b.goodLine, 20000));
        EXPECT_NE(r.err.find("qelvar-cli " + Name(b) +
                             ": cannot write to standard output: Broken pipe\n"),
                  std::string::npos)
            << b.command << r.err;
        EXPECT_NE(r.err.find("status 3"), std::string::npos) << b.command << r.err;
    }
}

TEST(BatchInput, AnUnreadableStandardInputExitsWithThree) {
    for (const Batch& b : kBatches) {
        const auto r = RunShell("\"$CLI\" " + b.command + " </");
        EXPECT_EQ(r.status, 3) << b.command;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err,
                  "qelvar-cli " + Name(b) + ": cannot read standard input: Is a directory\n");
    }
}

TEST(BatchInput, AMegabyteLineIsMalformedAndTheOthersComeOut) {
    for (const Batch& b : kBatches) {
        const std::string input = b.goodLine + std::string(1 << 20, '7') + "\n" + b.goodLine;
        const auto r = RunShell("\"$CLI\" " + b.command, input);
        EXPECT_EQ(r.status, 2) << b.command;
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 3u) << b.command;
        EXPECT_EQ(lines[0], lines[2]) << b.command;
        EXPECT_EQ(lines[0].find("error"), std::string::npos) << b.command;
        EXPECT_EQ(lines[1], "{\"error\":\"Malformed input\"}") << b.command;
        EXPECT_EQ(r.err, "qelvar-cli " + Name(b) + ": line 2: cannot read '" +
                             std::string(40, '7') + "...' (longer than 4096 bytes)\n");
    }
}

TEST(BatchInput, LinesUpToTheBoundAreRead) {
    // 4096 bytes: the date, then spaces; one byte more is too long.
    for (const Batch& b : kBatches) {
        const std::string date = b.goodLine.substr(0, b.goodLine.size() - 1);
        const std::string fits = date + std::string(4096 - date.size(), ' ') + "\n";
        const std::string over = date + std::string(4097 - date.size(), ' ') + "\n";
        const auto r = RunShell("\"$CLI\" " + b.command, fits + over);
        EXPECT_EQ(r.status, 2) << b.command;
        const auto lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 2u) << b.command;
        EXPECT_EQ(lines[0].find("error"), std::string::npos) << b.command;
        EXPECT_EQ(lines[1], "{\"error\":\"Malformed input\"}") << b.command;
        EXPECT_NE(r.err.find("line 2:"), std::string::npos) << b.command;
    }
}

TEST(BatchInput, ABadLineReachesStderrCutAndEscaped) {
    struct Row {
        const char* behaviour;
        std::string line;
        std::string shown;
    };
    const Row rows[] = {
        {"a terminal title sequence", "\033]0;TITLE\007 x", "?]0;TITLE? x"},
        {"a colour sequence", "\033[31mred\033[0m", "?[31mred?[0m"},
        {"a long line is cut at 40 bytes", std::string(100, 'z'), std::string(40, 'z') + "..."},
        {"tabs and nulls", std::string("a\tb\0c", 5), "a?b?c"},
    };
    for (const Batch& b : kBatches) {
        for (const Row& row : rows) {
            const auto r = RunShell("\"$CLI\" " + b.command, row.line + "\n");
            EXPECT_EQ(r.status, 2) << b.command << ": " << row.behaviour;
            EXPECT_EQ(r.err.find('\033'), std::string::npos) << b.command << ": " << row.behaviour;
            EXPECT_EQ(r.err.find('\007'), std::string::npos) << b.command << ": " << row.behaviour;
            EXPECT_NE(r.err.find("line 1: cannot read '" + row.shown + "' ("), std::string::npos)
                << b.command << ": " << row.behaviour << "\n"
                << r.err;
        }
    }
}

}  // namespace
}  // namespace qelvar::test
