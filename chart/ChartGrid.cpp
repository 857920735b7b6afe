#include "chart/ChartGrid.h"

#include <utility>

namespace qelvar {

namespace {

constexpr int kFirstId = 1012;
constexpr int kLastId = 2193;
constexpr int kIdSpan = kLastId - kFirstId + 1;

// The slot identifiers in ascending order: the families and single slots of
// the chart window.
constexpr std::array<int, ChartGrid::kSlotCount> MakeSlotIds() {
    std::array<int, ChartGrid::kSlotCount> ids{};
    int n = 0;
    for (int id = 1012; id <= 1048; ++id) ids[n++] = id;  // names, stems, 1036, decades
    for (int id = 1061; id <= 1372; ++id) ids[n++] = id;  // stars, 纳音, marks, gods, brightness
    for (int id = 2073; id <= 2084; ++id) ids[n++] = id;  // life stages
    for (int id = 2181; id <= 2186; ++id) ids[n++] = id;
    for (int id = 2188; id <= 2190; ++id) ids[n++] = id;
    ids[n++] = 2193;
    return ids;
}

constexpr std::array<int, ChartGrid::kSlotCount> kSlotIds = MakeSlotIds();
static_assert(kSlotIds.back() == 2193 && kSlotIds[36] == 1048 && kSlotIds[37] == 1061);

// Identifier -> position in the flat array, -1 for no slot.
constexpr std::array<std::int16_t, kIdSpan> MakePositions() {
    std::array<std::int16_t, kIdSpan> pos{};
    for (auto& p : pos) p = -1;
    for (int i = 0; i < ChartGrid::kSlotCount; ++i)
        pos[kSlotIds[i] - kFirstId] = static_cast<std::int16_t>(i);
    return pos;
}

constexpr std::array<std::int16_t, kIdSpan> kPositions = MakePositions();

constexpr int PositionOf(int id) {
    if (id < kFirstId || id > kLastId) return -1;
    return kPositions[id - kFirstId];
}
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

const std::string kEmpty;

}  // namespace

ChartGrid::ChartGrid() : m_texts(InitialTexts()) {}

const std::string& ChartGrid::GetSlotText(int id) const {
    const int p = PositionOf(id);
    return p < 0 ? kEmpty : m_texts[p];
}

void ChartGrid::SetSlotText(int id, std::string text) {
    const int p = PositionOf(id);
    if (p >= 0) m_texts[p] = std::move(text);
}

bool ChartGrid::IsSlot(int id) { return PositionOf(id) >= 0; }

std::span<const int> ChartGrid::SlotIds() { return kSlotIds; }

const std::string& ChartGrid::InitialText(int id) {
    const int p = PositionOf(id);
    return p < 0 ? kEmpty : InitialTexts()[p];
}

}  // namespace qelvar
