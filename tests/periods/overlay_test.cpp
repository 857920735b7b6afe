// The period overlay: every layer text lands in room the natal texts leave
// free, inside its own cell, without touching another overlay text; and the
// chosen places for the cases worked out by hand.
#include <gtest/gtest.h>

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

// Births of both sexes and targets over the range, every layer shown.
TEST(PeriodOverlay, NeverCoversNatalTextsNorItself) {
    const SweepCase cases[] = {
        {2000, 2, 5, 6, 0, 2026, 12, 7, 6},   {1984, 7, 20, 0, 1, 2020, 5, 31, 11},
        {1966, 3, 3, 11, 0, 2001, 1, 24, 3},  {1949, 10, 1, 8, 1, 2049, 12, 31, 0},
        {2023, 3, 22, 12, 0, 2023, 4, 30, 5}, {1905, 8, 8, 4, 1, 1950, 2, 17, 9},
    };
    const std::vector<LayerKind> all = {LayerKind::Decade, LayerKind::Year, LayerKind::Month,
                                        LayerKind::Day, LayerKind::Hour};
    for (const SweepCase& c : cases) {
        const Cast cast = CastBirth(c.y, c.m, c.d, c.hour, c.sex);
        LunarCalendar calendar;
        const HoroscopeResult h = ComputeHoroscope(cast.natal, {c.ty, c.tm, c.td, c.th}, calendar);
        ASSERT_TRUE(h.ok()) << c.y;
        const PeriodOverlay overlay = LayOutPeriodOverlay(
            h.horoscope, all,
            [&](int id) -> std::string_view { return cast.grid.GetSlotText(id); });
        const std::vector<NatalText> natal = NatalExtents(cast.grid);
        for (std::size_t i = 0; i < overlay.texts.size(); ++i) {
            const OverlayText& t = overlay.texts[i];
            const std::string where = std::to_string(c.y) + " " + t.text;
            for (const NatalText& n : natal)
                EXPECT_FALSE(Overlap(t.rect, n.extent)) << where << " covers " << n.text;
            for (std::size_t j = i + 1; j < overlay.texts.size(); ++j)
                EXPECT_FALSE(Overlap(t.rect, overlay.texts[j].rect))
                    << where << " meets " << overlay.texts[j].text;
            if (t.cell != kNoCell) {
                const DuPoint corner = CellCorner(CellOfBranch(t.cell));
                EXPECT_TRUE(Inside(t.rect, {corner.x, corner.y, kCellWidthDu, kCellHeightDu}))
                    << where;
            } else {
                EXPECT_TRUE(Inside(t.rect, {88, 87, 156, 160})) << where;  // the centre
            }
        }
        // Five layer names in every cell and the centre's six lines.
        int names = 0, centre = 0;
        for (const OverlayText& t : overlay.texts) {
            if (t.cell == kNoCell)
                ++centre;
            else if (t.style == OverlayStyle::kLabel && t.text.size() == 6 &&
                     std::string_view("命兄夫子财疾迁仆官田福父").find(t.text.substr(3)) !=
                         std::string_view::npos)
                ++names;
        }
        EXPECT_EQ(centre, 6) << c.y;
        EXPECT_GE(names + overlay.dropped, 60) << c.y;
        EXPECT_GE(names, 58) << c.y;  // a full cell may leave one out
        // All five layers do not always fit a crowded cell; what is left
        // out is kept for the cell's tool tip.
        EXPECT_EQ(overlay.unplaced.size(), static_cast<std::size_t>(overlay.dropped));
        // Fewer layers fit: 大限 with 流年 nearly always, with 流月 too
        // but for a few items.
        for (std::size_t n = 1; n <= 3; ++n) {
            const std::vector<LayerKind> some(all.begin(), all.begin() + static_cast<long>(n));
            const PeriodOverlay o = LayOutPeriodOverlay(
                h.horoscope, some,
                [&](int id) -> std::string_view { return cast.grid.GetSlotText(id); });
            EXPECT_LE(o.dropped, n < 3 ? 1 : 4) << c.y << " with " << n << " layers";
        }
    }
}

