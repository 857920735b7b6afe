// The command line's reader of dates, bounded line reader and checked
// output, without a process around them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "cli/Dates.h"
#include "cli/LineReader.h"
#include "cli/Output.h"

namespace qelvar::cli {
namespace {

TEST(Dates, OneReaderForEveryCommand) {
    struct Row {
        const char* text;
        bool read;
        DateNumbers numbers;
    };
    constexpr long long kMax = DateNumbers::kSaturated;
    const Row rows[] = {
        {"2000-02-05", true, {2000, 2, 5}},
        {"0002000-02-05", true, {2000, 2, 5}},
        {"2000-2-5", true, {2000, 2, 5}},
        {"99999-01-01", true, {99999, 1, 1}},
        {"99999999999999999999999-1-1", true, {kMax, 1, 1}},
        {"2000-65537-05", true, {2000, 65537, 5}},
        {"2000-1", false, {}},
        {"2000--05", false, {}},
        {"+2000-02-05", false, {}},
        {"2000-02-05x", false, {}},
        {" 2000-02-05", false, {}},
        {"2000-02-05-01", false, {}},
        {"", false, {}},
    };
    for (const Row& row : rows) {
        const auto n = ParseDateNumbers(row.text);
        ASSERT_EQ(n.has_value(), row.read) << row.text;
        if (!n) continue;
        EXPECT_EQ(n->year, row.numbers.year) << row.text;
        EXPECT_EQ(n->month, row.numbers.month) << row.text;
        EXPECT_EQ(n->day, row.numbers.day) << row.text;
    }
    EXPECT_TRUE(FitsDateRecord({65535, 12, 31}));
    EXPECT_FALSE(FitsDateRecord({65536, 1, 1}));
    EXPECT_FALSE(FitsDateRecord({2000, 65537, 5}));
}

TEST(Dates, GregorianDaysOnly) {
    EXPECT_EQ(ParseGregorian("2026-12-07"),
              std::chrono::year_month_day(std::chrono::year{2026} / 12 / 7));
    EXPECT_EQ(ParseGregorian("2024-02-29"),
              std::chrono::year_month_day(std::chrono::year{2024} / 2 / 29));
    for (const char* bad : {"2026-02-30", "2023-02-29", "2026-13-01", "2026-00-10", "65536-01-01",
                            "2026-268-01", "2026-12"})
        EXPECT_FALSE(ParseGregorian(bad)) << bad;
}

// The lines a reader gives for `input`, fed through a pipe by another thread.
std::vector<std::pair<LineReader::Result, std::string>> ReadAll(const std::string& input) {
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    std::thread writer([&] {
        EXPECT_TRUE(WriteAll(fds[1], input));
        ::close(fds[1]);
    });
    LineReader reader(fds[0]);
    std::vector<std::pair<LineReader::Result, std::string>> lines;
    std::string line;
    for (LineReader::Result r; (r = reader.Next(line)) != LineReader::Result::End;) {
        lines.emplace_back(r, line);
        if (r == LineReader::Result::Failed) break;
    }
    writer.join();
    ::close(fds[0]);
    return lines;
}

TEST(LineReader, LinesUpToTheBoundWholeLongerOnesCut) {
    using R = LineReader::Result;
    const std::string full(4096, 'a');
    struct Row {
        const char* behaviour;
        std::string input;
        std::vector<std::pair<R, std::string>> lines;
    };
    const Row rows[] = {
        {"lines in order", "a\nbc\n", {{R::Line, "a"}, {R::Line, "bc"}}},
        {"an empty line is a line", "\n\nx\n", {{R::Line, ""}, {R::Line, ""}, {R::Line, "x"}}},
        {"the last line may lack its newline", "a\nb", {{R::Line, "a"}, {R::Line, "b"}}},
        {"no input, no line", "", {}},
        {"a carriage return stays", "a\r\n", {{R::Line, "a\r"}}},
        {"4096 bytes fit", full + "\n", {{R::Line, full}}},
        {"4097 bytes do not", full + "b\nc\n", {{R::TooLong, full}, {R::Line, "c"}}},
        {"a long last line without a newline", full + "bb", {{R::TooLong, full}}},
        {"a megabyte line, then a short one",
         std::string(1 << 20, 'q') + "\nok\n",
         {{R::TooLong, std::string(4096, 'q')}, {R::Line, "ok"}}},
    };
    for (const Row& row : rows) EXPECT_EQ(ReadAll(row.input), row.lines) << row.behaviour;
}

TEST(LineReader, AReadErrorIsReported) {
    const int fd = ::open("/", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    LineReader reader(fd);
    std::string line;
    EXPECT_EQ(reader.Next(line), LineReader::Result::Failed);
    EXPECT_EQ(reader.Errno(), EISDIR);
    ::close(fd);
}

TEST(BadLines, CutAtFortyBytesControlsAndBrokenUtf8Replaced) {
    struct Row {
        std::string line;
        std::string excerpt;
    };
    const Row rows[] = {
        {"hello", "hello"},
        {std::string(40, 'x'), std::string(40, 'x')},
        {std::string(41, 'x'), std::string(40, 'x') + "..."},
        {"\033]0;T\007", "?]0;T?"},
        {"\x7F\x80\xFF", "???"},
        {"龙", "龙"},
        {"龙\xE9\xBE", "龙??"},             // a character cut short
        {"\xC0\xAF\xED\xA0\x80", "?????"},  // overlong form, surrogate
        {"\xC2\x9B"
         "1m\xE2\x80\xAE",
         "?1m?"},  // C1 CSI, right-to-left override
        {std::string(39, 'x') + "龙", std::string(39, 'x') + "..."},  // cut at a character
    };
    for (const Row& row : rows) EXPECT_EQ(Excerpt(row.line), row.excerpt) << row.line;
    EXPECT_EQ(BadLineMessage("cast", 7, "\033x", "why"),
              "qelvar-cli cast: line 7: cannot read '?x' (why)\n");
}

// Everything written to a pipe's other end until it closes.
std::string Drain(int fd) {
    std::string all;
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;)
        all.append(buf, static_cast<std::size_t>(n));
    return all;
}

TEST(Output, APieceGbkCannotHoldEndsTheOutputAfterTheCompleteOnes) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    {
        Output out(fds[1], Encoding::Gbk);
        EXPECT_TRUE(out.Add("命\n"));
        EXPECT_FALSE(out.Add("\xF0\x9F\x98\x80\n"));  // an emoji
        EXPECT_FALSE(out.Add("身\n"));                // nothing after the failure
        EXPECT_FALSE(out.Flush());
        EXPECT_EQ(out.Failure(), "the output cannot be written in GBK");
    }
    ::close(fds[1]);
    EXPECT_EQ(Drain(fds[0]), "\xC3\xFC\n");
    ::close(fds[0]);
}

TEST(Output, AFailedWriteIsNamed) {
    const int fd = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(fd, 0);
    Output out(fd, Encoding::Utf8);
    EXPECT_TRUE(out.Add("x\n"));
    EXPECT_FALSE(out.Flush());
    EXPECT_EQ(out.Failure(), "cannot write to standard output: No space left on device");
    EXPECT_FALSE(out.Add("y\n"));
    ::close(fd);
}

TEST(Output, ABatchIsWrittenEveryThousandPieces) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_EQ(::fcntl(fds[0], F_SETFL, O_NONBLOCK), 0);
    Output out(fds[1], Encoding::Utf8);
    for (std::size_t i = 0; i + 1 < Output::kFlushPieces; ++i) {
        ASSERT_TRUE(out.Add("1\n"));
        ASSERT_TRUE(out.FlushIfDue());
    }
    char buf[1];
    EXPECT_EQ(::read(fds[0], buf, 1), -1);  // nothing written yet
    ASSERT_TRUE(out.Add("1\n"));
    ASSERT_TRUE(out.FlushIfDue());
    ::close(fds[1]);
    ASSERT_EQ(::fcntl(fds[0], F_SETFL, 0), 0);
    EXPECT_EQ(Drain(fds[0]).size(), 2 * Output::kFlushPieces);
    ::close(fds[0]);
}

}  // namespace
}  // namespace qelvar::cli
