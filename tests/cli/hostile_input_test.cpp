// Input meant to hurt: numbers that are not numbers, control bytes and
// broken UTF-8 quoted back in messages, a byte order mark in front of a
// batch, and --output aimed at a planted link or at standard output.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "convert_process.h"

namespace qelvar::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kChart = {"2000-02-05", "--hour", "6", "--minute", "0"};

std::vector<std::string> With(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(HostileInput, NumbersThatAreNotFiniteAreMalformed) {
    const std::string png = (fs::path(testing::TempDir()) / "hostile.png").string();
    std::vector<std::vector<std::string>> rows;
    for (const char* bad : {"nan", "-nan", "inf", "-inf", "infinity", "NaN"}) {
        rows.push_back(With({"render"}, With(kChart, {"--output", png, "--scale", bad})));
        rows.push_back(
            With({"cast", "--format", "png"}, With(kChart, {"--output", png, "--scale", bad})));
        rows.push_back({"moment", "--clock", "2000-01-01 10:00", "--longitude", bad});
        rows.push_back(
            {"moment", "--clock", "2000-01-01 10:00", "--longitude", "100", "--latitude", bad});
        rows.push_back({"cast", "--clock", "2000-01-01 10:00", "--longitude", bad});
    }
    for (const auto& args : rows) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 2) << Quoted(args) << "\n" << r.err;
        EXPECT_LT(r.err.size(), 400u) << Quoted(args) << ": one short message";
    }
    EXPECT_FALSE(fs::exists(png));
    const auto line =
        RunCli({"cast", "--format", "json", "-"}, "clock 2000-01-01 10:00 Asia/Shanghai nan 0\n");
    EXPECT_EQ(line.status, 2) << line.err;
    EXPECT_EQ(line.out, "{\"error\":\"Malformed input\"}\n");
}

struct QuotedRow {
    const char* behaviour;
    std::vector<std::string> args;
    std::string shown;  // how the input reappears on stderr
};

TEST(HostileInput, QuotedInputCannotSteerTheTerminal) {
    const std::string title = "\033]0;owned\007";
    const QuotedRow rows[] = {
        {"unknown zone",
         {"moment", "--clock", "2000-01-01 10:00", "--zone", "X" + title},
         "X?]0;owned?"},
        {"zone in a cast", {"cast", "--clock", "2000-01-01 10:00", "--zone", "\033[2J"}, "?[2J"},
        {"place not found",
         {"moment", "--clock", "2000-01-01 10:00", "--place", "\033[31m龙"},
         "?[31m龙"},
        {"places command", {"places", "Nowhere\r\033[K"}, "Nowhere??[K"},
        {"bad option value", {"moment", "--clock", "\033[5m", "--zone", "UTC"}, "?[5m"},
        {"unknown option", {"moment", "--\033[1mbold"}, "?[1mbold"},
        {"broken UTF-8 and a C1 control",
         {"places",
          "a\xFF\xC3(\xC2\x9B"
          "b"},
         "a?"
         "?(?b"},
        {"a right-to-left override",
         {"places",
          "gnp.\xE2\x80\xAE"
          "exe"},
         "gnp.?exe"},
    };
    for (const QuotedRow& row : rows) {
        const auto r = RunCli(row.args);
        EXPECT_NE(r.status, 0) << row.behaviour;
        for (const char* raw : {"\033", "\007", "\r", "\xFF", "\xC2\x9B", "\xE2\x80\xAE"})
            EXPECT_EQ(r.err.find(raw), std::string::npos) << row.behaviour << ": " << r.err;
        EXPECT_NE(r.err.find(row.shown), std::string::npos) << row.behaviour << ": " << r.err;
    }
}

TEST(HostileInput, AByteOrderMarkBeforeABatchIsSkipped) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::vector<std::pair<std::vector<std::string>, std::string>> batches = {
        {{"cast", "--format", "json", "--today", "2026-12-07", "-"},
         "2000-02-05 6 0 0\n1990-01-01 1 2 1\n"},
        {{"cast", "--format", "json", "--today", "2026-12-07", "-"},
         "clock 2000-02-05 12:10 Asia/Shanghai - 0\n"},
        {{"convert", "--format", "json", "-"}, "2000-02-05\n2001-01-24\n"},
    };
    for (const auto& [args, input] : batches) {
        const auto plain = RunCli(args, input);
        const auto marked = RunCli(args, bom + input);
        ASSERT_EQ(plain.status, 0) << Quoted(args) << plain.err;
        EXPECT_EQ(marked.status, 0) << Quoted(args) << marked.err;
        EXPECT_EQ(marked.out, plain.out) << Quoted(args);
    }
    // Only at the start: a mark later in the input is part of its line.
    const auto later =
        RunCli({"convert", "--format", "json", "-"}, "2000-02-05\n" + bom + "2000-02-05\n");
    EXPECT_EQ(later.status, 2) << later.err;
}

// The build without the Qt layer has no chart window to draw.
bool HasChartWindow() {
    const auto r =
        RunCli(With({"render"}, With(kChart, {"--output", testing::TempDir() + "/probe.png"})));
    return r.err.find("configured without the GUI") == std::string::npos;
}

TEST(HostileInput, OutputToStandardOutputAppendsToTheShellsFile) {
    if (!HasChartWindow()) GTEST_SKIP() << "built without the Qt layer";
    const fs::path log =
        fs::path(testing::TempDir()) / ("hostile_log_" + std::to_string(::getpid()));
    std::ofstream(log) << "earlier lines\n";
    const auto r = RunShell("\"$CLI\" render " + Quoted(kChart) + " --output /dev/stdout >> " +
                            ShellQuote(log.string()));
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string whole = ReadWhole(log.string());
    EXPECT_EQ(whole.substr(0, 14), "earlier lines\n");
    EXPECT_EQ(whole.substr(14, 8), "\x89PNG\r\n\x1A\n");
    fs::remove(log);
}

TEST(HostileInput, AnotherUsersLinkInASharedFolderIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser to act as another user";
    if (!HasChartWindow()) GTEST_SKIP() << "built without the Qt layer";
    const fs::path dir = fs::path(testing::TempDir()) / ("hostile_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "shared");
    ::chmod(dir.c_str(), 0755);
    ::chmod((dir / "shared").c_str(), 01777);
    const fs::path victim = dir / "victim";
    std::ofstream(victim) << "secret";
    const fs::path planted = dir / "shared" / "out.png";
    const auto made = RunShell("setpriv --reuid=65534 --regid=65534 --clear-groups ln -s " +
                               ShellQuote(victim.string()) + " " + ShellQuote(planted.string()));
    ASSERT_EQ(made.status, 0) << made.err;
    const auto r = RunCli(With({"render"}, With(kChart, {"--output", planted.string()})));
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("symbolic link owned by another user in a shared folder"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(ReadWhole(victim.string()), "secret");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace qelvar::test
