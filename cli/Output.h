#pragma once
// Standard output of a command: complete pieces (a result, a chart) are
// encoded as they come, collected, and written with every write checked.
// A batch writes at least every kFlushPieces pieces, so a kill loses little.

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/Encoding.h"
#include "lang/Terms.h"

namespace qelvar::cli {

// Writes all of `bytes` to `fd`; false with errno set when a write fails.
bool WriteAll(int fd, std::string_view bytes);

class Output {
public:
    static constexpr std::size_t kFlushBytes = 1 << 16;
    static constexpr std::size_t kFlushPieces = 1000;

    Output(int fd, Encoding encoding, Language language = Language::ZhCN)
        : m_fd(fd), m_encoding(encoding), m_language(language) {}

    // Adds one complete piece of UTF-8 output, its terms in the output's
    // language; false when it cannot be encoded (it is then left out) or an
    // earlier write failed.
    bool Add(std::string_view utf8);
    // The pending bytes themselves when pieces pass unchanged (UTF-8 in
    // simplified Chinese) and nothing has failed, so that a piece can be
    // written straight into them and then counted with AddedInPlace; null
    // otherwise, when pieces go through Add.
    std::string* InPlace() {
        const bool unchanged = m_encoding == Encoding::Utf8 && !IsTraditional(m_language);
        return unchanged && !Failed() ? &m_pending : nullptr;
    }
    void AddedInPlace() { ++m_pieces; }
    // Writes what is pending when enough has collected.
    bool FlushIfDue();
    // Writes everything pending.
    bool Flush();
    bool Failed() const { return !m_failure.empty(); }
    // What failed: "cannot write to standard output: No space left on device".
    const std::string& Failure() const { return m_failure; }

private:
    int m_fd;
    Encoding m_encoding;
    Language m_language;
    std::string m_pending;
    std::size_t m_pieces = 0;
    std::string m_failure;
};

}  // namespace qelvar::cli
