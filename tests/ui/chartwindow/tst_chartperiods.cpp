// The chart window on a real X server: the zoom it opens at, resizing,
// zoom 1 against qelvar-cli render, the period layers selected with the
// keyboard, the 三方四正 of a clicked cell, saving, printing's sibling
// formats and the clipboard.  Set QELVAR_SHOT_DIR to keep screenshots.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QWheelEvent>

#include "chart/ChartView.h"
#include "chart/ZiWei.h"
#include "periods/PeriodOverlay.h"
#include "tests/ui/KnownBirth.h"
#include "tests/ui/QtWarnings.h"
#include "ui/app/DialogFont.h"
#include "ui/chart/ChartCanvas.h"
#include "ui/chart/ChartExport.h"
#include "ui/chart/TimelineStrip.h"
#include "ui/chart/ZiWeiDlg.h"

using namespace qelvar;

namespace {

const auto kToday = std::chrono::year{2026} / 12 / 7;

// Pixels of exactly `colour` in a rectangle given in logical pixels.
int CountColour(const QImage& image, const QRect& rect, QColor colour) {
    int n = 0;
    const double dpr = image.devicePixelRatio();
    const QRect device(qRound(rect.x() * dpr), qRound(rect.y() * dpr), qRound(rect.width() * dpr),
                       qRound(rect.height() * dpr));
    const QRect r = device.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y) == colour) ++n;
    return n;
}

// Pixels close to `colour` (smoothed edges included).
int CountNear(const QImage& image, QColor colour, int tolerance = 40) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) <=
                tolerance)
                ++n;
        }
    return n;
}

QRect CellRect(const CZiWeiDlg& chart, Branch b) {
    const DuPoint c = CellCorner(CellOfBranch(b));
    return chart.ToWindow({c.x, c.y, kCellWidthDu, kCellHeightDu});
}

void Shot(const QImage& image, const char* name) {
    const QString dir = qEnvironmentVariable("QELVAR_SHOT_DIR");
    if (!dir.isEmpty()) image.save(QDir(dir).filePath(QString::fromLatin1(name) + ".png"));
}

// The overlay texts that lie in cell b.
QStringList OverlayIn(const CZiWeiDlg& chart, Branch b) {
    QStringList texts;
    for (const OverlayText& t : chart.Picture().Overlay().texts)
        if (t.cell == b) texts << QString::fromStdString(t.text);
    return texts;
}

QImage RenderWithCli(const QString& path, const QString& scale) {
    QProcess cli;
    cli.start(QStringLiteral(QELVAR_BIN_DIR "/qelvar-cli"),
              {"render", "2000-02-05", "--hour", "午", "--minute", "0", "--sex", "男", "--today",
               "2026-12-07", "--scale", scale, "--output", path});
    if (!cli.waitForFinished(20000) || cli.exitCode() != 0) return {};
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class ChartPeriodsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { qelvar::FailOnQtWarnings(); }
    void initTestCase() { InstallSongFont(); }

    void opensAtTheOpeningZoomAndFits();
    void resizingKeepsProportions_data();
    void resizingKeepsProportions();
    void zoomKeys();
    void zoomOneEqualsCliRender();
    void keyboardYearShowsTheHoroscopeLayers();
    void stripClicksSelectPeriods();
    void ctrlWheelZooms();
    void clickOutlinesTheSurroundingCells();
    void escClearsSelectionBeforeClosing();
    void savedFilesOpenAndHoldTheChart_data();
    void savedFilesOpenAndHoldTheChart();
    void copyPutsTheChartOnTheClipboard();
    void printOpensAPreview();
    void failedSaveLeavesTheFileIntact();
    void qtChineseTranslationLoads();
    void zoomStaysOnTheScreen();
    void screenshots();
};

void ChartPeriodsTest::opensAtTheOpeningZoomAndFits() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const QRect available = chart.screen()->availableGeometry();
    if (available.height() == 1080) QCOMPARE(chart.Zoom(), 1.5);
    const int extra = chart.height() - chart.Canvas()->height();
    QCOMPARE(chart.Zoom(), OpeningZoom(available.height(), 512, extra));
    QVERIFY(chart.frameGeometry().height() <= 0.85 * available.height());
    QVERIFY(chart.frameGeometry().width() <= available.width());
    QCOMPARE(chart.Canvas()->size(), QSize(qRound(497 * chart.Zoom()), qRound(512 * chart.Zoom())));
}

