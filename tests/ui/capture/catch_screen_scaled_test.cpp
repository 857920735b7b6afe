// The capture window on a screen at scale 2 (an X screen of 3840 x 2160
// device pixels run with QT_SCALE_FACTOR=2, so 1920 x 1080 window pixels):
// the frozen picture, the saved file and the clipboard keep every device
// pixel, and the frozen picture is shown as sharp as the screen was.
#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/ui/QtWarnings.h"
#include "ui/capture/CatchScreenDlg.h"

using qelvar::CCatchScreenDlg;
using qelvar::ScreenRect;

namespace {

// Each device pixel gets a colour of its own and differs from its
// neighbours, so a picture kept at half the resolution cannot match.
QRgb DevicePixel(int x, int y) {
    return qRgb((x * 37 + y * 11) & 0xFF, (x * 5 + y * 29) & 0xFF, ((x ^ y) & 1) ? 0xFF : 0);
}

class Backdrop : public QWidget {
public:
    Backdrop() : QWidget(nullptr, Qt::FramelessWindowHint) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const qreal ratio = screen->devicePixelRatio();
        m_image = QImage(screen->geometry().size() * ratio, QImage::Format_RGB32);
        for (int y = 0; y < m_image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            for (int x = 0; x < m_image.width(); ++x) line[x] = DevicePixel(x, y);
        }
        m_image.setDevicePixelRatio(ratio);
        setGeometry(screen->geometry());
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(QPoint(0, 0), m_image); }

private:
    QImage m_image;
};

// Pixels only: the device pixel ratio set aside.
QImage Pixels(QImage image) {
    image.setDevicePixelRatio(1);
    return image.convertToFormat(QImage::Format_RGB32);
}

// A rectangle of the screen in device pixels, from window pixels.
QImage GrabScreen(const QRect& r = QRect(0, 0, -1, -1)) {
    return Pixels(QGuiApplication::primaryScreen()
                      ->grabWindow(0, r.x(), r.y(), r.width(), r.height())
                      .toImage());
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

}  // namespace

class CatchScreenScaledTest : public QObject {
    Q_OBJECT
private slots:
    void init() { qelvar::FailOnQtWarnings(); }
    void initTestCase();
    void frozenPictureKeepsEveryDevicePixel();
    void selectionKeepsEveryDevicePixel();
    void frozenPictureIsShownSharp();

private:
    Backdrop m_backdrop;
    QImage m_screen;  // the whole screen in device pixels, backdrop showing
};

void CatchScreenScaledTest::initTestCase() {
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs an X display");
    QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1920, 1080));
    m_backdrop.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_backdrop));
    QTRY_COMPARE(GrabScreen(QRect(0, 0, 2, 2)).pixel(3, 1), DevicePixel(3, 1));
    m_screen = GrabScreen();
    QCOMPARE(m_screen.size(), QSize(3840, 2160));
    QCOMPARE(m_screen.pixel(2001, 1203), DevicePixel(2001, 1203));
}

void CatchScreenScaledTest::frozenPictureKeepsEveryDevicePixel() {
    CCatchScreenDlg dlg;
    QCOMPARE(dlg.FrozenImage().size(), QSize(3840, 2160));
    QCOMPARE(dlg.FrozenImage().devicePixelRatio(), 2.0);
    QVERIFY(Pixels(dlg.FrozenImage()) == m_screen);
}

// 100 x 100 window pixels are 200 x 200 screen pixels: the file and the
// clipboard get all of them.
void CatchScreenScaledTest::selectionKeepsEveryDevicePixel() {
    QTemporaryDir dir;
    const QString path = dir.filePath("shot.bmp");
    QStringList warnings;
    CCatchScreenDlg::SetSaveHooks(
        {[&](QWidget*) { return path; },
         [&](QWidget*, const QString&, const QString& reason) { warnings << reason; }});
    const auto restore = qScopeGuard([] { CCatchScreenDlg::SetSaveHooks({}); });
    CCatchScreenDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    SendMouse(&dlg, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    SendMouse(&dlg, QEvent::MouseMove, {150, 150}, Qt::LeftButton);
    SendMouse(&dlg, QEvent::MouseMove, {200, 200}, Qt::LeftButton);
    SendMouse(&dlg, QEvent::MouseButtonRelease, {200, 200}, Qt::NoButton);
    QCOMPARE(dlg.State().m_rcBox, (ScreenRect{100, 100, 200, 200}));
    SendMouse(&dlg, QEvent::MouseButtonPress, {150, 150}, Qt::LeftButton);
    SendMouse(&dlg, QEvent::MouseButtonRelease, {150, 150}, Qt::NoButton);
    SendMouse(&dlg, QEvent::MouseButtonDblClick, {150, 150}, Qt::LeftButton);
    SendMouse(&dlg, QEvent::MouseButtonRelease, {150, 150}, Qt::NoButton);
    QVERIFY(warnings.isEmpty());

    const QImage expected = m_screen.copy(200, 200, 200, 200);
    const QImage saved(path, "BMP");
    QCOMPARE(saved.size(), QSize(200, 200));
    QVERIFY(Pixels(saved) == expected);
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(200, 200));
    QVERIFY(Pixels(copied) == expected);
}

// Away from the help box, the capture window shows the screen's own pixels.
void CatchScreenScaledTest::frozenPictureIsShownSharp() {
    CCatchScreenDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QRect area(400, 400, 200, 150);
    const QImage expected = m_screen.copy(800, 800, 400, 300);
    QTRY_VERIFY(GrabScreen(area) == expected);
}

QTEST_MAIN(CatchScreenScaledTest)
#include "catch_screen_scaled_test.moc"
