#include "chart/Text.h"

namespace qelvar {

namespace {

constexpr bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Decodes the code point starting at text[i] and advances i.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto c = static_cast<unsigned char>(text[i++]);
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
    char32_t cp = c & (0x3F >> extra);
    while (extra-- > 0 && i < text.size())
        cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    return cp;
}

bool IsWide(char32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0x303E) ||
           (cp >= 0x3041 && cp <= 0xA4CF) || (cp >= 0xAC00 && cp <= 0xD7A3) ||
           (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F) ||
           (cp >= 0xFF00 && cp <= 0xFF60) || (cp >= 0xFFE0 && cp <= 0xFFE6);
}

}  // namespace

int DisplayWidth(std::string_view text) {
    int w = 0;
    for (std::size_t i = 0; i < text.size();) w += IsWide(NextCodePoint(text, i)) ? 2 : 1;
    return w;
}

std::string_view FirstChar(std::string_view text) {
    if (text.empty()) return text;
    std::size_t n = 1;
    while (n < text.size() && IsContinuation(static_cast<unsigned char>(text[n]))) ++n;
    return text.substr(0, n);
}

std::string_view LastChar(std::string_view text) {
    if (text.empty()) return text;
    std::size_t start = text.size() - 1;
    while (start > 0 && IsContinuation(static_cast<unsigned char>(text[start]))) --start;
    return text.substr(start);
}

int CharCount(std::string_view text) {
    int n = 0;
    for (const char c : text)
        if (!IsContinuation(static_cast<unsigned char>(c))) ++n;
    return n;
}

int GbkLength(std::string_view text) {
    int n = 0;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80)
            n += 1;
        else if (!IsContinuation(u))
            n += 2;
    }
    return n;
}

int ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long value = 0;  // clamped to [0, 1e9] so it never overflows
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value < 1000000000L) value = value * 10 + (text[i] - '0');
    if (value > 1000000000L) value = 1000000000L;
    return static_cast<int>(negative ? -value : value);
}

}  // namespace qelvar
