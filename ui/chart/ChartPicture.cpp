#include "ui/chart/ChartPicture.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "chart/Cycle.h"
#include "ui/app/AppLanguage.h"
#include "ui/app/DialogFont.h"
#include "ui/chart/ChartText.h"

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
constexpr Rgb kOrange{255, 155, 0};

double Luminance(Rgb c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

double Contrast(Rgb a, Rgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// `c` darkened in steps until it stands out 3:1 from `background`.
Rgb Darkened(Rgb c, Rgb background) {
    for (int step = 0; step < 40 && Contrast(c, background) < 3.0; ++step) {
        c = {static_cast<std::uint8_t>(c.r * 9 / 10), static_cast<std::uint8_t>(c.g * 9 / 10),
             static_cast<std::uint8_t>(c.b * 9 / 10)};
    }
    return c;
}

// The star columns 0..12 of the cells.
bool IsStarColumn(int id) {
    return id >= 1061 && id < 1217;
}

// Distance along the perimeter of `r` from its top-left corner, clockwise,
// of a point on it.
double PerimeterPosition(const QRectF& r, QPointF p) {
    const double w = r.width(), h = r.height();
    if (std::abs(p.y() - r.top()) < 1e-6) return p.x() - r.left();
    if (std::abs(p.x() - r.right()) < 1e-6) return w + (p.y() - r.top());
    if (std::abs(p.y() - r.bottom()) < 1e-6) return w + h + (r.right() - p.x());
    return 2 * w + h + (r.bottom() - p.y());
}

QPointF PerimeterPoint(const QRectF& r, double s) {
    const double w = r.width(), h = r.height();
    const double total = 2 * (w + h);
    s = std::fmod(std::fmod(s, total) + total, total);
    if (s <= w) return {r.left() + s, r.top()};
    if (s <= w + h) return {r.right(), r.top() + (s - w)};
    if (s <= 2 * w + h) return {r.right() - (s - w - h), r.bottom()};
    return {r.left(), r.bottom() - (s - 2 * w - h)};
}

// The path along the perimeter of `r` from `from` to `to`, the shorter way
// round, with its corners.
QPolygonF AlongRectangle(const QRectF& r, QPointF from, QPointF to) {
    const double total = 2 * (r.width() + r.height());
    const double a = PerimeterPosition(r, from), b = PerimeterPosition(r, to);
    double forward = std::fmod(b - a + total, total);
    const int direction = forward <= total / 2 ? 1 : -1;
    const double length = direction > 0 ? forward : total - forward;
    const std::array<double, 4> corners = {0, r.width(), r.width() + r.height(),
                                           2 * r.width() + r.height()};
    std::vector<std::pair<double, QPointF>> stops;  // distance travelled, point
    for (const double c : corners) {
        const double d =
            direction > 0 ? std::fmod(c - a + total, total) : std::fmod(a - c + total, total);
        if (d > 1e-6 && d < length - 1e-6) stops.push_back({d, PerimeterPoint(r, c)});
    }
    std::sort(stops.begin(), stops.end(),
              [](const auto& x, const auto& y) { return x.first < y.first; });
    QPolygonF path;
    path << from;
    for (const auto& stop : stops) path << stop.second;
    path << to;
    return path;
}

// True when the segment p-q passes through the inside of `r`
// (Liang-Barsky clipping).
bool SegmentCrosses(QPointF p, QPointF q, const QRectF& r) {
    double t0 = 0, t1 = 1;
    const double dx = q.x() - p.x(), dy = q.y() - p.y();
    const std::array<double, 4> num = {p.x() - r.left(), r.right() - p.x(), p.y() - r.top(),
                                       r.bottom() - p.y()};
    const std::array<double, 4> den = {-dx, dx, -dy, dy};
    for (int i = 0; i < 4; ++i) {
        if (den[i] == 0) {
            if (num[i] <= 0) return false;
            continue;
        }
        const double t = num[i] / -den[i];
        if (den[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 >= t1) return false;
    }
    return true;
}

bool Within(const QRectF& inner, const QRectF& outer) {
    return inner.left() >= outer.left() && inner.right() <= outer.right() &&
           inner.top() >= outer.top() && inner.bottom() <= outer.bottom();
}

}  // namespace

bool PolylineCrosses(const QPolygonF& line, const QRectF& box, double halfWidth) {
    const QRectF grown = box.adjusted(-halfWidth, -halfWidth, halfWidth, halfWidth);
    for (qsizetype i = 0; i + 1 < line.size(); ++i)
        if (SegmentCrosses(line[i], line[i + 1], grown)) return true;
    return false;
}

ChartPicture::ChartPicture(std::unordered_map<int, QString> texts, const QFont& font)
    : m_texts(std::move(texts)),
      m_font(font),
      m_base(BaseUnitsOf(font)),
      m_language(AppLanguage()) {
    for (const auto& [id, text] : m_texts) m_natal.emplace(id, text.toStdString());
}

ChartPicture ChartPicture::OfGrid(const ChartGrid& grid) {
    std::unordered_map<int, QString> texts;
    for (const int id : ChartGrid::SlotIds())
        texts.emplace(id, QString::fromStdString(grid.GetSlotText(id)));
    return ChartPicture(std::move(texts), DialogFont());
}

void ChartPicture::SetSmallLimitAges(const Chart& chart) {
    for (int p = 0; p < kPalaceCount; ++p) {
        m_smallLimits[p].clear();
        if (chart.school.stars != StarSet::Extended) continue;
        const std::vector<int> ages = chart.SmallLimitAges(p);
        if (ages.empty()) continue;
        m_smallLimits[p] = QString::number(ages[0]);
        if (ages.size() > 1) m_smallLimits[p] += QLatin1Char(' ') + QString::number(ages[1]);
    }
}

QSize ChartPicture::Size() const {
    return {DuToPixelsX(kChartWidthDu, m_base), DuToPixelsY(GrownChartHeightDu(Extra()), m_base)};
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

void ChartPicture::ShowPeriods(const Horoscope* horoscope, std::span<const LayerKind> shown) {
    if (horoscope == nullptr) {
        m_overlay = {};
        return;
    }
    m_overlay = LayOutPeriodOverlay(*horoscope, shown, [this](int id) {
        const auto it = m_natal.find(id);
        return it == m_natal.end() ? std::string_view() : std::string_view(it->second);
    });
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
    WalkTexts(&painter, nullptr);
    if (m_relationPalace) PaintRelations(painter, Relations());
    painter.restore();
}

std::vector<DrawnText> ChartPicture::DrawnTexts() const {
    std::vector<DrawnText> out;
    WalkTexts(nullptr, &out);
    if (m_relationPalace) {
        const RelationDrawing r = Relations();
        out.insert(out.end(), r.labels.begin(), r.labels.end());
    }
    return out;
}

// A red frame 4 pixels wide round a white inside, drawn like a rectangle
// (l + 3, t + 3, r - 3, b - 3) with a pen centred on its outline; the strip
// outside it stays black.
void ChartPicture::PaintBackground(QPainter& painter) const {
    const QSize size = Size();
    const int w = size.width();
    const int h = size.height();
    const ChartFrame frame = ChartFrameOf(w, h);
    painter.fillRect(0, 0, w, h, Qt::black);
    painter.fillRect(frame.outer.x, frame.outer.y, frame.outer.w, frame.outer.h, QColor(255, 0, 0));
    painter.fillRect(frame.inner.x, frame.inner.y, frame.inner.w, frame.inner.h, Qt::white);
}

QRect ChartPicture::CellRect(int palace) const {
    const int captionMiddle = QFontMetrics(m_font).height() / 2;
    const DuPoint corner = GrownCellCorner(palace, Extra());
    return ToPixels({corner.x, corner.y, kCellWidthDu, kCellHeightDu + Extra()})
        .adjusted(0, captionMiddle, -2, -2);
}

std::optional<int> ChartPicture::PalaceAtPixel(QPointF point) const {
    for (int p = 0; p < kPalaceCount; ++p) {
        const DuPoint c = GrownCellCorner(p, Extra());
        // Cells of a row touch: the ring's pitch is 78 units across and a
        // cell's height (80 units, the caption line overlaps) down.
        if (ToPixels({c.x, c.y, 78, 80 + Extra()}).contains(point.toPoint())) return p;
    }
    return std::nullopt;
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

bool ChartPicture::Hidden(int id) const {
    if (m_adjectives || !IsStarColumn(id)) return false;
    // A star none of the colour lists names keeps the columns' orange.
    return ColourControl(id, SlotText(id).toStdString()).text == kOrange;
}

TextAttributes ChartPicture::Recoloured(TextAttributes attrs) const {
    if (m_palette == ChartPalette::kClear)
        attrs.text = Darkened(attrs.text, attrs.opaque ? attrs.background : Rgb{255, 255, 255});
    return attrs;
}

void ChartPicture::WalkTexts(QPainter* painter, std::vector<DrawnText>* out) const {
    const int extra = Extra();
    auto place = [&](const DuRect& r, int palace, SlotAlign align, SlotFlow flow) {
        return TextPlace{ToPixels(GrownRect(r, palace, extra)), align, flow};
    };
    for (int palace = 0; palace < kPalaceCount; ++palace) {
        const DuPoint corner = CellCorner(palace);
        const DuRect r{corner.x + kBranchLabelOffset.x, corner.y + kBranchLabelOffset.y,
                       kBranchLabelOffset.w, kBranchLabelOffset.h};
        const std::string_view label = BranchLabel(palace);
        DrawnText kind;
        kind.palace = palace;
        PaintText(painter, out, place(r, palace, SlotAlign::kLeft, SlotFlow::kLine), Text(label),
                  ColourControl(kNoSlot, label), kind);
    }
    // The 小限 ages: two lines in the room between the second star row and
    // the life stage, which no slot uses.
    for (int palace = 0; palace < kPalaceCount; ++palace) {
        if (m_smallLimits[palace].isEmpty()) continue;
        const DuPoint corner = CellCorner(palace);
        DrawnText kind;
        kind.palace = palace;
        const TextAttributes attrs{{128, 128, 128}, false, {}};
        for (const auto& [line, text] :
             {std::pair{0, QStringLiteral("小限")}, {1, m_smallLimits[palace]}}) {
            const DuRect r{corner.x + 45, corner.y + 45 + 8 * line, 21, 8};
            PaintText(painter, out, place(r, palace, SlotAlign::kLeft, SlotFlow::kLine), text,
                      attrs, kind);
        }
    }
    for (const CentreControl& c : CentreControls()) {
        if (c.id != kNoSlot) continue;
        PaintText(painter, out, place(c.rect, -1, SlotAlign::kLeft, c.flow), Text(c.text),
                  ColourControl(kNoSlot, c.text), DrawnText{});
    }
    for (const auto& [id, text] : m_texts) {
        if (text.isEmpty() || Hidden(id)) continue;
        const std::optional<SlotPlace> slot = FindSlotPlace(id);
        if (!slot) continue;
        DrawnText kind;
        kind.palace = slot->palace;
        PaintText(painter, out, place(slot->rect, slot->palace, slot->align, slot->flow), text,
                  ColourControl(id, m_natal.at(id)), kind);
    }
    for (const OverlayText& t : m_overlay.texts) {
        TextAttributes attrs;
        if (t.style == OverlayStyle::kMark) {
            attrs = {{255, 255, 255}, true, LayerColour(t.layer)};
        } else {
            attrs = {LayerColour(t.layer), false, {}};
        }
        DrawnText kind;
        kind.kind = DrawnText::Kind::kLayer;
        kind.palace = t.cell == kNoCell ? -1 : CellOfBranch(t.cell);
        kind.layer = t.layer;
        kind.mark = t.style == OverlayStyle::kMark;
        PaintText(painter, out, TextPlace{ToPixels(t.rect), SlotAlign::kLeft, t.flow}, Text(t.text),
                  attrs, kind);
    }
}

// 三方四正 outlined on the cell frames, and the four flying transformations
// of the cell as arrows along the road between the ring of cells and the
// centre, where no text stands, each ending beside the cell it lands in;
// the labels ("飞禄" where a mark lands, "自禄" for a mark that lands in its
// own cell) go into free room of the cell they name.
RelationDrawing ChartPicture::Relations() const {
    RelationDrawing out;
    if (!m_relationPalace) return out;
    for (const Branch b : m_flying.surrounding)
        out.outlines.push_back(QRectF(CellRect(CellOfBranch(b))));

    std::vector<DrawnText> texts;
    WalkTexts(nullptr, &texts);
    std::vector<QRectF> boxes;
    for (const DrawnText& t : texts) boxes.push_back(t.box);

    // The road: midway between the texts of the ring and those of the centre.
    double ringLeft = 0, ringRight = Size().width(), ringTop = 0, ringBottom = Size().height();
    double centreLeft = ringRight, centreRight = 0, centreTop = ringBottom, centreBottom = 0;
    for (const DrawnText& t : texts) {
        if (t.palace < 0) {
            centreLeft = std::min(centreLeft, t.box.left());
            centreRight = std::max(centreRight, t.box.right());
            centreTop = std::min(centreTop, t.box.top());
            centreBottom = std::max(centreBottom, t.box.bottom());
            continue;
        }
        const DuPoint c = CellCorner(t.palace);
        if (c.x == CellCorner(0).x) ringLeft = std::max(ringLeft, t.box.right());
        if (c.x == CellCorner(7).x) ringRight = std::min(ringRight, t.box.left());
        if (RowOfCell(t.palace) == 0) ringTop = std::max(ringTop, t.box.bottom());
        if (RowOfCell(t.palace) == 3) ringBottom = std::min(ringBottom, t.box.top());
    }
    const QRectF road(QPointF((ringLeft + centreLeft) / 2, (ringTop + centreTop) / 2),
                      QPointF((ringRight + centreRight) / 2, (ringBottom + centreBottom) / 2));
    const double gap = std::min({centreLeft - ringLeft, ringRight - centreRight,
                                 centreTop - ringTop, ringBottom - centreBottom});
    // Four lanes, 1 pixel wide each, with the heads' half width beside them.
    const double lane = std::clamp((gap - 6) / 4, 1.0, 3.0);
    const double headHalf = std::clamp(lane, 1.5, 2.5);

    const QRect from = CellRect(*m_relationPalace);
    const QFontMetrics metrics(m_font);
    // The free place of `size` inside `cell` nearest to `near`: the
    // candidates stand at the cell's inner edge or against a text's edge.
    auto freeSpot = [&](const QRect& cell, QSizeF size, QPointF near) -> std::optional<QRectF> {
        const QRectF inside = QRectF(cell).adjusted(3, 3, -3, -3);
        std::vector<QRectF> local;
        for (const QRectF& b : boxes)
            if (b.intersects(inside)) local.push_back(b);
        std::vector<double> xs = {inside.left(), inside.right() - size.width()};
        std::vector<double> ys = {inside.top(), inside.bottom() - size.height()};
        for (const QRectF& b : local) {
            xs.push_back(b.right() + 1);
            xs.push_back(b.left() - 1 - size.width());
            ys.push_back(b.bottom() + 1);
            ys.push_back(b.top() - 1 - size.height());
        }
        std::optional<QRectF> best;
        double bestDistance = 0;
        for (const double y : ys) {
            for (const double x : xs) {
                const QRectF r(QPointF(x, y), size);
                if (!Within(r, inside)) continue;
                const double d = std::hypot(r.center().x() - near.x(), r.center().y() - near.y());
                if (best && d >= bestDistance) continue;
                bool free = true;
                for (const QRectF& b : local) free = free && !r.intersects(b);
                if (!free) continue;
                best = r;
                bestDistance = d;
            }
        }
        return best;
    };
    auto label = [&](const QString& text, int mark, const QRect& cell, QPointF near) {
        const QSizeF size(metrics.horizontalAdvance(text) + 4, metrics.height());
        std::optional<QRectF> spot = freeSpot(cell, size, near);
        if (!spot) {  // a full cell: the free room of the centre
            const QRectF centre(QPointF(road.left() + lane * 3, road.top() + lane * 3),
                                QPointF(road.right() - lane * 3, road.bottom() - lane * 3));
            spot = freeSpot(centre.toAlignedRect(), size, centre.center());
        }
        if (!spot) return;
        boxes.push_back(*spot);
        DrawnText t;
        t.box = *spot;
        t.text = text;
        t.colour = kMarkColours[static_cast<std::size_t>(mark)];
        t.kind = DrawnText::Kind::kRelation;
        t.palace = *m_relationPalace;
        out.labels.push_back(t);
    };
    auto port = [&](const QRectF& lanes, int palace) {
        const QPointF c = QRectF(CellRect(palace)).center();
        return QPointF(std::clamp(c.x(), lanes.left(), lanes.right()),
                       std::clamp(c.y(), lanes.top(), lanes.bottom()));
    };
    for (int k = 0; k < 4; ++k) {
        const Transformation& t = m_flying.transformations[static_cast<std::size_t>(k)];
        if (t.cell == kNoCell) continue;
        const QString mark = Text(kMarkNames[static_cast<std::size_t>(k)]);
        if (m_flying.self[static_cast<std::size_t>(k)]) {
            label(QStringLiteral("自") + mark, k, from, QPointF(from.topLeft()));
            continue;
        }
        const int target = CellOfBranch(t.cell);
        const double offset = (k - 1.5) * lane;
        const QRectF lanes = road.adjusted(-offset, -offset, offset, offset);
        RelationDrawing::Arrow arrow;
        arrow.mark = k;
        arrow.line = AlongRectangle(lanes, port(lanes, *m_relationPalace), port(lanes, target));
        const QPointF tip = arrow.line.back();
        QPointF before = arrow.line[arrow.line.size() - 2];
        QPointF dir = tip - before;
        const double len = std::hypot(dir.x(), dir.y());
        if (len < 1e-6) continue;
        dir /= len;
        const QPointF side(-dir.y(), dir.x());
        const double headLength = std::min(7.0, len);
        arrow.head << tip << tip - dir * headLength + side * headHalf
                   << tip - dir * headLength - side * headHalf;
        out.arrows.push_back(arrow);
        label(QStringLiteral("飞") + mark, k, CellRect(target), tip);
    }
    return out;
}

void ChartPicture::PaintRelations(QPainter& painter, const RelationDrawing& relations) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (std::size_t i = 0; i < relations.outlines.size(); ++i) {
        painter.setPen(QPen(kRelationColour, 2, i == 0 ? Qt::SolidLine : Qt::DashLine));
        painter.drawRect(relations.outlines[i]);
    }
    for (const RelationDrawing::Arrow& a : relations.arrows) {
        const QColor colour = kMarkColours[static_cast<std::size_t>(a.mark)];
        painter.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawPolyline(a.line);
        QPainterPath head;
        head.addPolygon(a.head);
        head.closeSubpath();
        painter.fillPath(head, colour);
    }
    for (const DrawnText& l : relations.labels) {
        painter.fillRect(l.box, Qt::white);
        painter.setPen(QPen(l.colour, 1));
        painter.drawRect(l.box.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.drawText(l.box, Qt::AlignCenter, Localized(l.text));
    }
    painter.restore();
}

// A static text: its lines from the top of its rectangle, clipped to it;
// an opaque background fills behind each line's glyphs only.
void ChartPicture::PaintText(QPainter* painter, std::vector<DrawnText>* out, const TextPlace& place,
                             const QString& text, const TextAttributes& natalAttrs,
                             const DrawnText& kind) const {
    const QRect& rect = place.rect;
    const TextAttributes attrs = Recoloured(natalAttrs);
    const QFontMetrics metrics(m_font);
    // Colours were chosen by the simplified text; the glyphs are the language's.
    const QString shown =
        IsTraditional(m_language) ? Text(Localize(m_language, text.toStdString())) : text;
    const TextLines lines = LayOutText(shown, rect.width(), place.flow, metrics);
    if (painter != nullptr) {
        painter->save();
        painter->setClipRect(rect);
    }
    int y = rect.top();
    for (const TextLine& line : lines) {
        if (y >= rect.bottom() + 1) break;
        const int x =
            place.align == SlotAlign::kRight ? rect.right() + 1 - line.width : rect.left();
        if (painter != nullptr) {
            if (attrs.opaque) {
                painter->fillRect(QRect(x, y, line.width, metrics.height()),
                                  ToQColor(attrs.background));
            }
            painter->setPen(ToQColor(attrs.text));
            for (const TextRun& run : line.runs) {
                painter->drawText(QPointF(x + run.x, y + metrics.ascent()), run.text);
            }
        }
        if (out != nullptr) {
            for (const TextRun& run : line.runs) {
                const QRectF box =
                    QRectF(x + run.x, y, metrics.horizontalAdvance(run.text), metrics.height())
                        .intersected(QRectF(rect));
                if (box.isEmpty() || run.text.trimmed().isEmpty()) continue;
                DrawnText t = kind;
                t.box = box;
                t.text = run.text;
                t.colour = ToQColor(attrs.text);
                t.background = attrs.opaque ? ToQColor(attrs.background) : QColor(Qt::white);
                out->push_back(std::move(t));
            }
        }
        y += metrics.height();
    }
    if (painter != nullptr) painter->restore();
}

}  // namespace qelvar
