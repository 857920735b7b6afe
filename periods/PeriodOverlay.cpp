// Placing the period layers into the room the natal texts leave free.
//
// Inside a cell (offsets in dialog units from its corner):
// - the lower star band, two lines at y 45 and 53 from the end of its natal
//   star columns to the life stage at x 66, takes the layer palace names,
//   then what the other places cannot hold;
// - the free upper star columns (right of the natal stars, 8 x 17 each)
//   take the moving stars, stacked like natal stars;
// - the 四化 line at y 35, right of the natal marks and left of the 纳音,
//   takes the layers' marks under the star they fall on;
// - the brightness row (y 26) right of the natal stars and the column
//   between the god cycles and the palace name (x 30, y 65) take the rest.
#include "periods/PeriodOverlay.h"

#include <algorithm>
#include <array>
#include <optional>

#include "calendar/CalendarNames.h"
#include "chart/Cycle.h"
#include "chart/Text.h"

namespace qelvar {

namespace {

constexpr int kCharDu = 8;  // a CJK character of the dialog font is 8 units wide
constexpr int kLineDu = 8;
constexpr int kGapDu = 2;
constexpr int kTopColumnBase = 1061;
constexpr int kBottomColumnBase = 1157;
constexpr int kMarkSlotBase = 1229;
constexpr int kDecadeSlotBase = 1037;
constexpr int kTopColumns = 8;
constexpr int kBottomColumns = 5;
constexpr int kBandTop = 45, kBandLines = 2, kBandEnd = 66;
constexpr int kMarkRow = 35, kMarkEnd = 44;    // the 纳音 slot starts at x 44
constexpr int kUnderRow = 26, kUnderEnd = 69;  // brightness words, under columns 0..7
constexpr int kGodRow = 65, kGodGapX = 30;     // after the three god cycles, before x 40
constexpr std::array<std::string_view, 4> kMarkNames = {"禄", "权", "科", "忌"};

int ColumnX(int j) {
    return 5 + kCharDu * j;
}

// The free room of one cell, handed out first come first served.
class CellRoom {
public:
    CellRoom(PalaceIndex p, const NatalSlotText& natal) : m_corner(CellCorner(p)) {
        m_nextTop = UsedColumns(kTopColumnBase, kTopColumns, p, natal);
        m_underX = ColumnX(m_nextTop);
        // A decade range of seven characters ("102-111") reaches left into it.
        m_godGapUsed = natal(kDecadeSlotBase + p).size() > 6;
        m_bandStart = ColumnX(UsedColumns(kBottomColumnBase, kBottomColumns, p, natal));
        m_bandX = m_bandStart;
        const int natalMarks = CharCount(natal(kMarkSlotBase + p));
        for (int i = 0; ColumnX(i) + kCharDu <= kMarkEnd; ++i) {
            if (i >= natalMarks) m_freeMarks.push_back(i);
        }
    }

    // A line of `chars` characters in the lower band.
    std::optional<DuRect> Band(int chars) {
        const int w = chars * kCharDu;
        while (m_bandLine < kBandLines) {
            if (m_bandX + w <= kBandEnd) {
                const DuRect r = At(m_bandX, kBandTop + kLineDu * m_bandLine, w, kLineDu);
                m_bandX += w + kGapDu;
                return r;
            }
            ++m_bandLine;
            m_bandX = m_bandStart;
        }
        return std::nullopt;
    }

    // A free upper star column, then the column between the god cycles
    // and the palace name.
    std::optional<DuRect> Column() {
        if (m_nextTop < kTopColumns) return At(ColumnX(m_nextTop++), 8, kCharDu, 17);
        if (!m_godGapUsed) {
            m_godGapUsed = true;
            return At(kGodGapX, kGodRow, kCharDu, 17);
        }
        return std::nullopt;
    }

    // A line of `chars` characters in the brightness row right of the
    // natal stars.
    std::optional<DuRect> Under(int chars) {
        const int w = chars * kCharDu;
        if (m_underX + w > kUnderEnd) return std::nullopt;
        const DuRect r = At(m_underX, kUnderRow, w, kLineDu);
        m_underX += w + kGapDu;
        return r;
    }

    // A line anywhere in the band, else in the brightness row.
    std::optional<DuRect> Line(int chars) {
        if (std::optional<DuRect> r = Band(chars)) return r;
        return Under(chars);
    }

    // A place in the 四化 line at or right of column `preferred`, else any.
    std::optional<DuRect> Mark(int preferred) {
        if (m_freeMarks.empty()) return std::nullopt;
        auto it = std::find_if(m_freeMarks.begin(), m_freeMarks.end(),
                               [&](int i) { return i >= preferred; });
        if (it == m_freeMarks.end()) it = m_freeMarks.end() - 1;
        const int i = *it;
        m_freeMarks.erase(it);
        return At(ColumnX(i), kMarkRow, kCharDu, kLineDu);
    }

private:
    static int UsedColumns(int base, int count, PalaceIndex p, const NatalSlotText& natal) {
        int used = 0;
        for (int j = 0; j < count; ++j)
            if (!natal(base + 12 * j + p).empty()) used = j + 1;
        return used;
    }
    DuRect At(int x, int y, int w, int h) const { return {m_corner.x + x, m_corner.y + y, w, h}; }