void ChartPeriodsTest::resizingKeepsProportions_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("wide") << QSize(1100, 700);
    QTest::newRow("tall") << QSize(600, 1000);
    QTest::newRow("small") << QSize(400, 450);
}

void ChartPeriodsTest::resizingKeepsProportions() {
    QFETCH(QSize, size);
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.resize(size);
    QTRY_COMPARE(chart.size(), size);
    const QSize area = chart.Canvas()->size();
    const QImage image = chart.ChartWindowImage();
    // The red frame's extent: the chart's outline.
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    const double dpr = image.devicePixelRatio();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(255, 0, 0)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    QVERIFY(right > left && bottom > top);
    const double w = (right - left + 4) / dpr;  // the frame starts 1 and ends 2 pixels in
    const double h = (bottom - top + 4) / dpr;
    QVERIFY2(std::abs(w / h - 497.0 / 512.0) < 0.02, qPrintable(QString::number(w / h)));
    const double scale = std::min(area.width() / 497.0, area.height() / 512.0);
    QVERIFY(std::abs(w - 497 * scale) <= 3);
    // Centred: equal margins within a few pixels (the frame's insets of 1
    // and 2 pixels scale with the chart, and the offset is whole pixels).
    const double marginLeft = left / dpr, marginRight = area.width() - (right + 1) / dpr;
    const double marginTop = top / dpr, marginBottom = area.height() - (bottom + 1) / dpr;
    QVERIFY(std::abs((marginLeft - scale) - (marginRight - 2 * scale)) <= 3);
    QVERIFY(std::abs((marginTop - scale) - (marginBottom - 2 * scale)) <= 3);
}

void ChartPeriodsTest::zoomKeys() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.show();
    chart.activateWindow();  // shortcuts work in the active window
    QVERIFY(QTest::qWaitForWindowActive(&chart));
    QTest::keyClick(&chart, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(chart.Zoom(), 1.0);
    QTRY_COMPARE(chart.Canvas()->size(), QSize(497, 512));
    QTest::keyClick(&chart, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(chart.Zoom(), 1.5);
    QTest::keyClick(&chart, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&chart, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(chart.Zoom(), 0.5);
    QTRY_COMPARE(chart.Canvas()->size(), QSize(249, 256));
    // After a resize by hand the keys step on from the size shown.
    chart.resize(chart.width() * 2 + 100, chart.height() * 2 + 100);
    QTRY_VERIFY(chart.Canvas()->Placement().scale > 1.0);
    const double shown = chart.Canvas()->Placement().scale;
    QTest::keyClick(&chart, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(chart.Zoom(), NextZoom(shown, 1));
}

void ChartPeriodsTest::zoomOneEqualsCliRender() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.SetZoom(1);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QTemporaryDir dir;
    // On a screen scaled 2x the window draws twice the pixels: render --scale 2.
    const QImage window = chart.ChartWindowImage().convertToFormat(QImage::Format_RGB32);
    const double dpr = window.devicePixelRatio();
    const QImage cli = RenderWithCli(dir.filePath("chart.png"), QString::number(dpr));
    QImage device = window;
    device.setDevicePixelRatio(1);
    QCOMPARE(device, cli);
}

void ChartPeriodsTest::keyboardYearShowsTheHoroscopeLayers() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.SetZoom(1);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QVERIFY(chart.Picture().Overlay().texts.empty());  // opens natal
    QTest::keyClick(&chart, Qt::Key_Right);            // the first step: this year, 2026
    QVERIFY(chart.CurrentHoroscope().has_value());
    const Horoscope& h = *chart.CurrentHoroscope();
    QCOMPARE(int(h.target.solar.year), 2026);
    QCOMPARE(h.age, 27);
    // By hand: 2026 is a 午 year, so the 流年 命宫 is 午; age 27 lies in the
    // third decade (22-31), forward from the 申 命宫: 戌.
    QVERIFY(OverlayIn(chart, 6).contains(QStringLiteral("年命")));
    QVERIFY(OverlayIn(chart, 10).contains(QStringLiteral("限命")));
    // Every cell carries both layers' names as the horoscope gives them.
    for (Branch b = 0; b < 12; ++b) {
        for (const PeriodLayer& layer : h.layers) {
            if (layer.kind != LayerKind::Decade && layer.kind != LayerKind::Year) continue;
            const QString name = QString::fromStdString(std::string(LayerPrefix(layer.kind))) +
                                 QString::fromUtf8(layer.palaces[b].data(), 3);
            QVERIFY2(OverlayIn(chart, b).contains(name), qPrintable(name));
        }
        for (const OverlayText& t : chart.Picture().Overlay().texts)
            if (t.cell == b) {
                QVERIFY(chart.Picture().CellRect(CellOfBranch(b)).contains(chart.ToWindow(t.rect)));
            }
    }
    // Painted in the layers' colours.
    QImage image = ChartImage(chart.Picture(), QString(), 2.0);
    image.setDevicePixelRatio(2.0);
    const Rgb year = LayerColour(LayerKind::Year);
    QVERIFY(CountColour(image, chart.Picture().CellRect(CellOfBranch(6)),
                        QColor(year.r, year.g, year.b)) > 10);
    // The next year moves the 流年 命宫 to 未.
    QTest::keyClick(&chart, Qt::Key_Right);
    QCOMPARE(chart.CurrentHoroscope()->age, 28);
    QVERIFY(OverlayIn(chart, 7).contains(QStringLiteral("年命")));
    // Home: the natal chart again, exactly.
    QTest::keyClick(&chart, Qt::Key_Home);
    QVERIFY(chart.Picture().Overlay().texts.empty());
}

void ChartPeriodsTest::stripClicksSelectPeriods() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.SetZoom(1);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    TimelineStrip* strip = chart.Strip();
    // The third decade (22-31) holds today: 大限 only, at today's date.
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->ItemRect(TimelineRow::Decade, 2).center());
    QVERIFY(chart.CurrentHoroscope().has_value());
    QCOMPARE(int(chart.CurrentHoroscope()->target.solar.year), 2026);
    QVERIFY(OverlayIn(chart, 10).contains(QStringLiteral("限命")));
    for (const OverlayText& t : chart.Picture().Overlay().texts)
        QVERIFY(t.layer == LayerKind::Decade);
    QVERIFY(strip->Items(TimelineRow::Decade)[2].selected);
    // A year of that decade: 2023 (癸卯), the 流年 命宫 in 卯.
    QCOMPARE(strip->Items(TimelineRow::Year)[2].label, std::string("2023"));
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->ItemRect(TimelineRow::Year, 2).center());
    QCOMPARE(chart.CurrentHoroscope()->age, 24);
    QVERIFY(OverlayIn(chart, 3).contains(QStringLiteral("年命")));
    // A double-hour adds 流时 to the centre's stem-branches.
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->ItemRect(TimelineRow::Hour, 6).center());
    QCOMPARE(chart.CurrentHoroscope()->target.hour, std::optional<int>(6));
    QCOMPARE(chart.TimelineModel()->ShownLayers().size(), std::size_t(6));
}

