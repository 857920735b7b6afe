// Chart step 35: the brightness (庙旺平闲陷) of the rated stars in star
// columns 0..7, written into the brightness slot under each star.
#include <array>
#include <string>

#include "chart/Text.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

struct StarBrightness {
    std::string_view star;
    std::array<std::string_view, 12> byCell;  // PalaceIndex 寅..丑; "  " = cannot stand there
};

constexpr std::string_view M = "庙", W = "旺", P = "平", X = "闲", L = "陷", D = "地", B = "  ";

// 诸星庙旺表: the brightness word of each rated star in each cell, columns
// 寅 卯 辰 巳 午 未 申 酉 戌 亥 子 丑.  Looked up in this row order.
// clang-format off
constexpr std::array<StarBrightness, 28> kBrightnessTable = {{
    {"擎羊", {B, L, M, B, P, M, B, L, M, B, L, M}},
    {"天马", {W, B, B, P, B, B, W, B, B, P, B, B}},
    {"禄存", {M, W, B, M, W, B, M, W, B, M, W, B}},
    {"破军", {L, W, W, X, M, M, L, L, W, P, M, W}},
    {"七杀", {M, L, W, P, W, W, M, X, M, P, W, M}},
    {"天梁", {M, M, W, L, M, W, L, D, W, L, M, W}},
    {"天相", {M, L, W, P, W, X, M, L, X, P, M, M}},
    {"巨门", {M, M, P, P, W, L, M, M, W, W, W, W}},
    {"贪狼", {P, W, M, L, W, M, M, P, M, L, W, M}},
    {"太阴", {X, L, X, L, L, P, P, W, W, M, M, M}},
    {"天府", {M, P, M, P, W, M, P, W, M, W, M, M}},
    {"廉贞", {M, X, W, L, P, M, M, P, W, L, P, W}},
    {"天同", {X, M, P, M, L, L, W, P, P, M, W, L}},
    {"武曲", {X, L, M, P, W, M, P, W, M, P, W, M}},
    {"太阳", {W, M, M, M, M, P, X, X, L, L, L, L}},
    {"天机", {W, W, M, P, M, L, P, W, M, P, M, L}},
    {"紫微", {M, W, L, W, M, M, W, P, X, W, P, M}},
    {"文曲", {P, W, M, M, L, W, P, M, L, W, M, M}},
    {"文昌", {L, P, W, L, M, P, W, M, L, W, W, M}},
    {"右弼", {W, L, M, P, W, M, X, L, M, P, M, M}},
    {"左辅", {M, L, M, P, W, M, P, L, M, X, W, M}},
    {"天钺", {W, B, B, W, B, W, M, M, B, B, B, B}},
    {"天魁", {B, M, B, B, M, B, B, B, B, W, W, W}},
    {"地劫", {P, P, L, X, M, P, M, P, P, W, L, L}},
    {"地空", {L, P, L, M, M, P, M, M, L, L, P, L}},
    {"铃星", {M, M, W, W, M, W, W, L, M, M, L, L}},
    {"火星", {M, P, X, W, M, X, L, L, M, P, P, W}},
    {"陀罗", {L, B, M, L, B, M, L, B, M, L, B, M}},
}};
// clang-format on

constexpr std::array<std::uint64_t, kBrightnessTable.size()> MakeKeys() {
    std::array<std::uint64_t, kBrightnessTable.size()> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = ShortKey(kBrightnessTable[i].star);
    return keys;
}
constexpr auto kStarKeys = MakeKeys();

}  // namespace

void ZiWeiChart::ShowBrightness() {
    for (int column = 0; column < slot::kBrightnessColumns; ++column) {
        const SlotFamily stars = slot::StarColumn(column);
        const SlotFamily marks = slot::BrightnessColumn(column);
        for (PalaceIndex p = 0; p < 12; ++p) {
            const std::string& text = Text(stars.Slot(p));
            const std::uint64_t key = ShortKey(text);
            if (key == 0) continue;
            for (std::size_t i = 0; i < kStarKeys.size(); ++i) {
                if (kStarKeys[i] == key) {
                    m_grid.SetSlotText(marks.Slot(p), std::string(kBrightnessTable[i].byCell[p]));
                    break;
                }
            }
        }
    }
}

}  // namespace qelvar
