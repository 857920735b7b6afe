#include "chart/ChartCanvas.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
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
    const DialogBaseUnits base = m_picture.BaseUnits();
    const double x = (point.x() - p.x) / p.scale;
    const double y = (point.y() - p.y) / p.scale;
    return PalaceAt(x * 4 / base.x, y * 8 / base.y);
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

void ChartCanvas::mousePressEvent(QMouseEvent* event) {
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

// Layer texts a crowded cell had no room for are listed in its tool tip.
bool ChartCanvas::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    QStringList texts;
    if (const std::optional<int> palace = PalaceAtPoint(help->pos())) {
        for (const OverlayText& t : m_picture.Overlay().unplaced)
            if (t.cell != kNoCell && CellOfBranch(t.cell) == *palace)
                texts << QString::fromStdString(t.text);
    }
    if (texts.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), texts.join(QLatin1Char(' ')), this);
    }
    return true;
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
