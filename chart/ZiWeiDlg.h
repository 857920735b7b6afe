#pragma once
// CZiWeiDlg: the chart window (template 130, "斗数排盘").  It paints the
// texts of a chart cast once, at their template places in the colours of
// ColourControl.
// Enter, Esc and the close box close it; the right button opens the capture
// window.

#include <QDialog>
#include <QFont>
#include <chrono>
#include <unordered_map>

#include "app/DialogUnits.h"
#include "app/Global.h"
#include "chart/ChartColours.h"
#include "chart/ChartGrid.h"
#include "chart/ChartLayout.h"

namespace qelvar {

class CZiWeiDlg : public QDialog {
    Q_OBJECT
public:
    // The window of a cast chart's grid.
    explicit CZiWeiDlg(const ChartGrid& grid, QWidget* parent = nullptr);
    // Casts the chart of `birth` once and shows it.
    CZiWeiDlg(const BirthData& birth, std::chrono::year_month_day today, QWidget* parent = nullptr);

    // The text of slot `id` after the cast; "" for an identifier that is no slot.
    QString SlotText(int id) const;
    // The rectangle of slot `id` in window pixels; empty for no slot.
    QRect SlotRect(int id) const;
    // The attributes slot `id` is painted with.
    TextAttributes SlotAttributes(int id) const {
        return ColourControl(id, SlotText(id).toStdString());
    }
    // Window pixels of a dialog-unit rectangle.
    QRect ToWindow(const DuRect& r) const;

public slots:
    // Right button: opens the capture window (modal) over the chart; the
    // chart stays open when it closes.
    void OpenCapture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void PaintChartBackground(QPainter& painter) const;
    void PaintCellFrames(QPainter& painter) const;
    void PaintLabels(QPainter& painter) const;
    void PaintSlots(QPainter& painter) const;
    void PaintText(QPainter& painter, const QRect& rect, SlotAlign align, SlotFlow flow,
                   const QString& text, const TextAttributes& attrs) const;

    std::unordered_map<int, QString> m_texts;
    QFont m_font;
    DialogBaseUnits m_base;
};

}  // namespace qelvar