    DuPoint m_corner;
    int m_nextTop = 0;
    int m_bandX = 0, m_bandStart = 0, m_bandLine = 0;
    int m_underX = 0;
    bool m_godGapUsed = false;
    std::vector<int> m_freeMarks;
};

const PeriodLayer* FindLayer(const Horoscope& h, LayerKind kind) {
    for (const PeriodLayer& l : h.layers)
        if (l.kind == kind) return &l;
    return nullptr;
}

// The upper star column of `star` in cell p; 0 when it is elsewhere.
int ColumnOf(std::string_view star, PalaceIndex p, const NatalSlotText& natal) {
    for (int j = 0; j < kTopColumns; ++j)
        if (natal(kTopColumnBase + 12 * j + p) == star) return j;
    return 0;
}

std::string Cat(std::initializer_list<std::string_view> parts) {
    std::string s;
    for (std::string_view p : parts) s += p;
    return s;
}

}  // namespace

Rgb LayerColour(LayerKind kind) {
    switch (kind) {
        case LayerKind::Decade:
            return {150, 75, 0};  // brown
        case LayerKind::Minor:
            return {110, 110, 110};
        case LayerKind::Year:
            return {0, 0, 200};  // blue
        case LayerKind::Month:
            return {0, 130, 130};  // teal
        case LayerKind::Day:
            return {150, 0, 75};  // wine
        case LayerKind::Hour:
            return {90, 90, 0};  // olive
    }
    return {};
}

std::string_view LayerPrefix(LayerKind kind) {
    static constexpr std::array<std::string_view, 6> kPrefix = {"限", "小", "年", "月", "日", "时"};
    return kPrefix[static_cast<int>(kind)];
}

PeriodOverlay LayOutPeriodOverlay(const Horoscope& horoscope, std::span<const LayerKind> shown,
                                  const NatalSlotText& natal) {
    PeriodOverlay out;
    std::vector<const PeriodLayer*> layers;
    for (LayerKind k : shown)
        if (const PeriodLayer* l = FindLayer(horoscope, k)) layers.push_back(l);

    std::vector<CellRoom> rooms;
    rooms.reserve(12);
    for (Branch b = 0; b < 12; ++b) rooms.emplace_back(CellOfBranch(b), natal);
    auto put = [&](std::optional<DuRect> r, std::string text, const PeriodLayer& l,
                   OverlayStyle style, SlotFlow flow, Branch cell) {
        if (!r) {
            ++out.dropped;
            out.unplaced.push_back({{}, std::move(text), l.kind, style, flow, cell});
            return;
        }
        out.texts.push_back({*r, std::move(text), l.kind, style, flow, cell});
    };

    // Layer palace names: "限官".
    for (Branch b = 0; b < 12; ++b) {
        for (const PeriodLayer* l : layers) {
            const std::string text = Cat({LayerPrefix(l->kind), FirstChar(l->palaces[b])});
            std::optional<DuRect> r = rooms[b].Line(2);
            SlotFlow flow = SlotFlow::kLine;
            if (!r) {
                r = rooms[b].Column();
                flow = SlotFlow::kStacked;
            }
            put(r, text, *l, OverlayStyle::kLabel, flow, b);
        }
    }
    // Transformation marks beside their natal stars.
    for (const PeriodLayer* l : layers) {
        for (const Transformation& t : l->transformations) {
            if (t.cell == kNoCell) continue;
            const PalaceIndex p = CellOfBranch(t.cell);
            const std::string_view mark = kMarkNames[t.mark];
            if (std::optional<DuRect> r = rooms[t.cell].Mark(ColumnOf(t.star, p, natal))) {
                put(r, std::string(mark), *l, OverlayStyle::kMark, SlotFlow::kLine, t.cell);
            } else {
                put(rooms[t.cell].Line(2), Cat({FirstChar(t.star), mark}), *l, OverlayStyle::kMark,
                    SlotFlow::kLine, t.cell);
            }
        }
    }
    // Moving stars.
    for (const PeriodLayer* l : layers) {
        for (const MovingStar& s : l->stars) {
            std::optional<DuRect> r = rooms[s.cell].Column();
            SlotFlow flow = SlotFlow::kStacked;
            if (!r) {
                r = rooms[s.cell].Line(2);
                flow = SlotFlow::kLine;
            }
            put(r, std::string(s.name), *l, OverlayStyle::kLabel, flow, s.cell);
        }
    }
    // The centre: the target, then each layer's stem-branch in its colour,
    // which is also the legend of the colours.
    if (!layers.empty()) {
        out.texts.push_back({{91, 91, 152, 9},
                             TargetText(horoscope),
                             layers.front()->kind,
                             OverlayStyle::kLabel,
                             SlotFlow::kLine,
                             kNoCell});
        // The layer's whole name ("流年丙午") while four fit the line, else
        // its prefix ("年丙午").
        const bool whole = layers.size() <= 4;
        const int chars = whole ? 4 : 3;
        int x = 91;
        for (const PeriodLayer* l : layers) {
            const std::string text =
                Cat({whole ? LayerName(l->kind) : LayerPrefix(l->kind),
                     StemName(l->stemBranch.stem), BranchName(l->stemBranch.branch)});
            out.texts.push_back({{x, 235, chars * kCharDu, 9},
                                 text,
                                 l->kind,
                                 OverlayStyle::kLabel,
                                 SlotFlow::kLine,
                                 kNoCell});
            x += chars * kCharDu + 4;
        }
    }
    return out;
}

std::string TargetText(const Horoscope& h) {
    const HoroscopeTarget& t = h.target;
    std::string s = std::to_string(t.solar.year) + "年" + std::to_string(t.solar.month) + "月" +
                    std::to_string(t.solar.day) + "日 ";
    if (t.lunar.leap) s += "闰";
    s += Cat({LunarMonthNames[t.lunar.month], "月", LunarDayNames[t.lunar.day], " "});
    if (t.hour) s += Cat({BranchName(*t.hour), "时 "});
    s += "虚岁" + std::to_string(h.age);
    return s;
}

}  // namespace qelvar