void ChartPeriodsTest::ctrlWheelZooms() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.SetZoom(1);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const QPointF at(100, 100);
    QWheelEvent up(at, chart.Canvas()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton,
                   Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart.Canvas(), &up);
    QCOMPARE(chart.Zoom(), 1.5);
    QWheelEvent plain(at, chart.Canvas()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart.Canvas(), &plain);
    QCOMPARE(chart.Zoom(), 1.5);  // without Ctrl the wheel does not zoom
}

void ChartPeriodsTest::clickOutlinesTheSurroundingCells() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.SetZoom(1.5);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const QPoint shen = (CellRect(chart, 8).center() * 1.5);
    QTest::mouseClick(chart.Canvas(), Qt::LeftButton, {}, shen);
    QCOMPARE(chart.SelectedPalace(), std::optional<int>(CellOfBranch(8)));
    chart.SetZoom(1);
    const QImage image = chart.ChartWindowImage();
    const QColor outline(0, 120, 255);
    // 申, its opposite 寅, and the triad 子 and 辰.
    for (const Branch b : {8, 2, 0, 4}) {
        QVERIFY2(CountColour(image, CellRect(chart, b), outline) > 100,
                 qPrintable(QString::number(b)));
    }
    for (const Branch b : {1, 3, 5, 6, 7, 9, 10, 11}) {
        QVERIFY2(CountColour(image, CellRect(chart, b).adjusted(4, 10, -4, -4), outline) < 30,
                 qPrintable(QString::number(b)));
    }
    QTest::mouseClick(chart.Canvas(), Qt::LeftButton, {}, CellRect(chart, 8).center());
    QCOMPARE(chart.SelectedPalace(), std::nullopt);  // the same cell again clears
}

