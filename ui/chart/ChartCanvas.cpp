#include "ui/chart/ChartCanvas.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "chart/Cycle.h"

namespace qelvar {

ChartCanvas::ChartCanvas(const ChartPicture& picture, QWidget* parent)
    : QWidget(parent), m_picture(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // paintEvent covers the whole widget
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartCanvas::SetPreferredZoom(double zoom) {
    m_zoom = zoom;
    updateGeometry();
}

QSize ChartCanvas::sizeHint() const {
    const QSize s = m_picture.Size();
    return {qRound(s.width() * m_zoom), qRound(s.height() * m_zoom)};
}

QSize ChartCanvas::minimumSizeHint() const {
    const QSize s = m_picture.Size();
    return {qRound(s.width() * kMinZoom), qRound(s.height() * kMinZoom)};
}

ChartPlacement ChartCanvas::Placement() const {
    const QSize s = m_picture.Size();
    ChartPlacement p = FitChart(s.width(), s.height(), width(), height());
    p.x = std::floor(p.x);
    p.y = std::floor(p.y);
    return p;
}

std::optional<int> ChartCanvas::PalaceAtPoint(QPointF point) const {
    const ChartPlacement p = Placement();
    if (p.scale <= 0) return std::nullopt;
    return m_picture.PalaceAtPixel(
        QPointF((point.x() - p.x) / p.scale, (point.y() - p.y) / p.scale));
}

void ChartCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ChartPlacement p = Placement();
    const QSize s = m_picture.Size();
    const QRectF chart(p.x, p.y, s.width() * p.scale, s.height() * p.scale);
    // The margin the proportions leave: dark, like the chart's outer strip.
    const QColor margin(64, 64, 64);
    painter.fillRect(QRectF(0, 0, width(), chart.top()), margin);
    painter.fillRect(QRectF(0, chart.bottom(), width(), height() - chart.bottom()), margin);
    painter.fillRect(QRectF(0, 0, chart.left(), height()), margin);
    painter.fillRect(QRectF(chart.right(), 0, width() - chart.right(), height()), margin);
    painter.translate(p.x, p.y);
    painter.scale(p.scale, p.scale);
    if (p.scale != 1.0) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_picture.Paint(painter, p.scale);
}

// The scroll area the canvas sits in, if any (its viewport is the parent).
QAbstractScrollArea* ChartCanvas::ScrollArea() const {
    return parentWidget() != nullptr
               ? qobject_cast<QAbstractScrollArea*>(parentWidget()->parentWidget())
               : nullptr;
}

void ChartCanvas::mouseMoveEvent(QMouseEvent* event) {
    QAbstractScrollArea* area = ScrollArea();
    if (!m_dragFrom || area == nullptr) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPointF moved = event->globalPosition() - *m_dragFrom;
    area->horizontalScrollBar()->setValue(m_dragStart.x() - qRound(moved.x()));
    area->verticalScrollBar()->setValue(m_dragStart.y() - qRound(moved.y()));
}

void ChartCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        m_dragFrom.reset();
        unsetCursor();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void ChartCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        // Drags the chart inside the scroll area.
        if (QAbstractScrollArea* area = ScrollArea()) {
            m_dragFrom = event->globalPosition();
            m_dragStart = {area->horizontalScrollBar()->value(),
                           area->verticalScrollBar()->value()};
            setCursor(Qt::ClosedHandCursor);
        }
        return;
    }
    if (event->button() == Qt::RightButton) {
        emit RightClicked();
        return;
    }
    if (event->button() == Qt::LeftButton) {
        emit CellClicked(PalaceAtPoint(event->position()));
        return;
    }
    QWidget::mousePressEvent(event);
}

void ChartCanvas::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        const int delta = event->angleDelta().y();
        if (delta != 0) emit ZoomWheel(delta > 0 ? 1 : -1);
        event->accept();
        return;
    }
    QWidget::wheelEvent(event);
}

}  // namespace qelvar
