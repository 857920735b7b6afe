#pragma once
// The widget that shows a ChartPicture: the chart scaled to the widget with
// its proportions kept and centred.  Mouse input is handed on as cells.

#include <QWidget>

class QAbstractScrollArea;
#include <optional>

#include "chart/ChartView.h"
#include "ui/chart/ChartPicture.h"

namespace qelvar {

class ChartCanvas : public QWidget {
    Q_OBJECT
public:
    ChartCanvas(const ChartPicture& picture, QWidget* parent);

    // The size the widget asks for: the chart at `zoom`.
    void SetPreferredZoom(double zoom);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Scale and whole-pixel offset the chart is drawn with now.
    ChartPlacement Placement() const;
    // The cell under a widget point, if any.
    std::optional<int> PalaceAtPoint(QPointF point) const;

signals:
    void CellClicked(std::optional<int> palace);
    void RightClicked();
    void ZoomWheel(int direction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QAbstractScrollArea* ScrollArea() const;

    const ChartPicture& m_picture;
    double m_zoom = 1;
    std::optional<QPointF> m_dragFrom;  // a middle-button drag: where it began
    QPoint m_dragStart;                 // and the scroll bars' values then
};

}  // namespace qelvar
