// The chart window of a known birth: texts read back by identifier, the
// painted colours and frame, and the keys that close it.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "chart/ZiWei.h"
#include "tests/ui/KnownBirth.h"
#include "tests/ui/ModalPoll.h"
#include "tests/ui/QtWarnings.h"
#include "ui/app/AppIcon.h"
#include "ui/app/DialogFont.h"
#include "ui/chart/ChartRender.h"
#include "ui/chart/ZiWeiDlg.h"

using namespace qelvar;
using std::chrono::year;

namespace {

const auto kToday = year{2026} / 12 / 7;

int CountColour(const QImage& image, const QRect& rect, QColor colour) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (image.pixelColor(x, y) == colour) ++n;
        }
    }
    return n;
}

// What the chart part of the window shows at zoom 1.
QImage AtZoom1(CZiWeiDlg& chart) {
    chart.SetZoom(1);
    return chart.ChartWindowImage();
}

QColor Q(Rgb c) {
    return {c.r, c.g, c.b};
}

}  // namespace

class ChartWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { qelvar::FailOnQtWarnings(); }
    void initTestCase() { InstallSongFont(); }

    void slotTexts_data();
    void slotTexts();
    void everySlotMirrorsTheGrid();
    void everySlotEqualsTheCliCast();
    void palaceHighlights_data();
    void palaceHighlights();
    void starColours();
    void fourTransformationsWhiteOnGreen();
    void redFrameAroundWhite();
    void keysClose_data();
    void keysClose();
    void rightButtonKeepsChart();
    void everyChartWindowSharesTheOneIcon();
    void pngEqualsWindow();
    void cliRenderEqualsWindow();
};

void ChartWindowTest::slotTexts_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("命宫 and body palace share 申") << 1018 << "命★身";
    QTest::newRow("迁移宫 in 寅") << 1012 << "迁移宫";
    QTest::newRow("官禄宫 in 子") << 1022 << "官禄宫";
    QTest::newRow("寅 stem of a 庚 year") << 1024 << "戊";
    QTest::newRow("bureau") << 1036 << "水二局";
    QTest::newRow("命宫 decade starts at the bureau") << 1043 << "2-11";
    QTest::newRow("next cell forward (yang man)") << 1044 << "12-21";
    QTest::newRow("紫微 in 丑") << 1072 << "紫微";
    QTest::newRow("天府 in 卯") << 1062 << "天府";
    QTest::newRow("命主 of a 申 命宫") << 2188 << "命主廉贞";
    QTest::newRow("身主 of a 辰 year") << 2189 << "身主文昌";
    QTest::newRow("子年斗君") << 2181 << "子年斗君：午";
    QTest::newRow("Gregorian line") << 2186 << "阳历：2000年2月5日 ";
    QTest::newRow("lunar line") << 2182 << "农历：龙(庚辰)年正月初一";
    QTest::newRow("no slot") << 1049 << "";
}

void ChartWindowTest::slotTexts() {
    QFETCH(int, id);
    QFETCH(QString, text);
    CZiWeiDlg chart(KnownBirth(), kToday);
    QCOMPARE(chart.SlotText(id), text);
    QCOMPARE(chart.windowTitle(), QStringLiteral("斗数排盘"));
    // 331 x 341 units of 6 x 12 pixels, rounded
    QCOMPARE(AtZoom1(chart).size(), QSize(497, 512));
}

void ChartWindowTest::everySlotMirrorsTheGrid() {
    ZiWeiChart engine(KnownBirth(), kToday);
    engine.RunChartSteps();
    const CZiWeiDlg chart(KnownBirth(), kToday);
    for (const int id : ChartGrid::SlotIds()) {
        QCOMPARE(chart.SlotText(id), QString::fromStdString(engine.Grid().GetSlotText(id)));
    }
}

// The same birth through qelvar-cli, which runs the form model and the
// engine without any window: the chart window must show exactly its slots.
void ChartWindowTest::everySlotEqualsTheCliCast() {
    QProcess cli;
    cli.start(QStringLiteral(QELVAR_BIN_DIR "/qelvar-cli"),
              {"cast", "2000-02-05", "--hour", "6", "--minute", "0", "--sex", "0", "--today",
               "2026-12-07", "--format", "json"});
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 0);
    const QJsonObject cast =
        QJsonDocument::fromJson(cli.readAllStandardOutput()).object().value("slots").toObject();
    QVERIFY(cast.size() > 300);
    const CZiWeiDlg chart(KnownBirth(), kToday);
    for (auto it = cast.begin(); it != cast.end(); ++it) {
        QCOMPARE(chart.SlotText(it.key().toInt()), it.value().toString());
    }
}

void ChartWindowTest::palaceHighlights_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("yellow");
    QTest::newRow("命★身") << 1018 << true;
    QTest::newRow("迁移宫") << 1012 << true;
    QTest::newRow("财帛宫") << 1014 << true;
    QTest::newRow("官禄宫") << 1022 << true;
    QTest::newRow("疾厄宫") << 1013 << false;
    QTest::newRow("兄弟宫") << 1017 << false;
}

void ChartWindowTest::palaceHighlights() {
    QFETCH(int, id);
    QFETCH(bool, yellow);
    CZiWeiDlg chart(KnownBirth(), kToday);
    const QImage image = AtZoom1(chart);
    const int pixels = CountColour(image, chart.SlotRect(id), QColor(255, 255, 0));
    QCOMPARE(pixels > 0, yellow);
}