void ChartPeriodsTest::escClearsSelectionBeforeClosing() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.SetZoom(1);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QTest::mouseClick(chart.Canvas(), Qt::LeftButton, {}, CellRect(chart, 3).center());
    QVERIFY(chart.SelectedPalace().has_value());
    QTest::keyClick(&chart, Qt::Key_Escape);
    QVERIFY(!chart.SelectedPalace().has_value());
    QVERIFY(chart.isVisible());
    QTest::keyClick(&chart, Qt::Key_Escape);
    QTRY_VERIFY(!chart.isVisible());
    QCOMPARE(chart.result(), int(QDialog::Rejected));
}

void ChartPeriodsTest::savedFilesOpenAndHoldTheChart_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("PNG at 2x") << "chart.png";
    QTest::newRow("SVG") << "chart.svg";
    QTest::newRow("PDF") << "chart.pdf";
}

void ChartPeriodsTest::savedFilesOpenAndHoldTheChart() {
    QFETCH(QString, name);
    CZiWeiDlg chart(KnownBirth(), kToday);
    QTest::keyClick(&chart, Qt::Key_Right);  // with the period layers
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const ChartSaveResult saved = chart.Save(path, 2.0);
    QVERIFY2(saved.ok, qPrintable(saved.message));
    QImage image;
    if (name.endsWith(QLatin1String(".png"))) {
        image = QImage(path);
        QCOMPARE(image.width(), 994);
        QVERIFY(image.height() > 1024);  // the caption under the chart
    } else if (name.endsWith(QLatin1String(".svg"))) {
        const QString rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
        if (!rsvg.isEmpty()) {
            QProcess p;
            p.start(rsvg, {"-o", dir.filePath("svg.png"), path});
            QVERIFY(p.waitForFinished(30000));
            QCOMPARE(p.exitCode(), 0);
            image = QImage(dir.filePath("svg.png"));
        } else {
            QSvgRenderer svg(path);
            QVERIFY(svg.isValid());
            image = QImage(svg.defaultSize(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            svg.render(&painter);
        }
    } else {
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (pdftoppm.isEmpty()) QSKIP("pdftoppm is not installed");
        QProcess p;
        p.start(pdftoppm, {"-png", "-r", "60", "-singlefile", path, dir.filePath("pdf")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        image = QImage(dir.filePath("pdf.png"));
    }
    QVERIFY(!image.isNull());
    image = image.convertToFormat(QImage::Format_RGB32);
    // The red frame and the layer colours are there.
    QVERIFY(CountNear(image, QColor(255, 0, 0)) > 500);
    const Rgb year = LayerColour(LayerKind::Year);
    QVERIFY(CountNear(image, QColor(year.r, year.g, year.b), 60) > 20);
}

void ChartPeriodsTest::copyPutsTheChartOnTheClipboard() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.show();
    chart.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&chart));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&chart, Qt::Key_C, Qt::ControlModifier);
    QTRY_VERIFY(!QGuiApplication::clipboard()->image().isNull());
    const QImage image =
        QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    QVERIFY(image.width() >= 497);
    QVERIFY(CountNear(image, QColor(255, 0, 0), 0) > 1000);
}

void ChartPeriodsTest::printOpensAPreview() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.show();
    chart.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&chart));
    bool previewed = false;
    QTimer::singleShot(0, &chart, [&] {
        QTRY_VERIFY(qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget()));
        previewed = true;
        QApplication::activeModalWidget()->close();
    });
    QTest::keyClick(&chart, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(previewed);
}

void ChartPeriodsTest::failedSaveLeavesTheFileIntact() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.png");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old content");
    }
    // A file without any write permission is protected, for root too.
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const ChartSaveResult saved = chart.Save(path);
    QVERIFY(!saved.ok);
    QVERIFY(saved.message.contains(QStringLiteral("权限")));
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("old content"));
    const ChartSaveResult missing = chart.Save(dir.filePath("no/such/folder.png"));
    QVERIFY(!missing.ok);
    QVERIFY(missing.message.contains(QStringLiteral("不存在")));
}

