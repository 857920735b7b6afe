#include "ui/chart/ChartText.h"

#include <QStringList>

namespace qelvar {

namespace {

bool IsWide(QChar c) {
    return c.unicode() >= 0x80;
}

QStringList Paragraphs(const QString& text) {
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList paragraphs = normal.split(QLatin1Char('\n'));
    if (paragraphs.size() > 1 && paragraphs.back().isEmpty()) paragraphs.removeLast();
    return paragraphs;
}

// Break units: a CJK character, a space, or a run of other ASCII characters.
QStringList Tokens(const QString& paragraph) {
    QStringList tokens;
    QString word;
    for (const QChar c : paragraph) {
        if (IsWide(c) || c == QLatin1Char(' ')) {
            if (!word.isEmpty()) tokens << word;
            word.clear();
            tokens << QString(c);
        } else {
            word += c;
        }
    }
    if (!word.isEmpty()) tokens << word;
    return tokens;
}

TextLine PlainLine(const QString& text, const QFontMetrics& metrics) {
    return {metrics.horizontalAdvance(text), {{0, text}}};
}

void WrapParagraph(const QString& paragraph, int width, const QFontMetrics& metrics,
                   TextLines& lines) {
    QString line;
    for (const QString& token : Tokens(paragraph)) {
        const bool fits = metrics.horizontalAdvance(line + token) <= width;
        if (fits || line.isEmpty()) {
            line += token;
            continue;
        }
        lines.push_back(PlainLine(line, metrics));
        line = token == QLatin1String(" ") ? QString() : token;  // a wrapped line drops its space
    }
    lines.push_back(PlainLine(line, metrics));
}

void StackParagraph(const QString& paragraph, const QFontMetrics& metrics, TextLines& lines) {
    for (const QChar c : paragraph) lines.push_back(PlainLine(QString(c), metrics));
}

// Every character at column * half the width of a CJK character; a CJK
// character takes two columns, anything else one.
void GridParagraph(const QString& paragraph, const QFontMetrics& metrics, TextLines& lines) {
    const int wide = metrics.horizontalAdvance(QChar(0x4E2D));  // 中
    TextLine line;
    int column = 0;
    for (const QChar c : paragraph) {
        const int x = column * wide / 2;
        if (c != QLatin1Char(' ')) line.runs.push_back({x, QString(c)});
        column += IsWide(c) ? 2 : 1;
    }
    line.width = column * wide / 2;
    lines.push_back(line);
}

}  // namespace

TextLines LayOutText(const QString& text, int width, SlotFlow flow, const QFontMetrics& metrics) {
    TextLines lines;
    for (const QString& paragraph : Paragraphs(text)) {
        if (flow == SlotFlow::kStacked) StackParagraph(paragraph, metrics, lines);
        if (flow == SlotFlow::kBlock) GridParagraph(paragraph, metrics, lines);
        if (flow == SlotFlow::kLine) WrapParagraph(paragraph, width, metrics, lines);
    }
    return lines;
}

}  // namespace qelvar