// 2000-02-05 午, a man, in 2026 (丙午, age 27): by hand the 流年 命宫 is 午
// and the 大限 is 22-31 in 戌.  In the 午 cell the lower band has no natal
// stars, so "限" and "年" names start at x 5 of the band (y 45).
TEST(PeriodOverlay, NamesGoIntoTheLowerBand) {
    const Cast cast = CastBirth(2000, 2, 5, 6, 0);
    LunarCalendar calendar;
    const HoroscopeResult h = ComputeHoroscope(cast.natal, {2026, 12, 7, std::nullopt}, calendar);
    ASSERT_TRUE(h.ok());
    const std::vector<LayerKind> shown = {LayerKind::Decade, LayerKind::Year};
    const PeriodOverlay overlay = LayOutPeriodOverlay(
        h.horoscope, shown, [&](int id) -> std::string_view { return cast.grid.GetSlotText(id); });
    const DuPoint wu = CellCorner(CellOfBranch(6));
    const DuPoint xu = CellCorner(CellOfBranch(10));
    bool yearLife = false, decadeLife = false;
    for (const OverlayText& t : overlay.texts) {
        if (t.text == "年命") {
            EXPECT_EQ(t.cell, 6);
            EXPECT_EQ(t.rect.x, wu.x + 5 + 18);  // after "限?" (16 wide, gap 2)
            EXPECT_EQ(t.rect.y, wu.y + 45);
            EXPECT_EQ(t.layer, LayerKind::Year);
            yearLife = true;
        }
        if (t.text == "限命") {
            EXPECT_EQ(t.cell, 10);
            EXPECT_EQ(t.rect.x, xu.x + 5);
            decadeLife = true;
        }
    }
    EXPECT_TRUE(yearLife);
    EXPECT_TRUE(decadeLife);
    // The centre: the target with the nominal age, then each layer's
    // stem-branch under its name (a 庚 year gives 戌 the palace stem 丙).
    const OverlayText& target = overlay.texts[overlay.texts.size() - 3];
    EXPECT_EQ(target.text.rfind("2026年12月7日 ", 0), 0u);
    EXPECT_NE(target.text.find("虚岁27"), std::string::npos);
    EXPECT_EQ(overlay.texts[overlay.texts.size() - 2].text, "大限丙戌");  // 戌 cell, stem 丙
    EXPECT_EQ(overlay.texts.back().text, "流年丙午");
}

// A synthetic cell to see each rule on its own: natal stars fill upper
// columns 0..2 and lower columns 0..1, one natal mark.
TEST(PeriodOverlay, FreeRoomInOrder) {
    std::map<int, std::string> slots;
    const PalaceIndex p = CellOfBranch(0);  // 子
    for (int j = 0; j < 3; ++j) slots[1061 + 12 * j + p] = j == 1 ? "太阳" : "天马";
    for (int j = 0; j < 2; ++j) slots[1157 + 12 * j + p] = "天刑";
    slots[1229 + p] = "禄";
    Horoscope h;
    PeriodLayer year;
    year.kind = LayerKind::Year;
    year.palaces.fill("命宫");
    year.transformations = {{{0, "太阳", 0}, {1, "", kNoCell}, {2, "", kNoCell}, {3, "", kNoCell}}};
    year.stars = {{"流魁", 0}, {"流钺", 0}};
    h.layers = {year};
    const std::vector<LayerKind> shown = {LayerKind::Year};
    const PeriodOverlay overlay = LayOutPeriodOverlay(h, shown, [&](int id) -> std::string_view {
        const auto it = slots.find(id);
        return it == slots.end() ? std::string_view() : std::string_view(it->second);
    });
    const DuPoint c = CellCorner(p);
    auto find = [&](std::string_view text) {
        for (const OverlayText& t : overlay.texts)
            if (t.cell == 0 && t.text == text) return t;
        return OverlayText{};
    };
    // The name after the two lower natal columns.
    EXPECT_EQ(find("年命").rect, (DuRect{c.x + 21, c.y + 45, 16, 8}));
    // The mark under 太阳 (upper column 1): the natal mark holds column 0.
    const OverlayText mark = find("禄");
    EXPECT_EQ(mark.rect, (DuRect{c.x + 13, c.y + 35, 8, 8}));
    EXPECT_EQ(mark.style, OverlayStyle::kMark);
    // Moving stars stacked in the first free upper columns, 3 and 4.
    EXPECT_EQ(find("流魁").rect, (DuRect{c.x + 29, c.y + 8, 8, 17}));
    EXPECT_EQ(find("流钺").rect, (DuRect{c.x + 37, c.y + 8, 8, 17}));
    EXPECT_EQ(find("流钺").flow, SlotFlow::kStacked);
    EXPECT_EQ(overlay.dropped, 0);
}

}  // namespace
}  // namespace qelvar::test
