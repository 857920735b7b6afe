#pragma once
// ChartGrid: the chart surface, one text slot per control identifier of the
// chart window.  Every slot exists from construction with its initial text.
//
// Twelve slots of a kind, one per palace cell, form a SlotFamily at
// base + PalaceIndex.  The centre panel has single slots.  The grid is held
// as a flat array indexed through a compile-time map from identifier to
// position, so reads and writes are O(1) and a fresh grid costs one array.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "chart/Cycle.h"

namespace qelvar {

// Twelve slots base + PalaceIndex.
struct SlotFamily {
    int base;
    constexpr int Slot(PalaceIndex cell) const { return base + Ring(cell); }
};

namespace slot {

inline constexpr SlotFamily kPalaceName{1012};  // "本命宫" ... or a body mark "命★身"
inline constexpr SlotFamily kPalaceStem{1024};  // stem character of the palace
inline constexpr SlotFamily kDecade{1037};      // decade age range "2-11"
inline constexpr SlotFamily kNayin{1217};       // 纳音 of the palace's stem-branch
inline constexpr SlotFamily kMarks{1229};       // four-transformation marks
inline constexpr SlotFamily kBoShi{1241};       // 博士-cycle god
inline constexpr SlotFamily kSuiQian{1253};     // 岁前-cycle god
inline constexpr SlotFamily kJiangQian{1265};   // 将前-cycle god
inline constexpr SlotFamily kLifeStage{2073};   // life stage

inline constexpr int kStarColumns = 13;       // 0..7 top row, 8..12 second row
inline constexpr int kBrightnessColumns = 8;  // under star columns 0..7

// Star column j (0..12): family 1061 + 12j.
constexpr SlotFamily StarColumn(int j) {
    return SlotFamily{1061 + 12 * j};
}
// Brightness of star column j (0..7): family 1277 + 12j, 216 above the column.
constexpr SlotFamily BrightnessColumn(int j) {
    return SlotFamily{1277 + 12 * j};
}
// Position j of the star-slot sequence of a cell: 1061 + 12j + cell.
constexpr int StarSequence(PalaceIndex cell, int j) {
    return 1061 + 12 * j + Ring(cell);
}

// Single slots of the centre panel.
inline constexpr int kBureau = 1036;               // "水二局" ...
inline constexpr int kDouJun = 2181;               // "子年斗君：" + branch
inline constexpr int kLunarLine = 2182;            // "农历：" + lunar text
inline constexpr int kFourTransformations = 2183;  // "廉贞[禄]破军[权]..."
inline constexpr int kDaysLived = 2184;            // days-lived sentence
inline constexpr int kPillarStars = 2185;          // three lines of pillar stars
inline constexpr int kSolarLine = 2186;            // "阳历：" + Gregorian text
inline constexpr int kLifeRuler = 2188;            // "命主" + star
inline constexpr int kBodyRuler = 2189;            // "身主" + star
inline constexpr int kFivePillars = 2190;          // five pillars
inline constexpr int kPillarNayin = 2193;          // 纳音 of four pillars

}  // namespace slot

namespace detail {

inline constexpr int kSlotCount = 371;
inline constexpr int kFirstSlotId = 1012;
inline constexpr int kLastSlotId = 2193;

// The slot identifiers in ascending order: the families and single slots of
// the chart window.
constexpr std::array<int, kSlotCount> MakeSlotIds() {
    std::array<int, kSlotCount> ids{};
    int n = 0;
    for (int id = 1012; id <= 1048; ++id) ids[n++] = id;  // names, stems, 1036, decades
    for (int id = 1061; id <= 1372; ++id) ids[n++] = id;  // stars, 纳音, marks, gods, brightness
    for (int id = 2073; id <= 2084; ++id) ids[n++] = id;  // life stages
    for (int id = 2181; id <= 2186; ++id) ids[n++] = id;
    for (int id = 2188; id <= 2190; ++id) ids[n++] = id;
    ids[n++] = 2193;
    return ids;
}
inline constexpr std::array<int, kSlotCount> kSlotIds = MakeSlotIds();

// Identifier -> position in the flat array, -1 for no slot.
constexpr std::array<std::int16_t, kLastSlotId - kFirstSlotId + 1> MakePositions() {
    std::array<std::int16_t, kLastSlotId - kFirstSlotId + 1> pos{};
    for (auto& p : pos) p = -1;
    for (int i = 0; i < kSlotCount; ++i)
        pos[kSlotIds[i] - kFirstSlotId] = static_cast<std::int16_t>(i);
    return pos;
}
inline constexpr auto kPositions = MakePositions();

constexpr int PositionOf(int id) {
    if (id < kFirstSlotId || id > kLastSlotId) return -1;
    return kPositions[id - kFirstSlotId];
}

extern const std::string kNoText;

}  // namespace detail

struct Chart;

class ChartGrid {
public:
    static constexpr int kSlotCount = detail::kSlotCount;

    ChartGrid();  // every slot with its initial text

    // The grid of a chart: every slot's text as the chart window shows it,
    // the window's placeholder texts where the chart has not been cast yet.
    static ChartGrid Of(const Chart& chart);
    // The same, rewriting this grid's texts in place.
    void Fill(const Chart& chart);

    // "" for an identifier that is no slot.
    const std::string& GetSlotText(int id) const {
        const int p = detail::PositionOf(id);
        return p < 0 ? detail::kNoText : m_texts[p];
    }
    // Ignored for an identifier that is no slot.
    void SetSlotText(int id, std::string text) {
        const int p = detail::PositionOf(id);
        if (p >= 0) m_texts[p] = std::move(text);
    }

    // Every slot identifier, ascending.
    static std::span<const int> SlotIds();

    // The initial text of slot `id` ("" for no slot).
    static const std::string& InitialText(int id);

private:
    std::array<std::string, kSlotCount> m_texts;
};

}  // namespace qelvar
