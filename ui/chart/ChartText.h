#pragma once
// Line layout of the chart window's static texts, as the platform's static
// control breaks them: explicit line ends (CR LF), then word wrap at the
// right edge, where a CJK character may start a new line on its own and a
// run of ASCII letters stays whole.  The 8-unit name columns hold one
// character per line, and the pillar-star block sets every character on a
// grid in which a CJK character is exactly two spaces wide.

#include <QFontMetrics>
#include <QString>
#include <vector>

#include "chart/ChartLayout.h"

namespace qelvar {

struct TextRun {
    int x = 0;  // from the line's left end
    QString text;
};

struct TextLine {
    int width = 0;  // advance of the whole line
    std::vector<TextRun> runs;
};

using TextLines = std::vector<TextLine>;

TextLines LayOutText(const QString& text, int width, SlotFlow flow, const QFontMetrics& metrics);

}  // namespace qelvar
