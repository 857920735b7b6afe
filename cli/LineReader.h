#pragma once
// Input lines of a batch, read from a file descriptor with a fixed amount of
// memory: a line longer than kMaxLine bytes is reported as too long and the
// rest of it is skipped without being kept.  A UTF-8 byte order mark at the
// start of the input is skipped.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qelvar::cli {

class LineReader {
public:
    static constexpr std::size_t kMaxLine = 4096;

    enum class Result {
        Line,     // a line (without its '\n'); the last one may lack the '\n'
        TooLong,  // a line over kMaxLine bytes: `line` holds its first kMaxLine
        End,      // no more input
        Failed,   // read error; Errno() says which
    };

    explicit LineReader(int fd);
    Result Next(std::string& line);
    int Errno() const { return m_errno; }

private:
    bool Fill();  // false at the end of the input or on an error
    Result NextLine(std::string& line);

    int m_fd;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
    bool m_atStart = true;  // no line returned yet
    int m_errno = 0;
};

// The problem BadLineMessage names for a TooLong line.
inline constexpr std::string_view kLineTooLong = "longer than 4096 bytes";

// The words of a line, split at spaces, tabs and carriage returns.
std::vector<std::string_view> SplitWords(std::string_view line);

// `text` made safe to quote in a message on a terminal: control characters
// (C0 but the newline when `keepNewlines`, DEL, C1), bidirectional-text
// controls and bytes that are not UTF-8 each become '?'; at most `maxBytes`
// bytes of it, cut at a character, "..." marking the cut.
std::string Escaped(std::string_view text, std::size_t maxBytes = 80, bool keepNewlines = false);
// A `maxBytes` for a whole message, which is never cut.
inline constexpr std::size_t kWholeMessage = std::string_view::npos;

// At most the first 40 bytes of a bad input line for a message, escaped.
std::string Excerpt(std::string_view line);

// "qelvar-cli <command>: line <n>: cannot read '<excerpt>' (<problem>)\n".
std::string BadLineMessage(std::string_view command, long lineNumber, std::string_view line,
                           std::string_view problem);

}  // namespace qelvar::cli
