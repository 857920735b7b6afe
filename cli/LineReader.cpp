#include "cli/LineReader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace qelvar::cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the UTF-8 character at the start of `s`, 0 when the bytes
// there are not one (overlong forms and surrogates included).
std::size_t Utf8Length(std::string_view s) {
    const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = byte(0);
    std::size_t n = 0;
    char32_t code = 0;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        code = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        code = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        code = c & 0x07u;
    } else {
        return 0;
    }
    if (s.size() < n) return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    const bool overlong = (n == 3 && code < 0x800) || (n == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate || code > 0x10FFFF ? 0 : n;
}

// Whether the character `c` (`n` bytes of UTF-8) could steer a terminal or
// reorder the text around it.
bool IsControl(std::string_view c, bool keepNewlines) {
    const auto b = static_cast<unsigned char>(c[0]);
    if (c.size() == 1) return (b < 0x20 && !(keepNewlines && b == '\n')) || b == 0x7F;
    if (c.size() == 2) return b == 0xC2 && static_cast<unsigned char>(c[1]) < 0xA0;  // C1
    // U+200E, U+200F, U+2028..U+202E, U+2066..U+2069
    if (c.size() == 3 && c.substr(0, 2) == "\xE2\x80") {
        const auto l = static_cast<unsigned char>(c[2]);
        return l == 0x8E || l == 0x8F || (l >= 0xA8 && l <= 0xAE);
    }
    if (c.size() == 3 && c.substr(0, 2) == "\xE2\x81") {
        const auto l = static_cast<unsigned char>(c[2]);
        return l >= 0xA6 && l <= 0xA9;
    }
    return false;
}

}  // namespace

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
    const Result result = NextLine(line);
    if (std::exchange(m_atStart, false) && line.starts_with(kByteOrderMark))
        line.erase(0, kByteOrderMark.size());
    return result;
}

LineReader::Result LineReader::NextLine(std::string& line) {
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

std::string Escaped(std::string_view text, std::size_t maxBytes, bool keepNewlines) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t n = Utf8Length(text.substr(i));
        if (i + std::max<std::size_t>(n, 1) > maxBytes) return out + "...";
        if (n == 0 || IsControl(text.substr(i, n), keepNewlines))
            out += '?';
        else
            out += text.substr(i, n);
        i += std::max<std::size_t>(n, 1);
    }
    return out;
}

std::string Excerpt(std::string_view line) {
    return Escaped(line, 40);
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
