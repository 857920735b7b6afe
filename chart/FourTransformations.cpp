// Chart step 39: 四化, the four stars the year stem turns into 禄 权 科 忌,
// listed in the centre and marked in the cells at their star column.
#include <array>
#include <string>

#include "chart/Text.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

// 十干四化 (禄 权 科 忌) by year stem 甲..癸
// ("甲廉破武阳，乙机梁紫阴，丙同机昌廉，丁阴同机巨，戊贪阴右机，
//   己武贪梁曲，庚阳武阴同，辛巨阳曲昌，壬梁紫左武，癸破巨阴贪").
constexpr std::array<std::array<std::string_view, 4>, 10> kFourTransformationTable = {{
    {"廉贞", "破军", "武曲", "太阳"},
    {"天机", "天梁", "紫微", "太阴"},
    {"天同", "天机", "文昌", "廉贞"},
    {"太阴", "天同", "天机", "巨门"},
    {"贪狼", "太阴", "右弼", "天机"},
    {"武曲", "贪狼", "天梁", "文曲"},
    {"太阳", "武曲", "太阴", "天同"},
    {"巨门", "太阳", "文曲", "文昌"},
    {"天梁", "紫微", "左辅", "武曲"},
    {"破军", "巨门", "太阴", "贪狼"},
}};

constexpr std::array<std::string_view, 4> kCentreMarks = {"[禄]", "[权]", "[科]", "[忌]"};
constexpr std::array<std::string_view, 4> kCellMarks = {"禄", "权", "科", "忌"};
constexpr std::string_view kFiller = "█";
constexpr int kMarkedColumns = 6;  // star columns 0..5 carry cell marks

}  // namespace

void ZiWeiChart::ShowFourTransformations() {
    const auto& row = kFourTransformationTable[YearStem()];  // uncorrected lunar year
    std::string centre;
    centre.reserve(64);
    for (int k = 0; k < 4; ++k) centre.append(row[k]).append(kCentreMarks[k]);
    m_grid.SetSlotText(slot::kFourTransformations, std::move(centre));

    std::array<std::uint64_t, 4> keys{};
    for (int k = 0; k < 4; ++k) keys[k] = ShortKey(row[k]);
    for (int c = 0; c < kMarkedColumns; ++c) {
        for (PalaceIndex p = 0; p < 12; ++p) {
            const std::uint64_t star = ShortKey(Text(slot::StarColumn(c).Slot(p)));
            if (star == 0) continue;
            int k = 0;
            while (k < 4 && keys[k] != star) ++k;
            if (k == 4) continue;
            const int id = slot::kMarks.Slot(p);
            if (c == 0) {
                m_grid.SetSlotText(id, std::string(kCellMarks[k]));
                continue;
            }
            std::string marks = Text(id);
            // Pad with fillers to c characters (two GBK bytes each).
            for (int n = GbkLength(marks) / 2; n < c; ++n) marks.append(kFiller);
            marks.append(kCellMarks[k]);
            m_grid.SetSlotText(id, std::move(marks));
        }
    }
}

}  // namespace qelvar
