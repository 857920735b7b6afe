// The capture window's help box: every text it shows lies inside the blue
// panel of its picture, below the title and above the wave, with all bullets
// in one column and their texts in the next, whatever the font; ctest runs
// it at scale 1 and 2.
#include <QTest>

#include "capture/HelpText.h"
#include "tests/ui/QtWarnings.h"
#include "ui/app/DialogFont.h"
#include "ui/capture/MyEdit.h"

using namespace qelvar;

class HelpBoxTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        Q_INIT_RESOURCE(capture);
        InstallSongFont();
    }
    void init() { FailOnQtWarnings(); }
    void textFitsThePanel_data();
    void textFitsThePanel();
    void nothingDrawnOnTheWave();
};

namespace {

// The widest colour line: white at the far corner of a 3840 x 2160 screen.
QString HelpFor(bool dragging, bool hasSelection) {
    const std::string text =
        HelpText(MakeColorRef(255, 255, 255), {3839, 2159}, dragging, hasSelection);
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

void HelpBoxTest::textFitsThePanel_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QFont>("font");
    QTest::addColumn<int>("bullets");
    QFont large(QStringLiteral("Sans Serif"));
    large.setPixelSize(17);
    const std::pair<QFont, const char*> fonts[] = {{DialogFont(), "dialog font"},
                                                   {large, "17 px sans serif"}};
    for (const auto& [font, name] : fonts) {
        QTest::addRow("press, %s", name) << HelpFor(false, false) << font << 3;
        QTest::addRow("release, %s", name) << HelpFor(true, true) << font << 3;
        QTest::addRow("adjust, %s", name) << HelpFor(false, true) << font << 4;
    }
}

void HelpBoxTest::textFitsThePanel() {
    QFETCH(QString, text);
    QFETCH(QFont, font);
    QFETCH(int, bullets);
    const QRect panel = CMyEdit::TextPanel();
    const HelpBoxLayout layout = LayOutHelpText(text, font, panel);
    QVERIFY(layout.fits);
    QVERIFY2(QRectF(panel).contains(layout.bounds), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                   .arg(layout.bounds.x())
                                                                   .arg(layout.bounds.y())
                                                                   .arg(layout.bounds.width())
                                                                   .arg(layout.bounds.height())));
    QCOMPARE(int(layout.bullets.size()), bullets);
    for (const HelpBoxLayout::Run& b : layout.bullets) QCOMPARE(b.at.x(), layout.bullets[0].at.x());
    qreal previousTop = -1;
    for (const HelpBoxLayout::Run& line : layout.lines) {
        QCOMPARE(line.at.x(), layout.lines[0].at.x());  // continued lines under the text
        QVERIFY(line.at.x() > layout.bullets[0].at.x());
        QVERIFY(line.at.y() > previousTop);
        previousTop = line.at.y();
    }
    // Every character of the text is drawn.
    QString drawn;
    for (const HelpBoxLayout::Run& line : layout.lines) drawn += line.text;
    QString expected = text;
    expected.remove(QChar(0x00B7)).remove(QLatin1Char('\n')).remove(QLatin1Char(' '));
    QCOMPARE(drawn.remove(QLatin1Char(' ')), expected);
}

// The box as shown: below the panel the picture (its wave) is untouched,
// inside it the text is drawn.
void HelpBoxTest::nothingDrawnOnTheWave() {
    const QImage picture =
        QImage(QStringLiteral(":/capture/picture134.bmp")).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!picture.isNull());
    CMyEdit box(nullptr);
    box.SetHelpText(HelpText(MakeColorRef(255, 255, 255), {3839, 2159}, false, true));
    const QImage shot = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = shot.devicePixelRatio();
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                   std::abs(qBlue(a) - qBlue(b)) <
               96;
    };
    const QRect panel = CMyEdit::TextPanel();
    for (int y = panel.bottom() + 1; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb shown = shot.pixel(int(x * ratio), int(y * ratio));
            QVERIFY2(near(shown, picture.pixel(x, y)),
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }
    int dark = 0;
    for (int y = panel.top(); y <= panel.bottom(); ++y) {
        for (int x = panel.left(); x <= panel.right(); ++x)
            dark += qGray(shot.pixel(int(x * ratio), int(y * ratio))) < 64 ? 1 : 0;
    }
    QVERIFY(dark > 100);
}

QTEST_MAIN(HelpBoxTest)
#include "tst_helpbox.moc"
