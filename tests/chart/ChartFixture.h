#pragma once
// Shared helpers of the chart tests: birth data built by hand and slot
// lookups by branch name.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>

#include "birth/BirthData.h"
#include "chart/ChartGrid.h"
#include "chart/ChartNames.h"
#include "chart/Cycle.h"
#include "chart/ZiWei.h"

namespace qelvar::test {

inline constexpr std::chrono::year_month_day kToday{std::chrono::year{2026}, std::chrono::month{12},
                                                    std::chrono::day{7}};

// A birth with the lunar numbers given; the Gregorian fields describe
// 2000-02-05 unless a test sets them.
inline BirthData Lunar(int year, int month, int day, int hour, int sex = 0) {
    BirthData b;
    b.g_strSolarYear = "2000";
    b.g_strSolarMonth = "2";
    b.g_strSolarDay = "5";
    b.g_strSolarText = "2000年2月5日 ";
    b.g_strLunarText = "龙(庚辰)年正月初一";
    b.g_nSolarMonth = 13;
    b.g_strLunarYear = std::to_string(year);
    b.g_strLunarMonth = std::to_string(month);
    b.g_strLunarDay = std::to_string(day);
    b.g_nHour = hour;
    b.g_nMinuteSlot = 0;
    b.g_nSex = sex;
    return b;
}

// Marks the chart as the driver leaves it before the star steps: the mark
// slots and the first brightness family cleared.
inline void Clear(ZiWeiChart& z) {
    z.MutableValue().done |= 1U;
}

// Stages `star` at `position` of the cell's star-slot sequence.
inline void PutStar(ZiWeiChart& z, PalaceIndex cell, int position, Star star) {
    Palace& p = z.MutableValue().palaces[Ring(cell)];
    int k = p.starCount++;
    while (k > 0 && p.stars[k - 1].position > position) {
        p.stars[k] = p.stars[k - 1];
        --k;
    }
    p.stars[k] = PlacedStar{star, static_cast<std::uint8_t>(position)};
    p.occupied |= 1U << position;
}

// The star of a name.
inline Star StarNamed(std::string_view name) {
    for (int i = 0; i < kStarCount; ++i)
        if (kStarNames[i] == name) return static_cast<Star>(i);
    ADD_FAILURE() << "no star " << name;
    return Star::ZiWei;
}

// Sets the bureau by its name, "水二局" .. "火六局".
inline void SetBureau(ZiWeiChart& z, std::string_view name) {
    for (int e = 0; e < 5; ++e) {
        const Bureau b{static_cast<Element>(e), e + 2};
        if (BureauName(b) == name) z.MutableValue().bureau = b;
    }
}

// Cell of a branch given by name ("寅" -> 0).
inline PalaceIndex Cell(std::string_view branch) {
    return CellOfBranch(BranchIndex(branch));
}

inline const std::string& At(const ZiWeiChart& z, SlotFamily f, std::string_view branch) {
    return z.Grid().GetSlotText(f.Slot(Cell(branch)));
}

// Branch name of the cell holding `star` in any of the 20 positions of the
// star-slot sequence, "" when absent.
inline std::string BranchOfStar(const ZiWeiChart& z, std::string_view star) {
    for (int j = 0; j < 20; ++j)
        for (PalaceIndex c = 0; c < 12; ++c)
            if (z.Grid().GetSlotText(slot::StarSequence(c, j)) == star)
                return std::string(BranchName(BranchOfCell(c)));
    return {};
}

// Position in the cell's star-slot sequence of `star`, -1 when absent.
inline int PositionOf(const ZiWeiChart& z, std::string_view branch, std::string_view star) {
    for (int j = 0; j < 20; ++j)
        if (z.Grid().GetSlotText(slot::StarSequence(Cell(branch), j)) == star) return j;
    return -1;
}

}  // namespace qelvar::test
