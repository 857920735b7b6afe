#pragma once
// Exit statuses of qelvar-cli: the same meaning in every command.

#include <string_view>

namespace qelvar::cli {

enum Status : int {
    kOk = 0,
    kDateFails = 1,  // a date that does not convert or cast ("Error Date")
    kMalformed = 2,  // malformed arguments or input lines; Qt cannot start
    kIoFailed = 3,   // reading the input or writing the output failed
};

// The closing lines of every command's --help.
inline constexpr std::string_view kExitStatusHelp =
    "Exit status:\n"
    "  0  success\n"
    "  1  a date that does not convert or cast (\"Error Date\")\n"
    "  2  malformed arguments or input lines (a line longer than 4096 bytes\n"
    "     is malformed); the Qt platform for PNG output cannot start\n"
    "  3  reading the input, writing the output or the output file failed, or\n"
    "     the output cannot be written in GBK or Big5; the message names what\n"
    "     failed.\n"
    "     Everything complete before the failure has been written.";

}  // namespace qelvar::cli
