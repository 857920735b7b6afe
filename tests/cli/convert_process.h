#pragma once
// Runs build/bin/qelvar-cli as a child process (alone, or in a shell script
// that redirects or pipes it) with the given standard input, and collects its
// exit status and both output streams.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace qelvar::test {

struct ProcessResult {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

inline std::string ReadWhole(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

inline std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string CliPath() {
    return std::string(QELVAR_BIN_DIR) + "/qelvar-cli";
}

// Runs `script` with /bin/sh, standard input from `input`; $CLI names the
// program.
inline ProcessResult RunShell(const std::string& script, const std::string& input = "") {
    static int counter = 0;
    const std::string base = testing::TempDir() + "qelvar_cli_" + std::to_string(::getpid()) + "_" +
                             std::to_string(counter++);
    const std::string in = base + ".in", out = base + ".out", err = base + ".err";
    std::ofstream(in, std::ios::binary) << input;
    const std::string cmd = "CLI=" + ShellQuote(CliPath()) + "; export CLI; (" + script + ") <" +
                            ShellQuote(in) + " >" + ShellQuote(out) + " 2>" + ShellQuote(err);
    const int raw = std::system(cmd.c_str());
    ProcessResult r;
    if (raw != -1 && WIFEXITED(raw)) r.status = WEXITSTATUS(raw);
    r.out = ReadWhole(out);
    r.err = ReadWhole(err);
    std::remove(in.c_str());
    std::remove(out.c_str());
    std::remove(err.c_str());
    return r;
}

inline std::string Quoted(const std::vector<std::string>& args) {
    std::string s;
    for (const auto& a : args) s += " " + ShellQuote(a);
    return s;
}

inline ProcessResult RunCli(const std::vector<std::string>& args, const std::string& input = "") {
    return RunShell("exec \"$CLI\"" + Quoted(args), input);
}

}  // namespace qelvar::test
