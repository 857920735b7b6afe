#pragma once
// The chart as one drawing: the natal texts at their template places, the
// selected period layers and the relations of a selected cell.  It paints
// in the window's logical pixels at zoom 1 (the dialog-unit layout of the
// "宋体" 9 pt font) onto any painter; a painter transform scales it to any
// size as vector glyphs and lines.

#include <QFont>
#include <QPainter>
#include <QString>
#include <array>
#include <optional>
#include <unordered_map>

#include "app/DialogUnits.h"
#include "chart/ChartColours.h"
#include "chart/ChartLayout.h"
#include "lang/Terms.h"
#include "periods/PeriodOverlay.h"
#include "periods/Periods.h"

namespace qelvar {

class ChartPicture {
public:
    ChartPicture(std::unordered_map<int, QString> texts, const QFont& font);

    // Size in logical pixels at zoom 1.
    QSize Size() const { return m_size; }
    DialogBaseUnits BaseUnits() const { return m_base; }
    QRect ToPixels(const DuRect& r) const;
    QString SlotText(int id) const;

    // A copy that names the font by the face the system resolved "宋体" to,
    // for files read by programs that do not know Qt's substitutions (SVG).
    ChartPicture WithResolvedFont() const;

    void SetOverlay(PeriodOverlay overlay) { m_overlay = std::move(overlay); }
    const PeriodOverlay& Overlay() const { return m_overlay; }
    // The relations of one cell (PalaceIndex), or none.
    void SetRelations(std::optional<int> palace, const FlyingCell* flying);

    // Paints the whole chart into (0, 0, Size()) of the painter's current
    // coordinates; `scale` is the device scale the painter applies, so the
    // glyphs are smoothed when it is not 1.
    void Paint(QPainter& painter, double scale) const;

private:
    void PaintBackground(QPainter& painter) const;
    void PaintCellFrames(QPainter& painter) const;
    void PaintLabels(QPainter& painter) const;
    void PaintSlots(QPainter& painter) const;
    void PaintOverlay(QPainter& painter) const;
    void PaintRelations(QPainter& painter) const;
    void PaintText(QPainter& painter, const QRect& rect, SlotAlign align, SlotFlow flow,
                   const QString& text, const TextAttributes& attrs) const;
    QRect CellRect(int palace) const;

    std::unordered_map<int, QString> m_texts;
    QFont m_font;
    DialogBaseUnits m_base;
    QSize m_size;
    PeriodOverlay m_overlay;
    std::optional<int> m_relationPalace;
    FlyingCell m_flying;
    Language m_language;  // of the texts drawn: the application's when built
};

}  // namespace qelvar
