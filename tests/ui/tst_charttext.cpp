// Line layout of the chart texts with the dialog font: stacked names, word
// wrap at the right edge, and the column grid of the pillar-star block.
#include <QTest>

#include "tests/ui/QtWarnings.h"
#include "ui/app/DialogFont.h"
#include "ui/chart/ChartText.h"

using namespace qelvar;

namespace {

QStringList LineTexts(const TextLines& lines) {
    QStringList texts;
    for (const TextLine& line : lines) {
        QString text;
        for (const TextRun& run : line.runs) text += run.text;
        texts << text;
    }
    return texts;
}

}  // namespace

class ChartTextTest : public QObject {
    Q_OBJECT
private slots:
    void init() { qelvar::FailOnQtWarnings(); }
    void initTestCase() { InstallSongFont(); }
    void fontCoversEveryCharacter();
    void lines_data();
    void lines();
    void blockColumnsAlign();
};

// The Song face has a glyph for the characters the chart writes besides
// ordinary CJK text, and its CJK characters are twice as wide as ASCII.
void ChartTextTest::fontCoversEveryCharacter() {
    const QFontMetrics metrics(DialogFont());
    for (const QChar c : QStringLiteral("█⑤★·：，！（）紫微庙旺忌")) {
        QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
    }
    QCOMPARE(metrics.horizontalAdvance(QChar(0x4E2D)), 2 * metrics.horizontalAdvance(QChar(' ')));
}

void ChartTextTest::lines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("widthChars");  // in CJK character widths
    QTest::addColumn<int>("flow");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("star name stacks")
        << "紫微" << 1 << int(SlotFlow::kStacked) << QStringList{"紫", "微"};
    QTest::newRow("palace name fits")
        << "命★身" << 3 << int(SlotFlow::kLine) << QStringList{"命★身"};
    QTest::newRow("CJK wraps between characters")
        << "太阳化禄武曲" << 4 << int(SlotFlow::kLine) << QStringList{"太阳化禄", "武曲"};
    QTest::newRow("a space is a break and is dropped")
        << "庚辰 戊寅" << 3 << int(SlotFlow::kLine) << QStringList{"庚辰 ", "戊寅"};
    QTest::newRow("a number stays whole")
        << "102-111" << 3 << int(SlotFlow::kLine) << QStringList{"102-111"};
    QTest::newRow("CR LF ends lines") << "甲\r\n乙\r\n"
                                      << 8 << int(SlotFlow::kLine) << QStringList{"甲", "乙"};
}

void ChartTextTest::lines() {
    QFETCH(QString, text);
    QFETCH(int, widthChars);
    QFETCH(int, flow);
    QFETCH(QStringList, expected);
    const QFontMetrics metrics(DialogFont());
    const int width = widthChars * metrics.horizontalAdvance(QChar(0x4E2D));
    QCOMPARE(LineTexts(LayOutText(text, width, SlotFlow(flow), metrics)), expected);
}

// Eight-byte cells (two-character names padded with four spaces) followed
// by one space: every cell of every line starts at a multiple of nine
// half-widths.
void ChartTextTest::blockColumnsAlign() {
    const QFontMetrics metrics(DialogFont());
    const int half = metrics.horizontalAdvance(QChar(0x4E2D)) / 2;
    const QString block = QStringLiteral(
        "         驿马     华盖     桃花    \r\n"
        "天乙贵人 文昌贵人 沐浴     干禄    \r\n"
        "劫煞     亡神              将星    \r\n");
    const TextLines lines = LayOutText(block, 1000, SlotFlow::kBlock, metrics);
    QCOMPARE(int(lines.size()), 3);
    const QList<QList<int>> cellStarts{{9, 18, 27}, {0, 9, 18, 27}, {0, 9, 27}};
    for (int l = 0; l < 3; ++l) {
        QCOMPARE(lines[l].width, 35 * half);
        QList<int> starts;
        int previousEnd = -1;
        for (const TextRun& run : lines[l].runs) {
            if (run.x != previousEnd) starts << run.x / half;  // a new name begins
            previousEnd = run.x + 2 * half;
        }
        QCOMPARE(starts, cellStarts[l]);
    }
}

QTEST_MAIN(ChartTextTest)
#include "tst_charttext.moc"