// What main() loads: Qt's own texts (dialog buttons) in Chinese.
void ChartPeriodsTest::qtChineseTranslationLoads() {
    QTranslator chinese;
    QVERIFY(chinese.load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QCOMPARE(chinese.translate("QPlatformTheme", "Save"), QStringLiteral("保存"));
}

// Zoomed in step by step to the largest zoom, with the periods of a day
// and hour shown (the tallest chart): the window stays inside the screen
// and every cell can be scrolled into view, with the scroll bars and by
// dragging with the middle button.
void ChartPeriodsTest::zoomStaysOnTheScreen() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.show();
    chart.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&chart));
    QVERIFY(chart.GoToDate(QStringLiteral("2026-03-10 午")));
    const QRect available = chart.screen()->availableGeometry();
    const double opening = chart.Zoom();
    while (chart.Zoom() < kMaxZoom) {
        QTest::keyClick(&chart, Qt::Key_Plus, Qt::ControlModifier);
        QApplication::processEvents();
        QVERIFY2(available.contains(chart.frameGeometry()),
                 qPrintable(QStringLiteral("zoom %1").arg(chart.Zoom())));
    }
    QVERIFY(chart.Zoom() >= 4 * opening);
    QScrollArea* area = chart.ScrollArea();
    QTRY_VERIFY(chart.Canvas()->Placement().scale >= kMaxZoom - 1e-9);
    for (int palace = 0; palace < kPalaceCount; ++palace) {
        const ChartPlacement p = chart.Canvas()->Placement();
        const QPointF centre =
            QRectF(chart.Picture().CellRect(palace)).center() * p.scale + QPointF(p.x, p.y);
        area->ensureVisible(qRound(centre.x()), qRound(centre.y()), 50, 50);
        QApplication::processEvents();
        const QPoint shown = chart.Canvas()->mapTo(area->viewport(), centre.toPoint());
        QVERIFY2(area->viewport()->rect().contains(shown), qPrintable(QString::number(palace)));
        QCOMPARE(chart.Canvas()->PalaceAtPoint(centre), std::optional<int>(palace));
    }
    // The middle button drags the chart.
    area->horizontalScrollBar()->setValue(0);
    area->verticalScrollBar()->setValue(0);
    const QPoint from = area->viewport()->rect().center();
    QTest::mousePress(chart.Canvas(), Qt::MiddleButton, {},
                      chart.Canvas()->mapFrom(area->viewport(), from));
    QMouseEvent move(QEvent::MouseMove,
                     QPointF(chart.Canvas()->mapFrom(area->viewport(), from - QPoint(100, 80))),
                     QPointF(area->viewport()->mapToGlobal(from - QPoint(100, 80))), Qt::NoButton,
                     Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(chart.Canvas(), &move);
    QCOMPARE(area->horizontalScrollBar()->value(), 100);
    QCOMPARE(area->verticalScrollBar()->value(), 80);
    QTest::mouseRelease(chart.Canvas(), Qt::MiddleButton);
    // Back to zoom 1: no scrolling, the chart fits the window again.
    QTest::keyClick(&chart, Qt::Key_0, Qt::ControlModifier);
    QTRY_COMPARE(area->verticalScrollBar()->maximum(), 0);
}

// Screenshots to look at: the natal view and every depth at the opening
// zoom, the relations of a cell, zoom 1.
void ChartPeriodsTest::screenshots() {
    if (qEnvironmentVariableIsEmpty("QELVAR_SHOT_DIR")) QSKIP("QELVAR_SHOT_DIR not set");
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    Shot(chart.grab().toImage(), "window-natal-opening");
    TimelineStrip* strip = chart.Strip();
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->ItemRect(TimelineRow::Decade, 2).center());
    Shot(chart.grab().toImage(), "window-decade");
    QTest::keyClick(&chart, Qt::Key_Right);
    Shot(chart.grab().toImage(), "window-year");
    QTest::keyClick(&chart, Qt::Key_PageDown);
    Shot(chart.grab().toImage(), "window-month");
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->ItemRect(TimelineRow::Day, 4).center());
    Shot(chart.grab().toImage(), "window-day");
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->ItemRect(TimelineRow::Hour, 6).center());
    Shot(chart.grab().toImage(), "window-hour");
    const ChartPlacement p = chart.Canvas()->Placement();
    const QPointF cell =
        QRectF(chart.Picture().CellRect(CellOfBranch(10))).center() * p.scale + QPointF(p.x, p.y);
    QTest::mouseClick(chart.Canvas(), Qt::LeftButton, {}, cell.toPoint());
    Shot(chart.grab().toImage(), "window-hour-relations");
    chart.SetZoom(1);
    Shot(chart.grab().toImage(), "window-hour-z1");
    const QDir dir(qEnvironmentVariable("QELVAR_SHOT_DIR"));
    QVERIFY(chart.Save(dir.filePath("saved.svg")).ok);
    QVERIFY(chart.Save(dir.filePath("saved.pdf")).ok);
    QVERIFY(chart.Save(dir.filePath("saved.png"), 1.5).ok);
}

QTEST_MAIN(ChartPeriodsTest)
#include "tst_chartperiods.moc"
