// The period overlay: every layer text lands in its cell's bands, on no
// natal text and no other layer text, with every item of the horoscope; and
// the places of a synthetic cell worked out by hand.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "PeriodsFixture.h"
#include "chart/ChartLayout.h"
#include "periods/PeriodOverlay.h"

namespace qelvar::test {
namespace {

// The extent of a text in dialog units: a CJK character 8 wide, an ASCII
// character 4; a stacked column 8 units per character.
DuRect TextExtent(const DuRect& slot, SlotAlign align, SlotFlow flow, std::string_view text) {
    if (flow == SlotFlow::kBlock) return slot;
    int cjk = 0, ascii = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            ++ascii;
        else if ((c & 0xC0) != 0x80)
            ++cjk;
    }
    if (flow == SlotFlow::kStacked) return {slot.x, slot.y, 8, std::min(slot.h, 8 * (cjk + ascii))};
    const int w = std::min(slot.w, 8 * cjk + 4 * ascii);
    return {align == SlotAlign::kRight ? slot.x + slot.w - w : slot.x, slot.y, w, 8};
}

bool Overlap(const DuRect& a, const DuRect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

bool Inside(const DuRect& inner, const DuRect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

struct NatalText {
    DuRect extent;
    std::string text;
};

std::vector<NatalText> NatalExtents(const ChartGrid& grid) {
    std::vector<NatalText> out;
    for (const int id : ChartGrid::SlotIds()) {
        const std::string& text = grid.GetSlotText(id);
        if (text.empty()) continue;
        if (const std::optional<SlotPlace> p = FindSlotPlace(id))
            out.push_back({TextExtent(p->rect, p->align, p->flow, text), text});
    }
    for (const CentreControl& c : CentreControls())
        if (c.id == kNoSlot)
            out.push_back(
                {TextExtent(c.rect, SlotAlign::kLeft, c.flow, c.text), std::string(c.text)});
    for (int p = 0; p < kPalaceCount; ++p) {
        const DuPoint c = CellCorner(p);
        out.push_back({{c.x + 66, c.y + 73, 8, 8}, std::string(BranchLabel(p))});
    }
    return out;
}

struct SweepCase {
    int y, m, d, hour, sex;
    int ty, tm, td, th;
};

// Births of both sexes and targets over the range, every layer shown: each
// layer text stands in its own cell's bands (or the centre), on no natal
// text and no other layer text, and every item of the horoscope is there.
TEST(PeriodOverlay, EveryItemInItsCellCoveringNothing) {
    const SweepCase cases[] = {
        {2000, 2, 5, 6, 0, 2026, 12, 7, 6},   {1984, 7, 20, 0, 1, 2020, 5, 31, 11},
        {1966, 3, 3, 11, 0, 2001, 1, 24, 3},  {1949, 10, 1, 8, 1, 2049, 12, 31, 0},
        {2023, 3, 22, 12, 0, 2023, 4, 30, 5}, {1905, 8, 8, 4, 1, 1950, 2, 17, 9},
    };
    const std::vector<LayerKind> all = {LayerKind::Decade, LayerKind::Minor, LayerKind::Year,
                                        LayerKind::Month,  LayerKind::Day,   LayerKind::Hour};
    for (const SweepCase& c : cases) {
        const Cast cast = CastBirth(c.y, c.m, c.d, c.hour, c.sex);
        LunarCalendar calendar;
        const HoroscopeResult h = ComputeHoroscope(cast.natal, {c.ty, c.tm, c.td, c.th}, calendar);
        ASSERT_TRUE(h.ok()) << c.y;
        const PeriodOverlay overlay = LayOutPeriodOverlay(
            h.horoscope, all,
            [&](int id) -> std::string_view { return cast.grid.GetSlotText(id); });
        const int extra = overlay.extra;
        EXPECT_GT(extra, 0);
        std::vector<NatalText> natal = NatalExtents(cast.grid);
        for (NatalText& n : natal) {  // where the grown chart draws them
            const bool centre =
                n.extent.x > 88 && n.extent.x < 244 && n.extent.y > 87 && n.extent.y < 247;
            int palace = -1;
            for (int p = 0; p < kPalaceCount && !centre; ++p) {
                const DuPoint k = CellCorner(p);
                if (Inside(n.extent, {k.x, k.y, kCellWidthDu, kCellHeightDu})) palace = p;
            }
            n.extent = GrownRect(n.extent, palace, extra);
        }
        std::multiset<std::pair<Branch, std::string>> drawn;
        for (std::size_t i = 0; i < overlay.texts.size(); ++i) {
            const OverlayText& t = overlay.texts[i];
            const std::string where = std::to_string(c.y) + " " + t.text;
            for (const NatalText& n : natal)
                EXPECT_FALSE(Overlap(t.rect, n.extent)) << where << " covers " << n.text;
            for (std::size_t j = i + 1; j < overlay.texts.size(); ++j)
                EXPECT_FALSE(Overlap(t.rect, overlay.texts[j].rect))
                    << where << " meets " << overlay.texts[j].text;
            if (t.cell != kNoCell) {
                const DuPoint corner = GrownCellCorner(CellOfBranch(t.cell), extra);
                EXPECT_TRUE(
                    Inside(t.rect, {corner.x, corner.y, kCellWidthDu, kCellHeightDu + extra}))
                    << where;
                drawn.insert({t.cell, t.text});
            } else {
                EXPECT_TRUE(Inside(t.rect, {88, 87 + extra, 156, 160 + 2 * extra})) << where;
            }
        }
        // Every item of every layer, in its cell.
        for (const PeriodLayer& l : h.horoscope.layers) {
            for (Branch b = 0; b < 12; ++b) {
                EXPECT_TRUE(drawn.count({b, LayerPalaceLabel(l.kind, l.palaces[b])}))
                    << c.y << " " << LayerName(l.kind) << " " << b;
                for (const std::string_view god : {l.suiQian[b], l.jiangQian[b]}) {
                    if (!god.empty()) {
                        EXPECT_TRUE(drawn.count({b, std::string(god)})) << god;
                    }
                }
            }
            for (const MovingStar& s : l.stars)
                EXPECT_TRUE(drawn.count({s.cell, std::string(s.name)})) << s.name;
        }
    }
}

// A synthetic cell to see the rules on their own: 太阳 in upper column 1,
// 文昌 in lower column 9 (the same band column), both transformed.
TEST(PeriodOverlay, MarksStandInTheirStarsColumnInLayerOrder) {
    std::map<int, std::string> slots;
    const PalaceIndex p = CellOfBranch(0);  // 子
    slots[1061 + p] = "天马";
    slots[1073 + p] = "太阳";
    slots[1157 + 12 * 1 + p] = "文昌";
    Horoscope h;
    PeriodLayer decade, year;
    decade.kind = LayerKind::Decade;
    decade.palaces.fill("命宫");
    decade.transformations = {
        {{3, "太阳", 0}, {1, "", kNoCell}, {2, "", kNoCell}, {0, "", kNoCell}}};
    year.kind = LayerKind::Year;
    year.palaces.fill("兄弟");
    year.transformations = {
        {{0, "太阳", 0}, {1, "", kNoCell}, {2, "文昌", 0}, {3, "天机", kNoCell}}};
    year.stars = {{"流魁", 0}, {"流钺", 0}, {"流昌", 0}};
    h.layers = {decade, year};
    const std::vector<LayerKind> shown = {LayerKind::Decade, LayerKind::Year};
    const PeriodOverlay overlay = LayOutPeriodOverlay(h, shown, [&](int id) -> std::string_view {
        const auto it = slots.find(id);
        return it == slots.end() ? std::string_view() : std::string_view(it->second);
    });
    // The decade band has one line; the year band two (its marks share a column).
    ASSERT_EQ(overlay.bands.size(), 2u);
    EXPECT_EQ(overlay.bands[0].lines, 1);
    EXPECT_EQ(overlay.bands[1].firstLine, 1);
    EXPECT_EQ(overlay.bands[1].lines, 2);
    EXPECT_EQ(overlay.extra, 24);
    const DuPoint c = GrownCellCorner(p, overlay.extra);
    auto find = [&](std::string_view text, LayerKind layer) {
        for (const OverlayText& t : overlay.texts)
            if (t.cell == 0 && t.text == text && t.layer == layer) return t;
        return OverlayText{};
    };
    const int column1 = c.x + 13;
    EXPECT_EQ(find("忌", LayerKind::Decade).rect, (DuRect{column1, c.y + 81, 8, 8}));
    EXPECT_EQ(find("禄", LayerKind::Year).rect, (DuRect{column1, c.y + 89, 8, 8}));
    EXPECT_EQ(find("科", LayerKind::Year).rect, (DuRect{column1, c.y + 97, 8, 8}));
    EXPECT_EQ(find("禄", LayerKind::Year).style, OverlayStyle::kMark);
    // Labels from the right end: the name first, then the moving stars.
    EXPECT_EQ(find("限命", LayerKind::Decade).rect, (DuRect{c.x + 53, c.y + 81, 16, 8}));
    EXPECT_EQ(find("年兄", LayerKind::Year).rect, (DuRect{c.x + 53, c.y + 89, 16, 8}));
    EXPECT_EQ(find("流魁", LayerKind::Year).rect, (DuRect{c.x + 37, c.y + 89, 16, 8}));
    EXPECT_EQ(find("流钺", LayerKind::Year).rect, (DuRect{c.x + 21, c.y + 89, 16, 8}));
    EXPECT_EQ(find("流昌", LayerKind::Year).rect, (DuRect{c.x + 53, c.y + 97, 16, 8}));
    // A star the chart does not show (天机 has no cell here) is not drawn.
    EXPECT_EQ(find("天机忌", LayerKind::Year).text, "");
}

}  // namespace
}  // namespace qelvar::test
