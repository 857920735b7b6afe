#include "chart/ChartLayout.h"

namespace qelvar {

namespace {

using A = SlotAlign;
using F = SlotFlow;

// Cell frames by PalaceIndex, clockwise from 寅 at the bottom left.
constexpr std::array<DuPoint, kPalaceCount> kCellCorners{{
    {10, 247},   // 寅
    {10, 167},   // 卯
    {10, 87},    // 辰
    {10, 7},     // 巳
    {88, 7},     // 午
    {166, 7},    // 未
    {244, 7},    // 申
    {244, 87},   // 酉
    {244, 167},  // 戌
    {244, 247},  // 亥
    {166, 247},  // 子
    {88, 247},   // 丑
}};

constexpr std::array<std::string_view, kPalaceCount> kBranchLabels{
    "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥", "子", "丑",
};

// Offsets from the cell corner; two-character names stand in 8-unit-wide
// columns, one character above the other.
constexpr std::array<CellSlotFamily, 29> kCellFamilies{{
    // star columns 0..7, top row
    {1061, {5, 8}, 8, 17, A::kLeft, F::kStacked},
    {1073, {13, 8}, 8, 17, A::kLeft, F::kStacked},
    {1085, {21, 8}, 8, 17, A::kLeft, F::kStacked},
    {1097, {29, 8}, 8, 17, A::kLeft, F::kStacked},
    {1109, {37, 8}, 8, 17, A::kLeft, F::kStacked},
    {1121, {45, 8}, 8, 17, A::kLeft, F::kStacked},
    {1133, {53, 8}, 8, 17, A::kLeft, F::kStacked},
    {1145, {61, 8}, 8, 17, A::kLeft, F::kStacked},
    // brightness under star columns 0..7
    {1277, {5, 26}, 8, 8, A::kLeft, F::kLine},
    {1289, {13, 26}, 8, 8, A::kLeft, F::kLine},
    {1301, {21, 26}, 8, 8, A::kLeft, F::kLine},
    {1313, {29, 26}, 8, 8, A::kLeft, F::kLine},
    {1325, {37, 26}, 8, 8, A::kLeft, F::kLine},
    {1337, {45, 26}, 8, 8, A::kLeft, F::kLine},
    {1349, {53, 26}, 8, 8, A::kLeft, F::kLine},
    {1361, {61, 26}, 8, 8, A::kLeft, F::kLine},
    // four-transformation marks and 纳音
    {1229, {5, 35}, 36, 8, A::kLeft, F::kLine},
    {1217, {44, 34}, 24, 8, A::kLeft, F::kLine},
    // star columns 8..12, second row
    {1157, {5, 45}, 8, 17, A::kLeft, F::kStacked},
    {1169, {13, 45}, 8, 17, A::kLeft, F::kStacked},
    {1181, {21, 45}, 8, 17, A::kLeft, F::kStacked},
    {1193, {29, 45}, 8, 17, A::kLeft, F::kStacked},
    {1205, {37, 45}, 8, 17, A::kLeft, F::kStacked},
    // life stage
    {2073, {66, 45}, 8, 17, A::kLeft, F::kStacked},
    // god cycles 博士, 岁前, 将前
    {1241, {5, 65}, 8, 17, A::kLeft, F::kStacked},
    {1253, {13, 65}, 8, 17, A::kLeft, F::kStacked},
    {1265, {21, 65}, 8, 17, A::kLeft, F::kStacked},
    // palace name, stem, decade range
    {1012, {40, 65}, 25, 8, A::kLeft, F::kLine},
    {1024, {66, 65}, 8, 8, A::kLeft, F::kLine},
}};

constexpr CellSlotFamily kDecadeFamily{1037, {34, 73}, 30, 8, A::kRight, F::kLine};

constexpr std::array<CentreControl, 12> kCentreControls{{
    {kNoSlot, "命局：", {92, 101, 24, 9}, F::kLine},
    {1036, "", {116, 101, 33, 8}, F::kLine},
    {2181, "", {190, 101, 49, 8}, F::kLine},
    {2186, "", {92, 111, 103, 8}, F::kLine},
    {2188, "", {205, 111, 32, 8}, F::kLine},
    {2182, "", {92, 121, 107, 8}, F::kLine},
    {2189, "", {205, 121, 32, 8}, F::kLine},
    {2183, "", {92, 132, 144, 9}, F::kLine},
    {2193, "", {95, 148, 137, 9}, F::kLine},
    {2190, "", {95, 157, 148, 8}, F::kLine},
    {2185, "", {95, 167, 147, 50}, F::kBlock},
    {2184, "", {97, 223, 123, 9}, F::kLine},
}};

// The families in one list, the decade range last.
constexpr std::array<CellSlotFamily, 30> AllFamilies() {
    std::array<CellSlotFamily, 30> all{};
    for (std::size_t i = 0; i < kCellFamilies.size(); ++i) all[i] = kCellFamilies[i];
    all[29] = kDecadeFamily;
    return all;
}
constexpr std::array<CellSlotFamily, 30> kAllFamilies = AllFamilies();

}  // namespace

DuPoint CellCorner(int palace) {
    return kCellCorners.at(static_cast<std::size_t>(palace));
}

std::string_view BranchLabel(int palace) {
    return kBranchLabels.at(static_cast<std::size_t>(palace));
}

std::span<const CellSlotFamily> CellFamilies() {
    return kAllFamilies;
}

std::span<const CentreControl> CentreControls() {
    return kCentreControls;
}

std::optional<SlotPlace> FindSlotPlace(int id) {
    for (const CellSlotFamily& f : kAllFamilies) {
        const int palace = id - f.base;  // [0, 11] inside the family
        if (palace < 0 || palace >= kPalaceCount) continue;
        const DuPoint corner = CellCorner(palace);
        return SlotPlace{
            {corner.x + f.offset.x, corner.y + f.offset.y, f.w, f.h}, f.align, f.flow, palace};
    }
    for (const CentreControl& c : CentreControls()) {
        if (c.id == id && id != kNoSlot) return SlotPlace{c.rect, SlotAlign::kLeft, c.flow, -1};
    }
    return std::nullopt;
}

int RowOfCell(int palace) {
    return (CellCorner(palace).y - kCellCorners[3].y) / 80;  // rows 80 units apart
}

DuPoint GrownCellCorner(int palace, int extra) {
    const DuPoint c = CellCorner(palace);
    return {c.x, c.y + RowOfCell(palace) * extra};
}

DuRect GrownRect(const DuRect& natal, int palace, int extra) {
    const int shift = palace < 0 ? extra : RowOfCell(palace) * extra;
    return {natal.x, natal.y + shift, natal.w, natal.h};
}

}  // namespace qelvar
