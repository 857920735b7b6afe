#include "chart/ChartPicture.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainterPath>
#include <QtMath>

#include "app/AppLanguage.h"
#include "app/DialogFont.h"
#include "chart/ChartText.h"
#include "chart/Cycle.h"

namespace qelvar {

namespace {

QColor ToQColor(Rgb c) {
    return {c.r, c.g, c.b};
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// 禄 权 科 忌 of the flying arrows.
const std::array<QColor, 4> kMarkColours = {QColor(0, 150, 0), QColor(200, 90, 0),
                                            QColor(0, 90, 220), QColor(220, 0, 0)};
constexpr std::array<std::string_view, 4> kMarkNames = {"禄", "权", "科", "忌"};
const QColor kRelationColour(0, 120, 255);

}  // namespace

ChartPicture::ChartPicture(std::unordered_map<int, QString> texts, const QFont& font)
    : m_texts(std::move(texts)),
      m_font(font),
      m_base(BaseUnitsOf(font)),
      m_language(AppLanguage()) {
    m_size = QSize(DuToPixelsX(kChartWidthDu, m_base), DuToPixelsY(kChartHeightDu, m_base));
}

ChartPicture ChartPicture::WithResolvedFont() const {
    ChartPicture copy = *this;
    copy.m_font.setFamilies({QFontInfo(m_font).family()});
    return copy;
}

QString ChartPicture::SlotText(int id) const {
    const auto it = m_texts.find(id);
    return it == m_texts.end() ? QString() : it->second;
}

QRect ChartPicture::ToPixels(const DuRect& r) const {
    const PixelRect p = qelvar::ToPixels(r, m_base);
    return {p.x, p.y, p.w, p.h};
}

void ChartPicture::SetRelations(std::optional<int> palace, const FlyingCell* flying) {
    m_relationPalace = flying != nullptr ? palace : std::nullopt;
    if (flying != nullptr) m_flying = *flying;
}

void ChartPicture::Paint(QPainter& painter, double scale) const {
    painter.save();
    QFont font = m_font;
    // Smoothed glyphs when scaled; at zoom 1 the font's own setting, so the
    // window looks exactly as it always has.
    if (scale != 1.0) font.setStyleStrategy(QFont::PreferAntialias);
    painter.setFont(font);
    PaintBackground(painter);
    PaintCellFrames(painter);
    PaintLabels(painter);
    PaintSlots(painter);
    PaintOverlay(painter);
    PaintRelations(painter);
    painter.restore();
}

// A red frame 4 pixels wide round a white inside, drawn like a rectangle
// (l + 3, t + 3, r - 3, b - 3) with a pen centred on its outline; the strip
// outside it stays black.
void ChartPicture::PaintBackground(QPainter& painter) const {
    const int w = m_size.width();
    const int h = m_size.height();
    const ChartFrame frame = ChartFrameOf(w, h);
    painter.fillRect(0, 0, w, h, Qt::black);
    painter.fillRect(frame.outer.x, frame.outer.y, frame.outer.w, frame.outer.h, QColor(255, 0, 0));
    painter.fillRect(frame.inner.x, frame.inner.y, frame.inner.w, frame.inner.h, Qt::white);
}

QRect ChartPicture::CellRect(int palace) const {
    const int captionMiddle = QFontMetrics(m_font).height() / 2;
    const DuPoint corner = CellCorner(palace);
    return ToPixels({corner.x, corner.y, kCellWidthDu, kCellHeightDu})
        .adjusted(0, captionMiddle, -2, -2);
}

// The group boxes of the cells: an etched line whose top runs through the
// middle of the (empty) caption line.
void ChartPicture::PaintCellFrames(QPainter& painter) const {
    for (int palace = 0; palace < kPalaceCount; ++palace) {
        const QRect frame = CellRect(palace);
        painter.setPen(QColor(160, 160, 160));
        painter.drawRect(frame);
        painter.setPen(Qt::white);
        painter.drawRect(frame.translated(1, 1));
    }
}

void ChartPicture::PaintLabels(QPainter& painter) const {
    for (int palace = 0; palace < kPalaceCount; ++palace) {
        const DuPoint corner = CellCorner(palace);
        const DuRect r{corner.x + kBranchLabelOffset.x, corner.y + kBranchLabelOffset.y,
                       kBranchLabelOffset.w, kBranchLabelOffset.h};
        const std::string_view label = BranchLabel(palace);
        PaintText(painter, ToPixels(r), SlotAlign::kLeft, SlotFlow::kLine, Text(label),
                  ColourControl(kNoSlot, label));
    }
    for (const CentreControl& c : CentreControls()) {
        if (c.id != kNoSlot) continue;
        PaintText(painter, ToPixels(c.rect), SlotAlign::kLeft, c.flow, Text(c.text),
                  ColourControl(kNoSlot, c.text));
    }
}

void ChartPicture::PaintSlots(QPainter& painter) const {
    for (const auto& [id, text] : m_texts) {
        if (text.isEmpty()) continue;
        const std::optional<SlotPlace> place = FindSlotPlace(id);
        if (!place) continue;
        PaintText(painter, ToPixels(place->rect), place->align, place->flow, text,
                  ColourControl(id, text.toStdString()));
    }
}

void ChartPicture::PaintOverlay(QPainter& painter) const {
    for (const OverlayText& t : m_overlay.texts) {
        TextAttributes attrs;
        if (t.style == OverlayStyle::kMark) {
            attrs = {{255, 255, 255}, true, LayerColour(t.layer)};
        } else {
            attrs = {LayerColour(t.layer), false, {}};
        }
        PaintText(painter, ToPixels(t.rect), SlotAlign::kLeft, t.flow, Text(t.text), attrs);
    }
}

// 三方四正 outlined, and the four flying transformations of the cell as
// arrows to the cells they land in; a mark that lands in its own cell is
// labelled 自.
void ChartPicture::PaintRelations(QPainter& painter) const {
    if (!m_relationPalace) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (const Branch b : m_flying.surrounding) {
        const bool own = CellOfBranch(b) == *m_relationPalace;
        painter.setPen(QPen(kRelationColour, own ? 3 : 2, own ? Qt::SolidLine : Qt::DashLine));
        painter.drawRect(QRectF(CellRect(CellOfBranch(b))).adjusted(1.5, 1.5, -1.5, -1.5));
    }
    const QRect from = CellRect(*m_relationPalace);
    const QFontMetrics metrics(m_font);
    for (int k = 0; k < 4; ++k) {
        const Transformation& t = m_flying.transformations[k];
        if (t.cell == kNoCell) continue;
        const QColor colour = kMarkColours[k];
        const QString mark = Text(kMarkNames[k]);
        painter.setPen(QPen(colour, 2));
        if (m_flying.self[k]) {
            const QString label = Localized(QStringLiteral("自") + mark);
            const QRectF box(from.left() + 4 + k * 28, from.top() - 6, 26, 13);
            painter.fillRect(box, Qt::white);
            painter.drawRect(box);
            painter.drawText(box, Qt::AlignCenter, label);
            continue;
        }
        const QRect to = CellRect(CellOfBranch(t.cell));
        QLineF line(QPointF(from.center()), QPointF(to.center()));
        const QPointF normal = QPointF(-line.dy(), line.dx()) / std::max(1.0, line.length());
        line.translate(normal * ((k - 1.5) * 6));
        const double len = line.length();
        line = QLineF(line.pointAt(18 / len), line.pointAt(1 - 22 / len));
        painter.drawLine(line);
        const QPointF tip = line.p2();
        const QPointF dir = (line.p2() - line.p1()) / std::max(1.0, line.length());
        const QPointF side(-dir.y(), dir.x());
        QPainterPath head;
        head.moveTo(tip);
        head.lineTo(tip - dir * 9 + side * 4);
        head.lineTo(tip - dir * 9 - side * 4);
        head.closeSubpath();
        painter.fillPath(head, colour);
        const QPointF at = line.pointAt(0.75);
        const QRectF box(at.x() - 7, at.y() - 7, 14, 14);
        painter.fillRect(box, Qt::white);
        painter.drawText(box, Qt::AlignCenter, Localized(mark));
    }
    painter.restore();
}

// A static text: its lines from the top of its rectangle, clipped to it;
// an opaque background fills behind each line's glyphs only.
void ChartPicture::PaintText(QPainter& painter, const QRect& rect, SlotAlign align, SlotFlow flow,
                             const QString& text, const TextAttributes& attrs) const {
    const QFontMetrics metrics(m_font);
    // Colours were chosen by the simplified text; the glyphs are the language's.
    const QString shown =
        IsTraditional(m_language) ? Text(Localize(m_language, text.toStdString())) : text;
    const TextLines lines = LayOutText(shown, rect.width(), flow, metrics);
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

}  // namespace qelvar
