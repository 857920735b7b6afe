#include "chart/Text.h"

namespace qelvar {

namespace {

constexpr bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

}  // namespace

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
