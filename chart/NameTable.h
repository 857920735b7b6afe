#pragma once
// A fixed table of enum values and their names, as the command line, the
// settings file and the library spell the chart's choices, and its two
// look-ups.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

namespace qelvar {

template <typename E, std::size_t N>
using NameTable = std::array<std::pair<E, std::string_view>, N>;

// The name of `v`; "" when the table lacks it.
template <typename E, std::size_t N>
constexpr std::string_view NameOf(const NameTable<E, N>& table, E v) {
    for (const auto& [value, name] : table)
        if (value == v) return name;
    return {};
}

// The value named `text`; none when no entry has that name.
template <typename E, std::size_t N>
constexpr std::optional<E> ValueNamed(const NameTable<E, N>& table, std::string_view text) {
    for (const auto& [value, name] : table)
        if (name == text) return value;
    return std::nullopt;
}

}  // namespace qelvar
