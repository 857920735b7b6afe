// qelvar-cli: the command-line companion of the desktop program.
#include <iostream>
#include <string_view>

#include "cli/Commands.h"

namespace {

constexpr std::string_view kVersion = "1.0.0.1";

constexpr std::string_view kUsage =
    "Usage: qelvar-cli <command> [options]\n"
    "\n"
    "Commands:\n"
    "  convert   convert a date between the Gregorian and the lunar calendar\n"
    "  cast      cast a Purple Star chart for a birth moment\n"
    "  render    draw the chart window of a birth to a PNG file\n"
    "\n"
    "  qelvar-cli <command> --help   options of one command\n"
    "  qelvar-cli --version          program version\n";

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string_view command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "--version") {
        std::cout << "qelvar-cli " << kVersion << '\n';
        return 0;
    }
    const qelvar::cli::Args args(argv + 2, argv + argc);
    if (command == "convert") return qelvar::cli::RunConvert(args, std::cin, std::cout, std::cerr);
    if (command == "cast") return qelvar::cli::RunCast(args, std::cin, std::cout, std::cerr);
    if (command == "render") return qelvar::cli::RunRender(args, std::cin, std::cout, std::cerr);
    std::cerr << "qelvar-cli: unknown command '" << command << "'\n\n" << kUsage;
    return 2;
}
