#include "cli/LineReader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qelvar::cli {

LineReader::LineReader(int fd) : m_fd(fd), m_buffer(1 << 16) {}

bool LineReader::Fill() {
    if (m_eof || m_errno != 0) return false;
    for (;;) {
        const ssize_t n = ::read(m_fd, m_buffer.data(), m_buffer.size());
        if (n > 0) {
            m_begin = 0;
            m_end = static_cast<std::size_t>(n);
            return true;
        }
        if (n == 0) {
            m_eof = true;
            return false;
        }
        if (errno != EINTR) {
            m_errno = errno;
            return false;
        }
    }
}

LineReader::Result LineReader::Next(std::string& line) {
    line.clear();
    bool tooLong = false;
    bool started = false;  // some byte of this line was read
    for (;;) {
        if (m_begin == m_end && !Fill()) {
            if (m_errno != 0) return Result::Failed;
            if (!started) return Result::End;
            return tooLong ? Result::TooLong : Result::Line;
        }
        started = true;
        const char* begin = m_buffer.data() + m_begin;
        const std::size_t available = m_end - m_begin;
        const auto* newline = static_cast<const char*>(std::memchr(begin, '\n', available));
        const std::size_t length =
            newline != nullptr ? static_cast<std::size_t>(newline - begin) : available;
        if (!tooLong) {
            const std::size_t room = kMaxLine - line.size();  // [0, kMaxLine]
            line.append(begin, length < room ? length : room);
            tooLong = length > room;
        }
        m_begin += newline != nullptr ? length + 1 : length;
        if (newline != nullptr) return tooLong ? Result::TooLong : Result::Line;
    }
}

std::vector<std::string_view> SplitWords(std::string_view line) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSpace(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !isSpace(line[i])) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::string Excerpt(std::string_view line) {
    constexpr std::size_t kMax = 40;
    std::string s(line.substr(0, kMax));
    for (char& ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c >= 0x7F) ch = '?';
    }
    return line.size() > kMax ? s + "..." : s;
}

std::string BadLineMessage(std::string_view command, long lineNumber, std::string_view line,
                           std::string_view problem) {
    std::string m = "qelvar-cli ";
    m += command;
    m += ": line " + std::to_string(lineNumber) + ": cannot read '" + Excerpt(line) + "' (";
    m += problem;
    m += ")\n";
    return m;
}

}  // namespace qelvar::cli
