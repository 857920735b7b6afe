#include "ui/chart/TimelineStrip.h"

#include <QFontInfo>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "periods/PeriodOverlay.h"
#include "ui/app/AppLanguage.h"

namespace qelvar {

namespace {

constexpr std::array<LayerKind, kTimelineRowCount> kRowLayer = {
    LayerKind::Decade, LayerKind::Year, LayerKind::Month, LayerKind::Day, LayerKind::Hour};

// The period texts (干支, ages, dates, layer names) in the program's language.
QString Text(const std::string& s) {
    return Localized(std::string_view(s));
}

// Centred in `box`; a text wider than the box (a decade "102-111" in a
// narrow window) is set in a smaller size instead of running into the next.
void DrawFitted(QPainter& painter, const QRect& box, const QString& text) {
    const int room = box.width() - 2;
    const int advance = painter.fontMetrics().horizontalAdvance(text);
    if (advance <= room || advance == 0) {
        painter.drawText(box, Qt::AlignCenter, text);
        return;
    }
    painter.save();
    QFont smaller = painter.font();
    smaller.setPixelSize(std::max(7, QFontInfo(smaller).pixelSize() * room / advance));
    painter.setFont(smaller);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

}  // namespace

TimelineStrip::TimelineStrip(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setMouseTracking(false);
}

void TimelineStrip::SetRows(std::array<std::vector<TimelineItem>, kTimelineRowCount> rows) {
    m_rows = std::move(rows);
    update();
}

int TimelineStrip::LineHeight() const {
    return fontMetrics().height() + 2;
}

// The decade, year and month rows have two lines (ages and years; year,
// 干支 and nominal age; month and its 干支); days and double-hours one.
constexpr int kTwoLineRows = 3;

QRect TimelineStrip::RowRect(int row) const {
    const int line = LineHeight();
    const int top = line * (2 * std::min(row, kTwoLineRows) + std::max(0, row - kTwoLineRows));
    return {0, top, width(), row < kTwoLineRows ? 2 * line : line};
}

QSize TimelineStrip::sizeHint() const {
    return {200, LineHeight() * (kTimelineRowCount + kTwoLineRows)};
}

void TimelineStrip::SetScale(double scale) {
    QFont f = font();
    if (m_basePixels == 0) m_basePixels = QFontInfo(f).pixelSize();
    const int pixels = std::max(1, qRound(m_basePixels * scale));
    if (f.pixelSize() == pixels) return;
    f.setPixelSize(pixels);
    setFont(f);
    updateGeometry();
    update();
}

QRect TimelineStrip::ItemRect(TimelineRow row, int index) const {
    const int r = static_cast<int>(row);
    const int n = static_cast<int>(m_rows[r].size());
    if (index < 0 || index >= n) return {};
    const QRect band = RowRect(r);
    const int left = band.width() * index / n;
    const int right = band.width() * (index + 1) / n;
    return {left, band.top(), right - left, band.height()};
}

void TimelineStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int line = LineHeight();
    for (int r = 0; r < kTimelineRowCount; ++r) {
        const Rgb c = LayerColour(kRowLayer[r]);
        const QColor layer(c.r, c.g, c.b);
        for (int i = 0; i < static_cast<int>(m_rows[r].size()); ++i) {
            const TimelineItem& item = m_rows[r][i];
            const QRect box = ItemRect(static_cast<TimelineRow>(r), i);
            if (item.selected) painter.fillRect(box, layer);
            painter.setPen(item.selected  ? QColor(Qt::white)
                           : item.enabled ? QColor(Qt::black)
                                          : QColor(170, 170, 170));
            const QRect first(box.left(), box.top(), box.width(), line);
            DrawFitted(painter, first, Text(item.label));
            if (!item.second.empty())
                DrawFitted(painter, first.translated(0, line), Text(item.second));
            painter.setPen(QColor(210, 210, 210));
            painter.drawLine(box.topRight(), box.bottomRight());
        }
        painter.setPen(QColor(210, 210, 210));
        painter.drawLine(0, RowRect(r).top(), width(), RowRect(r).top());
    }
}

void TimelineStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    for (int r = 0; r < kTimelineRowCount; ++r) {
        for (int i = 0; i < static_cast<int>(m_rows[r].size()); ++i) {
            if (ItemRect(static_cast<TimelineRow>(r), i).contains(event->position().toPoint())) {
                emit ItemClicked(static_cast<TimelineRow>(r), i);
                return;
            }
        }
    }
}

bool TimelineStrip::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        for (int r = 0; r < kTimelineRowCount; ++r) {
            for (int i = 0; i < static_cast<int>(m_rows[r].size()); ++i) {
                if (ItemRect(static_cast<TimelineRow>(r), i).contains(help->pos())) {
                    QToolTip::showText(help->globalPos(), Text(m_rows[r][i].detail), this);
                    return true;
                }
            }
        }
        QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

}  // namespace qelvar
