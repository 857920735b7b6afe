#include "chart/ChartGrid.h"

namespace qelvar {

namespace {

using detail::kSlotIds;
using detail::PositionOf;

static_assert(kSlotIds.back() == 2193 && kSlotIds[36] == 1048 && kSlotIds[37] == 1061);
static_assert(PositionOf(1049) == -1 && PositionOf(2187) == -1 && PositionOf(2191) == -1);
static_assert(PositionOf(1012) == 0 && PositionOf(2193) == ChartGrid::kSlotCount - 1);

// The initial texts of the chart window template.  The placeholders of the
// palace names, stems, decades, bureau and life stages are always
// overwritten before they are read; what the steps rely on is that the star
// columns, the marks and the brightness slots are empty when stars are placed
// while the 纳音 and god families hold non-empty texts.
std::array<std::string, ChartGrid::kSlotCount> MakeInitialTexts() {
    std::array<std::string, ChartGrid::kSlotCount> texts;
    auto fill = [&texts](SlotFamily family, const char* text) {
        for (int c = 0; c < 12; ++c) texts[PositionOf(family.Slot(c))] = text;
    };
    fill(slot::kPalaceName, "宫名");
    fill(slot::kPalaceStem, "干");
    fill(slot::kDecade, "0-9");
    fill(slot::kNayin, "纳音");
    fill(slot::kMarks, "权禄科忌");
    fill(slot::kBoShi, "博士");
    fill(slot::kSuiQian, "岁前");
    fill(slot::kJiangQian, "将前");
    fill(slot::BrightnessColumn(0), "庙");
    fill(slot::kLifeStage, "长生");
    texts[PositionOf(slot::kBureau)] = "五行局";
    return texts;
}

const std::array<std::string, ChartGrid::kSlotCount>& InitialTexts() {
    static const std::array<std::string, ChartGrid::kSlotCount> texts = MakeInitialTexts();
    return texts;
}

}  // namespace

const std::string detail::kNoText;

ChartGrid::ChartGrid() : m_texts(InitialTexts()) {}

std::span<const int> ChartGrid::SlotIds() {
    return kSlotIds;
}

const std::string& ChartGrid::InitialText(int id) {
    const int p = PositionOf(id);
    return p < 0 ? detail::kNoText : InitialTexts()[p];
}

}  // namespace qelvar
