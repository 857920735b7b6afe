#pragma once
// The chart as one drawing: the natal texts at their template places, the
// selected period layers in bands that grow the cells, and the relations
// of a selected cell.  It paints in the window's logical pixels at zoom 1
// (the dialog-unit layout of the "宋体" 9 pt font) onto any painter; a
// painter transform scales it to any size as vector glyphs and lines.  The
// window, its saved files and qelvar-cli render all draw this one picture.

#include <QFont>
#include <QPainter>
#include <QPolygonF>
#include <QString>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "chart/Chart.h"
#include "chart/ChartColours.h"
#include "chart/ChartGrid.h"
#include "chart/ChartLayout.h"
#include "lang/Terms.h"
#include "layout/DialogUnits.h"
#include "periods/PeriodOverlay.h"
#include "periods/Periods.h"

namespace qelvar {

// One text as drawn: its glyph box (the advance of the run by the font's
// height, within the slot's clip) in chart pixels at zoom 1.
struct DrawnText {
    enum class Kind { kNatal, kLayer, kRelation };
    QRectF box;
    QString text;
    QColor colour;
    QColor background = Qt::white;  // what the text stands on
    Kind kind = Kind::kNatal;
    int palace = -1;                      // the cell (PalaceIndex); -1 in the centre
    LayerKind layer = LayerKind::Decade;  // of a kLayer text
    bool mark = false;                    // a 四化 mark
};

// The drawn relations of a selected cell: the arrows as polylines with
// their heads, and the labels.
struct RelationDrawing {
    struct Arrow {
        int mark = 0;  // 0..3: 禄 权 科 忌
        QPolygonF line;
        QPolygonF head;
    };
    std::vector<Arrow> arrows;
    std::vector<DrawnText> labels;
    std::vector<QRectF> outlines;  // the 三方四正 cells, the selected one first
};

// True when a polyline drawn `halfWidth` pixels either side of its line
// passes through `box`.
bool PolylineCrosses(const QPolygonF& line, const QRectF& box, double halfWidth);

// Which colours the texts take: the window's own, or one that raises every
// text to a contrast of at least 3:1 against white.
enum class ChartPalette { kNatal, kClear };

class ChartPicture {
public:
    ChartPicture(std::unordered_map<int, QString> texts, const QFont& font);
    // The natal picture of a cast grid in the dialog font.
    static ChartPicture OfGrid(const ChartGrid& grid);

    // Size in logical pixels at zoom 1; taller while periods are shown.
    QSize Size() const;
    DialogBaseUnits BaseUnits() const { return m_base; }
    QRect ToPixels(const DuRect& r) const;
    QString SlotText(int id) const;

    // A copy that names the font by the face the system resolved "宋体" to,
    // for files read by programs that do not know Qt's substitutions (SVG).
    ChartPicture WithResolvedFont() const;

    // The layers `shown` of a horoscope laid over the chart (none: the
    // natal view).
    void ShowPeriods(const Horoscope* horoscope, std::span<const LayerKind> shown);
    void SetOverlay(PeriodOverlay overlay) { m_overlay = std::move(overlay); }
    const PeriodOverlay& Overlay() const { return m_overlay; }
    // The relations of one cell (PalaceIndex), or none.
    void SetRelations(std::optional<int> palace, const FlyingCell* flying);
    std::optional<int> RelationPalace() const { return m_relationPalace; }
    void SetPalette(ChartPalette palette) { m_palette = palette; }
    ChartPalette Palette() const { return m_palette; }
    // Whether the adjective (minor) stars of the star columns are drawn.
    void SetAdjectiveStars(bool shown) { m_adjectives = shown; }
    // Under the extended star set, each cell's 小限 ages, drawn compactly
    // ("小限" over the first two ages, the rest following every twelve
    // years) in the cell's free room right of the second star row; nothing
    // for the program's own star set.
    void SetSmallLimitAges(const Chart& chart);

    // Every text the picture draws, in drawing order, relation labels last.
    std::vector<DrawnText> DrawnTexts() const;
    RelationDrawing Relations() const;
    // The frame of cell `palace` in chart pixels.
    QRect CellRect(int palace) const;
    // The cell under a chart pixel, if any.
    std::optional<int> PalaceAtPixel(QPointF point) const;

    // Paints the whole chart into (0, 0, Size()) of the painter's current
    // coordinates; `scale` is the device scale the painter applies, so the
    // glyphs are smoothed when it is not 1.
    void Paint(QPainter& painter, double scale) const;

private:
    struct TextPlace {
        QRect rect;
        SlotAlign align;
        SlotFlow flow;
    };
    void PaintBackground(QPainter& painter) const;
    void PaintCellFrames(QPainter& painter) const;
    // Paints (when `painter` is set) and lists (when `out` is set) the texts.
    void WalkTexts(QPainter* painter, std::vector<DrawnText>* out) const;
    void PaintRelations(QPainter& painter, const RelationDrawing& relations) const;
    void PaintText(QPainter* painter, std::vector<DrawnText>* out, const TextPlace& place,
                   const QString& text, const TextAttributes& attrs, const DrawnText& kind) const;
    TextAttributes Recoloured(TextAttributes attrs) const;
    bool Hidden(int id) const;
    int Extra() const { return m_overlay.extra; }

    std::unordered_map<int, QString> m_texts;
    std::unordered_map<int, std::string> m_natal;  // UTF-8, for the overlay's layout
    QFont m_font;
    DialogBaseUnits m_base;
    PeriodOverlay m_overlay;
    std::optional<int> m_relationPalace;
    FlyingCell m_flying;
    ChartPalette m_palette = ChartPalette::kNatal;
    bool m_adjectives = true;
    std::array<QString, kPalaceCount> m_smallLimits;  // by PalaceIndex; "" for none
    Language m_language;  // of the texts drawn: the application's when built
};

}  // namespace qelvar
