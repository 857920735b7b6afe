#pragma once
// Stems, branches and the palace ring: the index types and their names.
// Every cyclic count goes through FloorMod of calendar/DayCount.h.

#include <array>
#include <cstddef>
#include <string_view>

#include "calendar/CalendarNames.h"
#include "calendar/DayCount.h"

namespace qelvar {

using Stem = int;         // 0..9, 甲乙丙丁戊己庚辛壬癸
using Branch = int;       // 0..11, 子丑寅卯辰巳午未申酉戌亥
using PalaceIndex = int;  // 0..11, cell counted from 寅; increasing runs clockwise

constexpr int Ring(int a) {
    return FloorMod(a, 12);
}

// A stem-branch pair: a pillar, a palace's stem with its branch.
struct StemBranch {
    Stem stem = 0;
    Branch branch = 0;
    friend bool operator==(const StemBranch&, const StemBranch&) = default;
};

constexpr std::string_view StemName(int s) {
    return StemNames[FloorMod(s, 10)];
}
constexpr std::string_view BranchName(int b) {
    return BranchNames[FloorMod(b, 12)];
}

// The cell of branch b and the branch of cell p.
constexpr PalaceIndex CellOfBranch(Branch b) {
    return FloorMod(b + 10, 12);
}
constexpr Branch BranchOfCell(PalaceIndex p) {
    return FloorMod(p + 2, 12);
}
static_assert(CellOfBranch(2) == 0 && CellOfBranch(0) == 10 && BranchOfCell(11) == 1);

// Year stem and year branch of a lunar year number: the year's place in the
// sexagenary cycle, 甲子 = 4 (mod 60).
constexpr Stem YearStemOf(int lunarYear) {
    return FloorMod(FloorMod(lunarYear - 4, 60), 10);
}
constexpr Branch YearBranchOf(int lunarYear) {
    return FloorMod(FloorMod(lunarYear - 4, 60), 12);
}
static_assert(YearStemOf(1984) == 0 && YearBranchOf(1984) == 0);
static_assert(YearStemOf(2000) == 6 && YearBranchOf(2000) == 4);  // 庚辰

// Whole-text equality, inlined: the engine compares many short names,
// where a library call costs more than the comparison itself.
constexpr bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// Index of the stem (branch) whose name equals `text`; -1 when none does.
constexpr int StemIndex(std::string_view text) {
    for (int i = 0; i < 10; ++i)
        if (SameText(StemNames[i], text)) return i;
    return -1;
}
constexpr int BranchIndex(std::string_view text) {
    for (int i = 0; i < 12; ++i)
        if (SameText(BranchNames[i], text)) return i;
    return -1;
}

}  // namespace qelvar
