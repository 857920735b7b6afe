#include "io/Json.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace qelvar {

namespace {

// The bytes a JSON string escapes: control bytes, '"' and '\\'.
constexpr std::array<bool, 256> kNeedsEscape = [] {
    std::array<bool, 256> t{};
    for (int c = 0; c < 0x20; ++c) t[c] = true;
    t['"'] = t['\\'] = true;
    return t;
}();

constexpr bool NeedsEscape(unsigned char c) {
    return kNeedsEscape[c];
}

// Whether any of the eight bytes of `w` needs an escape: a control byte,
// '"' or '\\'.  Exact: a borrow only runs on past a byte already found.
constexpr bool AnyNeedsEscape(std::uint64_t w) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    auto below = [](std::uint64_t x, std::uint64_t n) { return (x - n * kOnes) & ~x & kHigh; };
    return (below(w, 0x20) | below(w ^ ('"' * kOnes), 1) | below(w ^ ('\\' * kOnes), 1)) != 0;
}

// The length of the start of `text` that needs no escape: eight bytes at a
// time, then byte by byte.
std::size_t PlainPrefix(std::string_view text) {
    const char* const p = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, p + i, 8);
        if (AnyNeedsEscape(w)) break;
    }
    while (i < n && !NeedsEscape(static_cast<unsigned char>(p[i]))) ++i;
    return i;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    const std::size_t plain = PlainPrefix(text);
    out += '"';
    out.append(text.data(), plain);
    if (plain == text.size()) {
        out += '"';
        return;
    }
    // Runs of bytes that need no escape are appended whole.
    const char* run = text.data() + plain;
    const char* const end = text.data() + text.size();
    for (const char* p = run; p != end; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (!NeedsEscape(c)) continue;
        out.append(run, static_cast<std::size_t>(p - run));
        run = p + 1;
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            default:
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
        }
    }
    out.append(run, static_cast<std::size_t>(end - run));
    out += '"';
}
std::string JsonString(std::string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

void AppendJsonKey(std::string& out, std::string_view key) {
    AppendJsonString(out, key);
    out += ':';
}

void AppendJsonInt(std::string& out, long long value) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, r.ptr);
}

void AppendJsonNumber(std::string& out, double value) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, r.ptr);
}

}  // namespace qelvar
