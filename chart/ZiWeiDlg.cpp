#include "chart/ZiWeiDlg.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/AppIcon.h"
#include "app/DialogFont.h"
#include "capture/CatchScreenDlg.h"
#include "chart/ChartText.h"
#include "chart/ZiWei.h"

namespace qelvar {

namespace {

QColor ToQColor(Rgb c) {
    return {c.r, c.g, c.b};
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CZiWeiDlg::CZiWeiDlg(const BirthData& birth, std::chrono::year_month_day today, QWidget* parent)
    : QDialog(parent), m_birth(birth), m_font(DialogFont()) {
    ZiWeiChart chart(m_birth, today);
    chart.RunChartSteps();
    for (const int id : ChartGrid::SlotIds()) {
        m_texts.emplace(id, QString::fromStdString(chart.Grid().GetSlotText(id)));
    }
    setFont(m_font);
    setWindowTitle(Text(kChartCaption));
    setWindowIcon(AppIcon());
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    setAttribute(Qt::WA_OpaquePaintEvent);  // paintEvent covers the whole client area
    m_base = BaseUnitsOf(m_font);
    setFixedSize(DuToPixelsX(kChartWidthDu, m_base), DuToPixelsY(kChartHeightDu, m_base));
}

QString CZiWeiDlg::SlotText(int id) const {
    const auto it = m_texts.find(id);
    return it == m_texts.end() ? QString() : it->second;
}

QRect CZiWeiDlg::ToWindow(const DuRect& r) const {
    const PixelRect p = ToPixels(r, m_base);
    return {p.x, p.y, p.w, p.h};
}

QRect CZiWeiDlg::SlotRect(int id) const {
    const std::optional<SlotPlace> place = FindSlotPlace(id);
    return place ? ToWindow(place->rect) : QRect();
}

void CZiWeiDlg::OpenCapture() {
    // Constructing the capture window grabs the screen while the chart shows.
    CCatchScreenDlg capture(nullptr);
    capture.exec();
}

void CZiWeiDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintChartBackground(painter);
    painter.setFont(m_font);
    PaintCellFrames(painter);
    PaintLabels(painter);
    PaintSlots(painter);
}

// A red frame 4 pixels wide round a white inside, drawn like a rectangle
// (l + 3, t + 3, r - 3, b - 3) with a pen centred on its outline; the strip
// outside it stays black.
void CZiWeiDlg::PaintChartBackground(QPainter& painter) const {
    const int w = width();
    const int h = height();
    const ChartFrame frame = ChartFrameOf(w, h);
    painter.fillRect(0, 0, w, h, Qt::black);
    painter.fillRect(frame.outer.x, frame.outer.y, frame.outer.w, frame.outer.h, QColor(255, 0, 0));
    painter.fillRect(frame.inner.x, frame.inner.y, frame.inner.w, frame.inner.h, Qt::white);
}

// The group boxes of the cells: an etched line whose top runs through the
// middle of the (empty) caption line.
void CZiWeiDlg::PaintCellFrames(QPainter& painter) const {
    const int captionMiddle = QFontMetrics(m_font).height() / 2;
    for (int palace = 0; palace < kPalaceCount; ++palace) {
        const DuPoint corner = CellCorner(palace);
        const QRect cell = ToWindow({corner.x, corner.y, kCellWidthDu, kCellHeightDu});
        const QRect frame = cell.adjusted(0, captionMiddle, -2, -2);
        painter.setPen(QColor(160, 160, 160));
        painter.drawRect(frame);
        painter.setPen(Qt::white);
        painter.drawRect(frame.translated(1, 1));
    }
}

void CZiWeiDlg::PaintLabels(QPainter& painter) const {
    for (int palace = 0; palace < kPalaceCount; ++palace) {
        const DuPoint corner = CellCorner(palace);
        const DuRect r{corner.x + kBranchLabelOffset.x, corner.y + kBranchLabelOffset.y,
                       kBranchLabelOffset.w, kBranchLabelOffset.h};
        const std::string_view label = BranchLabel(palace);
        PaintText(painter, ToWindow(r), SlotAlign::kLeft, SlotFlow::kLine, Text(label),
                  ColourControl(kNoSlot, label));
    }
    for (const CentreControl& c : CentreControls()) {
        if (c.id != kNoSlot) continue;
        PaintText(painter, ToWindow(c.rect), SlotAlign::kLeft, c.flow, Text(c.text),
                  ColourControl(kNoSlot, c.text));
    }
}

void CZiWeiDlg::PaintSlots(QPainter& painter) const {
    for (const auto& [id, text] : m_texts) {
        if (text.isEmpty()) continue;
        const std::optional<SlotPlace> place = FindSlotPlace(id);
        if (!place) continue;
        PaintText(painter, ToWindow(place->rect), place->align, place->flow, text,
                  ColourControl(id, text.toStdString()));
    }
}

// A static text: its lines from the top of its rectangle, clipped to it;
// an opaque background fills behind each line's glyphs only.
void CZiWeiDlg::PaintText(QPainter& painter, const QRect& rect, SlotAlign align, SlotFlow flow,
                          const QString& text, const TextAttributes& attrs) const {
    const QFontMetrics metrics(m_font);
    const TextLines lines = LayOutText(text, rect.width(), flow, metrics);
    painter.save();
    painter.setClipRect(rect);
    int y = rect.top();
    for (const TextLine& line : lines) {
        if (y >= rect.bottom() + 1) break;
        const int x = align == SlotAlign::kRight ? rect.right() + 1 - line.width : rect.left();
        if (attrs.opaque) {
            painter.fillRect(QRect(x, y, line.width, metrics.height()), ToQColor(attrs.background));
        }
        painter.setPen(ToQColor(attrs.text));
        for (const TextRun& run : line.runs) {
            painter.drawText(QPointF(x + run.x, y + metrics.ascent()), run.text);
        }
        y += metrics.height();
    }
    painter.restore();
}

void CZiWeiDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);  // Esc rejects
}

void CZiWeiDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        OpenCapture();
        return;
    }
    QDialog::mousePressEvent(event);
}

}  // namespace qelvar
