#include "cli/Output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace qelvar::cli {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool Output::Add(std::string_view utf8) {
    if (Failed()) return false;
    std::string localized;
    if (IsTraditional(m_language)) {
        localized = Localize(m_language, utf8);
        utf8 = localized;
    }
    if (m_encoding == Encoding::Utf8) {
        m_pending += utf8;
    } else if (const auto encoded = Encode(utf8, m_encoding)) {
        m_pending += *encoded;
    } else {
        m_failure = "the output cannot be written in " + std::string(EncodingName(m_encoding));
        return false;
    }
    ++m_pieces;
    return true;
}

bool Output::FlushIfDue() {
    if (m_pending.size() < kFlushBytes && m_pieces < kFlushPieces) return !Failed();
    return Flush();
}

bool Output::Flush() {
    const bool written = WriteAll(m_fd, m_pending);
    const int error = errno;
    m_pending.clear();
    m_pieces = 0;
    if (!written && !Failed()) {
        m_failure = "cannot write to standard output: ";
        m_failure += std::strerror(error);
    }
    return !Failed();
}

}  // namespace qelvar::cli
