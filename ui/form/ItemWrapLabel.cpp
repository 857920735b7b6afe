#include "ui/form/ItemWrapLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QTextBoundaryFinder>

namespace qelvar {

namespace {

// The items of `text`; an item opened by " → " keeps the space before the
// arrow, which goes when the item starts a line.
QStringList Items(const QString& text) {
    const QString arrow = QStringLiteral(" → ");
    QStringList items;
    QString item;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.mid(i, arrow.size()) == arrow && !item.isEmpty()) {
            items << item;  // the arrow opens the next item
            item.clear();
        }
        const QChar c = text[i];
        if (c == QChar(0xFF08) && !item.isEmpty()) {  // "（" opens the next item
            items << item;
            item.clear();
        }
        item += c;
        if (c == QChar(0xFF0C) || c == QChar(0xFF1B) || c == QChar(0xFF1A)) {  // "，" "；" "："
            items << item;
            item.clear();
        }
    }
    if (!item.isEmpty()) items << item;
    return items;
}

// Breaks an item too wide for one line between its characters.
void BreakLongItem(const QString& item, const QFontMetrics& metrics, int width, QStringList& lines,
                   QString& line) {
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, item);
    qsizetype start = 0;
    for (qsizetype end = graphemes.toNextBoundary(); end > 0; end = graphemes.toNextBoundary()) {
        const QString piece = item.mid(start, end - start);
        if (!line.isEmpty() && metrics.horizontalAdvance(line + piece) > width) {
            lines << line;
            line.clear();
        }
        line += piece;
        start = end;
    }
}

}  // namespace

QStringList WrapBetweenItems(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines;
    QString line;
    for (const QString& item : Items(text)) {
        const QString joined = line.isEmpty() ? item : line + item;
        if (metrics.horizontalAdvance(joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.isEmpty()) lines << line;
        line.clear();
        const QString trimmed = item.trimmed();
        if (metrics.horizontalAdvance(trimmed) <= width) {
            line = trimmed;
        } else {
            BreakLongItem(trimmed, metrics, width, lines, line);
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

ItemWrapLabel::ItemWrapLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QStringList ItemWrapLabel::Lines() const {
    return WrapBetweenItems(text(), fontMetrics(), contentsRect().width());
}

int ItemWrapLabel::heightForWidth(int width) const {
    const QMargins m = contentsMargins();
    const auto lines = WrapBetweenItems(text(), fontMetrics(), width - m.left() - m.right());
    return static_cast<int>(lines.size()) * fontMetrics().lineSpacing() + m.top() + m.bottom();
}

void ItemWrapLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect area = contentsRect();
    const QFontMetrics metrics = fontMetrics();
    int top = area.top();
    for (const QString& line : Lines()) {
        painter.drawText(QRect(area.left(), top, area.width(), metrics.lineSpacing()),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
        top += metrics.lineSpacing();
    }
}

}  // namespace qelvar