void ChartWindowTest::starColours() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    const QImage image = AtZoom1(chart);
    QVERIFY(CountColour(image, chart.SlotRect(1072), QColor(255, 0, 0)) > 10);  // 紫微
    // Every star in a star column is painted in its list colour (or orange).
    int checked = 0;
    for (int id = 1061; id < 1217; ++id) {
        const QString name = chart.SlotText(id);
        if (name.isEmpty()) continue;
        const QColor colour = Q(chart.SlotAttributes(id).text);
        QVERIFY2(CountColour(image, chart.SlotRect(id), colour) > 5, qPrintable(name));
        ++checked;
    }
    QVERIFY(checked >= 14);
}

void ChartWindowTest::fourTransformationsWhiteOnGreen() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    const QImage image = AtZoom1(chart);
    const QColor green(0, 100, 0);
    const QColor white(255, 255, 255);
    QVERIFY(CountColour(image, chart.SlotRect(2183), green) > 20);
    QVERIFY(CountColour(image, chart.SlotRect(2183), white) > 5);
    int marked = 0;
    for (int id = 1229; id < 1241; ++id) {
        if (chart.SlotText(id).isEmpty()) continue;
        QVERIFY(CountColour(image, chart.SlotRect(id), green) > 10);
        QVERIFY(CountColour(image, chart.SlotRect(id), white) > 5);
        ++marked;
    }
    QVERIFY(marked >= 1);  // a 庚 year transforms four stars
}

void ChartWindowTest::redFrameAroundWhite() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    const QImage image = AtZoom1(chart);
    const int w = image.width();
    const int h = image.height();
    const QColor red(255, 0, 0);
    struct Probe {
        int x, y;
        QColor colour;
    };
    const Probe probes[] = {
        {0, 0, Qt::black},         {2, h / 2, red},           {4, h / 2, red},
        {5, 6, Qt::white},         {w / 2, 1, red},           {w / 2, h - 3, red},
        {w - 3, h / 2, red},       {w - 2, h / 2, Qt::black}, {w - 1, h - 1, Qt::black},
        {w - 7, h - 7, Qt::white},
    };
    for (const Probe& p : probes) {
        QCOMPARE(image.pixelColor(p.x, p.y), p.colour);
    }
}

void ChartWindowTest::keysClose_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(QDialog::Accepted);
    QTest::newRow("Esc") << int(Qt::Key_Escape) << int(QDialog::Rejected);
}

void ChartWindowTest::keysClose() {
    QFETCH(int, key);
    QFETCH(int, result);
    CZiWeiDlg chart(KnownBirth(), kToday);
    QTimer::singleShot(0, &chart, [&] { QTest::keyClick(&chart, Qt::Key(key)); });
    QTimer::singleShot(2000, &chart, [&] { chart.done(-1); });  // a key that failed to close it
    QCOMPARE(chart.exec(), result);
}

void ChartWindowTest::rightButtonKeepsChart() {
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const QImage before = AtZoom1(chart);
    // The right click opens the capture window modally; Esc with no
    // selection closes it again.
    bool captureOpened = false;
    Poll([&] {
        QWidget* capture = QApplication::activeModalWidget();
        if (capture == nullptr || capture == &chart) return false;
        captureOpened = true;
        QTest::keyClick(capture, Qt::Key_Escape);
        return true;
    });
    QTest::mouseClick(&chart, Qt::RightButton, {}, QPoint(200, 300));
    QVERIFY(captureOpened);
    QVERIFY(chart.isVisible());
    QCOMPARE(AtZoom1(chart), before);
}

void ChartWindowTest::everyChartWindowSharesTheOneIcon() {
    // Copies of one icon share its engine (and so its cached pixmaps): the
    // cache key names the engine.
    const qint64 shared = AppIcon().cacheKey();
    for (int i = 0; i < 3; ++i) {
        CZiWeiDlg chart(KnownBirth(), kToday);
        QVERIFY(!chart.windowIcon().isNull());
        QCOMPARE(chart.windowIcon().cacheKey(), shared);
    }
}

void ChartWindowTest::pngEqualsWindow() {
    const QString path = QDir::temp().filePath(QStringLiteral("qelvar-chart-test.png"));
    std::string error;
    ZiWeiChart cast(KnownBirth(), kToday);
    cast.RunChartSteps();
    QVERIFY(RenderChartPng(cast.Grid(), path.toStdString(), &error));
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const QImage png(path);
    QCOMPARE(png.convertToFormat(QImage::Format_RGB32),
             AtZoom1(chart).convertToFormat(QImage::Format_RGB32));
    QFile::remove(path);
}

// qelvar-cli render, without a display, writes what the window shows.
void ChartWindowTest::cliRenderEqualsWindow() {
    const QString path = QDir::temp().filePath(QStringLiteral("qelvar-cli-render-test.png"));
    QFile::remove(path);
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(QELVAR_BIN_DIR "/qelvar-cli"),
              {"render", "2000-02-05", "--hour", "午", "--minute", "0", "--sex", "男", "--today",
               "2026-12-07", "--output", path});
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 0);
    CZiWeiDlg chart(KnownBirth(), kToday);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32),
             AtZoom1(chart).convertToFormat(QImage::Format_RGB32));
    QFile::remove(path);
}

QTEST_MAIN(ChartWindowTest)
#include "tst_chartwindow.moc"
